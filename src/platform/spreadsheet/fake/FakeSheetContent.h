#pragma once

#include "platform/Text.h"
#include "platform/spreadsheet/CellAddress.h"
#include "platform/spreadsheet/Range.h"
#include "platform/spreadsheet/Worksheet.h"

#include <functional>
#include <map>
#include <set>
#include <utility>

namespace lumitag::platform {

// How one cell is formatted. The defaults are those of a new sheet.
struct CellFormat {
    Text numberFormat = U"G/標準";
    HorizontalAlignment horizontal = HorizontalAlignment::General;
    VerticalAlignment vertical = VerticalAlignment::Bottom;
    bool wrapText = false;
    Text fontName = U"ＭＳ Ｐゴシック";
    double fontSize = 11;

    friend bool operator==(const CellFormat&, const CellFormat&) = default;
};

// Everything one sheet of the fake spreadsheet holds: values as text, cell
// formats, column widths, row heights, hidden rows, page margins, the selection
// and the active cell. Tests read it to check what the program wrote and write
// it to set a sheet up; these accessors never fail and raise no events.
// Addresses given as text must be valid ("B12"): a bad one is a mistake in the
// test and throws std::invalid_argument.
class FakeSheetContent {
public:
    static constexpr double kStandardColumnWidth = 8.38;
    static constexpr double kStandardRowHeight = 13.5;

    explicit FakeSheetContent(Text name);

    const Text& name() const { return name_; }
    void setName(Text name) { name_ = std::move(name); }

    // Values; an empty text is an empty cell.
    Text value(CellRef cell) const;
    Text value(TextView address) const;
    void setValue(CellRef cell, Text value);
    void setValue(TextView address, Text value);
    // The non-empty cells.
    const std::map<CellRef, Text>& values() const { return values_; }
    // A cell holding a formula: the formula ("=A1&\"x\"") and the value it
    // shows. Writing a value into the cell replaces the formula; the fake
    // never recalculates.
    void setFormula(CellRef cell, Text formula, Text value);
    void setFormula(TextView address, Text formula, Text value);
    // The cell's formula, empty for a cell without one.
    Text formula(CellRef cell) const;
    Text formula(TextView address) const;

    CellFormat format(CellRef cell) const;
    CellFormat format(TextView address) const;
    // Changes the format of every cell of the area; the whole sheet at once
    // when the area is the whole sheet.
    void updateFormat(const CellArea& area, const std::function<void(CellFormat&)>& change);

    double columnWidth(int column) const;
    void setColumnWidth(int column, double characters);
    // Every column at once (the standard width of the sheet).
    void setAllColumnWidths(double characters);
    double rowHeight(int row) const;
    void setRowHeight(int row, double points);
    void setAllRowHeights(double points);
    bool rowHidden(int row) const;
    void setRowHidden(int row, bool hidden);
    const std::set<int>& hiddenRows() const { return hiddenRows_; }

    // Empty cells inserted over the area: values and formats of the area's
    // columns from its first row down move down by its row count. Row heights
    // and hidden rows stay, as they belong to the rows, not to the cells.
    // Returns false, changing nothing, when a non-empty cell would be pushed
    // off the bottom of the sheet.
    bool insertShiftDown(const CellArea& area);

    const PageMargins& pageMargins() const { return margins_; }
    void setPageMargins(const PageMargins& margins) { margins_ = margins; }

    const CellArea& selection() const { return selection_; }
    CellRef activeCell() const { return activeCell_; }
    // The selection and the active cell in it.
    void setSelection(const CellArea& selection, CellRef activeCell);

private:
    Text name_;
    std::map<CellRef, Text> values_;
    std::map<CellRef, Text> formulas_;
    CellFormat standardFormat_;
    std::map<CellRef, CellFormat> formats_;
    double standardColumnWidth_ = kStandardColumnWidth;
    std::map<int, double> columnWidths_;
    double standardRowHeight_ = kStandardRowHeight;
    std::map<int, double> rowHeights_;
    std::set<int> hiddenRows_;
    PageMargins margins_{50.4, 50.4, 54, 54}; // 0.7 and 0.75 inches
    CellArea selection_{};
    CellRef activeCell_{};
};

// The address of a cell for tests: throws std::invalid_argument when invalid.
CellRef requireCellAddress(TextView address);

} // namespace lumitag::platform
