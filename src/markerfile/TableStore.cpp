#include "markerfile/TableStore.h"

#include <utility>

namespace lumitag::markerfile {

const Text& TableStore::cell(std::size_t row, std::size_t column) const {
    static const Text none;
    if (row >= tableCount || column >= tableColumnCount)
        return none;
    return cells_[row][column];
}

void TableStore::setCell(std::size_t row, std::size_t column, Text text) {
    if (row >= tableCount || column >= tableColumnCount)
        return;
    cells_[row][column] = std::move(text);
}

void TableStore::applyMarkerSoftwareVersion(TextView version) {
    if (version.empty())
        return;
    for (auto& row : cells_)
        row[tableColumn::markerSoftwareVersion] = Text(version);
}

} // namespace lumitag::markerfile
