#include "tools/TextEdits.h"

#include "tools/Occurrence.h"

#include <gtest/gtest.h>

namespace lumitag::tools {
namespace {

using Positions = std::vector<std::size_t>;

TEST(Occurrence, CountsNonOverlappingOccurrencesFromTheLeft) {
    EXPECT_EQ(occurrences(U"A-A-A", U"A"), (Positions{0, 2, 4}));
    EXPECT_EQ(occurrences(U"AAAA", U"AA"), (Positions{0, 2}));
    EXPECT_EQ(occurrences(U"AAA", U"AA"), (Positions{0}));
    EXPECT_EQ(occurrences(U"ABC", U""), Positions{});
    EXPECT_EQ(occurrences(U"", U"A"), Positions{});
}

TEST(Occurrence, ChoosesTheFirstTheNthTheOnlyOneOrNone) {
    struct Case {
        Text text;
        int n;
        std::optional<std::size_t> chosen;
    };
    const Case cases[] = {
        {U"A-A-A", 0, 0},            // no number: the first
        {U"A-A-A", 1, 0},            //
        {U"A-A-A", 2, 2},            // the n-th
        {U"A-A-A", 3, 4},            //
        {U"A-A-A", 4, std::nullopt}, // two or more, but fewer than n: none
        {U"A-1", 5, 0},              // exactly one: that one, whatever n says
        {U"B-1", 2, std::nullopt},   // none at all
    };
    for (const Case& c : cases)
        EXPECT_EQ(chosenOccurrence(c.text, U"A", c.n), c.chosen) << "case " << (&c - cases);
}

TEST(TextEdits, ReplaceAndDeleteActOnTheChosenOccurrenceOnly) {
    EXPECT_EQ(replaceOccurrence(U"A-A-A", U"A", U"B", 0), U"B-A-A");
    EXPECT_EQ(replaceOccurrence(U"A-A-A", U"A", U"B", 2), U"A-B-A");
    EXPECT_EQ(replaceOccurrence(U"A-1", U"A", U"B", 2), U"B-1");
    EXPECT_EQ(replaceOccurrence(U"A-A-A", U"A", U"B", 4), U"A-A-A");
    // Occurrences are counted in the text before the change, whatever the lengths.
    EXPECT_EQ(replaceOccurrence(U"ABCDEF-ABCDEF", U"ABCDEF", U"X", 2), U"ABCDEF-X");
    EXPECT_EQ(replaceOccurrence(U"AA", U"A", U"AA", 2), U"AAA");
    EXPECT_EQ(deleteOccurrence(U"1-2-3", U"-", 2), U"1-23");
    EXPECT_EQ(deleteOccurrence(U"1-2-3", U"-", 0), U"12-3");
    EXPECT_EQ(deleteOccurrence(U"123", U"-", 0), U"123");
}

TEST(TextEdits, InsertAtAPositionBeforeOrAfterTheCharacter) {
    struct Case {
        Text text;
        int position;
        Side side;
        Text expected;
    };
    const Case cases[] = {
        {U"ABC", 2, Side::Before, U"A*BC"},
        {U"ABC", 2, Side::After, U"AB*C"},
        {U"ABC", 1, Side::Before, U"*ABC"},
        {U"ABC", 3, Side::After, U"ABC*"},
        {U"A", 2, Side::Before, U"A"}, // too short: unchanged
        {U"A", 2, Side::After, U"A"},
        {U"ABC", 0, Side::Before, U"*ABC"}, // empty position box: the start
        {U"ABC", 0, Side::After, U"*ABC"},
        {U"", 0, Side::Before, U"*"}, // empty cells take it too
    };
    for (const Case& c : cases) {
        EXPECT_EQ(insertAtPosition(c.text, U"*", c.position, c.side), c.expected) << "case " << (&c - cases);
        EXPECT_EQ(reachesPosition(c.text, c.position), c.expected != c.text) << "case " << (&c - cases);
    }
}

TEST(TextEdits, InsertNextToTheChosenKeyword) {
    EXPECT_EQ(insertAtKeyword(U"R1R2", U"-", U"R", 2, Side::After), U"R1R-2");
    EXPECT_EQ(insertAtKeyword(U"R1R2", U"-", U"R", 2, Side::Before), U"R1-R2");
    EXPECT_EQ(insertAtKeyword(U"R1R2", U"-", U"R", 0, Side::Before), U"-R1R2");
    EXPECT_EQ(insertAtKeyword(U"R1R2", U"-", U"R", 3, Side::After), U"R1R2");
    EXPECT_EQ(insertAtKeyword(U"X10", U"-", U"10", 0, Side::After), U"X10-");
    EXPECT_EQ(insertAtKeyword(U"X10", U"-", U"R", 0, Side::After), U"X10");
}

} // namespace
} // namespace lumitag::tools
