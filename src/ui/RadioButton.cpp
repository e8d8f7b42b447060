#include "ui/RadioButton.h"

namespace lumitag::ui {

RadioButton::RadioButton(Control& parent, std::string name, Text caption) : Control(parent, std::move(name)) {
    setCaption(caption);
    setParentColor(true);
}

void RadioButton::setChecked(bool checked) {
    if (!assign(checked_, checked))
        return;
    setTabStop(checked);
    if (!checked)
        return;
    if (parent() != nullptr) {
        for (Control* sibling : parent()->children()) {
            if (sibling != this && sibling->kind() == ControlKind::RadioButton)
                static_cast<RadioButton*>(sibling)->setChecked(false);
        }
    }
    if (onClick)
        onClick();
}

void RadioButton::defaultChar(char32_t character) {
    if (character == U' ')
        setChecked(true);
}

void RadioButton::defaultMouseUp(const MouseEvent& event, bool inside) {
    if (event.button == MouseButton::Left && inside)
        setChecked(true);
}

void RadioButton::acceleratorPressed() {
    setFocus();
    setChecked(true);
}

} // namespace lumitag::ui
