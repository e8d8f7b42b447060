#include "entry/SequenceValues.h"

#include <gtest/gtest.h>

namespace lumitag::entry {
namespace {

SequenceGroup range(Text start, Text end) {
    return {SequenceMode::Range, std::move(start), {}, std::move(end)};
}

// Every value text joined by single spaces.
Text joined(const SequenceValues& values) {
    Text out;
    for (std::uint64_t i = 0; i < values.count(); ++i) {
        if (i > 0)
            out += U' ';
        out += values.text(i);
    }
    return out;
}

TEST(SequenceValues, ShortRangesGiveTheirValuesKindAndFormatting) {
    struct Case {
        Text start, end;
        ValueKind kind;
        Text values;
    };
    const Case cases[] = {
        {U"1", U"10", ValueKind::Decimal, U"1 2 3 4 5 6 7 8 9 10"},
        {U"01", U"10", ValueKind::Decimal, U"01 02 03 04 05 06 07 08 09 10"},
        {U"8", U"12", ValueKind::Decimal, U"8 9 10 11 12"},
        {U"10", U"7", ValueKind::Decimal, U"10 9 8 7"},
        {U"5", U"07", ValueKind::Decimal, U"05 06 07"}, // a leading zero on the end side counts too
        {U"12", U"08", ValueKind::Decimal, U"12 11 10 09 08"},
        {U"01", U"005", ValueKind::Decimal, U"001 002 003 004 005"}, // the wider padding wins
        {U"0", U"F", ValueKind::Hexadecimal, U"0 1 2 3 4 5 6 7 8 9 A B C D E F"},
        {U"A", U"F", ValueKind::Hexadecimal, U"A B C D E F"},
        {U"1", U"1A", ValueKind::Hexadecimal,
         U"1 2 3 4 5 6 7 8 9 A B C D E F 10 11 12 13 14 15 16 17 18 19 1A"},
        {U"0B", U"11", ValueKind::Hexadecimal, U"0B 0C 0D 0E 0F 10 11"},
        {U"a", U"c", ValueKind::Letter, U"a b c"},
        {U"f", U"d", ValueKind::Letter, U"f e d"},
        {U"a", U"z", ValueKind::Letter, U"a b c d e f g h i j k l m n o p q r s t u v w x y z"},
        {U"A", U"Z", ValueKind::Letter, U"A B C D E F G H I J K L M N O P Q R S T U V W X Y Z"},
        {U"Z", U"W", ValueKind::Letter, U"Z Y X W"},
        {U"G", U"J", ValueKind::Letter, U"G H I J"},
        // Lower-case hexadecimal after a capital start reads as hexadecimal; only a
        // lone a to f as the start makes a letter range.
        {U"A", U"c", ValueKind::Hexadecimal, U"A B C"},
        // Different texts, equal values: one value, formatted by the texts.
        {U"01", U"1", ValueKind::Decimal, U"01"},
        // Texts no number reads, such as a pair switched back to range mode.
        {U"+", U"-", ValueKind::Letter, U"+ , -"},
        {U"あ", U"う", ValueKind::Letter, U"あ ぃ い ぅ う"},
    };
    for (const Case& c : cases) {
        const SequenceValues values(range(c.start, c.end));
        SCOPED_TRACE(testing::PrintToString(c.start + U"～" + c.end));
        EXPECT_EQ(values.kind(), c.kind);
        EXPECT_EQ(joined(values), c.values);
    }
}

TEST(SequenceValues, LongRangesKeepTheirPaddingAcrossTheDecadesAndHexDigits) {
    struct Case {
        Text start, end;
        ValueKind kind;
        std::uint64_t count;
        std::vector<std::pair<std::uint64_t, Text>> probes; // index, text
    };
    const Case cases[] = {
        {U"001",
         U"100",
         ValueKind::Decimal,
         100,
         {{0, U"001"}, {8, U"009"}, {9, U"010"}, {98, U"099"}, {99, U"100"}}},
        {U"100", U"001", ValueKind::Decimal, 100, {{0, U"100"}, {1, U"099"}, {99, U"001"}}},
        {U"010", U"100", ValueKind::Decimal, 91, {{0, U"010"}, {89, U"099"}, {90, U"100"}}},
        {U"0", U"999", ValueKind::Decimal, 1000, {{0, U"0"}, {9, U"9"}, {10, U"10"}, {999, U"999"}}},
        {U"00", U"1F", ValueKind::Hexadecimal, 32, {{0, U"00"}, {15, U"0F"}, {16, U"10"}, {31, U"1F"}}},
        {U"FF", U"00", ValueKind::Hexadecimal, 256, {{0, U"FF"}, {240, U"0F"}, {255, U"00"}}},
        {U"0", U"FF", ValueKind::Hexadecimal, 256, {{10, U"A"}, {16, U"10"}, {255, U"FF"}}},
        {U"1", U"Z", ValueKind::Letter, 42, {{0, U"1"}, {9, U":"}, {16, U"A"}, {41, U"Z"}}},
        {U"00", U"99", ValueKind::Decimal, 100, {{0, U"00"}, {9, U"09"}, {10, U"10"}, {99, U"99"}}},
    };
    for (const Case& c : cases) {
        const SequenceValues values(range(c.start, c.end));
        SCOPED_TRACE(testing::PrintToString(c.start + U"～" + c.end));
        EXPECT_EQ(values.kind(), c.kind);
        EXPECT_EQ(values.count(), c.count);
        for (const auto& [index, text] : c.probes)
            EXPECT_EQ(values.text(index), text) << "index " << index;
    }
}

TEST(SequenceValues, PairAndThreeValuesListTheBoxTextsAsTyped) {
    const SequenceValues pair(SequenceGroup{SequenceMode::Pair, U"R", U"ignored", U"T"});
    EXPECT_EQ(pair.kind(), ValueKind::Listed);
    EXPECT_EQ(joined(pair), U"R T");

    const SequenceValues three(SequenceGroup{SequenceMode::ThreeValues, U"R", U"S", U"T"});
    EXPECT_EQ(joined(three), U"R S T");

    // Listed texts are not read as numbers: no range between 1 and 10, no padding.
    const SequenceValues numbers(SequenceGroup{SequenceMode::Pair, U"1", {}, U"010"});
    EXPECT_EQ(joined(numbers), U"1 010");
}

TEST(SequenceValues, AnIncompleteGroupContributesOneEmptyText) {
    const SequenceGroup groups[] = {
        {},
        range(U"1", U""),
        range(U"", U"5"),
        {SequenceMode::ThreeValues, U"R", U"", U"T"},
        {SequenceMode::Pair, U"", U"", U"T"},
    };
    for (const SequenceGroup& group : groups) {
        const SequenceValues values(group);
        EXPECT_EQ(values.kind(), ValueKind::None);
        ASSERT_EQ(values.count(), 1u);
        EXPECT_EQ(values.text(0), U"");
    }
}

TEST(SequenceValues, TextsLongerThanTheBoxesAdmitStayBounded) {
    // Set in code, the boxes can hold more than three characters. A number
    // beyond 32 bits no longer reads as one and the range falls back to letters.
    const SequenceValues wide(range(U"0", U"2147483647"));
    EXPECT_EQ(wide.kind(), ValueKind::Decimal);
    EXPECT_EQ(wide.count(), 2147483648u);
    EXPECT_EQ(wide.text(2147483647), U"2147483647");

    const SequenceValues tooWide(range(U"1", U"99999999999"));
    EXPECT_EQ(tooWide.kind(), ValueKind::Letter);
    EXPECT_EQ(tooWide.count(), 9u);
    EXPECT_EQ(tooWide.text(8), U"9");

    const SequenceValues signedText(range(U"-5", U"3"));
    EXPECT_EQ(signedText.kind(), ValueKind::Letter);
    EXPECT_EQ(joined(signedText), U"- . / 0 1 2 3");
}

} // namespace
} // namespace lumitag::entry
