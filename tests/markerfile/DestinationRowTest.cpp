#include "markerfile/DestinationRow.h"

#include <gtest/gtest.h>

namespace lumitag::markerfile {
namespace {

TEST(DestinationRow, DestinationNumberPicksTheRowBeforeItElseTheSelectedRow) {
    const struct {
        TextView destination;
        std::size_t selected;
        std::size_t row;
        bool valid;
    } cases[] = {
        {U"", 2, 2, false},
        {U"Table 0", 2, 2, true},
        {U"Table 1", 2, 0, true},
        {U"Table 5", 2, 4, true},
        {U"Table 20", 0, 19, true},
        {U"Table 21", 3, 3, false},
        {U"Table 05", 3, 3, false},
        {U"table 5", 3, 3, false},
        {U"Table 5 ", 3, 3, false},
        {U"Table -1", 3, 3, false},
        {U"Table ", 3, 3, false},
        {U"Table １", 3, 3, false},
        {U"Table 999999999999999999999", 3, 3, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(destinationRow(c.destination, c.selected), c.row) << c.destination.size();
        EXPECT_EQ(isValidDestination(c.destination), c.valid) << c.destination.size();
    }
}

TEST(DestinationRow, ItemsAreTableZeroToTwenty) {
    const std::vector<Text> items = destinationItems();
    ASSERT_EQ(items.size(), 21u);
    EXPECT_EQ(items.front(), U"Table 0");
    EXPECT_EQ(items[5], U"Table 5");
    EXPECT_EQ(items.back(), U"Table 20");
    for (const Text& item : items)
        EXPECT_TRUE(isValidDestination(item));
}

TEST(DestinationRow, SelectedTableAndColours) {
    EXPECT_EQ(selectedTableRow(std::nullopt), 0u);
    EXPECT_EQ(selectedTableRow(7), 7u);
    EXPECT_EQ(selectedTableRow(20), 0u);
    EXPECT_EQ(tableBoxColour(0), (TableColour{170, 255, 213}));
    EXPECT_EQ(tableBoxColour(19), (TableColour{138, 204, 136}));
    EXPECT_FALSE(tableBoxColour(20).has_value());
}

} // namespace
} // namespace lumitag::markerfile
