#pragma once

#include "platform/spreadsheet/Worksheet.h"
#include "platform/spreadsheet/calc/UnoHandle.h"

#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <memory>

namespace lumitag::platform::calc {

class CalcSession;

// One sheet of a Calc document.
class CalcWorksheet final : public UnoHandle, public Worksheet {
public:
    CalcWorksheet(std::shared_ptr<CalcSession> session,
                  css::uno::Reference<css::sheet::XSpreadsheetDocument> document,
                  css::uno::Reference<css::sheet::XSpreadsheet> sheet);

    Text name() override;
    void setName(const Text& name) override;
    void activate() override;
    std::shared_ptr<Range> cell(int row, int column) override;
    std::shared_ptr<Range> allCells() override;
    std::shared_ptr<Range> range(TextView first, TextView last) override;
    std::shared_ptr<Range> range(CellRef first, CellRef last) override;
    bool rowHidden(int row) override;
    void setRowHidden(int row, bool hidden) override;
    std::vector<RowSpan> hiddenRows(int firstRow, int lastRow) override;
    void paste(const Range& destination) override;
    void setPageMargins(const PageMargins& margins) override;

    void releaseUno() override;

private:
    // On the gate thread: the range over the area, failing off the sheet.
    std::shared_ptr<Range> makeRange(const CellArea& area);

    std::shared_ptr<CalcSession> session_;
    css::uno::Reference<css::sheet::XSpreadsheetDocument> document_;
    css::uno::Reference<css::sheet::XSpreadsheet> sheet_;
};

// Whether a sheet name is one the spreadsheet accepts: 1 to 31 characters,
// none of : \ / ? * [ ], not beginning or ending with an apostrophe.
bool isAllowedSheetName(TextView name);

// The clipboard's text as rows of cells: TAB between cells, CR LF, LF or CR
// after each row (the break after the last row is optional).
std::vector<std::vector<Text>> splitClipboardText(TextView text);

} // namespace lumitag::platform::calc
