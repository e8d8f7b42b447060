#pragma once

#include "platform/Text.h"
#include "tools/TextEdits.h"

#include <optional>

namespace lumitag::tools {

// The multi-line mark: a line break inside one work. A marking text holds at most two.
inline constexpr char32_t MultiLineMark = U'|';

int markCount(TextView text);

// What the multi-line bulk insertion is asked to do.
struct MarkInsertion {
    enum class Mode { Position, Keyword };

    int minimumLength = 0; // texts shorter than this (marks counted) are skipped
    Mode mode = Mode::Position;
    int position = 0;   // position mode: the q-th character, marks not counted
    Text keyword;       // keyword mode
    int occurrence = 0; // keyword mode: 0 when the box is empty
    Side side = Side::Before;
};

// The insertion of one mark into a gap of the text. A new mark never begins or
// ends a text and never stands next to the existing mark; a text that holds
// two marks already is never changed. nullopt: nothing is inserted.

// Position mode: the gap directly before or after the q-th character that is not a mark.
std::optional<Text> insertMarkAtPosition(TextView text, int q, Side side);
// Keyword mode: the gap directly before or after the chosen occurrence of the
// keyword (the occurrence rule, marks included in the text searched).
std::optional<Text> insertMarkAtKeyword(TextView text, TextView keyword, int n, Side side);

// Whether a selected row offers a place, which decides whether the bulk
// insertion runs at all. The keyword mode also accepts a text with one mark
// whose first occurrence is refused only because of that mark, when an
// occurrence number of 2 to 5 is given and the keyword still occurs once the
// first n - 1 occurrences have been removed one after another.
bool offersMarkPlace(TextView text, const MarkInsertion& request);

// The text after the bulk insertion: with one mark more, or unchanged.
Text insertMark(TextView text, const MarkInsertion& request);

} // namespace lumitag::tools
