#include "entry/SequenceValues.h"

#include "platform/Text.h"

#include <cassert>
#include <limits>
#include <optional>

namespace lumitag::entry {
namespace {

// A range end reads as a number only within the range of a 32-bit integer;
// longer texts than the boxes admit fall back to the letter kind.
constexpr std::int64_t largestNumber = std::numeric_limits<std::int32_t>::max();

int digitValue(char32_t c, int base) {
    int value = 99;
    if (isAsciiDigit(c))
        value = static_cast<int>(c - U'0');
    else if (c >= U'A' && c <= U'F')
        value = static_cast<int>(c - U'A') + 10;
    else if (c >= U'a' && c <= U'f')
        value = static_cast<int>(c - U'a') + 10;
    return value < base ? value : -1;
}

// The text read as an unsigned number: digits only, no sign, no blanks, no prefix.
// Hexadecimal digits may be of either case.
std::optional<std::int64_t> readNumber(TextView text, int base) {
    if (text.empty())
        return std::nullopt;
    std::int64_t value = 0;
    for (char32_t c : text) {
        const int digit = digitValue(c, base);
        if (digit < 0)
            return std::nullopt;
        value = value * base + digit;
        if (value > largestNumber)
            return std::nullopt;
    }
    return value;
}

bool isLowerHexLetter(TextView text) {
    return text.size() == 1 && text[0] >= U'a' && text[0] <= U'f';
}

// Length `length` and starting with `prefix`.
bool hasShape(TextView text, std::size_t length, TextView prefix) {
    return text.size() == length && text.starts_with(prefix);
}

void appendDigits(std::int64_t value, int base, int minimumDigits, Text& out) {
    static constexpr char32_t digits[] = U"0123456789ABCDEF";
    char32_t buffer[24];
    int length = 0;
    do {
        buffer[length++] = digits[value % base];
        value /= base;
    } while (value > 0);
    for (int i = length; i < minimumDigits; ++i)
        out.push_back(U'0');
    while (length > 0)
        out.push_back(buffer[--length]);
}

} // namespace

SequenceValues::SequenceValues(const SequenceGroup& group) {
    if (!isComplete(group))
        return;
    switch (group.mode) {
    case SequenceMode::Range:
        readRange(group.start, group.end);
        break;
    case SequenceMode::Pair:
        kind_ = ValueKind::Listed;
        listed_ = {group.start, group.end, Text()};
        count_ = 2;
        break;
    case SequenceMode::ThreeValues:
        kind_ = ValueKind::Listed;
        listed_ = {group.start, group.middle, group.end};
        count_ = 3;
        break;
    }
}

void SequenceValues::readRange(TextView start, TextView end) {
    kind_ = ValueKind::Decimal;
    std::optional<std::int64_t> from = readNumber(start, 10);
    std::optional<std::int64_t> to = readNumber(end, 10);
    if (!from || !to) {
        kind_ = ValueKind::Hexadecimal;
        // A single lower-case a to f starts a letter range, so that a～c gives
        // a, b, c rather than the hexadecimal values A, B, C.
        from = isLowerHexLetter(start) ? std::nullopt : readNumber(start, 16);
        to = readNumber(end, 16);
    }
    if (!from || !to) {
        kind_ = ValueKind::Letter;
        from = static_cast<std::int64_t>(start.front());
        to = static_cast<std::int64_t>(end.front());
    }

    first_ = *from;
    step_ = *to < *from ? -1 : 1;
    count_ = static_cast<std::uint64_t>(*to < *from ? *from - *to : *to - *from) + 1;

    for (TextView side : {start, end}) {
        if (kind_ == ValueKind::Decimal) {
            if (hasShape(side, 2, U"0") && digitsBelow10_ < 2)
                digitsBelow10_ = 2;
            // Where 01 and 001 meet, the wider padding wins.
            if (hasShape(side, 3, U"00"))
                digitsBelow10_ = 3;
            if (hasShape(side, 3, U"0"))
                digitsBelow100_ = 3;
        } else if (kind_ == ValueKind::Hexadecimal && hasShape(side, 2, U"0")) {
            hexTwoDigits_ = true;
        }
    }
}

Text SequenceValues::text(std::uint64_t index) const {
    Text out;
    appendText(index, out);
    return out;
}

void SequenceValues::appendText(std::uint64_t index, Text& out) const {
    assert(index < count_);
    const std::int64_t value = first_ + step_ * static_cast<std::int64_t>(index);
    switch (kind_) {
    case ValueKind::None:
        break;
    case ValueKind::Decimal:
        appendDecimal(value, out);
        break;
    case ValueKind::Hexadecimal:
        appendHexadecimal(value, out);
        break;
    case ValueKind::Letter:
        out.push_back(static_cast<char32_t>(value));
        break;
    case ValueKind::Listed:
        out += listed_[index];
        break;
    }
}

void SequenceValues::appendDecimal(std::int64_t value, Text& out) const {
    const int digits = value < 10 ? digitsBelow10_ : value < 100 ? digitsBelow100_ : 1;
    appendDigits(value, 10, digits, out);
}

void SequenceValues::appendHexadecimal(std::int64_t value, Text& out) const {
    appendDigits(value, 16, hexTwoDigits_ && value < 16 ? 2 : 1, out);
}

} // namespace lumitag::entry
