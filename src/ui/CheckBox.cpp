#include "ui/CheckBox.h"

namespace lumitag::ui {

CheckBox::CheckBox(Control& parent, std::string name, Text caption) : Control(parent, std::move(name)) {
    setCaption(caption);
    setParentColor(true);
    setTabStop(true);
}

void CheckBox::setChecked(bool checked) {
    if (assign(checked_, checked) && onClick)
        onClick();
}

void CheckBox::defaultChar(char32_t character) {
    if (character == U' ')
        toggle();
}

void CheckBox::defaultMouseUp(const MouseEvent& event, bool inside) {
    if (event.button == MouseButton::Left && inside)
        toggle();
}

void CheckBox::acceleratorPressed() {
    setFocus();
    toggle();
}

} // namespace lumitag::ui
