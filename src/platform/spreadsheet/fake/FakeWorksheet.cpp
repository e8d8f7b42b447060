#include "platform/spreadsheet/fake/FakeWorksheet.h"

#include "platform/spreadsheet/fake/FakeRange.h"
#include "platform/spreadsheet/fake/FakeSpreadsheetHost.h"

#include <set>
#include <string>
#include <utility>

namespace lumitag::platform {

namespace {

constexpr std::size_t kMaxSheetNameLength = 31;

bool onSheet(CellRef cell) {
    return cell.row >= 1 && cell.row <= kMaxRow && cell.column >= 1 && cell.column <= kMaxColumn;
}

// Splits clipboard text into rows of TAB-separated fields. Lines end with CR LF
// or LF; a line break at the very end does not start another row.
std::vector<std::vector<Text>> clipboardRows(TextView text) {
    std::vector<std::vector<Text>> rows;
    while (!text.empty()) {
        std::size_t end = text.find(U'\n');
        TextView line = text.substr(0, end);
        text = end == TextView::npos ? TextView{} : text.substr(end + 1);
        if (!line.empty() && line.back() == U'\r') {
            line.remove_suffix(1);
        }
        std::vector<Text> fields;
        for (;;) {
            const std::size_t tab = line.find(U'\t');
            fields.emplace_back(line.substr(0, tab));
            if (tab == TextView::npos) {
                break;
            }
            line.remove_prefix(tab + 1);
        }
        rows.push_back(std::move(fields));
    }
    return rows;
}

} // namespace

std::optional<std::string> sheetNameProblem(TextView name) {
    if (name.empty()) {
        return "a sheet name cannot be empty";
    }
    if (name.size() > kMaxSheetNameLength) {
        return "a sheet name has at most 31 characters";
    }
    if (name.find_first_of(U":\\/?*[]") != TextView::npos) {
        return "a sheet name cannot hold : \\ / ? * [ ]";
    }
    if (name.front() == U'\'' || name.back() == U'\'') {
        return "a sheet name cannot begin or end with an apostrophe";
    }
    return std::nullopt;
}

FakeWorksheet::FakeWorksheet(FakeSpreadsheetHost& host, std::weak_ptr<FakeWorkbookContent> book,
                             std::weak_ptr<FakeSheetContent> sheet)
    : host_(host), book_(std::move(book)), sheet_(std::move(sheet)) {}

FakeWorksheet::Target FakeWorksheet::target(std::string_view operation) {
    host_.enter(operation);
    Target target{book_.lock(), sheet_.lock()};
    if (!target.book || !target.sheet) {
        throw SpreadsheetError("the workbook has been closed");
    }
    return target;
}

std::shared_ptr<Range> FakeWorksheet::makeRange(const Target& target, const CellArea& area) {
    if (!onSheet(area.first) || !onSheet(area.last)) {
        throw SpreadsheetError("the cells lie off the worksheet");
    }
    return std::make_shared<FakeRange>(host_, target.book, target.sheet, area);
}

Text FakeWorksheet::name() {
    return target("Worksheet.name").sheet->name();
}

void FakeWorksheet::setName(const Text& name) {
    const Target sheet = target("Worksheet.setName");
    if (const std::optional<std::string> problem = sheetNameProblem(name)) {
        throw SpreadsheetError(*problem);
    }
    const int holder = sheet.book->indexOf(name);
    if (holder != 0 && holder != sheet.book->indexOf(*sheet.sheet)) {
        throw SpreadsheetError("another sheet has that name");
    }
    sheet.sheet->setName(name);
}

void FakeWorksheet::activate() {
    const Target sheet = target("Worksheet.activate");
    const bool wasActive = host_.isActiveSheet(*sheet.book, *sheet.sheet);
    host_.activateBook(sheet.book);
    sheet.book->setActiveSheetIndex(sheet.book->indexOf(*sheet.sheet));
    if (!wasActive) {
        host_.raise(FakeSpreadsheetHost::Event::SheetActivated);
    }
}

std::shared_ptr<Range> FakeWorksheet::cell(int row, int column) {
    const Target sheet = target("Worksheet.cell");
    return makeRange(sheet, {{row, column}, {row, column}});
}

std::shared_ptr<Range> FakeWorksheet::allCells() {
    const Target sheet = target("Worksheet.allCells");
    return makeRange(sheet, {{1, 1}, {kMaxRow, kMaxColumn}});
}

std::shared_ptr<Range> FakeWorksheet::range(TextView first, TextView last) {
    const Target sheet = target("Worksheet.range");
    const std::optional<CellRef> a = parseCellAddress(first);
    const std::optional<CellRef> b = parseCellAddress(last);
    if (!a || !b) {
        throw SpreadsheetError("not a cell address");
    }
    return makeRange(sheet, areaBetween(*a, *b));
}

std::shared_ptr<Range> FakeWorksheet::range(CellRef first, CellRef last) {
    const Target sheet = target("Worksheet.range");
    if (!onSheet(first) || !onSheet(last)) {
        throw SpreadsheetError("the cells lie off the worksheet");
    }
    return makeRange(sheet, areaBetween(first, last));
}

bool FakeWorksheet::rowHidden(int row) {
    const Target sheet = target("Worksheet.rowHidden");
    if (!onSheet({row, 1})) {
        throw SpreadsheetError("no such row");
    }
    return sheet.sheet->rowHidden(row);
}

void FakeWorksheet::setRowHidden(int row, bool hidden) {
    const Target sheet = target("Worksheet.setRowHidden");
    if (!onSheet({row, 1})) {
        throw SpreadsheetError("no such row");
    }
    sheet.sheet->setRowHidden(row, hidden);
}

std::vector<RowSpan> FakeWorksheet::hiddenRows(int firstRow, int lastRow) {
    const Target sheet = target("Worksheet.hiddenRows");
    std::vector<RowSpan> spans;
    if (lastRow < firstRow) {
        return spans;
    }
    if (!onSheet({firstRow, 1}) || !onSheet({lastRow, 1})) {
        throw SpreadsheetError("no such row");
    }
    const std::set<int>& hidden = sheet.sheet->hiddenRows();
    for (auto at = hidden.lower_bound(firstRow); at != hidden.end() && *at <= lastRow; ++at) {
        if (!spans.empty() && spans.back().last + 1 == *at) {
            spans.back().last = *at;
        } else {
            spans.push_back({*at, *at});
        }
    }
    return spans;
}

void FakeWorksheet::paste(const Range& destination) {
    const Target sheet = target("Worksheet.paste");
    const auto* fakeDestination = dynamic_cast<const FakeRange*>(&destination);
    if (!fakeDestination) {
        throw SpreadsheetError("the destination is not a range of this spreadsheet");
    }
    const std::shared_ptr<FakeSheetContent> destinationSheet = fakeDestination->sheetContent();
    const Text text = host_.clipboard_ ? host_.clipboard_->text() : Text{};
    if (text.empty()) {
        throw SpreadsheetError("the clipboard holds no text");
    }
    const std::vector<std::vector<Text>> rows = clipboardRows(text);
    const CellRef anchor = destination.area().first;
    if (anchor.row + static_cast<int>(rows.size()) - 1 > kMaxRow) {
        throw SpreadsheetError("the text does not fit on the worksheet");
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (anchor.column + static_cast<int>(rows[r].size()) - 1 > kMaxColumn) {
            throw SpreadsheetError("the text does not fit on the worksheet");
        }
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            destinationSheet->setValue(
                {anchor.row + static_cast<int>(r), anchor.column + static_cast<int>(c)}, rows[r][c]);
        }
    }
    host_.raise(FakeSpreadsheetHost::Event::SheetChanged);
}

void FakeWorksheet::setPageMargins(const PageMargins& margins) {
    target("Worksheet.setPageMargins").sheet->setPageMargins(margins);
}

} // namespace lumitag::platform
