#include "markerfile/DestinationRow.h"

#include "markerfile/TableStore.h"
#include "platform/Text.h"

#include <string>

namespace lumitag::markerfile {

namespace {

constexpr TextView destinationPrefix = U"Table ";

Text destinationText(std::size_t number) {
    return Text(destinationPrefix) + numberText(number);
}

// The number of a destination "Table 0" to "Table 20" written exactly as the
// item (no sign, no leading zero, no blanks), or nothing.
std::optional<std::size_t> destinationNumber(TextView destination) {
    if (destination.substr(0, destinationPrefix.size()) != destinationPrefix)
        return std::nullopt;
    const TextView digits = destination.substr(destinationPrefix.size());
    if (digits.empty() || digits.size() > 2 || (digits.size() == 2 && digits[0] == U'0'))
        return std::nullopt;
    std::size_t number = 0;
    for (char32_t c : digits) {
        if (c < U'0' || c > U'9')
            return std::nullopt;
        number = number * 10 + static_cast<std::size_t>(c - U'0');
    }
    if (number >= destinationItemCount)
        return std::nullopt;
    return number;
}

constexpr std::array<TableColour, tableCount> tableColours{{
    {170, 255, 213}, {255, 251, 170}, {255, 170, 255}, {255, 170, 170}, {170, 255, 170},
    {170, 170, 255}, {255, 85, 85},   {255, 170, 85},  {255, 255, 85},  {170, 255, 85},
    {85, 255, 85},   {85, 255, 170},  {85, 255, 255},  {85, 170, 255},  {85, 85, 255},
    {170, 85, 255},  {255, 85, 255},  {255, 85, 170},  {173, 215, 87},  {138, 204, 136},
}};

} // namespace

std::size_t selectedTableRow(std::optional<std::size_t> selectedItem) {
    if (!selectedItem || *selectedItem >= tableCount)
        return 0;
    return *selectedItem;
}

std::vector<Text> destinationItems() {
    std::vector<Text> items;
    items.reserve(destinationItemCount);
    for (std::size_t i = 0; i < destinationItemCount; ++i)
        items.push_back(destinationText(i));
    return items;
}

bool isValidDestination(TextView destination) {
    return destinationNumber(destination).has_value();
}

std::size_t destinationRow(TextView destination, std::size_t selectedRow) {
    const std::optional<std::size_t> number = destinationNumber(destination);
    if (!number || *number == 0)
        return selectedRow;
    return *number - 1;
}

std::optional<TableColour> tableBoxColour(std::size_t selectedItem) {
    if (selectedItem >= tableColours.size())
        return std::nullopt;
    return tableColours[selectedItem];
}

} // namespace lumitag::markerfile
