#include "entry/Expansion.h"

#include "entry/EntryCheck.h"

#include <gtest/gtest.h>
#include <limits>

namespace lumitag::entry {
namespace {

SequenceGroup range(Text start, Text end) {
    return {SequenceMode::Range, std::move(start), {}, std::move(end)};
}

std::vector<Text> expand(const EntryTexts& entry) {
    const Expansion expansion(entry);
    return expansion.lines(expansion.lineCount());
}

TEST(Expansion, ComposesSequencesAndFixedTextsInTheirFixedOrder) {
    EntryTexts entry;
    entry.sequences = {range(U"1", U"2"), SequenceGroup{SequenceMode::Pair, U"R", {}, U"T"},
                       SequenceGroup{SequenceMode::ThreeValues, U"x", U"y", U"z"}};
    entry.fixedText1 = U"-";
    entry.fixedText2 = U"【1】";
    EXPECT_EQ(expand(entry), (std::vector<Text>{U"1-R【1】x", U"1-R【1】y", U"1-R【1】z", U"1-T【1】x",
                                                U"1-T【1】y", U"1-T【1】z", U"2-R【1】x", U"2-R【1】y",
                                                U"2-R【1】z", U"2-T【1】x", U"2-T【1】y", U"2-T【1】z"}));
}

TEST(Expansion, LineOrderDecidesWhichSequenceChangesFastest) {
    EntryTexts entry;
    entry.sequences = {range(U"1", U"2"), SequenceGroup{}, range(U"A", U"B")};
    entry.fixedText1 = U"-";
    EXPECT_EQ(expand(entry), (std::vector<Text>{U"1-A", U"1-B", U"2-A", U"2-B"}));
    entry.order = LineOrder::FirstSequenceFastest;
    EXPECT_EQ(expand(entry), (std::vector<Text>{U"1-A", U"2-A", U"1-B", U"2-B"}));

    // With all three sequences the middle one stays in the middle of the loops.
    entry.sequences = {range(U"1", U"2"), range(U"a", U"b"), range(U"X", U"Y")};
    entry.fixedText1.clear();
    entry.order = LineOrder::LastSequenceFastest;
    EXPECT_EQ(expand(entry),
              (std::vector<Text>{U"1aX", U"1aY", U"1bX", U"1bY", U"2aX", U"2aY", U"2bX", U"2bY"}));
    entry.order = LineOrder::FirstSequenceFastest;
    EXPECT_EQ(expand(entry),
              (std::vector<Text>{U"1aX", U"2aX", U"1bX", U"2bX", U"1aY", U"2aY", U"1bY", U"2bY"}));
}

TEST(Expansion, FixedTextsAloneGiveOneLine) {
    EntryTexts entry;
    entry.fixedText1 = U"MCCB";
    entry.fixedText2 = U"-1";
    EXPECT_EQ(expand(entry), (std::vector<Text>{U"MCCB-1"}));
}

TEST(Expansion, AThousandLinesFromThreeSequencesOfTen) {
    EntryTexts entry;
    entry.sequences = {range(U"1", U"10"), range(U"A", U"J"), range(U"00", U"09")};
    entry.fixedText1 = U"-";
    entry.fixedText2 = U"/";
    const EntryCheck check = checkEntry(entry);
    ASSERT_EQ(check.verdict, EntryVerdict::Expand);
    const Expansion expansion(check.entry);
    ASSERT_EQ(expansion.lineCount(), 1000u);
    const std::vector<Text> lines = expansion.lines(1000);
    EXPECT_EQ(lines.front(), U"1-A/00");
    EXPECT_EQ(lines[1], U"1-A/01");
    EXPECT_EQ(lines[10], U"1-B/00");
    EXPECT_EQ(lines[100], U"2-A/00");
    EXPECT_EQ(lines.back(), U"10-J/09");
}

TEST(Expansion, TheCallerTakesOnlyTheLinesThatFit) {
    EntryTexts entry;
    entry.sequences = {range(U"1", U"10"), SequenceGroup{}, SequenceGroup{}};
    const Expansion expansion(entry);
    EXPECT_EQ(expansion.lines(5), (std::vector<Text>{U"1", U"2", U"3", U"4", U"5"}));
    EXPECT_EQ(expansion.lines(0), std::vector<Text>{});
    EXPECT_EQ(expansion.lines(1000).size(), 10u);
}

TEST(Expansion, HugeCombinationsAreCountedWithoutOverflowAndReadOnDemand) {
    // Texts set in code can exceed the boxes' three characters: 2^31 values
    // each, more lines than 64 bits count.
    EntryTexts entry;
    entry.sequences = {range(U"0", U"2147483647"), range(U"0", U"2147483647"), range(U"0", U"2147483647")};
    entry.fixedText1 = U"-";
    entry.fixedText2 = U"-";
    Expansion expansion(entry);
    EXPECT_EQ(expansion.lineCount(), std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(expansion.line(0), U"0-0-0");
    EXPECT_EQ(expansion.line(2147483649u), U"0-1-1");
    EXPECT_EQ(expansion.lines(3), (std::vector<Text>{U"0-0-0", U"0-0-1", U"0-0-2"}));

    entry.order = LineOrder::FirstSequenceFastest;
    expansion = Expansion(entry);
    EXPECT_EQ(expansion.line(2147483649u), U"1-1-0");
}

} // namespace
} // namespace lumitag::entry
