#include "ui/Button.h"

namespace lumitag::ui {

Button::Button(Control& parent, std::string name, Text caption) : Control(parent, std::move(name)) {
    setCaption(caption);
    setTabStop(true);
}

void Button::click() {
    if (onClick)
        onClick();
}

void Button::defaultKeyDown(KeyEvent& event) {
    // Enter on the focused button presses it, as a dialog key: no character follows.
    if (event.key == Key::Enter && !event.alt() && !event.ctrl()) {
        event.consume();
        click();
    }
}

void Button::defaultChar(char32_t character) {
    if (character == U' ')
        click();
}

void Button::defaultMouseDown(const MouseEvent& event) {
    if (event.button == MouseButton::Left)
        assign(pressed_, true);
}

void Button::defaultMouseUp(const MouseEvent& event, bool inside) {
    if (event.button != MouseButton::Left)
        return;
    assign(pressed_, false);
    if (inside)
        click();
}

void Button::acceleratorPressed() {
    setFocus();
    click();
}

} // namespace lumitag::ui
