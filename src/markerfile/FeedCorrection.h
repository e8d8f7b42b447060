#pragma once

#include "platform/Text.h"

#include <cstdint>
#include <optional>

namespace lumitag::markerfile {

// The marker's feed correction ("Hosei="): a percentage by which the marker
// stretches or shrinks its feed. The user marks a test nameplate, measures it
// and the terminal block it is meant for, and the program scales the table's
// own correction value by the ratio of the two lengths.

inline constexpr int minimumFeedCorrection = 80;
inline constexpr int maximumFeedCorrection = 120;

// A decimal number held exactly: mantissa / 10^scale. Percentages are
// compared and cut to one decimal place without binary rounding, so that
// 240 / 300 × 100 is exactly 80 and not 79.9.
struct Decimal {
    std::int64_t mantissa = 0;
    int scale = 0;
};

// Digits with at most one ".", at least one digit, nothing else (no sign, no
// blanks). Nothing for any other text, and for more digits than the
// arithmetic of the feed correction can hold.
std::optional<Decimal> parseDecimal(TextView text);
// The shortest decimal form: "." as decimal mark, no trailing zeros, no
// leading zeros before the units ("100", "98.7", "0.5").
Text decimalText(Decimal number);

// Leading and trailing characters up to U+0020 (blanks, control characters) removed.
Text trimBlanks(TextView text);

enum class FeedCorrectionOutcome {
    // The percentage is in range and goes into the header.
    Accepted,
    // Equal lengths, a zero length, or a length that is not a whole number:
    // the test-plate length is dropped without a message.
    LengthsUnusable,
    // Below 80 or above 120.
    OutOfRange,
    // The table's correction value (or the typed percentage) is not a number.
    NotANumber,
};

struct FeedCorrection {
    FeedCorrectionOutcome outcome = FeedCorrectionOutcome::LengthsUnusable;
    // The percentage in its shortest form; set when accepted.
    Text percentage;
};

// B / A × H cut (not rounded) to one decimal place, for the terminal-block
// length B, the test-plate length A and the table's correction value H
// (trimmed before reading).
FeedCorrection computeFeedCorrection(TextView terminalBlockLength, TextView testPlateLength,
                                     TextView tableCorrectionValue);

// A percentage typed by the user: accepted from 80 to 120 inclusive.
FeedCorrection checkTypedFeedCorrection(TextView text);

} // namespace lumitag::markerfile
