#include "platform/HalfWidth.h"

#include <gtest/gtest.h>

namespace lumitag::platform {
namespace {

TEST(HalfWidth, MapsEveryCharacterWithANarrowCounterpartAndLeavesTheRest) {
    struct Case {
        Text text;
        Text expected;
    };
    const Case cases[] = {
        {U"", U""},
        {U"ＡＢＣ１２３", U"ABC123"},
        {U"！～ａｚ＃", U"!~az#"},      // the whole block U+FF01 .. U+FF5E
        {U"A\u3000B", U"A B"},          // ideographic space
        {U"テスト", U"ﾃｽﾄ"},            // three half-width katakana
        {U"ガ", U"ｶﾞ"},                 // voiced: letter and U+FF9E
        {U"パ", U"ﾊﾟ"},                 // semi-voiced: letter and U+FF9F
        {U"ヴヷヺ", U"ｳﾞﾜﾞｦﾞ"},         // the rarer voiced katakana
        {U"ヸ", U"ヸ"},                 // ヰ has no half-width form, so neither has ヸ
        {U"ケーブル", U"ｹｰﾌﾞﾙ"},        // prolonged sound mark U+30FC
        {U"「、。・」", U"｢､｡･｣"},      // kana punctuation
        {U"漢字", U"漢字"},             // kanji stay
        {U"ひらがな", U"ひらがな"},     // so does hiragana
        {U"ｱｲｳ-1", U"ｱｲｳ-1"},           // half-width already
        {U"【Ａ１】", U"【A1】"},       // the numbering brackets have no narrow form
        {U"￥", U"\u00A5"},             // full-width signs beyond the ASCII block
        {U"\U00020BB7", U"\U00020BB7"}, // outside the basic plane
    };
    for (const Case& c : cases)
        EXPECT_EQ(toHalfWidth(c.text), c.expected) << "case " << (&c - cases);
}

TEST(HalfWidth, ConvertsTextsLongerThanAnyFixedBufferWhole) {
    // 300 voiced katakana become 600 characters; nothing is cut.
    const Text text(300, U'ガ');
    Text expected;
    for (int i = 0; i < 300; ++i)
        expected += U"ｶﾞ";
    EXPECT_EQ(toHalfWidth(text), expected);
}

} // namespace
} // namespace lumitag::platform
