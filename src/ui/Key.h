#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumitag::ui {

// Key codes. The values are the Windows virtual-key codes, so that handlers
// written against the classic key codes read the same.
enum class Key : int {
    None = 0,
    Backspace = 0x08,
    Tab = 0x09,
    Enter = 0x0D,
    Shift = 0x10,
    Control = 0x11,
    Alt = 0x12,
    Pause = 0x13,
    CapsLock = 0x14,
    Escape = 0x1B,
    Space = 0x20,
    PageUp = 0x21,
    PageDown = 0x22,
    End = 0x23,
    Home = 0x24,
    Left = 0x25,
    Up = 0x26,
    Right = 0x27,
    Down = 0x28,
    Insert = 0x2D,
    Delete = 0x2E,
    D0 = 0x30,
    D1,
    D2,
    D3,
    D4,
    D5,
    D6,
    D7,
    D8,
    D9,
    A = 0x41,
    B,
    C,
    D,
    E,
    F,
    G,
    H,
    I,
    J,
    K,
    L,
    M,
    N,
    O,
    P,
    Q,
    R,
    S,
    T,
    U,
    V,
    W,
    X,
    Y,
    Z,
    NumPad0 = 0x60,
    NumPad1,
    NumPad2,
    NumPad3,
    NumPad4,
    NumPad5,
    NumPad6,
    NumPad7,
    NumPad8,
    NumPad9,
    Multiply = 0x6A,
    Add = 0x6B,
    Subtract = 0x6D,
    Decimal = 0x6E,
    Divide = 0x6F,
    F1 = 0x70,
    F2,
    F3,
    F4,
    F5,
    F6,
    F7,
    F8,
    F9,
    F10,
    F11,
    F12,
    Semicolon = 0xBA, // ";" / ":" on a US keyboard, ":" on a Japanese one
    Plus = 0xBB,
    Comma = 0xBC,
    Minus = 0xBD,
    Period = 0xBE,
    Slash = 0xBF,
    Backquote = 0xC0, // "@" on a Japanese keyboard
    LeftBracket = 0xDB,
    Backslash = 0xDC, // "¥" on a Japanese keyboard
    RightBracket = 0xDD,
    Quote = 0xDE,      // "^" on a Japanese keyboard
    Underscore = 0xE2, // "\" / "_" left of right Shift on a Japanese keyboard
};

enum class Modifiers : unsigned {
    None = 0,
    Shift = 1,
    Ctrl = 2,
    Alt = 4,
};

constexpr Modifiers operator|(Modifiers a, Modifiers b) {
    return static_cast<Modifiers>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr Modifiers operator&(Modifiers a, Modifiers b) {
    return static_cast<Modifiers>(static_cast<unsigned>(a) & static_cast<unsigned>(b));
}
constexpr Modifiers withoutModifier(Modifiers set, Modifiers m) {
    return static_cast<Modifiers>(static_cast<unsigned>(set) & ~static_cast<unsigned>(m));
}
// True when every modifier of `m` is held in `set`.
constexpr bool hasModifier(Modifiers set, Modifiers m) {
    return (set & m) == m && m != Modifiers::None;
}

// A key with the modifiers that must be held exactly: the shortcut of a menu item.
struct Shortcut {
    Key key = Key::None;
    Modifiers modifiers = Modifiers::None;

    bool operator==(const Shortcut&) const = default;
    bool empty() const { return key == Key::None; }

    // "F1", "Shift+F1", "Ctrl+Shift+Z", "Esc", "Alt+A", "Del", "PgDn". Nothing
    // when the text names no known key.
    static std::optional<Shortcut> parse(std::string_view text);
    std::string toString() const;
};

// The name of a key as shortcuts spell it ("F1", "Esc", "A", "Enter").
std::string keyName(Key key);
// The key that names itself so in a shortcut; Key::None when unknown.
Key keyFromName(std::string_view name);

} // namespace lumitag::ui
