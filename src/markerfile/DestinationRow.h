#pragma once

#include "platform/Text.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace lumitag::markerfile {

// Table selection: which row of the table store feeds the condition header.

// The selected table p for the table box's selected item: the item's index,
// or 0 when nothing is selected or the item lies beyond the twentieth.
std::size_t selectedTableRow(std::optional<std::size_t> selectedItem);

// The transfer destination chosen in the settings panel: "Table 0" or empty
// send the selected table's own number, "Table 1" to "Table 20" make the
// marker store the data in that table.
inline constexpr std::size_t destinationItemCount = 21;
// The items "Table 0" to "Table 20".
std::vector<Text> destinationItems();
// True when the text is one of the 21 items.
bool isValidDestination(TextView destination);

// The row q whose table number the header carries, for the selected row p:
// the row before the destination's number for "Table 1" to "Table 20", the
// selected row itself for "Table 0", an empty text or any other text.
std::size_t destinationRow(TextView destination, std::size_t selectedRow);

// The background colour of the table box for selected item 0 to 19.
struct TableColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const TableColour&, const TableColour&) = default;
};
// Nothing for an index beyond 19 (the box keeps its colour).
std::optional<TableColour> tableBoxColour(std::size_t selectedItem);

} // namespace lumitag::markerfile
