#pragma once

#include "entry/SequenceGroup.h"
#include "platform/Text.h"

namespace lumitag::entry {

// The input rules of the start, middle and end boxes of a sequence group.

enum class SequenceBox { Start, Middle, End };

// Whether a typed character may go into the box. In range mode the start and
// end boxes take only ASCII digits and letters; in pair and three-value mode,
// and in the middle box, everything but the space goes. Backspace always passes.
bool acceptsCharacter(SequenceMode mode, SequenceBox box, char32_t character);

// Whether a range-mode start or end box keeps its text when it loses the focus:
// empty, or one character from 0-9, A-Z, a-z, or two characters from 0-9, A-F,
// or three decimal digits. Any other text is emptied by the window (no message).
bool isValidRangeText(TextView text);

} // namespace lumitag::entry
