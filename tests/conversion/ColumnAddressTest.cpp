#include "conversion/ColumnAddress.h"

#include "conversion/BoxNumbers.h"
#include "platform/Encoding.h"

#include <gtest/gtest.h>

namespace lumitag::conversion {
namespace {

using Kind = ResolvedColumn::Kind;

TEST(ColumnAddress, LeaveRulesOfTheThreeKindsOfColumnBox) {
    const struct {
        TextView text;
        bool column;
        bool countColumn;
        bool sequenceColumn;
    } cases[] = {
        {U"A", true, true, true},    {U"Z", true, true, true},       {U"AA", true, true, true},
        {U"BZ", true, true, true},   {U"CV", true, true, true},      {U"CW", false, true, true},
        {U"CX", false, false, true}, {U"CY", false, false, false},   {U"DA", false, false, false},
        {U"1", true, true, true},    {U"012", true, true, true},     {U"100", true, true, true},
        {U"101", false, true, true}, {U"102", false, false, true},   {U"103", false, false, false},
        {U"0", false, false, false}, {U"ABC", false, false, false},  {U"1A", false, false, false},
        {U"a", false, false, false}, {U"予備", false, false, false},
    };
    for (const auto& c : cases) {
        const std::string text = platform::toUtf8(c.text);
        EXPECT_EQ(isAcceptedColumnText(c.text, ColumnBox::Column), c.column) << text;
        EXPECT_EQ(isAcceptedColumnText(c.text, ColumnBox::CountColumn), c.countColumn) << text;
        EXPECT_EQ(isAcceptedColumnText(c.text, ColumnBox::SequenceColumn), c.sequenceColumn) << text;
    }
}

TEST(ColumnAddress, NumbersBecomeLettersAndLettersStayAsTyped) {
    const struct {
        TextView text;
        Kind kind;
        int column;
        TextView letters;
    } cases[] = {
        {U"1", Kind::Column, 1, U"A"},
        {U"26", Kind::Column, 26, U"Z"},
        {U"27", Kind::Column, 27, U"AA"},
        {U"52", Kind::Column, 52, U"AZ"},
        {U"53", Kind::Column, 53, U"BA"},
        {U"78", Kind::Column, 78, U"BZ"},
        {U"79", Kind::Column, 79, U"CA"},
        {U"100", Kind::Column, 100, U"CV"},
        {U"CW", Kind::Column, 101, U"CW"},
        {U"CX", Kind::Column, 102, U"CX"},
        {U"cx", Kind::Column, 102, U"cx"},
        {U"101", Kind::NumberPast100, 0, U""},
        {U"99999999999", Kind::NumberPast100, 0, U""},
        {U"0", Kind::Unusable, 0, U""},
        {U"予備", Kind::Unusable, 0, U""},
        {U"A1", Kind::Unusable, 0, U""},
    };
    for (const auto& c : cases) {
        const ResolvedColumn resolved = resolveColumn(c.text);
        EXPECT_EQ(resolved.kind, c.kind) << platform::toUtf8(c.text);
        EXPECT_EQ(resolved.column, c.column) << platform::toUtf8(c.text);
        EXPECT_EQ(resolved.letters, c.letters) << platform::toUtf8(c.text);
    }
}

TEST(BoxNumbers, WholeNumbersOnlyAndNeverOverflowing) {
    EXPECT_EQ(boxInteger(U"12"), 12);
    EXPECT_EQ(boxInteger(U"-3"), -3);
    EXPECT_EQ(boxInteger(U"+7"), 7);
    EXPECT_EQ(boxInteger(U"0012"), 12);
    EXPECT_EQ(boxInteger(U"123456789012345"), 2147483647);
    EXPECT_EQ(boxInteger(U"-123456789012345"), -2147483647 - 1);
    for (const TextView text : {U"", U"-", U"1a", U" 1", U"１", U"1.5"})
        EXPECT_FALSE(boxInteger(text).has_value()) << platform::toUtf8(text);
}

} // namespace
} // namespace lumitag::conversion
