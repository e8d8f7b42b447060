#pragma once

#include "platform/Text.h"
#include "ui/Key.h"

namespace lumitag::ui {

// A line of text with a caret and a selection: the state and the editing
// steps shared by edit boxes, the text part of combo boxes and the grid's
// cell editor. Positions count code points. The selection runs from the
// anchor to the caret, in either direction.
class EditableText {
public:
    const Text& text() const { return text_; }
    // Replaces the text; the caret goes to the start, nothing is selected.
    void setText(Text text);

    int caret() const { return caret_; }
    int selStart() const { return anchor_ < caret_ ? anchor_ : caret_; }
    int selLength() const { return anchor_ < caret_ ? caret_ - anchor_ : anchor_ - caret_; }
    Text selectedText() const;
    bool hasSelection() const { return anchor_ != caret_; }

    // Selects `length` characters from `start` (clamped) with the caret at the end.
    void setSelection(int start, int length);
    void selectAll() { setSelection(0, size()); }
    // Moves the caret; with `extend` the anchor stays and the selection grows.
    void moveCaret(int position, bool extend);
    // The caret keys every single-line editor shares (Left, Right, Home, End;
    // with `extend` they grow the selection, without it Left and Right first
    // collapse a selection to its near end). False for any other key.
    bool moveCaretByKey(Key key, bool extend);
    // The caret keys and Delete (the character after the caret, or the
    // selection), as a writable single-line editor handles them.
    bool applyEditingKey(Key key, bool extend);

    // Replaces the selection by `inserted`, keeping the whole text within
    // `maxLength` code points (0: no limit) by cutting the inserted text.
    // False when nothing changed.
    bool insert(TextView inserted, int maxLength = 0);
    // Deletes the selection, else the character before the caret.
    bool backspace();
    // Deletes the selection, else the character after the caret.
    bool deleteForward();

    int size() const { return static_cast<int>(text_.size()); }

private:
    int clamp(int position) const;

    Text text_;
    int caret_ = 0;
    int anchor_ = 0;
};

} // namespace lumitag::ui
