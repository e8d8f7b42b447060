#pragma once

#include "platform/Text.h"

namespace lumitag::tools {

// Which side of a place an insertion goes: 前に挿入 or 後に挿入.
enum class Side { Before, After };

// The edits the replace, delete and insert tools make in one cell text. Each
// returns the text unchanged when the occurrence rule (Occurrence.h) or the
// position leaves nothing to act on; `n` is the occurrence number, 0 when the
// box is empty.

// Replaces the chosen occurrence of `target` by `replacement`.
Text replaceOccurrence(TextView text, TextView target, TextView replacement, int n);
// Removes the chosen occurrence of `target`.
Text deleteOccurrence(TextView text, TextView target, int n);

// Position mode: `position` is the digit of the position box, 0 when it is
// empty. Before: the insertion begins at character `position` (the start for
// 0). After: it follows character `position` (the start for 0). A text of
// fewer than `position` characters is left as it is.
Text insertAtPosition(TextView text, TextView insertion, int position, Side side);
// Whether a text is long enough for the position mode.
bool reachesPosition(TextView text, int position);

// Keyword mode: the insertion goes directly before or after the chosen
// occurrence of `keyword`.
Text insertAtKeyword(TextView text, TextView insertion, TextView keyword, int n, Side side);

} // namespace lumitag::tools
