#pragma once

#include "platform/Text.h"

#include <array>

namespace lumitag::conversion {

// The work mode of a setting: the index of its ワークモード group.
enum class WorkMode {
    SingleColumn = 0,     // 一列のみ連続: one line per row from column 1
    ColumnsInTurn = 1,    // 複数列を連続: one line per cell, row by row
    ColumnsOnOneLine = 2, // 複数列を一行: the cells of a row joined with ","
    WireNumbers = 3,      // 線番・記銘板等: count and numbering read from columns
};

// One replacement pair's boxes, as typed.
struct Replacement {
    Text target;     // 置換前文字(列)
    Text occurrence; // 対象文字(列)が複数時 … 番目, empty for none
    Text text;       // 置換文字(列)
};

// One settings panel of the blue window, its boxes as typed and its ticks.
struct ConversionSetting {
    WorkMode workMode = WorkMode::WireNumbers;
    // Column 1 to 4 boxes: letters or a number. Column 3 and 4 hold a remark
    // text instead when their remark tick is ticked (複数列を一行 only).
    std::array<Text, 4> columns;
    Text startRow;
    Text endRow;
    // A count in the first three modes, the count column in 線番・記銘板等.
    Text count;
    // 連番列: 線番・記銘板等 only; may be empty.
    Text sequenceColumn;
    bool column3IsRemark = false;
    bool column4IsRemark = false;
    // 文字(列)の置換をする and its two pairs; the second is used when both its
    // target and its replacement are filled.
    bool replaces = false;
    Replacement first;
    Replacement second;
};

// Everything the blue window hands the conversion.
struct ConversionSettings {
    std::array<ConversionSetting, 3> settings;
    bool useSetting2 = false; // 設定２を使用
    bool useSetting3 = false; // 設定３を使用 (only with setting 2)
    // EPLAN: setting 1 in 複数列を一行 gives the source columns and setting 2's
    // column boxes the target columns of the same rows; settings 2 and 3 do
    // not run on their own.
    bool eplan = false;
    Text headRemark; // 打出先頭備考欄
    // Entry 8 of the window's filled condition header, "WorkMode=" and the
    // selected table's value: empty wire numbers become a space for 2 and 3.
    Text headerWorkMode;
};

} // namespace lumitag::conversion
