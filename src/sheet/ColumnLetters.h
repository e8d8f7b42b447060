#pragma once

#include "platform/Text.h"

namespace lumitag::sheet {

// The letters the column box shows for a column: "A" to "CV" for 1 to 100;
// any other column shows "CV", the last one the program addresses.
Text columnBoxLetters(int column);

// The column after a column given by its letters "A" to "CU": "Z" gives
// "AA", "AZ" "BA", "BZ" "CA". After "CV", the last column the program
// addresses, and after anything that is no such column, comes nothing ("").
Text nextColumnBoxLetters(TextView letters);

// The characters the column box takes from the keyboard: digits and capital letters.
bool isColumnBoxCharacter(char32_t c);
// A column box text the transfer can use: a number 1 to 100, or the letters
// of a column "A" to "CV". An empty box is left alone.
bool isValidColumnBoxText(TextView text);

// A row box text the transfer can use: a number without a leading zero. An
// empty box is left alone.
bool isValidRowBoxText(TextView text);

// The characters a sheet name may not hold.
bool isForbiddenSheetNameCharacter(char32_t c);

} // namespace lumitag::sheet
