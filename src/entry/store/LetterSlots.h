#pragma once

#include "platform/Text.h"

#include <array>
#include <cstddef>
#include <optional>

namespace lumitag::entry {

// The 26 boxes A to Z of the string store with their pins, as plain data.
// The window reads its boxes into it, applies one step and writes them back.
// Pinned entries form a block at the top: pinning moves an entry up to the
// block, unpinning closes the gap.
struct LetterSlots {
    static constexpr std::size_t Count = 26;

    std::array<Text, Count> texts;
    std::array<bool, Count> pinned{};

    bool holds(TextView text) const;

    // Copy mode: every text moves one box down (Z's is lost) and `text` goes into A.
    void pushTop(const Text& text);
    // History mode: `text` becomes the first entry after the pinned block; the
    // unpinned entries move down one box and the last one drops out. False when
    // every box is pinned and nothing was recorded.
    bool record(const Text& text);
    // Removes the entry of box `index`; the later ones move up, Z becomes empty.
    // Pins move with their entries.
    void remove(std::size_t index);
    // Pins the entry of box `index`: it moves up to the first unpinned box and
    // the entries between move down one. The box that ends up pinned, or
    // nothing for an empty box.
    std::optional<std::size_t> pin(std::size_t index);
    // Empties every box and drops every pin.
    void clear();
};

} // namespace lumitag::entry
