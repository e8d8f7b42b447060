#include "conversion/BlockReading.h"

#include <algorithm>

namespace lumitag::conversion {

namespace {

// Hidden rows between two visible stretches up to this many are read with
// them, so that a few hidden rows do not split a block; longer gaps are
// skipped.
constexpr int kHiddenRowsReadAlong = 64;

} // namespace

void BlockReading::prepare(const CellsToRead& cells) {
    hidden_.clear();
    runs_.clear();
    blocks_.clear();
    if (cells.lastRow < cells.firstRow) {
        return;
    }
    hidden_ = sheet_.hiddenRows(cells.firstRow, cells.lastRow);
    if (cells.columns.empty() || cells.maxVisibleRows <= 0) {
        return;
    }

    std::vector<int> columns = cells.columns;
    std::sort(columns.begin(), columns.end());
    columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
    for (const int column : columns) {
        if (!runs_.empty() && runs_.back().last + 1 == column) {
            runs_.back().last = column;
        } else {
            runs_.push_back({column, column});
        }
    }

    // The visible stretches of rows, up to the last one that can be needed.
    std::vector<platform::RowSpan> visible;
    int wanted = cells.maxVisibleRows;
    int row = cells.firstRow;
    for (auto gap = hidden_.begin(); row <= cells.lastRow && wanted > 0;) {
        const int stretchEnd = gap != hidden_.end() ? gap->first - 1 : cells.lastRow;
        if (stretchEnd >= row) {
            const int last = std::min(stretchEnd, row + wanted - 1);
            visible.push_back({row, last});
            wanted -= last - row + 1;
        }
        if (gap == hidden_.end()) {
            break;
        }
        row = gap->last + 1;
        ++gap;
    }
    for (const platform::RowSpan& stretch : visible) {
        if (!blocks_.empty() && stretch.first - blocks_.back().lastRow - 1 <= kHiddenRowsReadAlong) {
            blocks_.back().lastRow = stretch.last;
        } else {
            blocks_.push_back({stretch.first, stretch.last, {}});
        }
    }
    for (Block& block : blocks_) {
        for (const ColumnRun& run : runs_) {
            block.runs.push_back(sheet_
                                     .range(platform::CellRef{block.firstRow, run.first},
                                            platform::CellRef{block.lastRow, run.last})
                                     ->values());
        }
    }
}

bool BlockReading::rowHidden(int row) {
    const auto after = std::upper_bound(hidden_.begin(), hidden_.end(), row,
                                        [](int r, const platform::RowSpan& span) { return r < span.first; });
    if (after != hidden_.begin() && std::prev(after)->last >= row) {
        return true;
    }
    return false;
}

Text BlockReading::text(int row, int column) {
    const auto block = std::find_if(blocks_.begin(), blocks_.end(),
                                    [row](const Block& b) { return row >= b.firstRow && row <= b.lastRow; });
    if (block != blocks_.end()) {
        for (std::size_t r = 0; r < runs_.size(); ++r) {
            if (column < runs_[r].first || column > runs_[r].last) {
                continue;
            }
            const auto& cells = block->runs[r];
            const auto rowIndex = static_cast<std::size_t>(row - block->firstRow);
            const auto columnIndex = static_cast<std::size_t>(column - runs_[r].first);
            if (rowIndex < cells.size() && columnIndex < cells[rowIndex].size()) {
                return cells[rowIndex][columnIndex];
            }
        }
    }
    return sheet_.cell(row, column)->value();
}

} // namespace lumitag::conversion
