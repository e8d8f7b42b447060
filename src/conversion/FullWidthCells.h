#pragma once

#include "conversion/ConversionSettings.h"
#include "conversion/ConversionState.h"
#include "platform/Text.h"
#include "platform/spreadsheet/Worksheet.h"

#include <optional>
#include <vector>

namespace lumitag::conversion {

// The result box entry of a full-width remark: it names no cell.
inline constexpr TextView RemarkEntry = U"備考欄";

enum class FullWidthOutcome {
    Done,
    MissingInput, // column 1, the start row or the end row is not remembered
    HostFailed,   // the spreadsheet failed part-way (see each function)
};

// Column 1, the start row and the end row are remembered: the least the
// tools need.
bool hasScanRanges(const FullWidthScanRanges& ranges);

struct FullWidthSearch {
    FullWidthOutcome outcome = FullWidthOutcome::Done;
    // The addresses of the cells holding full-width text ("B12"), column by
    // column and row by row, then RemarkEntry for a full-width remark.
    std::vector<Text> entries;

    bool found() const { return !entries.empty(); }
};

// 全角検索 of one setting: the cells of its remembered ranges that hold
// full-width text, hidden rows skipped. The parts scanned follow the work
// mode: 一列のみ連続 column 1; 複数列を連続 columns 1 to 4 as given;
// 複数列を一行 columns 1 and 2, then the remembered column 3 text itself as a
// remark (its cells are never read); 線番・記銘板等 column 1, the count column
// and the sequence column. The hidden rows take one query, each column one
// read per stretch of visible rows. After a failure the entries are those
// found before it.
FullWidthSearch FindFullWidthCells(platform::Worksheet& sheet, WorkMode mode,
                                   const FullWidthScanRanges& ranges);

struct HalfWidthConversion {
    FullWidthOutcome outcome = FullWidthOutcome::Done;
    // Cells rewritten with their half-width text.
    int changedCells = 0;
    // 複数列を一行: the remark in half-width form when that changed it; the
    // window puts it into the setting's column 3 box, and `ranges` already
    // remembers it.
    std::optional<Text> remark;
};

// 半角変換 of one setting's cells in the sheet: the same parts as the search,
// each cell mapped with the half-width mapping. Only cells the mapping
// changes are written, as text (the mapped "１－２" must not become a date),
// in one write per run of adjacent changed cells. Formula cells are never
// written, so a formula is never replaced by its value. Everything is read
// before the first write: a failure while reading changes nothing; a failure
// while writing leaves the cells written before it (converting again
// finishes the job) and the remark as it was.
HalfWidthConversion ConvertSheetToHalfWidth(platform::Worksheet& sheet, WorkMode mode,
                                            FullWidthScanRanges& ranges);

// Where the setting's lines of the latest conversion lie in the result
// buffer, and so in the marking list (buffer line i is list row i + 1), as
// far as the buffer still holds them (追加取消 may have dropped them).
LineSpan settingLinesInBuffer(const ConversionState& state, int settingIndex);

// Maps the marking text, count and number of the setting's buffer lines to
// their half-width forms; returns the lines it touched.
LineSpan ConvertSettingLinesToHalfWidth(ConversionState& state, int settingIndex);

} // namespace lumitag::conversion
