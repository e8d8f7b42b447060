#include "batch/DelimitedSheet.h"

#include "platform/spreadsheet/SpreadsheetError.h"

namespace lumitag::batch {

namespace {

using platform::CellArea;
using platform::CellRef;
using platform::SpreadsheetError;

[[noreturn]] void refuseChange() {
    throw SpreadsheetError("a text file is read, never changed");
}

bool onSheet(CellRef cell) {
    return cell.row >= 1 && cell.row <= platform::kMaxRow && cell.column >= 1 &&
           cell.column <= platform::kMaxColumn;
}

// A rectangle of a DelimitedSheet; it keeps its sheet alive.
class DelimitedRange final : public platform::Range {
public:
    DelimitedRange(std::shared_ptr<const DelimitedSheet> sheet, CellArea area)
        : sheet_(std::move(sheet)), area_(area) {}

    CellArea area() const override { return area_; }
    Text value() override { return sheet_->at(area_.first.row, area_.first.column); }
    std::vector<std::vector<Text>> values() override {
        std::vector<std::vector<Text>> cells(static_cast<std::size_t>(area_.rowCount()));
        for (int r = 0; r < area_.rowCount(); ++r) {
            auto& row = cells[static_cast<std::size_t>(r)];
            row.reserve(static_cast<std::size_t>(area_.columnCount()));
            for (int c = 0; c < area_.columnCount(); ++c) {
                row.push_back(sheet_->at(area_.first.row + r, area_.first.column + c));
            }
        }
        return cells;
    }
    // A delimited file's cells are taken literally: none holds a formula.
    std::vector<std::vector<Text>> formulas() override {
        return std::vector<std::vector<Text>>(
            static_cast<std::size_t>(area_.rowCount()),
            std::vector<Text>(static_cast<std::size_t>(area_.columnCount())));
    }
    void setValue(const Text&) override { refuseChange(); }
    void setTexts(const std::vector<std::vector<Text>>&) override { refuseChange(); }
    void setValues(const std::vector<std::vector<Text>>&) override { refuseChange(); }
    void setValuesEvery(int, const std::vector<std::vector<Text>>&) override { refuseChange(); }
    void select() override { refuseChange(); }
    void activate() override { refuseChange(); }
    void insertShiftDown() override { refuseChange(); }
    void setNumberFormatLocal(const Text&) override { refuseChange(); }
    void setHorizontalAlignment(platform::HorizontalAlignment) override { refuseChange(); }
    void setVerticalAlignment(platform::VerticalAlignment) override { refuseChange(); }
    void setWrapText(bool) override { refuseChange(); }
    void setFontName(const Text&) override { refuseChange(); }
    void setFontSize(double) override { refuseChange(); }
    double columnWidth() override { refuseChange(); }
    void setColumnWidth(double) override { refuseChange(); }
    double rowHeight() override { refuseChange(); }
    void setRowHeight(double) override { refuseChange(); }
    bool entireRowHidden() override { return false; }
    void setEntireRowHidden(bool) override { refuseChange(); }

private:
    std::shared_ptr<const DelimitedSheet> sheet_;
    CellArea area_;
};

} // namespace

DelimitedSheet::DelimitedSheet(Text name, std::vector<std::vector<Text>> rows)
    : name_(std::move(name)), rows_(std::move(rows)) {}

const Text& DelimitedSheet::at(int row, int column) const {
    static const Text empty;
    if (row < 1 || column < 1 || row > rowCount()) {
        return empty;
    }
    const std::vector<Text>& fields = rows_[static_cast<std::size_t>(row - 1)];
    return static_cast<std::size_t>(column) <= fields.size() ? fields[static_cast<std::size_t>(column - 1)]
                                                             : empty;
}

void DelimitedSheet::setName(const Text&) {
    refuseChange();
}

std::shared_ptr<platform::Range> DelimitedSheet::cell(int row, int column) {
    return range(CellRef{row, column}, CellRef{row, column});
}

std::shared_ptr<platform::Range> DelimitedSheet::allCells() {
    return range(CellRef{1, 1}, CellRef{platform::kMaxRow, platform::kMaxColumn});
}

std::shared_ptr<platform::Range> DelimitedSheet::range(TextView first, TextView last) {
    const std::optional<CellRef> a = platform::parseCellAddress(first);
    const std::optional<CellRef> b = platform::parseCellAddress(last);
    if (!a || !b) {
        throw SpreadsheetError("not a cell address");
    }
    return range(*a, *b);
}

std::shared_ptr<platform::Range> DelimitedSheet::range(CellRef first, CellRef last) {
    if (!onSheet(first) || !onSheet(last)) {
        throw SpreadsheetError("a cell off the worksheet");
    }
    return std::make_shared<DelimitedRange>(shared_from_this(), platform::areaBetween(first, last));
}

bool DelimitedSheet::rowHidden(int row) {
    if (row < 1 || row > platform::kMaxRow) {
        throw SpreadsheetError("a row off the worksheet");
    }
    return false;
}

void DelimitedSheet::setRowHidden(int, bool) {
    refuseChange();
}

std::vector<platform::RowSpan> DelimitedSheet::hiddenRows(int firstRow, int lastRow) {
    if (lastRow < firstRow) {
        return {};
    }
    if (firstRow < 1 || lastRow > platform::kMaxRow) {
        throw SpreadsheetError("a row off the worksheet");
    }
    return {};
}

void DelimitedSheet::paste(const platform::Range&) {
    refuseChange();
}

void DelimitedSheet::setPageMargins(const platform::PageMargins&) {
    refuseChange();
}

} // namespace lumitag::batch
