#include "tools/MarkInsertion.h"

#include "platform/Encoding.h"

#include <gtest/gtest.h>

namespace lumitag::tools {
namespace {

constexpr auto B = Side::Before;
constexpr auto A = Side::After;

MarkInsertion byPosition(int q, Side side, int minimum = 1) {
    MarkInsertion request;
    request.minimumLength = minimum;
    request.position = q;
    request.side = side;
    return request;
}

MarkInsertion byKeyword(Text keyword, int n, Side side, int minimum = 1) {
    MarkInsertion request;
    request.minimumLength = minimum;
    request.mode = MarkInsertion::Mode::Keyword;
    request.keyword = std::move(keyword);
    request.occurrence = n;
    request.side = side;
    return request;
}

struct Case {
    Text text;
    MarkInsertion request;
    Text expected; // equal to text: nothing inserted
};

void expectCases(const std::vector<Case>& cases) {
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(insertMark(c.text, c.request), c.expected)
            << "case " << i << ": " << platform::toUtf8(c.text);
        // Where a mark goes in, the row also offers a place to the pre-check.
        if (c.expected != c.text) {
            EXPECT_TRUE(offersMarkPlace(c.text, c.request)) << "case " << i;
        }
    }
}

TEST(MarkInsertion, PositionCountsCharactersWithoutTheExistingMark) {
    expectCases({
        {U"ABCDEF", byPosition(3, B), U"AB|CDEF"},
        {U"ABCDEF", byPosition(3, A), U"ABC|DEF"},
        {U"AB|CDEF", byPosition(4, B), U"AB|C|DEF"}, // D is the fourth character
        {U"AB|CDEF", byPosition(2, B), U"A|B|CDEF"},
        {U"AB|CDEF", byPosition(2, A), U"AB|CDEF"}, // the mark already follows B
        {U"AB|CDEF", byPosition(3, B), U"AB|CDEF"}, // ... and stands before C
        {U"AB|CDEF", byPosition(3, A), U"AB|C|DEF"},
        {U"ABC", byPosition(1, B), U"ABC"}, // never at the start
        {U"ABC", byPosition(3, A), U"ABC"}, // never at the end
        {U"ABC", byPosition(3, B), U"AB|C"},
        {U"ABC", byPosition(4, B), U"ABC"}, // too few characters
        {U"AB|C", byPosition(3, A), U"AB|C"},
        {U"ABCD", byPosition(2, B, 5), U"ABCD"},   // shorter than the minimum
        {U"A|BCD", byPosition(2, B, 5), U"A|BCD"}, // (the mark counts towards it)
        {U"A|BCDE", byPosition(3, B, 5), U"A|B|CDE"},
        {U"A|B|C", byPosition(2, A), U"A|B|C"}, // two marks: never changed
        {U"A|B|CDEF", byPosition(4, B), U"A|B|CDEF"},
        {U"", byPosition(1, A, 0), U""},
    });
}

TEST(MarkInsertion, KeywordGoesBeforeOrAfterTheChosenOccurrence) {
    expectCases({
        {U"1R2", byKeyword(U"R", 0, B), U"1|R2"},
        {U"R12", byKeyword(U"R", 0, B), U"R12"}, // the occurrence begins the text
        {U"1R2", byKeyword(U"R", 0, A), U"1R|2"},
        {U"12R", byKeyword(U"R", 0, A), U"12R"}, // ... ends it
        {U"R1R2", byKeyword(U"R", 2, A), U"R1R|2"},
        {U"R1R2", byKeyword(U"R", 3, A), U"R1R2"}, // 2 of 3 occurrences: none chosen
        {U"1R2", byKeyword(U"R", 2, A), U"1R|2"},  // the only one
        {U"1|R2", byKeyword(U"R", 0, B), U"1|R2"}, // the mark stands in the gap
        {U"1R|2", byKeyword(U"R", 0, A), U"1R|2"},
        {U"1R|2R3", byKeyword(U"R", 2, A), U"1R|2R|3"},
        {U"AB|CD", byKeyword(U"B|C", 0, A), U"AB|CD"}, // the mark inside the occurrence
        {U"A|B|R1", byKeyword(U"R", 0, B), U"A|B|R1"},
        {U"XR10Y", byKeyword(U"R10", 0, A), U"XR10|Y"},
        {U"1R2", byKeyword(U"Q", 0, A), U"1R2"},
    });
}

TEST(MarkInsertion, PreCheckGivesAMarkedTextASecondChanceWithAnOccurrenceNumber) {
    // The first R is refused only because of the mark; the second may still take one.
    EXPECT_FALSE(offersMarkPlace(U"1|R2R3", byKeyword(U"R", 0, B)));
    EXPECT_FALSE(offersMarkPlace(U"1|R2R3", byKeyword(U"R", 1, B)));
    EXPECT_TRUE(offersMarkPlace(U"1|R2R3", byKeyword(U"R", 2, B)));
    EXPECT_EQ(insertMark(U"1|R2R3", byKeyword(U"R", 2, B)), U"1|R2|R3");
    // Not when K is gone after removing the first n - 1 occurrences.
    EXPECT_FALSE(offersMarkPlace(U"1|R2R3", byKeyword(U"R", 3, B)));
    // Not when the first occurrence is refused at the edge of the text.
    EXPECT_FALSE(offersMarkPlace(U"R|2R3", byKeyword(U"R", 2, B)));
    // The pre-check may pass where the run then changes nothing: the second R ends the text.
    EXPECT_TRUE(offersMarkPlace(U"1R|2R", byKeyword(U"R", 2, A)));
    EXPECT_EQ(insertMark(U"1R|2R", byKeyword(U"R", 2, A)), U"1R|2R");
    // A text without a mark has no second chance.
    EXPECT_FALSE(offersMarkPlace(U"R1", byKeyword(U"R", 2, B)));
    // Position mode offers exactly where it would insert.
    EXPECT_FALSE(offersMarkPlace(U"AB|CDEF", byPosition(2, A)));
    EXPECT_FALSE(offersMarkPlace(U"A|B|CDEF", byPosition(4, B)));
}

} // namespace
} // namespace lumitag::tools
