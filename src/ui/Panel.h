#pragma once

#include "ui/Control.h"

namespace lumitag::ui {

// A container with a background colour and an optional centred caption.
class Panel : public Control {
public:
    Panel(Control& parent, std::string name) : Control(parent, std::move(name)) {}

    ControlKind kind() const override { return ControlKind::Panel; }
};

} // namespace lumitag::ui
