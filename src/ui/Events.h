#pragma once

#include "ui/Geometry.h"
#include "ui/Key.h"

namespace lumitag::ui {

enum class MouseButton { Left, Right, Middle };

// A key going down or up. A handler consumes the key by calling consume()
// (the classic "Key := 0"); a consumed key goes no further along the key path.
struct KeyEvent {
    Key key = Key::None;
    Modifiers modifiers = Modifiers::None;

    void consume() { key = Key::None; }
    bool consumed() const { return key == Key::None; }
    bool shift() const { return hasModifier(modifiers, Modifiers::Shift); }
    bool ctrl() const { return hasModifier(modifiers, Modifiers::Ctrl); }
    bool alt() const { return hasModifier(modifiers, Modifiers::Alt); }
};

// A mouse button going down or up, or the pointer moving; the position is
// relative to the control that receives the event.
struct MouseEvent {
    MouseButton button = MouseButton::Left;
    Modifiers modifiers = Modifiers::None;
    Point position;
};

// A turn of the wheel: positive delta away from the user (120 per notch).
// A handler that uses the turn sets handled.
struct WheelEvent {
    int delta = 0;
    Modifiers modifiers = Modifiers::None;
    Point position;
    bool handled = false;
};

// Control characters that keys yield, as the classic message loop delivers them.
namespace chars {
inline constexpr char32_t None = 0;
inline constexpr char32_t Backspace = 8;
inline constexpr char32_t Tab = 9;
inline constexpr char32_t Enter = 13;
inline constexpr char32_t Escape = 27;
inline constexpr char32_t CtrlA = 1;
inline constexpr char32_t CtrlC = 3;
inline constexpr char32_t CtrlV = 22;
inline constexpr char32_t CtrlX = 24;
inline constexpr char32_t CtrlZ = 26;
} // namespace chars

} // namespace lumitag::ui
