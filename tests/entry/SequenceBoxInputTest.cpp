#include "entry/SequenceBoxInput.h"

#include <gtest/gtest.h>

namespace lumitag::entry {
namespace {

TEST(SequenceBoxInput, RangeBoxesKeepOnlyTextsThatReadAsAValue) {
    for (TextView text : {U"", U"7", U"Z", U"z", U"0F", U"A9", U"FF", U"100", U"001"})
        EXPECT_TRUE(isValidRangeText(text)) << testing::PrintToString(text);
    for (TextView text : {U"G1", U"0f", U"1A0", U"AB1", U"-", U"1 ", U"あ", U"1000", U"+1"})
        EXPECT_FALSE(isValidRangeText(text)) << testing::PrintToString(text);
}

TEST(SequenceBoxInput, TypedCharactersDependOnTheModeAndTheBox) {
    struct Case {
        SequenceMode mode;
        SequenceBox box;
        char32_t character;
        bool accepted;
    };
    const Case cases[] = {
        {SequenceMode::Range, SequenceBox::Start, U'a', true},
        {SequenceMode::Range, SequenceBox::End, U'9', true},
        {SequenceMode::Range, SequenceBox::Start, U'-', false},
        {SequenceMode::Range, SequenceBox::End, U'ａ', false},
        {SequenceMode::Range, SequenceBox::Start, U'\b', true},
        {SequenceMode::Pair, SequenceBox::Start, U'-', true},
        {SequenceMode::Pair, SequenceBox::End, U'あ', true},
        {SequenceMode::Pair, SequenceBox::End, U' ', false},
        {SequenceMode::ThreeValues, SequenceBox::Middle, U'+', true},
        {SequenceMode::ThreeValues, SequenceBox::Middle, U' ', false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(acceptsCharacter(c.mode, c.box, c.character), c.accepted)
            << static_cast<int>(c.mode) << " " << static_cast<int>(c.box) << " U+" << std::hex
            << static_cast<unsigned>(c.character);
}

} // namespace
} // namespace lumitag::entry
