#include "marking/FullWidth.h"

#include <gtest/gtest.h>

namespace lumitag::marking {
namespace {

TEST(FullWidth, OnlyTheFirstBracketsAndTheCharacterAfterEachAreExempt) {
    struct Case {
        Text text;
        bool fullWidth;
    };
    const Case cases[] = {
        {U"", false},
        {U"1-A", false},
        {U"\x7F", false},
        {U"\x80", true},
        {U"あ", true},
        {U"【1】A", false},
        {U"【1】あ", false}, // the character after 】 is exempt
                             // whatever it is
        {U"【1】Aあ", true},
        {U"【あ】", false}, // the character after 【 is exempt too
        {U"【12あ】", true},
        {U"【1】【2】", true}, // a second bracket is tested like any character
        {U"】【", false},      // order does not matter, each first one is exempt
        {U"A【", false},
        {U"AB】", false},
        {U"１", true}, // full-width digit
        {U"ｱ", true},  // half-width katakana is above 127 as well
    };
    for (const Case& c : cases)
        EXPECT_EQ(isFullWidth(c.text), c.fullWidth) << "case " << (&c - cases);
}

} // namespace
} // namespace lumitag::marking
