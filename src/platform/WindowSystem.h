#pragma once

#include "platform/Result.h"
#include "platform/Screen.h"
#include "platform/Text.h"

#include <cstdint>
#include <optional>

namespace lumitag::platform {

// A top-level window of any program on the desktop.
struct WindowId {
    std::uint64_t value = 0;
    bool operator==(const WindowId&) const = default;
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// The desktop's windows, the mouse pointer and the keyboard's Caps Lock.
// Where the desktop cannot answer (no display), queries give nothing and
// actions fail with a reason; nothing throws.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // A top-level window whose caption is exactly this title; an empty class
    // name matches any window class.
    virtual std::optional<WindowId> findTopLevelWindow(TextView title, TextView className) = 0;
    virtual std::optional<WindowId> foregroundWindow() = 0;
    virtual Status bringToForeground(WindowId window) = 0;

    // The window's rectangle in screen coordinates.
    virtual std::optional<ScreenRect> windowRect(WindowId window) = 0;
    virtual Status placeWindow(WindowId window, const ScreenRect& rect) = 0;
    // Shows the window in its normal size: neither minimised nor maximised.
    virtual Status restoreWindow(WindowId window) = 0;
    // Whether the desktop holds the window minimised right now, as the window
    // manager says; nothing when it cannot be told.
    virtual std::optional<bool> windowMinimised(WindowId window) = 0;

    virtual std::optional<ScreenPoint> pointerPosition() = 0;
    virtual Status movePointer(ScreenPoint point) = 0;

    // Nothing when the state cannot be read.
    virtual std::optional<bool> capsLockOn() = 0;
    // Presses and releases the Caps Lock key.
    virtual Status toggleCapsLock() = 0;
};

// Presses Caps Lock when its state differs from the wanted one; does nothing
// when the state cannot be read.
inline Status setCapsLock(WindowSystem& windows, bool on) {
    const std::optional<bool> current = windows.capsLockOn();
    if (!current)
        return Status::failure("the Caps Lock state cannot be read");
    if (*current == on)
        return Status::success();
    return windows.toggleCapsLock();
}

} // namespace lumitag::platform
