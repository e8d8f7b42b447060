#pragma once

#include "platform/Text.h"

#include <compare>
#include <optional>

namespace lumitag::platform {

// The columns the program addresses by letters: 1 "A" to 100 "CV".
inline constexpr int kLastProgramColumn = 100;
// The size of a worksheet: columns "A" to "XFD", rows 1 to 1048576. Cells right
// of column CV still exist (a transfer's count columns may reach them).
inline constexpr int kMaxColumn = 16384;
inline constexpr int kMaxRow = 1048576;

// One cell: row and column both count from 1.
struct CellRef {
    int row = 1;
    int column = 1;

    friend auto operator<=>(const CellRef&, const CellRef&) = default;
};

// A rectangle of cells from its top-left to its bottom-right cell, both included.
struct CellArea {
    CellRef first;
    CellRef last;

    int rowCount() const { return last.row - first.row + 1; }
    int columnCount() const { return last.column - first.column + 1; }
    bool contains(CellRef cell) const {
        return cell.row >= first.row && cell.row <= last.row && cell.column >= first.column &&
               cell.column <= last.column;
    }
    friend bool operator==(const CellArea&, const CellArea&) = default;
};

// The area spanned by two corner cells given in any order.
CellArea areaBetween(CellRef a, CellRef b);

// Letters of a column: 1 "A", 26 "Z", 27 "AA", 100 "CV", 16384 "XFD"; nothing
// outside 1 to kMaxColumn.
std::optional<Text> columnLetters(int column);

// The column of letters "A" to "XFD" in either case; nothing for an empty text,
// any other character or a column beyond kMaxColumn.
std::optional<int> columnNumber(TextView letters);

// The same two conversions held to the program's columns 1 to 100 ("A" to "CV").
std::optional<Text> programColumnLetters(int column);
std::optional<int> programColumnNumber(TextView letters);

// "B12" for row 12, column 2. The cell must lie on the worksheet.
Text cellAddress(CellRef cell);

// The cell of an address: column letters (either case) followed by the row
// number without leading zeros, on the worksheet ("B12", "cv1", "XFD1048576").
// Nothing for anything else ("", "B", "12", "B0", "B012", "$B$12", "B 12").
std::optional<CellRef> parseCellAddress(TextView address);

} // namespace lumitag::platform
