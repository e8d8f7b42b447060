#pragma once

#include "conversion/SheetCells.h"
#include "platform/spreadsheet/Worksheet.h"

namespace lumitag::conversion {

// Asks the spreadsheet for every row's hidden state and every cell on its
// own, at the moment the conversion needs it: the reference the block
// reading must agree with. Far too slow against a real spreadsheet for use
// in the program.
class PerCellReading final : public SheetCells {
public:
    explicit PerCellReading(platform::Worksheet& sheet) : sheet_(sheet) {}

    void prepare(const CellsToRead&) override {}
    bool rowHidden(int row) override { return sheet_.rowHidden(row); }
    Text text(int row, int column) override { return sheet_.cell(row, column)->value(); }

private:
    platform::Worksheet& sheet_;
};

} // namespace lumitag::conversion
