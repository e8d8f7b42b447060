#pragma once

#include "ui/Control.h"

namespace lumitag::ui {

// A radio button; the radio buttons of one parent form a group in which at
// most one is checked. Becoming checked, by the user or in code, runs the
// click handler and unchecks the siblings (their handlers do not run).
class RadioButton : public Control {
public:
    RadioButton(Control& parent, std::string name, Text caption = {});

    ControlKind kind() const override { return ControlKind::RadioButton; }
    FocusPolicy focusPolicy() const override { return FocusPolicy::TakesFocus; }

    bool checked() const { return checked_; }
    void setChecked(bool checked);

protected:
    void defaultChar(char32_t character) override;
    void defaultMouseUp(const MouseEvent& event, bool inside) override;
    void acceleratorPressed() override;

private:
    bool checked_ = false;
};

} // namespace lumitag::ui
