#pragma once

#include "conversion/ColumnAddress.h"
#include "conversion/ConversionSettings.h"
#include "platform/Text.h"

namespace lumitag::conversion {

// The rules a settings box of the blue window applies when it is left. An
// empty box passes every rule: a setting may be filled in any order.

// The boxes of a setting by what they hold.
enum class SettingBox {
    Column1,
    Column2,
    Column3,
    Column4,
    StartRow,
    EndRow,
    Count,
    SequenceColumn,
};

// A column, count or sequence column box in the given work mode. Column 3 is
// free in every mode but 複数列を連続 (it may hold a remark); the count box
// names a column (up to CW) in 線番・記銘板等 and is a count 1 to 999
// otherwise; the sequence column (up to CX) is judged only in 線番・記銘板等.
bool isAcceptedBoxText(SettingBox box, WorkMode mode, TextView text);

// A start row: a number without a leading zero.
bool isAcceptedStartRowText(TextView text);

enum class EndRowVerdict {
    Accepted,
    Rejected,        // emptied, the focus stays in the end row box
    StartRowMissing, // emptied, the focus goes to the start row box
};
// An end row beside its start row: a number without a leading zero, and not
// above the start row; without a start row it cannot be judged.
EndRowVerdict judgeEndRow(TextView startRow, TextView endRow);

// Whether a count box text fits a work mode it is switched to: a count in
// the first three modes, a column in 線番・記銘板等. The box is emptied when not.
bool countTextFitsMode(TextView text, WorkMode mode);

// What a settings box takes from the keyboard.
enum class KeyFilter {
    ColumnCharacters, // digits and capital letters; anything else is refused with a message
    Digits,           // digits; anything else is dropped silently
    Occurrence,       // 1 to 5; anything else is dropped silently
    Any,
};
KeyFilter keyFilterOf(SettingBox box, WorkMode mode);
// Whether the character passes. Backspace always passes.
bool passesKeyFilter(KeyFilter filter, char32_t character);

} // namespace lumitag::conversion
