#include "sheet/ColumnLetters.h"

#include "platform/spreadsheet/CellAddress.h"

#include <algorithm>

namespace lumitag::sheet {

namespace {

constexpr TextView ForbiddenSheetNameCharacters = U":/*?[]\\";

bool allDigits(TextView text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), isAsciiDigit);
}

bool allCapitals(TextView text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char32_t c) { return c >= U'A' && c <= U'Z'; });
}

// The value of a short digit text; the boxes hold at most four characters.
int smallNumber(TextView digits) {
    int value = 0;
    for (const char32_t c : digits)
        value = value * 10 + static_cast<int>(c - U'0');
    return value;
}

} // namespace

Text columnBoxLetters(int column) {
    return platform::programColumnLetters(column).value_or(U"CV");
}

Text nextColumnBoxLetters(TextView letters) {
    if (!allCapitals(letters))
        return {};
    const std::optional<int> column = platform::programColumnNumber(letters);
    if (!column)
        return {};
    return platform::programColumnLetters(*column + 1).value_or(Text{});
}

bool isColumnBoxCharacter(char32_t c) {
    return isAsciiDigit(c) || (c >= U'A' && c <= U'Z');
}

bool isValidColumnBoxText(TextView text) {
    if (text.empty())
        return true;
    if (allDigits(text)) {
        if (text.size() > 3)
            return false;
        const int column = smallNumber(text);
        return column >= 1 && column <= platform::kLastProgramColumn;
    }
    // Capital letters of one or two characters up to "CV"; three letters
    // would name columns the program never addresses.
    return allCapitals(text) && text.size() <= 2 && platform::programColumnNumber(text).has_value();
}

bool isValidRowBoxText(TextView text) {
    if (text.empty())
        return true;
    return allDigits(text) && text.front() != U'0' && text.size() <= 7 &&
           smallNumber(text) <= platform::kMaxRow;
}

bool isForbiddenSheetNameCharacter(char32_t c) {
    return ForbiddenSheetNameCharacters.find(c) != TextView::npos;
}

} // namespace lumitag::sheet
