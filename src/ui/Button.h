#pragma once

#include "ui/Control.h"

namespace lumitag::ui {

// A push button. It takes the focus; Space or Enter on the focused button
// clicks it, and so does Alt with its caption's accelerator.
class Button : public Control {
public:
    Button(Control& parent, std::string name, Text caption = {});

    ControlKind kind() const override { return ControlKind::Button; }
    FocusPolicy focusPolicy() const override { return FocusPolicy::TakesFocus; }

    // Runs the click handler, whether the button is shown, enabled or not:
    // code that clicks a button checks visibility itself where it matters.
    void click();
    // Held down by the mouse or the Space key, for the renderer.
    bool pressed() const { return pressed_; }

protected:
    void defaultKeyDown(KeyEvent& event) override;
    void defaultChar(char32_t character) override;
    void defaultMouseDown(const MouseEvent& event) override;
    void defaultMouseUp(const MouseEvent& event, bool inside) override;
    void acceleratorPressed() override;

private:
    bool pressed_ = false;
};

} // namespace lumitag::ui
