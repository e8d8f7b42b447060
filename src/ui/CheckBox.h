#pragma once

#include "ui/Control.h"

namespace lumitag::ui {

// A check box. Changing its state, by the user or in code, runs the click
// handler; a handler bound to mouse release runs only for the user's release.
class CheckBox : public Control {
public:
    CheckBox(Control& parent, std::string name, Text caption = {});

    ControlKind kind() const override { return ControlKind::CheckBox; }
    FocusPolicy focusPolicy() const override { return FocusPolicy::TakesFocus; }

    bool checked() const { return checked_; }
    // Runs the click handler when the state changes.
    void setChecked(bool checked);
    void toggle() { setChecked(!checked_); }

protected:
    void defaultChar(char32_t character) override;
    void defaultMouseUp(const MouseEvent& event, bool inside) override;
    void acceleratorPressed() override;

private:
    bool checked_ = false;
};

} // namespace lumitag::ui
