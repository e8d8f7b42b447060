#pragma once

#include "platform/Text.h"

namespace lumitag::sheet {

// The work modes of a blue-window setting, by their item index.
namespace workMode {
inline constexpr int OneColumn = 0;         // 一列のみ連続
inline constexpr int ColumnsInSequence = 1; // 複数列を連続
inline constexpr int ColumnsInOneLine = 2;  // 複数列を一行
inline constexpr int WireNumbers = 3;       // 線番・記銘板等
} // namespace workMode

// What the spreadsheet tells about the user's selection: the active cell's
// column, the first row and row count of the selected block, and how many of
// its rows are not hidden.
struct SheetSelection {
    int activeColumn = 1;
    int firstRow = 1;
    int rowCount = 1;
    int visibleRowCount = 1;
};

// The texts a setting takes from a selection.
struct SettingFillTexts {
    Text startColumn;      // the active cell's column letters
    Text startRow;         // the block's first row
    Text endRow;           // the block's last row
    Text nextColumn;       // the column after the start column (the count column of 線番・記銘板等)
    Text rowCountLabel;    // the visible rows followed by "行"
    Text outputCountLabel; // twice the visible rows, one more with a head remark, followed by "個"
};

SettingFillTexts settingFillTexts(const SheetSelection& selection, bool hasHeadRemark);

} // namespace lumitag::sheet
