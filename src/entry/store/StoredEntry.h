#pragma once

#include "entry/EntryTexts.h"
#include "platform/Text.h"

#include <array>
#include <optional>

namespace lumitag::entry {

// One entry of the A–Z store: the definitions of 連番１–３ and the texts of
// 線番１ and 線番２, kept as the text "[D1]W1[D2]W2[D3]". There is no
// escaping, so an entry whose wire texts hold "[" is never stored.
struct StoredEntry {
    std::array<Text, 3> definitions; // 連番１ to 連番３
    Text wire1;                      // 線番１
    Text wire2;                      // 線番２

    bool operator==(const StoredEntry&) const = default;
};

// The stored form of a sequence group: empty when its start box is empty;
// else "start-end" (range), "start end" (pair) or "start middle end".
Text definitionOf(const SequenceGroup& group);

// The entry the panel's texts make.
StoredEntry storedEntryOf(const EntryTexts& texts);

// Whether the entry can be stored at all: its wire texts hold no "[".
bool isStorable(const StoredEntry& entry);
// Whether every field of the entry is empty: nothing to store.
bool isBlank(const EntryTexts& texts);

Text formatStoredEntry(const StoredEntry& entry);
// Splits a stored text; pieces a hand-edited text lacks come out empty.
StoredEntry splitStoredEntry(TextView text);

// A definition put back into a sequence group: blanks split it into start,
// (middle) and end, else a hyphen into start and end of a range. Nothing for
// a definition with neither.
std::optional<SequenceGroup> groupFromDefinition(TextView definition);

} // namespace lumitag::entry
