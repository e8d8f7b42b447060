#pragma once

#include "platform/Text.h"

namespace lumitag::sheet {

// The letters the column box shows for a column: "A" to "CV" for 1 to 100;
// any other column shows "CV", the last one the program addresses.
Text columnBoxLetters(int column);

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
