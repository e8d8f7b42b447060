#include "conversion/ColumnAddress.h"

#include "conversion/BoxNumbers.h"
#include "platform/spreadsheet/CellAddress.h"

namespace lumitag::conversion {

namespace {

bool isCapital(char32_t c) {
    return c >= U'A' && c <= U'Z';
}

} // namespace

int lastColumnOf(ColumnBox box) {
    switch (box) {
    case ColumnBox::CountColumn:
        return platform::kLastProgramColumn + 1;
    case ColumnBox::SequenceColumn:
        return platform::kLastProgramColumn + 2;
    case ColumnBox::Column:
        break;
    }
    return platform::kLastProgramColumn;
}

bool isAcceptedColumnText(TextView text, ColumnBox box) {
    if (const std::optional<int> number = boxInteger(text)) {
        return *number >= 1 && *number <= lastColumnOf(box);
    }
    if (text.size() == 1) {
        return isCapital(text[0]);
    }
    if (text.size() == 2) {
        const char32_t lastAfterC = U'V' + (lastColumnOf(box) - platform::kLastProgramColumn);
        if (text[0] == U'A' || text[0] == U'B') {
            return isCapital(text[1]);
        }
        return text[0] == U'C' && text[1] >= U'A' && text[1] <= lastAfterC;
    }
    return false;
}

std::optional<Text> ColumnToLetters(int column) {
    return platform::programColumnLetters(column);
}

ResolvedColumn resolveColumn(TextView text) {
    if (const std::optional<int> number = boxInteger(text)) {
        if (*number > platform::kLastProgramColumn) {
            return {ResolvedColumn::Kind::NumberPast100, 0, {}};
        }
        if (const std::optional<Text> letters = ColumnToLetters(*number)) {
            return {ResolvedColumn::Kind::Column, *number, *letters};
        }
        return {};
    }
    if (const std::optional<int> column = platform::columnNumber(text)) {
        return {ResolvedColumn::Kind::Column, *column, Text(text)};
    }
    return {};
}

} // namespace lumitag::conversion
