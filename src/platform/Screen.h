#pragma once

namespace lumitag::platform {

struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const ScreenRect&) const = default;
};

// Size of the primary screen and its work area (the screen without panels and taskbars).
class Screen {
public:
    virtual ~Screen() = default;

    virtual ScreenRect screenRect() = 0;
    virtual ScreenRect workArea() = 0;
};

} // namespace lumitag::platform
