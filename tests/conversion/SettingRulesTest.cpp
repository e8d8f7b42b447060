#include "conversion/SettingRules.h"

#include "platform/Encoding.h"

#include <gtest/gtest.h>

namespace lumitag::conversion {
namespace {

using Box = SettingBox;
using Mode = WorkMode;

TEST(SettingRules, BoxesLeftWithTheirTexts) {
    const struct {
        Box box;
        Mode mode;
        TextView text;
        bool accepted;
    } cases[] = {
        {Box::Column1, Mode::SingleColumn, U"", true},
        {Box::Column1, Mode::SingleColumn, U"CV", true},
        {Box::Column1, Mode::SingleColumn, U"CW", false},
        {Box::Column1, Mode::WireNumbers, U"101", false},
        {Box::Column2, Mode::ColumnsInTurn, U"DA", false},
        {Box::Column4, Mode::ColumnsOnOneLine, U"予備",
         false}, // a column-4 remark must pass the column rules
        {Box::Column4, Mode::ColumnsOnOneLine, U"X", true},
        {Box::Column1, Mode::SingleColumn, U"ABC", false},
        {Box::Column1, Mode::SingleColumn, U"0", false},
        // Column 3 is free except while several columns are read in turn.
        {Box::Column3, Mode::ColumnsOnOneLine, U"予備", true},
        {Box::Column3, Mode::SingleColumn, U"予備", true},
        {Box::Column3, Mode::ColumnsInTurn, U"予備", false},
        {Box::Column3, Mode::ColumnsInTurn, U"CV", true},
        // The count column reaches CW (101); a count is 1 to 999 without a leading zero.
        {Box::Count, Mode::WireNumbers, U"CW", true},
        {Box::Count, Mode::WireNumbers, U"101", true},
        {Box::Count, Mode::WireNumbers, U"CX", false},
        {Box::Count, Mode::WireNumbers, U"102", false},
        {Box::Count, Mode::SingleColumn, U"999", true},
        {Box::Count, Mode::SingleColumn, U"05", false},
        {Box::Count, Mode::SingleColumn, U"0", false},
        {Box::Count, Mode::SingleColumn, U"D", false},
        {Box::Count, Mode::ColumnsOnOneLine, U"１２", false},
        // The sequence column reaches CX (102), and only matters in 線番・記銘板等.
        {Box::SequenceColumn, Mode::WireNumbers, U"CX", true},
        {Box::SequenceColumn, Mode::WireNumbers, U"102", true},
        {Box::SequenceColumn, Mode::WireNumbers, U"CY", false},
        {Box::SequenceColumn, Mode::SingleColumn, U"CY", true},
        // Rows: no leading zero, digits only.
        {Box::StartRow, Mode::SingleColumn, U"5", true},
        {Box::StartRow, Mode::SingleColumn, U"0", false},
        {Box::StartRow, Mode::SingleColumn, U"00", false},
        {Box::StartRow, Mode::SingleColumn, U"012", false},
        {Box::StartRow, Mode::SingleColumn, U"１２", false},
        {Box::StartRow, Mode::SingleColumn, U"+5", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isAcceptedBoxText(c.box, c.mode, c.text), c.accepted)
            << "box " << static_cast<int>(c.box) << " mode " << static_cast<int>(c.mode) << " "
            << platform::toUtf8(c.text);
    }
}

TEST(SettingRules, EndRowIsJudgedBesideItsStartRow) {
    const struct {
        TextView start;
        TextView end;
        EndRowVerdict verdict;
    } cases[] = {
        {U"5", U"9", EndRowVerdict::Accepted},       {U"5", U"5", EndRowVerdict::Accepted},
        {U"9", U"5", EndRowVerdict::Rejected},       {U"10", U"9", EndRowVerdict::Rejected},
        {U"", U"9", EndRowVerdict::StartRowMissing}, {U"", U"", EndRowVerdict::Accepted},
        {U"5", U"", EndRowVerdict::Accepted},        {U"5", U"012", EndRowVerdict::Rejected},
        {U"5", U"０９", EndRowVerdict::Rejected},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(judgeEndRow(c.start, c.end), c.verdict)
            << platform::toUtf8(c.start) << " .. " << platform::toUtf8(c.end);
    }
}

TEST(SettingRules, CountTextsThatDoNotFitANewModeAreEmptied) {
    EXPECT_TRUE(countTextFitsMode(U"5", Mode::SingleColumn));
    EXPECT_FALSE(countTextFitsMode(U"5", Mode::WireNumbers));
    EXPECT_TRUE(countTextFitsMode(U"D", Mode::WireNumbers));
    EXPECT_FALSE(countTextFitsMode(U"D", Mode::ColumnsOnOneLine));
    EXPECT_FALSE(countTextFitsMode(U"", Mode::ColumnsInTurn)) << "an empty count is no number";
    EXPECT_TRUE(countTextFitsMode(U"", Mode::WireNumbers));
}

TEST(SettingRules, KeyFiltersByBoxAndMode) {
    EXPECT_EQ(keyFilterOf(Box::Column3, Mode::ColumnsOnOneLine), KeyFilter::Any);
    EXPECT_EQ(keyFilterOf(Box::Column3, Mode::ColumnsInTurn), KeyFilter::ColumnCharacters);
    EXPECT_EQ(keyFilterOf(Box::Count, Mode::WireNumbers), KeyFilter::ColumnCharacters);
    EXPECT_EQ(keyFilterOf(Box::Count, Mode::SingleColumn), KeyFilter::Digits);
    EXPECT_EQ(keyFilterOf(Box::EndRow, Mode::WireNumbers), KeyFilter::Digits);
    EXPECT_EQ(keyFilterOf(Box::SequenceColumn, Mode::WireNumbers), KeyFilter::ColumnCharacters);

    const struct {
        KeyFilter filter;
        char32_t character;
        bool passes;
    } cases[] = {
        {KeyFilter::ColumnCharacters, U'A', true},  {KeyFilter::ColumnCharacters, U'7', true},
        {KeyFilter::ColumnCharacters, U'a', false}, {KeyFilter::ColumnCharacters, U'Ａ', false},
        {KeyFilter::ColumnCharacters, U'\b', true}, {KeyFilter::Digits, U'A', false},
        {KeyFilter::Digits, U'１', false},          {KeyFilter::Digits, U'\b', true},
        {KeyFilter::Occurrence, U'5', true},        {KeyFilter::Occurrence, U'6', false},
        {KeyFilter::Occurrence, U'0', false},       {KeyFilter::Any, U'予', true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(passesKeyFilter(c.filter, c.character), c.passes) << static_cast<unsigned>(c.character);
}

} // namespace
} // namespace lumitag::conversion
