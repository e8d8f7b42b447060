#include "platform/spreadsheet/CellAddress.h"

#include "platform/Text.h"

#include <algorithm>
#include <string>

namespace lumitag::platform {

namespace {

bool isAsciiLetter(char32_t c) {
    return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z');
}
int letterValue(char32_t c) {
    return c >= U'a' ? static_cast<int>(c - U'a') + 1 : static_cast<int>(c - U'A') + 1;
}

} // namespace

CellArea areaBetween(CellRef a, CellRef b) {
    return CellArea{{std::min(a.row, b.row), std::min(a.column, b.column)},
                    {std::max(a.row, b.row), std::max(a.column, b.column)}};
}

std::optional<Text> columnLetters(int column) {
    if (column < 1 || column > kMaxColumn) {
        return std::nullopt;
    }
    // Bijective base 26: there is no zero digit, "Z" is 26 and "AA" follows it.
    Text letters;
    while (column > 0) {
        const int digit = (column - 1) % 26;
        letters.insert(letters.begin(), static_cast<char32_t>(U'A' + digit));
        column = (column - 1) / 26;
    }
    return letters;
}

std::optional<int> columnNumber(TextView letters) {
    if (letters.empty() || letters.size() > 3) {
        return std::nullopt;
    }
    int column = 0;
    for (const char32_t c : letters) {
        if (!isAsciiLetter(c)) {
            return std::nullopt;
        }
        column = column * 26 + letterValue(c);
    }
    if (column > kMaxColumn) {
        return std::nullopt;
    }
    return column;
}

std::optional<Text> programColumnLetters(int column) {
    if (column < 1 || column > kLastProgramColumn) {
        return std::nullopt;
    }
    return columnLetters(column);
}

std::optional<int> programColumnNumber(TextView letters) {
    const std::optional<int> column = columnNumber(letters);
    if (!column || *column > kLastProgramColumn) {
        return std::nullopt;
    }
    return column;
}

Text cellAddress(CellRef cell) {
    return columnLetters(cell.column).value_or(Text{}) + numberText(cell.row);
}

std::optional<CellRef> parseCellAddress(TextView address) {
    std::size_t split = 0;
    while (split < address.size() && isAsciiLetter(address[split])) {
        ++split;
    }
    const std::optional<int> column = columnNumber(address.substr(0, split));
    const TextView digits = address.substr(split);
    if (!column || digits.empty() || digits.size() > 7 || digits.front() == U'0') {
        return std::nullopt;
    }
    int row = 0;
    for (const char32_t c : digits) {
        if (!isAsciiDigit(c)) {
            return std::nullopt;
        }
        row = row * 10 + static_cast<int>(c - U'0');
    }
    if (row > kMaxRow) {
        return std::nullopt;
    }
    return CellRef{row, *column};
}

} // namespace lumitag::platform
