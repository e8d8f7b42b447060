#pragma once

#include "platform/spreadsheet/Workbook.h"
#include "platform/spreadsheet/calc/UnoHandle.h"

#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <memory>

namespace lumitag::platform::calc {

class CalcSession;

// A Calc spreadsheet document as the program's workbook.
class CalcWorkbook final : public UnoHandle, public Workbook {
public:
    CalcWorkbook(std::shared_ptr<CalcSession> session,
                 css::uno::Reference<css::sheet::XSpreadsheetDocument> document);

    Text name() override;
    int sheetCount() override;
    std::vector<Text> sheetNames() override;
    std::shared_ptr<Worksheet> worksheet(const Text& name) override;
    std::shared_ptr<Worksheet> worksheet(int index) override;
    void close() override;

    // Stores the workbook under a new path (format from the extension); runs on
    // the gate thread.
    void storeAs(const std::string& path);

    void releaseUno() override;

private:
    std::shared_ptr<CalcSession> session_;
    css::uno::Reference<css::sheet::XSpreadsheetDocument> document_;
};

} // namespace lumitag::platform::calc
