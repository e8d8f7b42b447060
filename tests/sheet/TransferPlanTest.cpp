// Planning a transfer of the marking list into the sheet: which cells, which
// values, in which order, and the column box and width rules.
#include "sheet/TransferPlan.h"

#include <gtest/gtest.h>

namespace lumitag::sheet {
namespace {

using platform::CellArea;
using platform::CellRef;
using Lines = std::vector<std::vector<Text>>;

TEST(TransferColumn, LettersOrANumberUpToColumnCV) {
    const struct {
        TextView box;
        std::optional<int> column;
    } cases[] = {
        {U"A", 1},
        {U"B", 2},
        {U"Z", 26},
        {U"AA", 27},
        {U"CV", 100},
        {U"1", 1},
        {U"27", 27},
        {U"100", 100},
        {U"0", std::nullopt},
        {U"101", std::nullopt},
        {U"CW", std::nullopt},
        {U"", std::nullopt},
        {U"B2", std::nullopt},
        {U"99999999999999999999", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(transferColumn(c.box), c.column) << Text(c.box).size();
}

TEST(TransferRow, ANumberOnTheSheet) {
    EXPECT_EQ(transferRow(U"5"), 5);
    EXPECT_EQ(transferRow(U"1048576"), 1048576);
    for (const TextView box : {U"", U"0", U"1048577", U"99999999999999999999", U"5A", U"-1"})
        EXPECT_EQ(transferRow(box), std::nullopt);
}

TEST(LinkedColumnWidth, TheLongestTextWithRoomUnlessNumbered) {
    const struct {
        int longest;
        double width;
        bool numbering;
        std::optional<double> result;
    } cases[] = {
        {12, 8.43, false, 14.0},        // two characters of room
        {12, 8.43, true, 12.0},         // numbering brackets already carry their room
        {7, 8.43, false, 9.0},          // less than two characters of room left
        {6, 8.43, false, std::nullopt}, // room enough
        {8, 8.43, true, std::nullopt},  {12, 20, false, std::nullopt}, // a wider column never narrows
    };
    for (const auto& c : cases)
        EXPECT_EQ(linkedColumnWidth(c.longest, c.width, c.numbering), c.result)
            << c.longest << " " << c.width << " " << c.numbering;
}

TEST(PlanTransfer, CountsMakeABlockOfEveryContentColumn) {
    const Lines lines{
        {U"W1", U"1", U"", U"", U""}, {U"WIRE-22", U"", U"", U"", U"7"}, {U"W3", U"", U"", U"", U""}};
    const TransferPlan plan =
        planTransfer(lines, {5, 2}, TransferSpacing::Continuous, TransferOrder::ListOrder);
    EXPECT_TRUE(plan.countsPresent);
    EXPECT_EQ(plan.block, (CellArea{{5, 2}, {7, 6}}));
    EXPECT_EQ(plan.lines, lines);
    EXPECT_EQ(plan.longestText, 7);
    EXPECT_EQ(plan.nextRow, 8);
}

TEST(PlanTransfer, WithoutCountsOnlyTheMarkingTextGoes) {
    const Lines lines{{U"線番１", U"", U""}, {U"W2", U"", U""}};
    const TransferPlan plan =
        planTransfer(lines, {2, 3}, TransferSpacing::Continuous, TransferOrder::ListOrder);
    EXPECT_FALSE(plan.countsPresent);
    EXPECT_EQ(plan.block, (CellArea{{2, 3}, {3, 3}}));
    EXPECT_EQ(plan.lines, (Lines{{U"線番１"}, {U"W2"}}));
    EXPECT_EQ(plan.longestText, 3) << "characters, not bytes";
}

TEST(PlanTransfer, SpacingAndReverseOrderPlaceTheLines) {
    const Lines lines{{U"W1", U"1"}, {U"W2", U""}, {U"W3", U""}};
    const TransferPlan plan =
        planTransfer(lines, {5, 25}, TransferSpacing::EveryFourthRow, TransferOrder::Reverse);
    EXPECT_EQ(plan.lines, (Lines{{U"W3", U""}, {U"W2", U""}, {U"W1", U"1"}}));
    EXPECT_EQ(plan.rowOfLine(0), 5);
    EXPECT_EQ(plan.rowOfLine(1), 9);
    EXPECT_EQ(plan.rowOfLine(2), 13);
    EXPECT_EQ(plan.block, (CellArea{{5, 25}, {16, 26}})) << "TEXT's string column right of Y is Z";
    EXPECT_EQ(plan.nextRow, 17);
}

} // namespace
} // namespace lumitag::sheet
