#pragma once

#include "platform/Text.h"
#include "platform/spreadsheet/CellAddress.h"

#include <vector>

namespace lumitag::platform {

enum class HorizontalAlignment { General, Left, Center, Right };
enum class VerticalAlignment { Top, Center, Bottom };

// A rectangle of cells of one worksheet (the spreadsheet's Range object).
// Every operation except area() may throw SpreadsheetError; so may every
// operation on a range whose workbook has been closed.
class Range {
public:
    virtual ~Range() = default;

    // The cells this range covers. Never fails.
    virtual CellArea area() const = 0;

    // Value of the top-left cell as text; an empty cell reads as empty text.
    virtual Text value() = 0;
    // Writes the text into every cell of the range; empty text empties them.
    virtual void setValue(const Text& value) = 0;
    // Every cell's value, rows × columns, each read exactly as value() reads
    // that cell: one call for a whole block instead of one per cell.
    virtual std::vector<std::vector<Text>> values() = 0;
    // Every cell's formula, rows × columns, in one call: the formula as the
    // spreadsheet shows it in its input line ("=A1&B1") for a cell that
    // holds one, empty text for every other cell.
    virtual std::vector<std::vector<Text>> formulas() = 0;
    // Stores each text in its cell as text, rows × columns matching the
    // range, in one call: nothing is taken as a number, a date or a formula
    // ("1-2" and "=1" stay those characters); an empty text empties the cell.
    virtual void setTexts(const std::vector<std::vector<Text>>& texts) = 0;
    // Writes a block in one call: values[r][c] into the range's cell at row r,
    // column c; values must have the range's row and column count
    // (std::invalid_argument otherwise). A text that is a plain decimal number
    // ("12", "-3", "1.50") becomes a number, except in cells formatted as text
    // ("@"), where it stays text; every other text is stored as it is, never
    // read as a formula or a date. Empty text empties the cell.
    virtual void setValues(const std::vector<std::vector<Text>>& values) = 0;
    // Writes rows[i] into the range's row 1 + step × i, each cell as
    // setValues() writes it, all in one call. The step − 1 rows between two
    // lines keep what they hold, formulas included: they are neither read nor
    // written. The range runs from the first line's row to the last's, so it
    // has (rows.size() − 1) × step + 1 rows; each line has the range's column
    // count and step is at least 1 (std::invalid_argument otherwise). A
    // failure part-way may leave the lines before it written.
    virtual void setValuesEvery(int step, const std::vector<std::vector<Text>>& rows) = 0;

    // Selects the range; its top-left cell becomes the active cell. Fails when
    // the range's sheet is not the active sheet of the active workbook.
    virtual void select() = 0;
    // Makes the top-left cell the active cell. Inside the current selection
    // the selection stays; elsewhere the range becomes the selection. Fails
    // like select().
    virtual void activate() = 0;

    // Inserts empty cells over the range, shifting the cells below it within
    // the range's columns down by the range's row count (xlShiftDown).
    virtual void insertShiftDown() = 0;

    // Number format in the spreadsheet's local syntax; "@" is text.
    virtual void setNumberFormatLocal(const Text& format) = 0;
    virtual void setHorizontalAlignment(HorizontalAlignment alignment) = 0;
    virtual void setVerticalAlignment(VerticalAlignment alignment) = 0;
    virtual void setWrapText(bool wrap) = 0;
    virtual void setFontName(const Text& name) = 0;
    virtual void setFontSize(double points) = 0;

    // Width of the first column in characters of the standard font; setting
    // changes every column of the range.
    virtual double columnWidth() = 0;
    virtual void setColumnWidth(double characters) = 0;
    // Height of the first row in points; setting changes every row of the range.
    virtual double rowHeight() = 0;
    virtual void setRowHeight(double points) = 0;

    // EntireRow.Hidden: true when every row of the range is hidden; setting
    // hides or shows all of them.
    virtual bool entireRowHidden() = 0;
    virtual void setEntireRowHidden(bool hidden) = 0;
};

// The checks of Range::setValues() and Range::setValuesEvery(): the block,
// or the lines and their step, must fit the range's area exactly
// (std::invalid_argument naming the operation otherwise).
void requireBlockFits(const CellArea& area, const std::vector<std::vector<Text>>& values);
void requireLinesFitEvery(const CellArea& area, int step, const std::vector<std::vector<Text>>& rows);

} // namespace lumitag::platform
