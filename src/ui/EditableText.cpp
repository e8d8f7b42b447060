#include "ui/EditableText.h"

#include <algorithm>

namespace lumitag::ui {

int EditableText::clamp(int position) const {
    return std::clamp(position, 0, size());
}

void EditableText::setText(Text text) {
    text_ = std::move(text);
    caret_ = 0;
    anchor_ = 0;
}

Text EditableText::selectedText() const {
    return text_.substr(static_cast<std::size_t>(selStart()), static_cast<std::size_t>(selLength()));
}

void EditableText::setSelection(int start, int length) {
    anchor_ = clamp(start);
    caret_ = clamp(anchor_ + std::max(0, length));
}

void EditableText::moveCaret(int position, bool extend) {
    caret_ = clamp(position);
    if (!extend)
        anchor_ = caret_;
}

bool EditableText::moveCaretByKey(Key key, bool extend) {
    switch (key) {
    case Key::Left:
        moveCaret(!extend && hasSelection() ? selStart() : caret_ - 1, extend);
        return true;
    case Key::Right:
        moveCaret(!extend && hasSelection() ? selStart() + selLength() : caret_ + 1, extend);
        return true;
    case Key::Home:
        moveCaret(0, extend);
        return true;
    case Key::End:
        moveCaret(size(), extend);
        return true;
    default:
        return false;
    }
}

bool EditableText::applyEditingKey(Key key, bool extend) {
    if (key == Key::Delete) {
        deleteForward();
        return true;
    }
    return moveCaretByKey(key, extend);
}

bool EditableText::insert(TextView inserted, int maxLength) {
    const int start = selStart();
    const int removed = selLength();
    TextView kept = inserted;
    if (maxLength > 0) {
        const int room = std::max(0, maxLength - (size() - removed));
        if (static_cast<int>(kept.size()) > room)
            kept = kept.substr(0, static_cast<std::size_t>(room));
    }
    if (removed == 0 && kept.empty())
        return false;
    text_.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(removed), kept);
    caret_ = anchor_ = start + static_cast<int>(kept.size());
    return true;
}

bool EditableText::backspace() {
    if (hasSelection())
        return insert({});
    if (caret_ == 0)
        return false;
    text_.erase(static_cast<std::size_t>(caret_ - 1), 1);
    caret_ = anchor_ = caret_ - 1;
    return true;
}

bool EditableText::deleteForward() {
    if (hasSelection())
        return insert({});
    if (caret_ >= size())
        return false;
    text_.erase(static_cast<std::size_t>(caret_), 1);
    return true;
}

} // namespace lumitag::ui
