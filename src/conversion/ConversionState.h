#pragma once

#include "platform/Text.h"

#include <array>
#include <vector>

namespace lumitag::conversion {

// The marking lines a conversion can hold: the marking list's size.
inline constexpr int kMaxResultLines = 1000;

// One produced marking line: what goes into columns 1 to 3 of a list row.
struct ResultLine {
    Text text;   // marking text
    Text count;  // count
    Text number; // numbering end value: empty except 線番・記銘板等 with a sequence column

    // The line as the result buffer holds it: the three fields joined by TAB.
    Text joined() const { return text + U'\t' + count + U'\t' + number; }

    friend bool operator==(const ResultLine&, const ResultLine&) = default;
};

// What a setting that produced full-width text remembers for the full-width
// search and the half-width conversion of its panel: columns as letters, rows
// as typed; a part the setting does not use stays empty.
struct FullWidthScanRanges {
    Text column1;
    Text column2;
    Text column3; // in 複数列を一行 the column 3 box's text, also a remark
    Text column4;
    Text startRow;
    Text endRow;
    Text countColumn;
    Text sequenceColumn;

    friend bool operator==(const FullWidthScanRanges&, const FullWidthScanRanges&) = default;
};

// Buffer lines [first, first + count) that one setting produced.
struct LineSpan {
    int first = 0;
    int count = 0;

    friend bool operator==(const LineSpan&, const LineSpan&) = default;
};

// What the blue window keeps between conversions.
struct ConversionState {
    // The result buffer: every line produced since the last new conversion,
    // in production order; the marking list is rebuilt from it.
    std::vector<ResultLine> buffer;
    // The number of lines before the last add conversion (追加取消 goes back to it).
    int addUndoMark = 0;
    // Per setting: a line it produced holds full-width text.
    std::array<bool, 3> settingFullWidth{};
    // Per setting, remembered when a conversion finished and the setting's
    // flag is set; empty otherwise.
    std::array<FullWidthScanRanges, 3> scanRanges{};
    // Any setting's flag was set when the latest conversion finished; cleared
    // by a new conversion. The list then needs the Windows-font header.
    bool resultFullWidth = false;
    // Per setting, where its lines of the latest conversion lie in the buffer.
    std::array<LineSpan, 3> settingLines{};

    int resultLineCount() const { return static_cast<int>(buffer.size()); }

    friend bool operator==(const ConversionState&, const ConversionState&) = default;
};

// 追加取消: drops the lines the last add conversion appended.
void UndoLastAdd(ConversionState& state);

} // namespace lumitag::conversion
