#pragma once

#include "entry/EntryTexts.h"
#include "entry/SequenceValues.h"
#include "platform/Text.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumitag::entry {

// The marking texts of one entry: every combination of the values of the
// three sequences, each text being 連番１ + 線番１ + 連番２ + 線番２ + 連番３,
// in the entry's line order. Lines are built on demand; the caller decides how
// many fit into the list.
class Expansion {
public:
    // Expects the texts an entry check let through (EntryCheck::entry); a
    // sequence that is not complete contributes an empty text.
    explicit Expansion(const EntryTexts& entry);

    // The number of combinations, at least 1; saturates at the largest
    // std::uint64_t instead of overflowing.
    std::uint64_t lineCount() const { return lineCount_; }

    // The marking text of line `index` (0 to lineCount() - 1).
    Text line(std::uint64_t index) const;

    // The first min(maxLines, lineCount()) marking texts in order.
    std::vector<Text> lines(std::size_t maxLines) const;

    const SequenceValues& values(std::size_t sequence) const { return values_[sequence]; }

private:
    // The value index of each sequence on line `index`.
    std::array<std::uint64_t, 3> valueIndexes(std::uint64_t index) const;

    std::array<SequenceValues, 3> values_;
    Text fixedText1_;
    Text fixedText2_;
    LineOrder order_;
    std::uint64_t lineCount_ = 1;
};

} // namespace lumitag::entry
