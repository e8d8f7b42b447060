#include "entry/EntryCheck.h"

#include <gtest/gtest.h>

namespace lumitag::entry {
namespace {

SequenceGroup range(Text start, Text end) {
    return {SequenceMode::Range, std::move(start), {}, std::move(end)};
}
SequenceGroup pair(Text start, Text end) {
    return {SequenceMode::Pair, std::move(start), {}, std::move(end)};
}
SequenceGroup three(Text start, Text middle, Text end) {
    return {SequenceMode::ThreeValues, std::move(start), std::move(middle), std::move(end)};
}

TEST(EntryCheck, IncompleteSequencesAreEmptiedAndOnlyThoseThatHeldTextAreReported) {
    EntryTexts entry;
    entry.sequences = {three(U"R", U"", U"T"), range(U"", U""), pair(U"5", U"")};
    entry.fixedText1 = U"-A";

    const EntryCheck check = checkEntry(entry);
    EXPECT_EQ(check.verdict, EntryVerdict::Expand);
    EXPECT_EQ(check.emptied, (std::array<bool, 3>{true, false, true}));
    for (const SequenceGroup& group : check.entry.sequences) {
        EXPECT_EQ(group.start, U"");
        EXPECT_EQ(group.middle, U"");
        EXPECT_EQ(group.end, U"");
    }
    // The modes survive; so do the fixed texts.
    EXPECT_EQ(check.entry.sequences[0].mode, SequenceMode::ThreeValues);
    EXPECT_EQ(check.entry.sequences[2].mode, SequenceMode::Pair);
    EXPECT_EQ(check.entry.fixedText1, U"-A");
}

TEST(EntryCheck, CompleteSequencesAreKeptAsTheyStand) {
    EntryTexts entry;
    entry.sequences = {range(U"1", U"10"), three(U"R", U"S", U"T"), pair(U"+", U"-")};
    const EntryCheck check = checkEntry(entry);
    EXPECT_EQ(check.verdict, EntryVerdict::Expand);
    EXPECT_EQ(check.emptied, (std::array<bool, 3>{}));
    EXPECT_EQ(check.entry, entry);
}

TEST(EntryCheck, NothingToEnterWithoutFixedTextsOrACompleteSequence) {
    EntryTexts entry;
    EXPECT_EQ(checkEntry(entry).verdict, EntryVerdict::NothingToEnter);

    // Half-filled sequences are emptied and leave nothing to enter, even one
    // whose start equals its (missing) middle.
    entry.sequences = {range(U"1", U""), three(U"5", U"", U"5"), range(U"", U"Z")};
    const EntryCheck check = checkEntry(entry);
    EXPECT_EQ(check.verdict, EntryVerdict::NothingToEnter);
    EXPECT_EQ(check.emptied, (std::array<bool, 3>{true, true, true}));
    EXPECT_FALSE(hasSomethingToEnter(entry));

    for (Text EntryTexts::*fixed : {&EntryTexts::fixedText1, &EntryTexts::fixedText2}) {
        EntryTexts withText;
        withText.*fixed = U"X";
        EXPECT_EQ(checkEntry(withText).verdict, EntryVerdict::Expand);
        EXPECT_TRUE(hasSomethingToEnter(withText));
    }
}

TEST(EntryCheck, StartEqualToEndStopsAtTheFirstSuchSequenceInAnyMode) {
    struct Case {
        SequenceGroups sequences;
        EntryVerdict verdict;
        std::size_t stoppedSequence;
    };
    const Case cases[] = {
        {{range(U"5", U"5"), SequenceGroup{}, SequenceGroup{}}, EntryVerdict::StartEqualsEnd, 0},
        {{range(U"1", U"2"), pair(U"R", U"R"), range(U"A", U"A")}, EntryVerdict::StartEqualsEnd, 1},
        {{SequenceGroup{}, SequenceGroup{}, three(U"R", U"S", U"R")}, EntryVerdict::StartEqualsEnd, 2},
        // Exact text: equal values written differently expand to one value.
        {{range(U"01", U"1"), range(U"a", U"A"), SequenceGroup{}}, EntryVerdict::Expand, 0},
        // A sequence emptied as incomplete cannot stop the entry.
        {{range(U"7", U""), range(U"1", U"3"), SequenceGroup{}}, EntryVerdict::Expand, 0},
    };
    for (const Case& c : cases) {
        EntryTexts entry;
        entry.sequences = c.sequences;
        const EntryCheck check = checkEntry(entry);
        EXPECT_EQ(check.verdict, c.verdict) << testing::PrintToString(c.sequences[0].start);
        EXPECT_EQ(check.stoppedSequence, c.stoppedSequence);
    }
}

TEST(SequenceGroupRules, CompletenessAndTheOrderChoice) {
    EXPECT_TRUE(isComplete(range(U"1", U"2")));
    EXPECT_TRUE(isComplete(pair(U"R", U"T")));
    EXPECT_FALSE(isComplete(three(U"R", U"", U"T")));
    EXPECT_TRUE(hasBothEnds(three(U"R", U"", U"T")));
    EXPECT_FALSE(hasBothEnds(range(U"1", U"")));

    EXPECT_FALSE(offersOrderChoice({range(U"1", U"2"), SequenceGroup{}, range(U"A", U"")}));
    EXPECT_TRUE(offersOrderChoice({range(U"1", U"2"), SequenceGroup{}, range(U"A", U"B")}));
    // Both ends are enough, even without the middle of a three-value sequence.
    EXPECT_TRUE(offersOrderChoice({SequenceGroup{}, three(U"R", U"", U"T"), pair(U"+", U"-")}));
}

} // namespace
} // namespace lumitag::entry
