#pragma once

#include "app/Program.h"
#include "app/TForm1.h"
#include "app/TForm2.h"
#include "platform/fake/FakeClipboard.h"
#include "platform/fake/FakeDialogs.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeInputHook.h"
#include "platform/fake/FakeProgramDirectory.h"
#include "platform/fake/FakeScreen.h"
#include "platform/fake/FakeShell.h"
#include "platform/fake/FakeSingleInstance.h"
#include "platform/fake/FakeWindowSystem.h"
#include "platform/spreadsheet/fake/FakeSpreadsheetHost.h"
#include "sheet/ManualConnectWorker.h"
#include "ui/Application.h"

namespace lumitag::hardening {

// The whole program on a 1366 x 768 desktop with every outside thing faked,
// without a test framework: the monkey and the fuzzers that need whole
// windows build on it. Arrange the fakes, then call start().
struct FakedProgram {
    FakedProgram() {
        screen.setScreenRect({0, 0, 1366, 768});
        screen.setWorkArea({0, 0, 1366, 728});
        app.setClipboard(&clipboard);
    }

    bool start() {
        const bool running = program.start() == app::Program::Start::Running;
        app.idle();
        return running;
    }
    app::TForm2& orange() { return *program.orangeWindow(); }
    app::TForm1& blue() { return *program.blueWindow(); }

    platform::FakeDialogs dialogs;
    platform::FakeClipboard clipboard;
    platform::FakeFileSystem files;
    platform::FakeScreen screen;
    platform::FakeWindowSystem windows;
    platform::FakeSingleInstance singleInstance;
    platform::FakeProgramDirectory programDirectory;
    platform::FakeShell shell;
    platform::FakeInputHook inputHook;
    platform::FakeSpreadsheetHost spreadsheet{&clipboard};
    // The start's background connect waits until a command needs the
    // spreadsheet, which then finds it answering.
    sheet::ManualConnectWorker connectWorker;
    ui::Application app{dialogs};
    app::Program program{app,
                         {files, screen, windows, singleInstance, programDirectory, spreadsheet, clipboard,
                          shell, inputHook, connectWorker}};
};

} // namespace lumitag::hardening
