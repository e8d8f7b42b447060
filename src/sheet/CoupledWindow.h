#pragma once

#include "platform/Screen.h"

#include <functional>

namespace lumitag::sheet {

// What the window coupling sees of one main window and asks of it. Each main
// window fills its own; an empty duty is skipped.
struct CoupledWindow {
    std::function<bool()> visible;
    // The desktop's active window: the program is active and this is its active window.
    std::function<bool()> active;
    // Where the window is on the screen.
    std::function<platform::ScreenRect()> rect;
    // Adopting a workbook: the window's sheet box, and its cell boxes where it has them.
    std::function<void()> fillSheetBox;
    std::function<void()> fillCellBoxes;
    // The window's duties when the program becomes the active application.
    std::function<void()> programActivated;

    bool isVisible() const { return visible && visible(); }
    bool isActive() const { return active && active(); }
};

} // namespace lumitag::sheet
