#pragma once

#include "entry/EntryTexts.h"

#include <array>
#include <cstddef>

namespace lumitag::entry {

// What an entry (OK) does with the texts of the panel.
enum class EntryVerdict {
    // No fixed text and no complete sequence: nothing is entered.
    NothingToEnter,
    // A sequence's start text equals its end text: the entry stops in that end box.
    StartEqualsEnd,
    // The texts expand into marking lines.
    Expand,
};

struct EntryCheck {
    EntryVerdict verdict = EntryVerdict::NothingToEnter;
    // With StartEqualsEnd: the first sequence (0 for 連番１ to 2 for 連番３) whose
    // start text equals its end text.
    std::size_t stoppedSequence = 0;
    // The sequences whose boxes the entry empties because they are incomplete;
    // set only where some box of the sequence held text.
    std::array<bool, 3> emptied{};
    // The texts once incomplete sequences are emptied: the panel as the entry
    // leaves it in every outcome, and the input of the expansion.
    EntryTexts entry;
};

// Decides an entry: empties incomplete sequences (a sequence takes part only
// with its start and end, and its middle in three-value mode), then looks for
// anything to enter, then for a start equal to its end (exact text, any mode,
// 連番１ first).
EntryCheck checkEntry(EntryTexts entry);

// A fixed text or a complete sequence is there to be entered.
bool hasSomethingToEnter(const EntryTexts& entry);

} // namespace lumitag::entry
