#pragma once

#include "platform/WindowSystem.h"

namespace lumitag::sheet {

// The few facts the window coupling keeps between its steps. Plain flags on
// the user-interface thread: the watcher, F1, the input hook and the window
// events all read and write them there.
struct CouplingState {
    // The focus was handed to the spreadsheet (or a workbook adopted, or the
    // pointer seen below the work area); only then does a pointer moving
    // back from the spreadsheet restart the watcher.
    bool handOver = false;
    // The spreadsheet's window reaches into the visible main window's place.
    bool overlap = false;
    // A file open or save dialog of either main window is on screen.
    bool dialogOpen = false;
    // The right button was released on the taskbar (below the work area):
    // the user works with the taskbar's menu, so nothing moves or takes the
    // focus until the next click elsewhere.
    bool taskbarGuard = false;
    // A found cell was chosen from one of the blue window's result boxes: the
    // spreadsheet shows it, and the watcher does not take the focus back
    // until the pointer has been over the spreadsheet.
    bool blueBoxSelection = false;

    // Where F1 puts the pointer: on this program's side and on the
    // spreadsheet's. Each side remembers where the pointer was when it left.
    platform::ScreenPoint programPointer;
    platform::ScreenPoint spreadsheetPointer;
};

} // namespace lumitag::sheet
