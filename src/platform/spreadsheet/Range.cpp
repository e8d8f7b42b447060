#include "platform/spreadsheet/Range.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace lumitag::platform {

namespace {

void requireColumns(const CellArea& area, const std::vector<std::vector<Text>>& rows, const char* operation) {
    for (const std::vector<Text>& row : rows) {
        if (std::cmp_not_equal(row.size(), area.columnCount())) {
            throw std::invalid_argument(std::string(operation) +
                                        ": a row has another column count than the range");
        }
    }
}

} // namespace

void requireBlockFits(const CellArea& area, const std::vector<std::vector<Text>>& values) {
    if (std::cmp_not_equal(values.size(), area.rowCount())) {
        throw std::invalid_argument("Range.setValues: the block has another row count than the range");
    }
    requireColumns(area, values, "Range.setValues");
}

void requireLinesFitEvery(const CellArea& area, int step, const std::vector<std::vector<Text>>& rows) {
    if (step < 1) {
        throw std::invalid_argument("Range.setValuesEvery: the step is less than one row");
    }
    // Counted wide: a large step times many lines stays exact.
    const long long spanned =
        rows.empty() ? 0 : static_cast<long long>(rows.size() - 1) * static_cast<long long>(step) + 1;
    if (spanned != area.rowCount()) {
        throw std::invalid_argument(
            "Range.setValuesEvery: the lines do not run from the range's first row to its last");
    }
    requireColumns(area, rows, "Range.setValuesEvery");
}

} // namespace lumitag::platform
