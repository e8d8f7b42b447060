#pragma once

#include "platform/Text.h"

#include <vector>

namespace lumitag::conversion {

// The rows and columns one setting reads next.
struct CellsToRead {
    int firstRow = 1;
    int lastRow = 0;
    std::vector<int> columns;
    // At most this many visible rows can still become lines: a visible row
    // gives at least one line and the result never exceeds its limit.
    int maxVisibleRows = 0;
};

// What a conversion reads of the connected worksheet: whether a row is
// hidden and a cell's value as text (an empty cell gives an empty text).
// Every operation may throw platform::SpreadsheetError.
class SheetCells {
public:
    virtual ~SheetCells() = default;

    // Called before a setting's rows are read.
    virtual void prepare(const CellsToRead& cells) = 0;
    virtual bool rowHidden(int row) = 0;
    virtual Text text(int row, int column) = 0;
};

} // namespace lumitag::conversion
