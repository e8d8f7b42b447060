#pragma once

#include "platform/Text.h"
#include "platform/spreadsheet/CellAddress.h"
#include "platform/spreadsheet/Range.h"

#include <memory>
#include <vector>

namespace lumitag::platform {

// Page margins in points.
struct PageMargins {
    double left = 0;
    double right = 0;
    double top = 0;
    double bottom = 0;

    friend bool operator==(const PageMargins&, const PageMargins&) = default;
};

// Rows first to last of a sheet, both included.
struct RowSpan {
    int first = 1;
    int last = 1;

    friend bool operator==(const RowSpan&, const RowSpan&) = default;
};

// One sheet of a workbook. Every operation may throw SpreadsheetError; so does
// every operation once its workbook has been closed.
class Worksheet {
public:
    virtual ~Worksheet() = default;

    virtual Text name() = 0;
    // Renames the sheet. Fails on a name another sheet of the workbook has
    // (letter case ignored) and on a name the spreadsheet forbids: empty, longer
    // than 31 characters, holding any of : \ / ? * [ ], or beginning or ending
    // with an apostrophe.
    virtual void setName(const Text& name) = 0;

    // Makes this the active sheet, and its workbook the active workbook.
    virtual void activate() = 0;

    // Cells(row, column): one cell. Fails for a cell off the worksheet.
    virtual std::shared_ptr<Range> cell(int row, int column) = 0;
    // Cells: every cell of the worksheet (for formatting the whole sheet).
    virtual std::shared_ptr<Range> allCells() = 0;
    // Range(first, last) by two addresses such as "B5" and "F7", corners in any
    // order. Fails for an address the spreadsheet cannot use.
    virtual std::shared_ptr<Range> range(TextView first, TextView last) = 0;
    virtual std::shared_ptr<Range> range(CellRef first, CellRef last) = 0;

    // Rows(row).Hidden.
    virtual bool rowHidden(int row) = 0;
    virtual void setRowHidden(int row, bool hidden) = 0;
    // Rows(row).Hidden of every row from first to last in one call: the
    // hidden ones as ascending spans that neither touch nor overlap. Nothing
    // when last is before first. Fails like rowHidden() for rows off the sheet.
    virtual std::vector<RowSpan> hiddenRows(int firstRow, int lastRow) = 0;

    // Paste: the text on the system clipboard (TAB between columns, a line
    // break after each row) goes into the cells starting at the destination's
    // top-left cell. Fails when the clipboard holds no text.
    virtual void paste(const Range& destination) = 0;

    // PageSetup's left, right, top and bottom margins: where the cells print
    // from the edges of the paper, for this sheet alone.
    virtual void setPageMargins(const PageMargins& margins) = 0;
};

} // namespace lumitag::platform
