#include "conversion/SettingRules.h"

#include "conversion/BoxNumbers.h"

#include <algorithm>

namespace lumitag::conversion {

namespace {

// Digits only: a sign, a space or a full-width digit makes no row or count
// that a person could mean.
bool isPlainNumber(TextView text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), isAsciiDigit);
}

bool isRowNumber(TextView text) {
    return isPlainNumber(text) && text.front() != U'0';
}

} // namespace

bool isAcceptedBoxText(SettingBox box, WorkMode mode, TextView text) {
    if (text.empty())
        return true;
    switch (box) {
    case SettingBox::Column1:
    case SettingBox::Column2:
    case SettingBox::Column4:
        return isAcceptedColumnText(text, ColumnBox::Column);
    case SettingBox::Column3:
        return mode != WorkMode::ColumnsInTurn || isAcceptedColumnText(text, ColumnBox::Column);
    case SettingBox::Count:
        if (mode == WorkMode::WireNumbers)
            return isAcceptedColumnText(text, ColumnBox::CountColumn);
        return isRowNumber(text);
    case SettingBox::SequenceColumn:
        return mode != WorkMode::WireNumbers || isAcceptedColumnText(text, ColumnBox::SequenceColumn);
    case SettingBox::StartRow:
        return isAcceptedStartRowText(text);
    case SettingBox::EndRow:
        return isRowNumber(text);
    }
    return true;
}

bool isAcceptedStartRowText(TextView text) {
    return text.empty() || isRowNumber(text);
}

EndRowVerdict judgeEndRow(TextView startRow, TextView endRow) {
    if (endRow.empty())
        return EndRowVerdict::Accepted;
    if (startRow.empty())
        return EndRowVerdict::StartRowMissing;
    if (!isRowNumber(endRow))
        return EndRowVerdict::Rejected;
    // Both have at most four digits; a start row that is no number is the
    // start row box's own fault and judged there.
    const std::optional<int> start = boxInteger(startRow);
    const std::optional<int> end = boxInteger(endRow);
    return start && end && *end < *start ? EndRowVerdict::Rejected : EndRowVerdict::Accepted;
}

bool countTextFitsMode(TextView text, WorkMode mode) {
    const bool isNumber = boxInteger(text).has_value();
    return mode == WorkMode::WireNumbers ? !isNumber : isNumber;
}

KeyFilter keyFilterOf(SettingBox box, WorkMode mode) {
    switch (box) {
    case SettingBox::Column1:
    case SettingBox::Column2:
    case SettingBox::Column4:
    case SettingBox::SequenceColumn:
        return KeyFilter::ColumnCharacters;
    case SettingBox::Column3:
        return mode == WorkMode::ColumnsOnOneLine ? KeyFilter::Any : KeyFilter::ColumnCharacters;
    case SettingBox::Count:
        return mode == WorkMode::WireNumbers ? KeyFilter::ColumnCharacters : KeyFilter::Digits;
    case SettingBox::StartRow:
    case SettingBox::EndRow:
        return KeyFilter::Digits;
    }
    return KeyFilter::Any;
}

bool passesKeyFilter(KeyFilter filter, char32_t character) {
    if (character == U'\b')
        return true;
    switch (filter) {
    case KeyFilter::ColumnCharacters:
        return isAsciiDigit(character) || (character >= U'A' && character <= U'Z');
    case KeyFilter::Digits:
        return isAsciiDigit(character);
    case KeyFilter::Occurrence:
        return character >= U'1' && character <= U'5';
    case KeyFilter::Any:
        return true;
    }
    return true;
}

} // namespace lumitag::conversion
