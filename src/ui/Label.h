#pragma once

#include "ui/Control.h"

namespace lumitag::ui {

// Static text. A label is transparent: it shows its parent's colour.
class Label : public Control {
public:
    Label(Control& parent, std::string name, Text caption = {}) : Control(parent, std::move(name)) {
        setParentColor(true);
        setCaption(caption);
    }

    ControlKind kind() const override { return ControlKind::Label; }
};

} // namespace lumitag::ui
