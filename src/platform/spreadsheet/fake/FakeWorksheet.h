#pragma once

#include "platform/spreadsheet/Worksheet.h"
#include "platform/spreadsheet/fake/FakeWorkbookContent.h"

#include <memory>
#include <string_view>

namespace lumitag::platform {

class FakeSpreadsheetHost;

// A handle on a sheet of an open workbook of FakeSpreadsheetHost; fails once
// the workbook is closed. The host must outlive its handles.
class FakeWorksheet : public Worksheet {
public:
    FakeWorksheet(FakeSpreadsheetHost& host, std::weak_ptr<FakeWorkbookContent> book,
                  std::weak_ptr<FakeSheetContent> sheet);

    // For tests: the workbook this sheet belongs to, nullptr once it has
    // closed. Not a host call.
    const FakeWorkbookContent* workbookContent() const { return book_.lock().get(); }

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

private:
    struct Target {
        std::shared_ptr<FakeWorkbookContent> book;
        std::shared_ptr<FakeSheetContent> sheet;
    };
    // Enters the operation and finds the sheet, failing when it has gone.
    Target target(std::string_view operation);
    std::shared_ptr<Range> makeRange(const Target& target, const CellArea& area);

    FakeSpreadsheetHost& host_;
    std::weak_ptr<FakeWorkbookContent> book_;
    std::weak_ptr<FakeSheetContent> sheet_;
};

// Why the spreadsheet refuses a sheet name, or nothing when it takes it.
// Checks the name on its own, not whether another sheet has it.
std::optional<std::string> sheetNameProblem(TextView name);

} // namespace lumitag::platform
