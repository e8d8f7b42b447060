#include "conversion/ReplaceInText.h"

#include "platform/Encoding.h"

#include <gtest/gtest.h>

namespace lumitag::conversion {
namespace {

TEST(ReplaceInText, OccurrenceNumbers) {
    const struct {
        TextView text;
        TextView target;
        TextView replacement;
        int n;
        TextView expected;
    } cases[] = {
        {U"A-A-A", U"A", U"XY", 0, U"XY-A-A"},
        {U"A-A-A", U"A", U"XY", 1, U"XY-A-A"},
        {U"A-A-A", U"A", U"XY", 2, U"A-XY-A"},
        {U"A-A-A", U"A", U"XY", 3, U"A-A-XY"},
        {U"A-A-A", U"A", U"XY", 4, U"A-A-A"}, // three found, fewer than four
        {U"A-B", U"A", U"XY", 3, U"XY-B"},    // the only one
        {U"B-C", U"A", U"XY", 0, U"B-C"},
        {U"A-A", U"A", U"AA", 0, U"AA-A"}, // the target inside the replacement
        {U"AAA", U"AA", U"x", 2, U"xA"},   // occurrences do not overlap: there is one
        {U"線番-線番", U"線番", U"W", 2, U"線番-W"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::toUtf8(ReplaceInText(c.text, c.target, c.replacement, c.n)),
                  platform::toUtf8(c.expected))
            << platform::toUtf8(c.text) << " n=" << c.n;
}

// Filling found occurrences with stand-in characters to count further ones
// would count stand-ins as occurrences, lose positions or never end; the
// counting here is over the text itself.
TEST(ReplaceInText, OnlyRealOccurrencesCount) {
    EXPECT_EQ(ReplaceInText(U"a?b?c", U"?", U"XY", 2), U"a?bXYc") << "a ? target ends";
    EXPECT_EQ(ReplaceInText(U"ABB", U"AB", U"BA", 2), U"BAB") << "a replacement forms no new occurrence";
    EXPECT_EQ(ReplaceInText(U"AA?", U"A?", U"zz", 2), U"Azz");
    EXPECT_EQ(ReplaceInText(U"ABCABCDEFDEF", U"ABCDEF", U"x", 2), U"ABCxDEF") << "targets of six and more";
}

TEST(ReplaceInText, PositionsPast255) {
    const Text head(300, U'a');
    EXPECT_EQ(ReplaceInText(head + U"-A-A", U"A", U"XY", 2), head + U"-A-XY");
    const Text longTarget(400, U'T');
    EXPECT_EQ(ReplaceInText(U"<" + longTarget + U">", longTarget, U"t", 0), U"<t>");
}

TEST(ReplaceInText, TheSecondPairWorksOnTheFirstOnesResult) {
    ConversionSetting setting;
    setting.replaces = true;
    setting.first = {U"-", U"", U"+"};
    setting.second = {U"+", U"2", U"/"};
    EXPECT_EQ(applyReplacements(U"1-2+3", setting), U"1+2/3");
    setting.second.text.clear();
    EXPECT_EQ(applyReplacements(U"1-2+3", setting), U"1+2+3") << "an unfilled second pair is not used";
    setting.second = {U"", U"", U"/"};
    EXPECT_EQ(applyReplacements(U"1-2+3", setting), U"1+2+3");
}

} // namespace
} // namespace lumitag::conversion
