#pragma once

#include "platform/Screen.h"

namespace lumitag::qtfront {

// The primary screen's geometry and available (work) area. Without a screen
// both are empty rectangles.
class QtScreen final : public platform::Screen {
public:
    platform::ScreenRect screenRect() override;
    platform::ScreenRect workArea() override;
};

} // namespace lumitag::qtfront
