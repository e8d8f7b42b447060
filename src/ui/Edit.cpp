#include "ui/Edit.h"

#include "platform/Clipboard.h"
#include "ui/Application.h"

#include <algorithm>

namespace lumitag::ui {
namespace {
constexpr int textIndent = 3; // pixels between the border and the first character

// A single-line box takes a pasted text up to its first line break.
TextView firstLine(TextView text) {
    return text.substr(0, std::min(text.find(U'\r'), text.find(U'\n')));
}
} // namespace

Edit::Edit(Control& parent, std::string name) : Control(parent, std::move(name)) {
    setDefaultColor(colors::Window);
    setTabStop(true);
}

template <class Step> void Edit::edit(Step step) {
    const Text before = editor_.text();
    const int caret = editor_.caret();
    const int selLength = editor_.selLength();
    step(editor_);
    if (editor_.text() != before) {
        changed();
        if (onChange)
            onChange();
    } else if (editor_.caret() != caret || editor_.selLength() != selLength) {
        changed();
    }
}

void Edit::setText(const Text& text) {
    if (text == editor_.text())
        return;
    edit([&text](EditableText& editor) { editor.setText(text); });
}

void Edit::setSelStart(int start) {
    edit([start](EditableText& editor) { editor.moveCaret(start, false); });
}

void Edit::setSelLength(int length) {
    const int start = editor_.selStart();
    edit([start, length](EditableText& editor) { editor.setSelection(start, length); });
}

void Edit::setSelText(const Text& text) {
    edit([&text](EditableText& editor) { editor.insert(text); });
}

void Edit::selectAll() {
    edit([](EditableText& editor) { editor.selectAll(); });
}

void Edit::setMaxLength(int length) {
    assign(maxLength_, std::max(0, length));
}

void Edit::setReadOnly(bool readOnly) {
    assign(readOnly_, readOnly);
}

void Edit::setImeMode(ImeMode mode) {
    assign(imeMode_, mode);
}

void Edit::defaultKeyDown(KeyEvent& event) {
    const bool extend = event.shift();
    switch (event.key) {
    case Key::Left:
    case Key::Right:
    case Key::Home:
    case Key::End:
        edit([&event, extend](EditableText& e) { e.moveCaretByKey(event.key, extend); });
        break;
    case Key::Delete:
        if (!readOnly_) {
            if (event.shift()) { // Shift+Delete cuts
                defaultChar(chars::CtrlX);
            } else {
                edit([](EditableText& e) { e.deleteForward(); });
            }
        }
        break;
    default:
        return;
    }
    event.consume();
}

void Edit::defaultChar(char32_t character) {
    platform::Clipboard* clipboard = application().clipboard();
    switch (character) {
    case chars::Backspace:
        if (!readOnly_)
            edit([](EditableText& e) { e.backspace(); });
        return;
    case chars::CtrlA:
        selectAll();
        return;
    case chars::CtrlC:
        if (clipboard != nullptr && editor_.hasSelection())
            clipboard->setText(editor_.selectedText());
        return;
    case chars::CtrlX:
        if (clipboard != nullptr && editor_.hasSelection() && !readOnly_) {
            clipboard->setText(editor_.selectedText());
            edit([](EditableText& e) { e.insert({}); });
        }
        return;
    case chars::CtrlV:
        if (clipboard != nullptr && !readOnly_) {
            const Text pasted = clipboard->text();
            edit([&](EditableText& e) { e.insert(firstLine(pasted), maxLength_); });
        }
        return;
    default:
        break;
    }
    // Enter, Esc and other control characters never insert anything.
    if (character < 0x20 || character == 0x7F || readOnly_)
        return;
    const Text inserted(1, character);
    edit([&](EditableText& e) { e.insert(inserted, maxLength_); });
}

int Edit::positionAt(int x) const {
    return application().textMetrics().positionAt(editor_.text(), font(), x - textIndent);
}

void Edit::defaultMouseDown(const MouseEvent& event) {
    if (event.button != MouseButton::Left)
        return;
    const int position = positionAt(event.position.x);
    const bool extend = event.modifiers == Modifiers::Shift;
    edit([position, extend](EditableText& e) { e.moveCaret(position, extend); });
}

void Edit::defaultMouseMove(const MouseEvent& event) {
    if (application().mouseCapture() != this || event.button != MouseButton::Left)
        return;
    const int position = positionAt(event.position.x);
    edit([position](EditableText& e) { e.moveCaret(position, true); });
}

void Edit::defaultDoubleClick(const MouseEvent& event) {
    if (event.button != MouseButton::Left)
        return;
    // A double click selects the word under the pointer: the run of
    // characters between spaces.
    const Text& text = editor_.text();
    int start = std::min(positionAt(event.position.x), editor_.size());
    int end = start;
    while (start > 0 && text[static_cast<std::size_t>(start - 1)] != U' ')
        --start;
    while (end < editor_.size() && text[static_cast<std::size_t>(end)] != U' ')
        ++end;
    edit([start, end](EditableText& e) { e.setSelection(start, end - start); });
}

} // namespace lumitag::ui
