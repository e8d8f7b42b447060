#pragma once

#include "platform/Text.h"

#include <array>
#include <cstddef>

namespace lumitag::markerfile {

// The marker keeps its marking conditions in 20 numbered tables; the table
// file holds one line of 24 text fields per table.
inline constexpr std::size_t tableCount = 20;
inline constexpr std::size_t tableColumnCount = 24;

// Columns of a table line that the program itself looks at. The other columns
// only feed the condition header (ConditionHeader.h) or are carried along.
namespace tableColumn {
inline constexpr std::size_t markerSoftwareVersion = 1;
inline constexpr std::size_t tableNumber = 3;
inline constexpr std::size_t tableName = 4;
inline constexpr std::size_t workMode = 5;
inline constexpr std::size_t feedCorrection = 11;
inline constexpr std::size_t workLength = 14;
} // namespace tableColumn

// The cells of the table file: row j holds table j + 1. Cells the file does
// not supply are empty.
class TableStore {
public:
    // Empty for a row or column outside the store, so that a table number or
    // destination beyond the file reads as "no value" instead of failing.
    const Text& cell(std::size_t row, std::size_t column) const;
    // Ignored outside the store.
    void setCell(std::size_t row, std::size_t column, Text text);

    // The marker software version shown in the settings panel: column 1 of row 0.
    const Text& markerSoftwareVersion() const { return cell(0, tableColumn::markerSoftwareVersion); }
    // Puts the version into column 1 of every row; an empty text changes nothing.
    void applyMarkerSoftwareVersion(TextView version);

    friend bool operator==(const TableStore&, const TableStore&) = default;

private:
    std::array<std::array<Text, tableColumnCount>, tableCount> cells_;
};

} // namespace lumitag::markerfile
