#pragma once

#include "platform/Screen.h"

namespace lumitag::platform {

// Screen metrics a test sets. Starts as a 1920 x 1080 screen with a 40 pixel
// panel at the bottom.
class FakeScreen : public Screen {
public:
    FakeScreen() = default;
    FakeScreen(ScreenRect screen, ScreenRect workArea) : screen_(screen), workArea_(workArea) {}

    ScreenRect screenRect() override { return screen_; }
    ScreenRect workArea() override { return workArea_; }

    void setScreenRect(ScreenRect rect) { screen_ = rect; }
    void setWorkArea(ScreenRect rect) { workArea_ = rect; }

private:
    ScreenRect screen_{0, 0, 1920, 1080};
    ScreenRect workArea_{0, 0, 1920, 1040};
};

} // namespace lumitag::platform
