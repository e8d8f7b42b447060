#pragma once

#include "entry/SequenceGroup.h"
#include "platform/Text.h"

#include <array>
#include <cstdint>

namespace lumitag::entry {

// What the values of a sequence are.
enum class ValueKind {
    None,        // no complete sequence: one empty text
    Decimal,     // range whose start and end read as decimal numbers
    Hexadecimal, // range whose start and end read as hexadecimal numbers
    Letter,      // range over the character codes from the start to the end character
    Listed,      // pair or three values: the box texts themselves
};

// The value texts one sequence group contributes to the marking texts, in order.
// Values are produced on demand, so a range of any width costs nothing until
// its texts are read.
class SequenceValues {
public:
    // A sequence that contributes one empty text.
    SequenceValues() = default;

    // The values of a group. A group that is not complete contributes one empty
    // text, as an entry empties such a group before it expands.
    explicit SequenceValues(const SequenceGroup& group);

    ValueKind kind() const { return kind_; }
    // At least 1.
    std::uint64_t count() const { return count_; }
    // The text of value `index` (0 to count() - 1).
    Text text(std::uint64_t index) const;
    // Appends the text of value `index` to `out`.
    void appendText(std::uint64_t index, Text& out) const;

private:
    void readRange(TextView start, TextView end);
    void appendDecimal(std::int64_t value, Text& out) const;
    void appendHexadecimal(std::int64_t value, Text& out) const;

    ValueKind kind_ = ValueKind::None;
    std::uint64_t count_ = 1;
    // Ranges: the first value and the direction towards the last.
    std::int64_t first_ = 0;
    int step_ = 1;
    // Leading zeros of decimal values: the least number of digits of a value
    // below 10 and of a value from 10 to 99.
    int digitsBelow10_ = 1;
    int digitsBelow100_ = 2;
    // Hexadecimal values below 16 written with two digits.
    bool hexTwoDigits_ = false;
    // Pair and three values: the box texts in order.
    std::array<Text, 3> listed_;
};

} // namespace lumitag::entry
