#include "ui/SpeedButton.h"

namespace lumitag::ui {

SpeedButton::SpeedButton(Control& parent, std::string name, Text caption) : Control(parent, std::move(name)) {
    setCaption(caption);
}

void SpeedButton::click() {
    if (onClick)
        onClick();
}

void SpeedButton::defaultMouseDown(const MouseEvent& event) {
    if (event.button == MouseButton::Left)
        assign(pressed_, true);
}

void SpeedButton::defaultMouseUp(const MouseEvent& event, bool inside) {
    if (event.button != MouseButton::Left)
        return;
    assign(pressed_, false);
    if (inside)
        click();
}

void SpeedButton::acceleratorPressed() {
    click();
}

} // namespace lumitag::ui
