#include "entry/store/LetterSlots.h"

#include "entry/store/StoredEntry.h"

#include <gtest/gtest.h>

namespace lumitag::entry {
namespace {

// Slots holding "A" … "Z" in A to Z, the first `pins` pinned.
LetterSlots lettered(std::size_t pins = 0) {
    LetterSlots slots;
    for (std::size_t i = 0; i < LetterSlots::Count; ++i) {
        slots.texts[i] = Text(1, static_cast<char32_t>(U'A' + i));
        slots.pinned[i] = i < pins;
    }
    return slots;
}

TEST(LetterSlots, PushTopDropsZ) {
    LetterSlots slots = lettered();
    slots.pushTop(U"new");
    EXPECT_EQ(slots.texts[0], U"new");
    EXPECT_EQ(slots.texts[1], U"A");
    EXPECT_EQ(slots.texts[25], U"Y");
    EXPECT_FALSE(slots.holds(U"Z"));
}

TEST(LetterSlots, RecordGoesRightAfterThePinnedBlock) {
    LetterSlots slots = lettered(2);
    ASSERT_TRUE(slots.record(U"new"));
    EXPECT_EQ(slots.texts[0], U"A");
    EXPECT_EQ(slots.texts[1], U"B");
    EXPECT_EQ(slots.texts[2], U"new");
    EXPECT_EQ(slots.texts[3], U"C");
    EXPECT_EQ(slots.texts[25], U"Y"); // the old Z is lost

    LetterSlots full = lettered(26);
    EXPECT_FALSE(full.record(U"new"));
    EXPECT_EQ(full.texts, lettered(26).texts);
    LetterSlots allButZ = lettered(25);
    ASSERT_TRUE(allButZ.record(U"new"));
    EXPECT_EQ(allButZ.texts[25], U"new");
}

TEST(LetterSlots, PinningMovesTheEntryUpToThePinnedBlock) {
    LetterSlots slots = lettered(1);
    EXPECT_EQ(slots.pin(4), 1u); // E with A pinned
    EXPECT_EQ((std::vector<Text>{slots.texts.begin(), slots.texts.begin() + 6}),
              (std::vector<Text>{U"A", U"E", U"B", U"C", U"D", U"F"}));
    EXPECT_TRUE(slots.pinned[1]);
    EXPECT_FALSE(slots.pinned[4]);

    LetterSlots top = lettered(2);
    EXPECT_EQ(top.pin(2), 2u); // right below the block: pinned where it is
    EXPECT_EQ(top.texts[2], U"C");
    LetterSlots empty;
    EXPECT_EQ(empty.pin(3), std::nullopt);
    EXPECT_FALSE(empty.pinned[3]);
}

TEST(LetterSlots, UnpinningRemovesOnlyThatEntryAndPinsMoveUp) {
    LetterSlots slots = lettered(3);
    slots.remove(0); // unpin A of A, B, C
    EXPECT_EQ(slots.texts[0], U"B");
    EXPECT_EQ(slots.texts[1], U"C");
    EXPECT_EQ(slots.texts[2], U"D");
    EXPECT_TRUE(slots.pinned[0]);
    EXPECT_TRUE(slots.pinned[1]);
    EXPECT_FALSE(slots.pinned[2]);
    EXPECT_EQ(slots.texts[25], U"");
}

TEST(StoredEntry, FormatsSplitsAndPutsBack) {
    EntryTexts texts;
    texts.sequences[0] = {SequenceMode::Range, U"1", {}, U"10"};
    texts.fixedText1 = U"W";
    EXPECT_EQ(formatStoredEntry(storedEntryOf(texts)), U"[1-10]W[][]");

    texts.sequences[1] = {SequenceMode::Pair, U"+", {}, U"-"};
    texts.sequences[2] = {SequenceMode::ThreeValues, U"R", U"S", U"T"};
    texts.fixedText2 = U"-X";
    const Text stored = formatStoredEntry(storedEntryOf(texts));
    EXPECT_EQ(stored, U"[1-10]W[+ -]-X[R S T]");
    EXPECT_EQ(splitStoredEntry(stored), storedEntryOf(texts));
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(groupFromDefinition(storedEntryOf(texts).definitions[i]), texts.sequences[i]);

    // A hand-edited text never reads past its end.
    EXPECT_EQ(splitStoredEntry(U"[A"), (StoredEntry{{U"A", U"", U""}, U"", U""}));
    EXPECT_EQ(splitStoredEntry(U""), StoredEntry{});
    EXPECT_EQ(groupFromDefinition(U"ABC"), std::nullopt);

    EntryTexts bracket;
    bracket.fixedText2 = U"A[1]";
    EXPECT_FALSE(isStorable(storedEntryOf(bracket)));
    EXPECT_TRUE(isBlank(EntryTexts{}));
}

} // namespace
} // namespace lumitag::entry
