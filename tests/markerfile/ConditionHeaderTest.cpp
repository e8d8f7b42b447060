#include "markerfile/ConditionHeader.h"

#include "markerfile/MarkerFileTestSupport.h"

#include <gtest/gtest.h>

namespace lumitag::markerfile {
namespace {

using testsupport::storeWithRows;
using testsupport::tableRow;

TEST(ConditionHeader, TemplateHoldsTheExactKeysOfBothForms) {
    const struct {
        std::size_t index;
        TextView key;
    } cases[] = {
        {0, U"[Condition]"},
        {4, U"FontFlag=0"},
        {5, U"TableNo="},
        {6, U"Comment="},
        {18, U"PitchY= "},
        {26, U"VerticalPosition=0"},
        {28, U"[MarkingData]"},
        {29, U"[Condition]"},
        {33, U"FontFlag=1"},
        {35, U"Column=1"},
        {36, U"FontName=ＭＳ Ｐゴシック"},
        {40, U"Comment=     "},
        {52, U"PitchY="},
        {60, U"VerticalPosition=1"},
        {61, U"HorizontalPosition=0"},
        {62, U"[MarkingData]"},
    };
    const ConditionHeader bare;
    for (const auto& c : cases) {
        EXPECT_EQ(conditionHeaderKey(c.index), c.key) << "entry " << c.index;
        EXPECT_EQ(bare.entry(c.index), c.key) << "entry " << c.index;
    }
    EXPECT_EQ(bare.tableFontLines().size(), 29u);
    EXPECT_EQ(bare.windowsFontLines().size(), 34u);
    // The font name mixes full-width letters with one ASCII blank.
    EXPECT_EQ(bare.entry(36).substr(9), (Text{0xFF2D, 0xFF33, 0x20, 0xFF30, 0x30B4, 0x30B7, 0x30C3, 0x30AF}));
}

TEST(ConditionHeader, ValuesComeFromTheSelectedRowAndTheTableNumberFromTheDestinationRow) {
    std::vector<std::vector<Text>> rows;
    for (int i = 0; i < 5; ++i) {
        const Text number(1, static_cast<char32_t>(U'1' + i));
        rows.push_back(tableRow(number, U"NAME" + number, number));
    }
    rows[2][14] = U"55";
    // Destination "Table 5" with the third table selected: rows p = 2, q = 4.
    const ConditionHeader header = RebuildFilledHeader(storeWithRows(rows), 2, 4);

    EXPECT_EQ(header.entry(5), U"TableNo=5");
    EXPECT_EQ(header.entry(34), U"TableNo=5");
    EXPECT_EQ(header.entry(6), U"Comment=NAME3");
    EXPECT_EQ(header.entry(40), U"Comment=     NAME3");
    EXPECT_EQ(header.entry(8), U"WorkMode=3");
    EXPECT_EQ(header.entry(42), U"WorkMode=3");
    EXPECT_EQ(header.entry(9), U"WorkLength=55");
    EXPECT_EQ(header.entry(18), U"PitchY= 5");
    EXPECT_EQ(header.entry(52), U"PitchY=5");
    EXPECT_EQ(header.entry(16), U"CutType=22");
    EXPECT_EQ(header.entry(25), U"SetCount=23");
    EXPECT_EQ(header.entry(59), U"SetCount=23");
    EXPECT_EQ(header.entry(27), U"HorizontalPosition=0");
}

TEST(ConditionHeader, RowsTheFileDoesNotHaveGiveKeysWithoutValues) {
    const TableStore store = storeWithRows({tableRow(U"1", U"A", U"1")});
    const ConditionHeader header = RebuildFilledHeader(store, 0, 9);
    EXPECT_EQ(header.entry(5), U"TableNo=");
    EXPECT_EQ(header.entry(6), U"Comment=A");

    const ConditionHeader empty = RebuildFilledHeader(store, 3, 3);
    EXPECT_EQ(empty, ConditionHeader());
}

TEST(ConditionHeader, WorkLengthAndHoseiChangeBothForms) {
    ConditionHeader header = RebuildFilledHeader(storeWithRows({tableRow(U"1", U"A", U"2")}), 0, 0);
    header.setWorkLength(U"60");
    header.setHosei(U"99.2");
    EXPECT_EQ(header.entry(headerEntry::tableFontWorkLength), U"WorkLength=60");
    EXPECT_EQ(header.entry(headerEntry::windowsFontWorkLength), U"WorkLength=60");
    EXPECT_EQ(header.entry(headerEntry::tableFontHosei), U"Hosei=99.2");
    EXPECT_EQ(header.entry(headerEntry::windowsFontHosei), U"Hosei=99.2");
}

TEST(ConditionHeader, FeedCorrectionIsOfferedForWorkModesTwoAndThreeOnly) {
    const struct {
        TextView workMode;
        bool offered;
    } cases[] = {{U"0", false}, {U"1", false}, {U"2", true}, {U"3", true}, {U"3 ", false}, {U"", false}};
    for (const auto& c : cases) {
        const ConditionHeader header =
            RebuildFilledHeader(storeWithRows({tableRow(U"1", U"A", Text(c.workMode))}), 0, 0);
        EXPECT_EQ(header.offersFeedCorrection(), c.offered) << "WorkMode=" << c.workMode.size();
    }
}

} // namespace
} // namespace lumitag::markerfile
