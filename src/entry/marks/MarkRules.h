#pragma once

#include "platform/Text.h"

namespace lumitag::entry {

inline constexpr char32_t NumberingOpen = U'【';
inline constexpr char32_t NumberingClose = U'】';
inline constexpr char32_t MultiLineMark = U'|';

// The result of a click into a list cell in one of the mark modes.
struct MarkClick {
    enum class Change { None, Inserted, Removed };

    Text text;
    int caret = 0; // where the editor's caret stands afterwards
    Change change = Change::None;
    char32_t mark = 0; // the mark inserted or removed
    // A mark was inserted at the very end of the text: the editor stays open.
    bool keepsEditorOpen = false;

    bool operator==(const MarkClick&) const = default;
};

// Multi-line mark mode: with the caret at `caret` (characters before it), a
// click next to a "|" removes it (the second one first), elsewhere inserts
// one while the text holds at most one; at the start nothing changes.
MarkClick multiLineMarkClick(TextView text, int caret);

// Numbering mark mode: a click one character before or after a bracket
// removes it ("【" first); a text without brackets (or with only a "】"
// after the caret) gets "【"; a "【" with at least two characters after it
// is closed by "】" when the characters from the second one to the caret
// read as a hexadecimal number.
MarkClick numberingMarkClick(TextView text, int caret);

// Whether a text reads as a hexadecimal number (digits, A–F, a–f; 32 bits).
bool readsAsHexadecimal(TextView text);

// The text without its first "【" and then its first "】": what the
// full-width refusals of the marks test.
Text withoutFirstBrackets(TextView text);
bool hasCharacterAbove127(TextView text);

// The caret lies inside the numbering of `text`: more than `margin`
// characters after its "【" and, when it has a "】", before that one.
bool caretInsideNumbering(TextView text, int caret, int margin = 0);

} // namespace lumitag::entry
