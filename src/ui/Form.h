#pragma once

#include "ui/Control.h"

#include <vector>

namespace lumitag::ui {

class Timer;

enum class CloseResult { Closed, Refused };

// Why the focus moves, for the enter handler's benefit and for tests.
enum class FocusReason { Code, Click, Tab, Accelerator, Activation };

// A window. Its bounds are its screen position and the size of its client area.
// Windows of the program derive from Form and hold their controls as members.
class Form : public Control {
public:
    Form(Application& application, std::string name);
    ~Form() override;

    ControlKind kind() const override { return ControlKind::Form; }

    // Showing runs the show handler, makes the form the active one and
    // focuses its active control (or the first tab stop).
    void show();
    void hide();
    // Asks the close query; when it agrees, runs the close handler and hides
    // the form. Closing the application's main form terminates the application.
    CloseResult close();
    bool active() const;
    // Makes the visible form the application's active form.
    void activate();

    // A window that stays above the other windows of the desktop.
    bool stayOnTop() const { return stayOnTop_; }
    void setStayOnTop(bool onTop) { stayOnTop_ = onTop; }
    // A window with the system menu, minimise and close buttons in its title
    // bar; without them it closes only through its own controls.
    bool systemButtons() const { return systemButtons_; }
    void setSystemButtons(bool shown) { systemButtons_ = shown; }

    // The window sees keys before its controls.
    bool keyPreview() const { return keyPreview_; }
    void setKeyPreview(bool preview) { keyPreview_ = preview; }

    // The control that has (or will have, once the form is active) the focus.
    Control* activeControl() const { return activeControl_; }
    // The one function that moves the focus: the old control's exit handler
    // runs first and may move the focus elsewhere (then this request is
    // dropped); then the new control's enter handler. Controls that cannot
    // take the focus are refused quietly. Returns whether `control` has the
    // focus afterwards. nullptr takes the focus from every control.
    bool focusControl(Control* control, FocusReason reason = FocusReason::Code);
    // The next (or previous) tab stop after the active control, in tab order.
    Control* nextTabStop(Control* from, bool forward) const;
    // Controls in tab order, depth first.
    std::vector<Control*> tabSequence() const;

    const std::vector<PopupMenu*>& popupMenus() const { return menus_; }
    const std::vector<Timer*>& timers() const { return timers_; }

    Handler<void()> onShow;
    Handler<void()> onHide;
    Handler<void()> onActivate;
    Handler<void()> onDeactivate;
    // Set the flag to false to refuse closing.
    Handler<void(bool& canClose)> onCloseQuery;
    Handler<void()> onClose;

private:
    friend class Application;
    friend class Control;
    friend class PopupMenu;
    friend class Timer;

    void forgetControl(Control* control);
    void focusFirstControl();

    bool keyPreview_ = false;
    bool stayOnTop_ = false;
    bool systemButtons_ = true;
    Control* activeControl_ = nullptr;
    int focusRequest_ = 0;       // counts focus requests, so one made by an exit handler wins
    Control* exiting_ = nullptr; // the control whose exit handler runs now
    std::vector<PopupMenu*> menus_;
    std::vector<Timer*> timers_;
};

} // namespace lumitag::ui
