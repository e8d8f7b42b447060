#include "conversion/FullWidthCells.h"

#include "conversion/BoxNumbers.h"
#include "conversion/ColumnAddress.h"
#include "marking/FullWidth.h"
#include "platform/HalfWidth.h"
#include "platform/spreadsheet/CellAddress.h"
#include "platform/spreadsheet/SpreadsheetError.h"

#include <algorithm>

namespace lumitag::conversion {

namespace {

// A range of a whole sheet is read in pieces of this many rows, so that no
// single read holds more than a bounded block in memory.
constexpr int kRowsPerRead = 4096;

struct ScannedColumn {
    int column = 0;
    Text letters;
};

// What the tools scan of a setting: the columns, and in 複数列を一行 the
// remark text.
struct ScannedParts {
    std::vector<ScannedColumn> columns;
    Text remark;
};

ScannedParts scannedParts(WorkMode mode, const FullWidthScanRanges& ranges) {
    ScannedParts parts;
    const auto add = [&](const Text& text) {
        if (text.empty()) {
            return;
        }
        const ResolvedColumn resolved = resolveColumn(text);
        if (resolved.kind == ResolvedColumn::Kind::Column) {
            parts.columns.push_back({resolved.column, resolved.letters});
        }
    };
    add(ranges.column1);
    switch (mode) {
    case WorkMode::SingleColumn:
        break;
    case WorkMode::ColumnsInTurn:
        add(ranges.column2);
        add(ranges.column3);
        add(ranges.column4);
        break;
    case WorkMode::ColumnsOnOneLine:
        add(ranges.column2);
        parts.remark = ranges.column3;
        break;
    case WorkMode::WireNumbers:
        add(ranges.countColumn);
        add(ranges.sequenceColumn);
        break;
    }
    return parts;
}

// The stretches of rows from the start row to the end row that are not
// hidden, in pieces of at most kRowsPerRead rows; one host call.
std::vector<platform::RowSpan> visibleStretches(platform::Worksheet& sheet,
                                                const FullWidthScanRanges& ranges) {
    const std::optional<int> start = boxInteger(ranges.startRow);
    const std::optional<int> end = boxInteger(ranges.endRow);
    std::vector<platform::RowSpan> stretches;
    if (!start || !end) {
        return stretches;
    }
    const int first = std::max(*start, 1);
    const int last = std::min(*end, platform::kMaxRow);
    if (last < first) {
        return stretches;
    }
    const auto addVisible = [&](int from, int to) {
        for (int row = from; row <= to; row += kRowsPerRead) {
            stretches.push_back({row, std::min(to, row + kRowsPerRead - 1)});
        }
    };
    int next = first;
    for (const platform::RowSpan& hidden : sheet.hiddenRows(first, last)) {
        addVisible(next, hidden.first - 1);
        next = hidden.last + 1;
    }
    addVisible(next, last);
    return stretches;
}

// One column's cells over one stretch of rows, top to bottom, as one read
// of the range (its values or its formulas).
template <typename Read>
std::vector<Text> readColumn(platform::Worksheet& sheet, int column, const platform::RowSpan& rows,
                             Read read) {
    const std::vector<std::vector<Text>> block =
        read(*sheet.range(platform::CellRef{rows.first, column}, platform::CellRef{rows.last, column}));
    std::vector<Text> cells;
    cells.reserve(block.size());
    for (const std::vector<Text>& row : block) {
        cells.push_back(row.empty() ? Text() : row.front());
    }
    return cells;
}

std::vector<Text> readValues(platform::Worksheet& sheet, int column, const platform::RowSpan& rows) {
    return readColumn(sheet, column, rows, [](platform::Range& range) { return range.values(); });
}

std::vector<Text> readFormulas(platform::Worksheet& sheet, int column, const platform::RowSpan& rows) {
    return readColumn(sheet, column, rows, [](platform::Range& range) { return range.formulas(); });
}

Text addressOf(const ScannedColumn& column, int row) {
    const std::string number = std::to_string(row);
    return column.letters + Text(number.begin(), number.end());
}

// A run of adjacent cells of one column to be rewritten.
struct PendingWrite {
    int column = 0;
    int firstRow = 0;
    std::vector<Text> texts;
};

} // namespace

bool hasScanRanges(const FullWidthScanRanges& ranges) {
    return !ranges.column1.empty() && !ranges.startRow.empty() && !ranges.endRow.empty();
}

FullWidthSearch FindFullWidthCells(platform::Worksheet& sheet, WorkMode mode,
                                   const FullWidthScanRanges& ranges) {
    FullWidthSearch search;
    if (!hasScanRanges(ranges)) {
        search.outcome = FullWidthOutcome::MissingInput;
        return search;
    }
    const ScannedParts parts = scannedParts(mode, ranges);
    try {
        const std::vector<platform::RowSpan> stretches = visibleStretches(sheet, ranges);
        for (const ScannedColumn& column : parts.columns) {
            for (const platform::RowSpan& rows : stretches) {
                const std::vector<Text> cells = readValues(sheet, column.column, rows);
                for (std::size_t i = 0; i < cells.size(); ++i) {
                    if (!cells[i].empty() && marking::isFullWidth(cells[i])) {
                        search.entries.push_back(addressOf(column, rows.first + static_cast<int>(i)));
                    }
                }
            }
        }
    } catch (const platform::SpreadsheetError&) {
        search.outcome = FullWidthOutcome::HostFailed;
    }
    // The remark is the program's own text: it is judged even when the
    // spreadsheet failed.
    if (!parts.remark.empty() && marking::isFullWidth(parts.remark)) {
        search.entries.emplace_back(RemarkEntry);
    }
    return search;
}

HalfWidthConversion ConvertSheetToHalfWidth(platform::Worksheet& sheet, WorkMode mode,
                                            FullWidthScanRanges& ranges) {
    HalfWidthConversion conversion;
    if (!hasScanRanges(ranges)) {
        conversion.outcome = FullWidthOutcome::MissingInput;
        return conversion;
    }
    const ScannedParts parts = scannedParts(mode, ranges);
    std::vector<PendingWrite> writes;
    try {
        const std::vector<platform::RowSpan> stretches = visibleStretches(sheet, ranges);
        for (const ScannedColumn& column : parts.columns) {
            for (const platform::RowSpan& rows : stretches) {
                const std::vector<Text> cells = readValues(sheet, column.column, rows);
                std::vector<Text> formulas;
                bool pendingRun = false;
                for (std::size_t i = 0; i < cells.size(); ++i) {
                    const Text mapped = platform::toHalfWidth(cells[i]);
                    if (mapped == cells[i]) {
                        pendingRun = false;
                        continue;
                    }
                    // Formulas are asked for only where a cell would change.
                    if (formulas.empty()) {
                        formulas = readFormulas(sheet, column.column, rows);
                    }
                    if (i < formulas.size() && !formulas[i].empty()) {
                        pendingRun = false;
                        continue;
                    }
                    const int row = rows.first + static_cast<int>(i);
                    if (!pendingRun) {
                        writes.push_back({column.column, row, {}});
                        pendingRun = true;
                    }
                    writes.back().texts.push_back(mapped);
                }
            }
        }
    } catch (const platform::SpreadsheetError&) {
        conversion.outcome = FullWidthOutcome::HostFailed;
        return conversion;
    }

    try {
        for (const PendingWrite& write : writes) {
            const int lastRow = write.firstRow + static_cast<int>(write.texts.size()) - 1;
            std::vector<std::vector<Text>> texts;
            texts.reserve(write.texts.size());
            for (const Text& text : write.texts) {
                texts.push_back({text});
            }
            sheet
                .range(platform::CellRef{write.firstRow, write.column},
                       platform::CellRef{lastRow, write.column})
                ->setTexts(texts);
            conversion.changedCells += static_cast<int>(write.texts.size());
        }
    } catch (const platform::SpreadsheetError&) {
        conversion.outcome = FullWidthOutcome::HostFailed;
        return conversion;
    }

    if (!parts.remark.empty()) {
        Text mapped = platform::toHalfWidth(parts.remark);
        if (mapped != parts.remark) {
            ranges.column3 = mapped;
            conversion.remark = std::move(mapped);
        }
    }
    return conversion;
}

LineSpan settingLinesInBuffer(const ConversionState& state, int settingIndex) {
    if (settingIndex < 0 || settingIndex >= static_cast<int>(state.settingLines.size())) {
        return {};
    }
    const LineSpan& lines = state.settingLines[static_cast<std::size_t>(settingIndex)];
    const int first = std::clamp(lines.first, 0, state.resultLineCount());
    const int last = std::clamp(lines.first + std::max(lines.count, 0), first, state.resultLineCount());
    return {first, last - first};
}

LineSpan ConvertSettingLinesToHalfWidth(ConversionState& state, int settingIndex) {
    const LineSpan lines = settingLinesInBuffer(state, settingIndex);
    for (int i = lines.first; i < lines.first + lines.count; ++i) {
        ResultLine& line = state.buffer[static_cast<std::size_t>(i)];
        line.text = platform::toHalfWidth(line.text);
        line.count = platform::toHalfWidth(line.count);
        line.number = platform::toHalfWidth(line.number);
    }
    return lines;
}

} // namespace lumitag::conversion
