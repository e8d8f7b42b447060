#pragma once

#include "conversion/SheetCells.h"
#include "platform/spreadsheet/Worksheet.h"

#include <vector>

namespace lumitag::conversion {

// Reads a setting's cells in a few calls when it is prepared: the hidden
// rows of its range in one query, then each run of adjacent columns as one
// block per stretch of rows (Range::values()). Only the rows up to the last
// visible row that can still become a line are read, so a range of a whole
// sheet costs no more than the lines it can give. Answers come from memory
// afterwards; a cell outside what was read is asked for on its own.
class BlockReading final : public SheetCells {
public:
    explicit BlockReading(platform::Worksheet& sheet) : sheet_(sheet) {}

    void prepare(const CellsToRead& cells) override;
    bool rowHidden(int row) override;
    Text text(int row, int column) override;

private:
    // Adjacent columns read together.
    struct ColumnRun {
        int first = 1;
        int last = 1;
    };
    // The cells of all column runs over rows first to last.
    struct Block {
        int firstRow = 1;
        int lastRow = 0;
        std::vector<std::vector<std::vector<Text>>> runs; // per run: rows × columns
    };

    platform::Worksheet& sheet_;
    std::vector<platform::RowSpan> hidden_;
    std::vector<ColumnRun> runs_;
    std::vector<Block> blocks_;
};

} // namespace lumitag::conversion
