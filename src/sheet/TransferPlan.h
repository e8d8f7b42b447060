#pragma once

#include "platform/Text.h"
#include "platform/spreadsheet/CellAddress.h"

#include <optional>
#include <vector>

namespace lumitag::sheet {

// The order the lines go into the sheet: as the list has them, or from the
// last line to the first (逆順で転送する).
enum class TransferOrder { ListOrder, Reverse };

// Worksheet rows from one line to the next: 連続 1, 1行置 2, 2行置 3, 3行置 4.
enum class TransferSpacing { Continuous = 1, EverySecondRow = 2, EveryThirdRow = 3, EveryFourthRow = 4 };

// What the transfer writes and formats, worked out from the list alone.
struct TransferPlan {
    // Some line holds text in a content column other than the marking text.
    bool countsPresent = false;
    // Every cell the transfer covers: from the target cell over the block
    // columns down to the row before nextRow.
    platform::CellArea block;
    // Rows from one line to the next.
    int step = 1;
    // The block columns of each line in transfer order; line i goes to row
    // block.first.row + step × i.
    std::vector<std::vector<Text>> lines;
    // The largest number of characters of a marking text.
    int longestText = 0;
    // The row a following transfer starts at.
    int nextRow = 1;

    int lastColumn() const { return block.last.column; }
    int targetColumn() const { return block.first.column; }
    int rowOfLine(std::size_t line) const { return block.first.row + step * static_cast<int>(line); }
};

// Plans the transfer of `lines` (each line its content columns, the marking
// text first; at least one line) to the cell `target`. With counts present
// the block has one column per content column, otherwise the target column
// alone.
TransferPlan planTransfer(const std::vector<std::vector<Text>>& lines, platform::CellRef target,
                          TransferSpacing spacing, TransferOrder order);

// The target column a column box text names: column letters "A" to "CV" or a
// column number 1 to 100. Nothing for anything else.
std::optional<int> transferColumn(TextView columnBox);
// The first row a row box text names: a number from 1 to the sheet's last row.
std::optional<int> transferRow(TextView rowBox);

// The target column's width after the transfer with cell width linking, or
// nothing when it stays: with numbering brackets in the list the column takes
// the longest text when that exceeds the width; otherwise the longest text
// plus 2 when that leaves less than 2 characters of room.
std::optional<double> linkedColumnWidth(int longestText, double width, bool numberingPresent);

// Width of the count columns with cell width linking.
inline constexpr double LinkedCountColumnWidth = 6;

} // namespace lumitag::sheet
