#pragma once

#include "platform/Text.h"
#include "platform/spreadsheet/Worksheet.h"

#include <memory>
#include <vector>

namespace lumitag::platform {

// One open workbook. Every operation may throw SpreadsheetError; so does every
// operation once the workbook has been closed.
class Workbook {
public:
    virtual ~Workbook() = default;

    virtual Text name() = 0;
    // Sheets.Count and the names of Sheets(1) … Sheets(count), in workbook order.
    virtual int sheetCount() = 0;
    virtual std::vector<Text> sheetNames() = 0;
    // Worksheets(name): fails when no sheet has that name.
    virtual std::shared_ptr<Worksheet> worksheet(const Text& name) = 0;
    // Worksheets(index), counting from 1: fails outside 1 to sheetCount().
    virtual std::shared_ptr<Worksheet> worksheet(int index) = 0;

    // Close without a save choice: the spreadsheet asks the user about unsaved
    // changes itself. Another open workbook becomes the active one.
    virtual void close() = 0;
};

} // namespace lumitag::platform
