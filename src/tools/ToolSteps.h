#pragma once

#include "platform/Text.h"

#include <functional>

namespace lumitag::ui {
class Application;
class Edit;
} // namespace lumitag::ui

namespace lumitag::marking {
class ListUndo;
class MarkingList;
} // namespace lumitag::marking

namespace lumitag::tools {

// Steps the bulk tools of the edit and multi-line panels share.

// What the small boxes accept: an occurrence number 1 to 5, a position 1 to 9.
inline constexpr TextView OccurrenceDigits = U"12345";
inline constexpr TextView PositionDigits = U"123456789";
// Keyword and delete boxes hold at most this many characters.
inline constexpr int KeywordMaxLength = 10;

// A cell editor still open in the list gives its text to the cell first, so
// that the tool works on what the user sees and the editor's later commit
// cannot overwrite the tool's change with the text from before it.
void commitCellEditor(marking::MarkingList& list);

// After a tool: "<changed>箇所：<what>" and the four 取消 buttons enabled.
// (Before it, ListUndo::TakeToolUndo makes the tool undoable.)
void finishTool(ui::Application& app, marking::ListUndo& undo, int changed, TextView what);

// An information box with the program's title.
void showToolMessage(ui::Application& app, TextView text);

// Rewrites column `col` of rows top .. bottom with `edit`; returns the number
// of rows whose text changed.
int rewriteColumn(marking::MarkingList& list, int col, int top, int bottom,
                  const std::function<Text(const Text&)>& edit);

// The look and feel every box of the tool panels shares: the focus colour
// while it has the focus, the normal window colour otherwise.
void colourWhileFocused(ui::Edit& box);
void focusAndSelectAll(ui::Edit& box);

// The digit of a one-character box, 0 when it is empty.
int digitOf(const ui::Edit& box);

// Key filters of the tool boxes: the listed characters and Backspace pass;
// everything else, Enter included, is dropped.
bool acceptsCharacter(TextView accepted, char32_t character);
// Gives a box that key filter. `accepted` must outlive the box (a literal).
void acceptOnly(ui::Edit& box, TextView accepted);
// Enter is the boxes' command key; it never reaches a box as a character.
void dropEnter(char32_t& character);

// The caret as the arrow-key moves between boxes see it: the start of the
// selection, so that a box whose whole text is selected counts as "at the start".
bool caretAtStart(const ui::Edit& box);
bool caretAtEnd(const ui::Edit& box);

} // namespace lumitag::tools
