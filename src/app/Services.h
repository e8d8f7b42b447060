#pragma once

#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/InputHook.h"
#include "platform/ProgramDirectory.h"
#include "platform/Screen.h"
#include "platform/Shell.h"
#include "platform/SingleInstance.h"
#include "platform/WindowSystem.h"
#include "platform/spreadsheet/SpreadsheetHost.h"
#include "sheet/ConnectWorker.h"

namespace lumitag::app {

// Everything outside the program the windows use: the real adapters in the
// program, fakes in tests.
struct Services {
    platform::FileSystem& files;
    platform::Screen& screen;
    platform::WindowSystem& windows;
    platform::SingleInstance& singleInstance;
    platform::ProgramDirectory& programDirectory;
    platform::SpreadsheetHost& spreadsheet;
    platform::Clipboard& clipboard;
    platform::Shell& shell;
    platform::InputHook& inputHook;
    // Runs the spreadsheet's connect off the user-interface thread.
    sheet::ConnectWorker& connectWorker;
};

} // namespace lumitag::app
