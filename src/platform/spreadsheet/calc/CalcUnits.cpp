#include "platform/spreadsheet/calc/CalcUnits.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace lumitag::platform::calc {

namespace {

constexpr double kHundredthMmPerPoint = 2540.0 / 72.0;
constexpr double kPointsPerCharacter = 11.0 / 2.0;
constexpr double kPaddingCharacters = 0.7;
// One character with its padding: where the two linear pieces meet.
constexpr double kPointsOfOneCharacter = (1.0 + kPaddingCharacters) * kPointsPerCharacter;

} // namespace

int columnWidthToHundredthMm(double characters) {
    characters = std::max(characters, 0.0);
    const double points = characters < 1.0 ? characters * kPointsOfOneCharacter
                                           : (characters + kPaddingCharacters) * kPointsPerCharacter;
    return static_cast<int>(std::lround(points * kHundredthMmPerPoint));
}

double columnWidthFromHundredthMm(int hundredthMm) {
    const double points = std::max(hundredthMm, 0) / kHundredthMmPerPoint;
    const double characters = points < kPointsOfOneCharacter
                                  ? points / kPointsOfOneCharacter
                                  : points / kPointsPerCharacter - kPaddingCharacters;
    // Hundredths of a character, as the spreadsheet reports widths.
    return std::round(characters * 100.0) / 100.0;
}

int pointsToHundredthMm(double points) {
    return static_cast<int>(std::lround(points * kHundredthMmPerPoint));
}

double pointsFromHundredthMm(int hundredthMm) {
    return hundredthMm / kHundredthMmPerPoint;
}

double rowHeightFromHundredthMm(int hundredthMm) {
    return std::round(pointsFromHundredthMm(hundredthMm) * 20.0) / 20.0;
}

Text numberAsText(double value) {
    if (value == 0.0) {
        return U"0"; // also for -0
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    Text text;
    for (const char* p = buffer; *p != '\0'; ++p) {
        text.push_back(static_cast<char32_t>(static_cast<unsigned char>(*p)));
    }
    // "%G" writes "1E+20" and "1E-07"; the spreadsheet writes "1E-07" too.
    return text;
}

} // namespace lumitag::platform::calc
