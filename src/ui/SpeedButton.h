#pragma once

#include "ui/Control.h"

namespace lumitag::ui {

// A flat button that never takes the focus, so clicking it leaves the focus
// where it was. Captions may break lines with "\r\n".
class SpeedButton : public Control {
public:
    SpeedButton(Control& parent, std::string name, Text caption = {});

    ControlKind kind() const override { return ControlKind::SpeedButton; }

    // Runs the click handler whether or not the button is shown.
    void click();
    bool pressed() const { return pressed_; }
    // Latched down, for buttons that show an on/off state.
    bool down() const { return down_; }
    void setDown(bool down) { assign(down_, down); }

protected:
    void defaultMouseDown(const MouseEvent& event) override;
    void defaultMouseUp(const MouseEvent& event, bool inside) override;
    void acceleratorPressed() override;

private:
    bool pressed_ = false;
    bool down_ = false;
};

} // namespace lumitag::ui
