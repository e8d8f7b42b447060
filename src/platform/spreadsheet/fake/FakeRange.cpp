#include "platform/spreadsheet/fake/FakeRange.h"

#include "platform/spreadsheet/fake/FakeSpreadsheetHost.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace lumitag::platform {

namespace {

// The fake touches cells one by one; larger blocks than this (other than
// whole rows or columns where it keeps a standard value) are refused.
constexpr long long kMaxFakeCells = 1'000'000;

// The limits the spreadsheet puts on sizes.
constexpr double kMaxColumnWidth = 255;
constexpr double kMaxRowHeight = 409;

long long cellCount(const CellArea& area) {
    return static_cast<long long>(area.rowCount()) * static_cast<long long>(area.columnCount());
}

void requireFakeSize(const CellArea& area) {
    if (cellCount(area) > kMaxFakeCells) {
        throw SpreadsheetError("the fake spreadsheet does not handle ranges this large");
    }
}

bool coversAllRows(const CellArea& area) {
    return area.first.row == 1 && area.last.row == kMaxRow;
}
bool coversAllColumns(const CellArea& area) {
    return area.first.column == 1 && area.last.column == kMaxColumn;
}

} // namespace

FakeRange::FakeRange(FakeSpreadsheetHost& host, std::weak_ptr<FakeWorkbookContent> book,
                     std::weak_ptr<FakeSheetContent> sheet, CellArea area)
    : host_(host), book_(std::move(book)), sheet_(std::move(sheet)), area_(area) {}

FakeRange::Target FakeRange::target(std::string_view operation) {
    host_.enter(operation);
    Target target{book_.lock(), sheet_.lock()};
    if (!target.book || !target.sheet) {
        throw SpreadsheetError("the workbook has been closed");
    }
    return target;
}

std::shared_ptr<FakeSheetContent> FakeRange::sheetContent() const {
    std::shared_ptr<FakeSheetContent> sheet = sheet_.lock();
    if (!sheet) {
        throw SpreadsheetError("the workbook has been closed");
    }
    return sheet;
}

Text FakeRange::value() {
    return target("Range.value").sheet->value(area_.first);
}

void FakeRange::setValue(const Text& value) {
    const Target range = target("Range.setValue");
    requireFakeSize(area_);
    for (int row = area_.first.row; row <= area_.last.row; ++row) {
        for (int column = area_.first.column; column <= area_.last.column; ++column) {
            range.sheet->setValue({row, column}, value);
        }
    }
    host_.raise(FakeSpreadsheetHost::Event::SheetChanged);
}

std::vector<std::vector<Text>> FakeRange::values() {
    const Target range = target("Range.values");
    requireFakeSize(area_);
    std::vector<std::vector<Text>> rows;
    for (int row = area_.first.row; row <= area_.last.row; ++row) {
        std::vector<Text>& cells = rows.emplace_back();
        for (int column = area_.first.column; column <= area_.last.column; ++column) {
            cells.push_back(range.sheet->value({row, column}));
        }
    }
    return rows;
}

std::vector<std::vector<Text>> FakeRange::formulas() {
    const Target range = target("Range.formulas");
    requireFakeSize(area_);
    std::vector<std::vector<Text>> rows;
    for (int row = area_.first.row; row <= area_.last.row; ++row) {
        std::vector<Text>& cells = rows.emplace_back();
        for (int column = area_.first.column; column <= area_.last.column; ++column) {
            cells.push_back(range.sheet->formula({row, column}));
        }
    }
    return rows;
}

void FakeRange::setTexts(const std::vector<std::vector<Text>>& texts) {
    const Target range = target("Range.setTexts");
    requireFakeSize(area_);
    const bool fits = std::cmp_equal(texts.size(), area_.rowCount()) &&
                      std::all_of(texts.begin(), texts.end(), [&](const std::vector<Text>& row) {
                          return std::cmp_equal(row.size(), area_.columnCount());
                      });
    if (!fits) {
        throw SpreadsheetError("the texts do not match the range's rows and columns");
    }
    for (int row = area_.first.row; row <= area_.last.row; ++row) {
        for (int column = area_.first.column; column <= area_.last.column; ++column) {
            range.sheet->setValue({row, column},
                                  texts[static_cast<std::size_t>(row - area_.first.row)]
                                       [static_cast<std::size_t>(column - area_.first.column)]);
        }
    }
    host_.raise(FakeSpreadsheetHost::Event::SheetChanged);
}

void FakeRange::setValues(const std::vector<std::vector<Text>>& values) {
    requireBlockFits(area_, values);
    const Target range = target("Range.setValues");
    // The fake keeps every value as text, numbers included, as setValue() does.
    for (int r = 0; r < area_.rowCount(); ++r) {
        for (int c = 0; c < area_.columnCount(); ++c) {
            range.sheet->setValue({area_.first.row + r, area_.first.column + c},
                                  values[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]);
        }
    }
    host_.raise(FakeSpreadsheetHost::Event::SheetChanged);
}

void FakeRange::setValuesEvery(int step, const std::vector<std::vector<Text>>& rows) {
    requireLinesFitEvery(area_, step, rows);
    const Target range = target("Range.setValuesEvery");
    // Line by line, each written as setValues() writes a block: a failure
    // switched on for "Range.setValues" strikes at the line it is due, and the
    // lines before it stay written, as when the host fails inside the call.
    bool changed = false;
    try {
        for (std::size_t line = 0; line < rows.size(); ++line) {
            host_.refuseIfSwitched("Range.setValues");
            const int row = area_.first.row + step * static_cast<int>(line);
            for (int c = 0; c < area_.columnCount(); ++c) {
                range.sheet->setValue({row, area_.first.column + c}, rows[line][static_cast<std::size_t>(c)]);
            }
            changed = true;
        }
    } catch (const SpreadsheetError&) {
        if (changed) {
            host_.raise(FakeSpreadsheetHost::Event::SheetChanged);
        }
        throw;
    }
    host_.raise(FakeSpreadsheetHost::Event::SheetChanged);
}

void FakeRange::select() {
    const Target range = target("Range.select");
    if (!host_.isActiveSheet(*range.book, *range.sheet)) {
        throw SpreadsheetError("a range can only be selected on the active sheet");
    }
    if (range.sheet->selection() != area_ || range.sheet->activeCell() != area_.first) {
        range.sheet->setSelection(area_, area_.first);
        host_.raise(FakeSpreadsheetHost::Event::SelectionChanged);
    }
}

void FakeRange::activate() {
    const Target range = target("Range.activate");
    if (!host_.isActiveSheet(*range.book, *range.sheet)) {
        throw SpreadsheetError("a cell can only be activated on the active sheet");
    }
    // Inside the selection only the active cell moves; elsewhere the range
    // becomes the selection.
    if (range.sheet->selection().contains(area_.first)) {
        range.sheet->setSelection(range.sheet->selection(), area_.first);
    } else {
        range.sheet->setSelection(area_, area_.first);
        host_.raise(FakeSpreadsheetHost::Event::SelectionChanged);
    }
}

void FakeRange::insertShiftDown() {
    const Target range = target("Range.insertShiftDown");
    if (!range.sheet->insertShiftDown(area_)) {
        throw SpreadsheetError("cells that are not empty would be pushed off the worksheet");
    }
    host_.raise(FakeSpreadsheetHost::Event::SheetChanged);
}

void FakeRange::format(std::string_view operation, const std::function<void(CellFormat&)>& change) {
    const Target range = target(operation);
    if (!(coversAllRows(area_) && coversAllColumns(area_))) {
        requireFakeSize(area_);
    }
    range.sheet->updateFormat(area_, change);
}

void FakeRange::setNumberFormatLocal(const Text& format) {
    this->format("Range.setNumberFormatLocal", [&](CellFormat& cell) { cell.numberFormat = format; });
}

void FakeRange::setHorizontalAlignment(HorizontalAlignment alignment) {
    format("Range.setHorizontalAlignment", [&](CellFormat& cell) { cell.horizontal = alignment; });
}

void FakeRange::setVerticalAlignment(VerticalAlignment alignment) {
    format("Range.setVerticalAlignment", [&](CellFormat& cell) { cell.vertical = alignment; });
}

void FakeRange::setWrapText(bool wrap) {
    format("Range.setWrapText", [&](CellFormat& cell) { cell.wrapText = wrap; });
}

void FakeRange::setFontName(const Text& name) {
    format("Range.setFontName", [&](CellFormat& cell) { cell.fontName = name; });
}

void FakeRange::setFontSize(double points) {
    if (!(points >= 1 && points <= kMaxRowHeight)) {
        target("Range.setFontSize");
        throw SpreadsheetError("a font size lies between 1 and 409 points");
    }
    format("Range.setFontSize", [&](CellFormat& cell) { cell.fontSize = points; });
}

double FakeRange::columnWidth() {
    return target("Range.columnWidth").sheet->columnWidth(area_.first.column);
}

void FakeRange::setColumnWidth(double characters) {
    const Target range = target("Range.setColumnWidth");
    if (!(characters >= 0 && characters <= kMaxColumnWidth)) {
        throw SpreadsheetError("a column width lies between 0 and 255 characters");
    }
    if (coversAllColumns(area_)) {
        range.sheet->setAllColumnWidths(characters);
        return;
    }
    for (int column = area_.first.column; column <= area_.last.column; ++column) {
        range.sheet->setColumnWidth(column, characters);
    }
}

double FakeRange::rowHeight() {
    return target("Range.rowHeight").sheet->rowHeight(area_.first.row);
}

void FakeRange::setRowHeight(double points) {
    const Target range = target("Range.setRowHeight");
    if (!(points >= 0 && points <= kMaxRowHeight)) {
        throw SpreadsheetError("a row height lies between 0 and 409 points");
    }
    if (coversAllRows(area_)) {
        range.sheet->setAllRowHeights(points);
        return;
    }
    for (int row = area_.first.row; row <= area_.last.row; ++row) {
        range.sheet->setRowHeight(row, points);
    }
}

bool FakeRange::entireRowHidden() {
    const Target range = target("Range.entireRowHidden");
    for (int row = area_.first.row; row <= area_.last.row; ++row) {
        if (!range.sheet->rowHidden(row)) {
            return false;
        }
    }
    return true;
}

void FakeRange::setEntireRowHidden(bool hidden) {
    const Target range = target("Range.setEntireRowHidden");
    for (int row = area_.first.row; row <= area_.last.row; ++row) {
        range.sheet->setRowHidden(row, hidden);
    }
}

} // namespace lumitag::platform
