#pragma once

#include "platform/Text.h"

#include <cstdint>

namespace lumitag::ui {

struct Point {
    int x = 0;
    int y = 0;

    bool operator==(const Point&) const = default;
    Point operator+(Point other) const { return {x + other.x, y + other.y}; }
    Point operator-(Point other) const { return {x - other.x, y - other.y}; }
};

// Left, top, width and height in pixels. A control's bounds are relative to
// its parent's client area; a form's bounds are its screen position and the
// size of its client area.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const Rect&) const = default;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool contains(Point p) const { return p.x >= left && p.x < right() && p.y >= top && p.y < bottom(); }
    Point topLeft() const { return {left, top}; }
};

struct Color {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    bool operator==(const Color&) const = default;
};

namespace colors {
inline constexpr Color Black{0, 0, 0};
inline constexpr Color White{255, 255, 255};
// The system colours of a classic Windows desktop, which the windows were designed with.
inline constexpr Color ButtonFace{240, 240, 240};
inline constexpr Color Window{255, 255, 255};
inline constexpr Color WindowText{0, 0, 0};
inline constexpr Color Highlight{51, 153, 255};
inline constexpr Color HighlightText{255, 255, 255};
inline constexpr Color InfoBackground{255, 255, 225};
inline constexpr Color GrayText{109, 109, 109};
inline constexpr Color SkyBlue{166, 202, 240};
// The program's own colour of a box that has the focus.
inline constexpr Color FocusedBox{182, 254, 236};
} // namespace colors

struct Font {
    Text name = U"ＭＳ Ｐゴシック";
    int size = 9; // points
    bool bold = false;
    Color color = colors::WindowText;

    bool operator==(const Font&) const = default;
};

} // namespace lumitag::ui
