#include "ui/ComboBox.h"

#include "platform/Clipboard.h"
#include "ui/Application.h"

#include <algorithm>

namespace lumitag::ui {

ComboBox::ComboBox(Control& parent, std::string name) : Control(parent, std::move(name)) {
    setDefaultColor(colors::Window);
    setTabStop(true);
}

void ComboBox::setStyle(ComboStyle style) {
    assign(style_, style);
}

void ComboBox::setItems(std::vector<Text> items) {
    if (items_ == items)
        return;
    items_ = std::move(items);
    itemIndex_ = findItem(editor_.text());
    changed();
}

void ComboBox::addItem(const Text& item) {
    items_.push_back(item);
    changed();
}

int ComboBox::findItem(const Text& text) const {
    const auto it = std::find(items_.begin(), items_.end(), text);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void ComboBox::setItemIndex(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size()))
        index = -1;
    const Text text = index >= 0 ? items_[static_cast<std::size_t>(index)] : Text{};
    if (itemIndex_ == index && editor_.text() == text)
        return;
    itemIndex_ = index;
    editor_.setText(text);
    changed();
}

void ComboBox::setText(const Text& text) {
    const int index = findItem(text);
    if (style_ == ComboStyle::DropDownList && index < 0 && !text.empty())
        return; // a drop-down list shows only its items
    if (editor_.text() == text && itemIndex_ == index)
        return;
    editor_.setText(text);
    itemIndex_ = index;
    changed();
}

void ComboBox::selectAll() {
    editor_.selectAll();
    changed();
}

void ComboBox::setMaxLength(int length) {
    assign(maxLength_, std::max(0, length));
}

void ComboBox::openList() {
    if (droppedDown_)
        return;
    if (onDropDown)
        onDropDown();
    droppedDown_ = true;
    changed();
}

void ComboBox::closeList() {
    if (!droppedDown_)
        return;
    droppedDown_ = false;
    changed();
    if (onCloseUp)
        onCloseUp();
}

void ComboBox::choose(int index) {
    const bool wasOpen = droppedDown_;
    droppedDown_ = false;
    changed();
    userChoose(index);
    if (wasOpen && onCloseUp)
        onCloseUp();
}

void ComboBox::userChoose(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size()))
        return;
    itemIndex_ = index;
    editor_.setText(items_[static_cast<std::size_t>(index)]);
    editor_.selectAll();
    changed();
    if (onClick)
        onClick();
    if (onChange)
        onChange();
}

void ComboBox::defaultKeyDown(KeyEvent& event) {
    const int count = static_cast<int>(items_.size());
    if ((event.key == Key::Down && event.alt()) || event.key == Key::F4) {
        droppedDown_ ? closeList() : openList();
        event.consume();
        return;
    }
    if (event.key == Key::Down || event.key == Key::Up) {
        const int step = event.key == Key::Down ? 1 : -1;
        const int next = std::clamp(itemIndex_ + step, 0, count - 1);
        if (count > 0 && next != itemIndex_)
            userChoose(next);
        event.consume();
        return;
    }
    if (droppedDown_ && (event.key == Key::Enter || event.key == Key::Escape)) {
        closeList();
        event.consume();
        return;
    }
    if (style_ == ComboStyle::DropDownList)
        return;
    const bool extend = event.shift();
    const Text before = editor_.text();
    if (!editor_.applyEditingKey(event.key, extend))
        return;
    event.consume();
    changed();
    if (editor_.text() != before) {
        itemIndex_ = findItem(editor_.text());
        if (onChange)
            onChange();
    }
}

void ComboBox::defaultChar(char32_t character) {
    if (style_ == ComboStyle::DropDownList) {
        // Typing picks the next item that starts with the character.
        const int count = static_cast<int>(items_.size());
        for (int i = 1; i <= count; ++i) {
            const int candidate = (std::max(itemIndex_, -1) + i + count) % count;
            const Text& item = items_[static_cast<std::size_t>(candidate)];
            if (!item.empty() && item.front() == character) {
                if (candidate != itemIndex_)
                    userChoose(candidate);
                return;
            }
        }
        return;
    }
    const Text before = editor_.text();
    platform::Clipboard* clipboard = application().clipboard();
    if (character == chars::Backspace) {
        editor_.backspace();
    } else if (character == chars::CtrlA) {
        editor_.selectAll();
    } else if (character == chars::CtrlC) {
        if (clipboard != nullptr && editor_.hasSelection())
            clipboard->setText(editor_.selectedText());
    } else if (character == chars::CtrlX) {
        if (clipboard != nullptr && editor_.hasSelection()) {
            clipboard->setText(editor_.selectedText());
            editor_.insert({});
        }
    } else if (character == chars::CtrlV) {
        if (clipboard != nullptr) {
            const Text pasted = clipboard->text();
            editor_.insert(TextView(pasted).substr(0, std::min(pasted.find(U'\r'), pasted.find(U'\n'))),
                           maxLength_);
        }
    } else if (character >= 0x20 && character != 0x7F) {
        editor_.insert(Text(1, character), maxLength_);
    }
    changed();
    if (editor_.text() != before) {
        itemIndex_ = findItem(editor_.text());
        if (onChange)
            onChange();
    }
}

void ComboBox::defaultMouseDown(const MouseEvent& event) {
    if (event.button != MouseButton::Left)
        return;
    // The list opens from the arrow button, or from anywhere in a drop-down list.
    const bool onArrow = event.position.x >= width() - 17;
    if (style_ == ComboStyle::DropDownList || onArrow) {
        droppedDown_ ? closeList() : openList();
    } else {
        const int position =
            application().textMetrics().positionAt(editor_.text(), font(), event.position.x - 3);
        editor_.moveCaret(position, event.modifiers == Modifiers::Shift);
        changed();
    }
}

void ComboBox::focusLost() {
    closeList();
}

} // namespace lumitag::ui
