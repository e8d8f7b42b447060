#pragma once

#include "platform/Text.h"
#include "qt/TipWindow.h"

#include <functional>

class QWidget;

namespace lumitag::ui {
class Application;
class Control;
} // namespace lumitag::ui

namespace lumitag::qtfront {

// Shows the model's hints as tool tips: after the application's hint pause
// on a control with a hint in effect, for the hide pause, in the hint colour.
// A hint shows once per visit of the pointer, as on the classic desktop. The
// pause runs on the model's clock: the front end wakes when it ends
// (Application::nextWake) and the next update shows the hint. The tip is
// placed beside the control, never over it (TipWindow).
class HintPresenter {
public:
    using WindowOf = std::function<QWidget*(const ui::Control&)>;

    HintPresenter(ui::Application& application, WindowOf windowOf);

    // Follows the model's hint state; called after every event.
    void update();
    void hide();
    bool pending() const { return control_ != nullptr && !shown_; }
    const ui::Control* shownFor() const { return shown_ ? control_ : nullptr; }
    TipWindow& tip() { return tip_; }

private:
    void showNow();

    ui::Application& application_;
    WindowOf windowOf_;
    const ui::Control* control_ = nullptr; // the control the hint is armed or shown for
    Text text_;
    bool shown_ = false;
    TipWindow tip_;
};

} // namespace lumitag::qtfront
