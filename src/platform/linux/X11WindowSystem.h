#pragma once

#include "platform/WindowSystem.h"

#include <memory>
#include <string>

namespace lumitag::platform {

// The window system of an X11 desktop through Xlib, with the extended window
// manager hints for the window list, the active window and window states, and
// XTest for the Caps Lock key. Works without a window manager too (a bare X
// server): then the window list is the root's children and the foreground
// window is the input focus.
//
// A placement waits, at most two seconds, for a window that has just been
// made to be mapped and taken on by the window manager (a placement before
// that is lost to the manager's own and to the program's start state), and
// takes a maximised window out of that state first.
//
// Without a display (DISPLAY unset, server unreachable) every query gives
// nothing and every action fails with "no X display"; X protocol errors (a
// window that has just gone away) are caught and reported as failures.
class X11WindowSystem : public WindowSystem {
public:
    // Connects to $DISPLAY.
    X11WindowSystem();
    // Connects to the named display (":1").
    explicit X11WindowSystem(const std::string& displayName);
    ~X11WindowSystem() override;
    X11WindowSystem(const X11WindowSystem&) = delete;
    X11WindowSystem& operator=(const X11WindowSystem&) = delete;

    bool connected() const;

    std::optional<WindowId> findTopLevelWindow(TextView title, TextView className) override;
    std::optional<WindowId> foregroundWindow() override;
    Status bringToForeground(WindowId window) override;
    std::optional<ScreenRect> windowRect(WindowId window) override;
    Status placeWindow(WindowId window, const ScreenRect& rect) override;
    Status restoreWindow(WindowId window) override;
    std::optional<bool> windowMinimised(WindowId window) override;
    std::optional<ScreenPoint> pointerPosition() override;
    Status movePointer(ScreenPoint point) override;
    std::optional<bool> capsLockOn() override;
    Status toggleCapsLock() override;

private:
    class Connection;
    std::unique_ptr<Connection> connection_;
};

} // namespace lumitag::platform
