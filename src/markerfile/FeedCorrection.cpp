#include "markerfile/FeedCorrection.h"

#include "platform/Text.h"

#include <string>

namespace lumitag::markerfile {

namespace {

// Lengths have at most 6 digits and correction values at most 11, so that
// B × H × 10 stays far inside 64 bits.
constexpr int maximumDigits = 11;
constexpr int maximumLengthDigits = 6;

std::int64_t powerOfTen(int exponent) {
    std::int64_t value = 1;
    for (int i = 0; i < exponent; ++i)
        value *= 10;
    return value;
}

// A whole, positive-or-zero number of at most `maximumLengthDigits` digits.
std::optional<std::int64_t> parseLength(TextView text) {
    const std::optional<Decimal> number = parseDecimal(text);
    if (!number || number->scale != 0 || text.size() > static_cast<std::size_t>(maximumLengthDigits))
        return std::nullopt;
    return number->mantissa;
}

FeedCorrection accepted(Decimal percentage) {
    return {FeedCorrectionOutcome::Accepted, decimalText(percentage)};
}

bool inRange(Decimal percentage) {
    const std::int64_t unit = powerOfTen(percentage.scale);
    return percentage.mantissa >= minimumFeedCorrection * unit &&
           percentage.mantissa <= maximumFeedCorrection * unit;
}

} // namespace

std::optional<Decimal> parseDecimal(TextView text) {
    Decimal number;
    int digits = 0;
    bool point = false;
    for (const char32_t c : text) {
        if (c == U'.') {
            if (point)
                return std::nullopt;
            point = true;
        } else if (isAsciiDigit(c)) {
            if (number.mantissa == 0 && c == U'0' && !point) // leading zeros carry nothing
                continue;
            if (++digits > maximumDigits)
                return std::nullopt;
            number.mantissa = number.mantissa * 10 + static_cast<std::int64_t>(c - U'0');
            if (point)
                ++number.scale;
        } else {
            return std::nullopt;
        }
    }
    const bool anyDigit = text.find_first_of(U"0123456789") != TextView::npos;
    if (!anyDigit)
        return std::nullopt;
    return number;
}

Text decimalText(Decimal number) {
    while (number.scale > 0 && number.mantissa % 10 == 0) {
        number.mantissa /= 10;
        --number.scale;
    }
    std::string digits = std::to_string(number.mantissa);
    if (number.scale > 0) {
        if (digits.size() <= static_cast<std::size_t>(number.scale))
            digits.insert(0, static_cast<std::size_t>(number.scale) + 1 - digits.size(), '0');
        digits.insert(digits.size() - static_cast<std::size_t>(number.scale), 1, '.');
    }
    return Text(digits.begin(), digits.end());
}

Text trimBlanks(TextView text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && text[first] <= U' ')
        ++first;
    while (last > first && text[last - 1] <= U' ')
        --last;
    return Text(text.substr(first, last - first));
}

FeedCorrection computeFeedCorrection(TextView terminalBlockLength, TextView testPlateLength,
                                     TextView tableCorrectionValue) {
    const std::optional<std::int64_t> b = parseLength(terminalBlockLength);
    const std::optional<std::int64_t> a = parseLength(testPlateLength);
    if (!b || !a || *b == *a || *b == 0 || *a == 0)
        return {FeedCorrectionOutcome::LengthsUnusable, {}};
    const std::optional<Decimal> h = parseDecimal(trimBlanks(tableCorrectionValue));
    if (!h)
        return {FeedCorrectionOutcome::NotANumber, {}};
    // V × 10 = B × H × 10 / A, H = mantissa / 10^scale; integer division
    // cuts towards zero, as all values are positive.
    const std::int64_t tenths = *b * h->mantissa * 10 / (*a * powerOfTen(h->scale));
    const Decimal percentage{tenths, 1};
    if (!inRange(percentage))
        return {FeedCorrectionOutcome::OutOfRange, {}};
    return accepted(percentage);
}

FeedCorrection checkTypedFeedCorrection(TextView text) {
    const std::optional<Decimal> percentage = parseDecimal(text);
    if (!percentage)
        return {FeedCorrectionOutcome::NotANumber, {}};
    if (!inRange(*percentage))
        return {FeedCorrectionOutcome::OutOfRange, {}};
    return accepted(*percentage);
}

} // namespace lumitag::markerfile
