#include "platform/spreadsheet/fake/FakeSheetContent.h"

#include "platform/Encoding.h"

#include <stdexcept>
#include <utility>
#include <vector>

namespace lumitag::platform {

namespace {

constexpr CellArea kWholeSheet{{1, 1}, {kMaxRow, kMaxColumn}};

} // namespace

CellRef requireCellAddress(TextView address) {
    const std::optional<CellRef> cell = parseCellAddress(address);
    if (!cell) {
        throw std::invalid_argument("not a cell address: " + toUtf8(address));
    }
    return *cell;
}

FakeSheetContent::FakeSheetContent(Text name) : name_(std::move(name)) {}

Text FakeSheetContent::value(CellRef cell) const {
    const auto found = values_.find(cell);
    return found == values_.end() ? Text{} : found->second;
}

Text FakeSheetContent::value(TextView address) const {
    return value(requireCellAddress(address));
}

void FakeSheetContent::setValue(CellRef cell, Text value) {
    formulas_.erase(cell);
    if (value.empty()) {
        values_.erase(cell);
    } else {
        values_[cell] = std::move(value);
    }
}

void FakeSheetContent::setValue(TextView address, Text value) {
    setValue(requireCellAddress(address), std::move(value));
}

void FakeSheetContent::setFormula(CellRef cell, Text formula, Text value) {
    setValue(cell, std::move(value));
    if (!formula.empty()) {
        formulas_[cell] = std::move(formula);
    }
}

void FakeSheetContent::setFormula(TextView address, Text formula, Text value) {
    setFormula(requireCellAddress(address), std::move(formula), std::move(value));
}

Text FakeSheetContent::formula(CellRef cell) const {
    const auto found = formulas_.find(cell);
    return found == formulas_.end() ? Text{} : found->second;
}

Text FakeSheetContent::formula(TextView address) const {
    return formula(requireCellAddress(address));
}

CellFormat FakeSheetContent::format(CellRef cell) const {
    const auto found = formats_.find(cell);
    return found == formats_.end() ? standardFormat_ : found->second;
}

CellFormat FakeSheetContent::format(TextView address) const {
    return format(requireCellAddress(address));
}

void FakeSheetContent::updateFormat(const CellArea& area, const std::function<void(CellFormat&)>& change) {
    if (area == kWholeSheet) {
        change(standardFormat_);
        for (auto& [cell, format] : formats_) {
            change(format);
        }
        return;
    }
    for (int row = area.first.row; row <= area.last.row; ++row) {
        for (int column = area.first.column; column <= area.last.column; ++column) {
            CellFormat format = this->format({row, column});
            change(format);
            formats_[{row, column}] = std::move(format);
        }
    }
}

double FakeSheetContent::columnWidth(int column) const {
    const auto found = columnWidths_.find(column);
    return found == columnWidths_.end() ? standardColumnWidth_ : found->second;
}

void FakeSheetContent::setColumnWidth(int column, double characters) {
    columnWidths_[column] = characters;
}

void FakeSheetContent::setAllColumnWidths(double characters) {
    standardColumnWidth_ = characters;
    columnWidths_.clear();
}

double FakeSheetContent::rowHeight(int row) const {
    const auto found = rowHeights_.find(row);
    return found == rowHeights_.end() ? standardRowHeight_ : found->second;
}

void FakeSheetContent::setRowHeight(int row, double points) {
    rowHeights_[row] = points;
}

void FakeSheetContent::setAllRowHeights(double points) {
    standardRowHeight_ = points;
    rowHeights_.clear();
}

bool FakeSheetContent::rowHidden(int row) const {
    return hiddenRows_.contains(row);
}

void FakeSheetContent::setRowHidden(int row, bool hidden) {
    if (hidden) {
        hiddenRows_.insert(row);
    } else {
        hiddenRows_.erase(row);
    }
}

namespace {

// Moves the entries of the area's columns at or below its first row down by its
// row count; entries pushed off the sheet are dropped.
template <typename Value> void shiftDown(std::map<CellRef, Value>& cells, const CellArea& area) {
    const int shift = area.rowCount();
    std::vector<std::pair<CellRef, Value>> moved;
    for (auto it = cells.begin(); it != cells.end();) {
        const CellRef cell = it->first;
        if (cell.row >= area.first.row && cell.column >= area.first.column &&
            cell.column <= area.last.column) {
            moved.emplace_back(CellRef{cell.row + shift, cell.column}, std::move(it->second));
            it = cells.erase(it);
        } else {
            ++it;
        }
    }
    for (auto& [cell, value] : moved) {
        if (cell.row <= kMaxRow) {
            cells.emplace(cell, std::move(value));
        }
    }
}

} // namespace

bool FakeSheetContent::insertShiftDown(const CellArea& area) {
    const auto pushedOff = [&](const CellRef& cell) {
        return cell.column >= area.first.column && cell.column <= area.last.column &&
               cell.row + area.rowCount() > kMaxRow && cell.row >= area.first.row;
    };
    for (const auto& [cell, value] : values_) {
        if (pushedOff(cell)) {
            return false;
        }
    }
    for (const auto& [cell, formula] : formulas_) {
        if (pushedOff(cell)) {
            return false;
        }
    }
    shiftDown(values_, area);
    shiftDown(formulas_, area);
    shiftDown(formats_, area);
    return true;
}

void FakeSheetContent::setSelection(const CellArea& selection, CellRef activeCell) {
    selection_ = selection;
    activeCell_ = activeCell;
}

} // namespace lumitag::platform
