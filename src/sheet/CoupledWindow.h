#pragma once

#include "platform/Screen.h"
#include "ui/Application.h"
#include "ui/Form.h"

#include <functional>

namespace lumitag::sheet {

// What the window coupling sees of one main window and asks of it. Each main
// window fills its own; an empty duty is skipped.
struct CoupledWindow {
    // The window itself; nothing until it joins the coupling.
    const ui::Form* form = nullptr;
    // Adopting a workbook: the window's sheet box, and its cell boxes where it has them.
    std::function<void()> fillSheetBox;
    std::function<void()> fillCellBoxes;
    // The window's duties when the program becomes the active application.
    std::function<void()> programActivated;

    bool isVisible() const { return form != nullptr && form->visible(); }
    // The desktop's active window: the program is active and this is its active window.
    bool isActive() const { return form != nullptr && form->application().active() && form->active(); }
    // Where the window is on the screen.
    platform::ScreenRect rect() const {
        return form == nullptr
                   ? platform::ScreenRect{}
                   : platform::ScreenRect{form->left(), form->top(), form->width(), form->height()};
    }
};

} // namespace lumitag::sheet
