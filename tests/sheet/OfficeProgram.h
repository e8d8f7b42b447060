#pragma once

// The whole program against a real headless Calc of its own (own profile, own
// pipe); the dialogs, the screen and the desktop's windows are fakes, the
// spreadsheet host and the connect worker are the program's own.
#include "app/Program.h"
#include "app/TForm1.h"
#include "app/TForm2.h"
#include "platform/calc/CalcTestOffice.h"
#include "platform/fake/FakeClipboard.h"
#include "platform/fake/FakeDialogs.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeInputHook.h"
#include "platform/fake/FakeProgramDirectory.h"
#include "platform/fake/FakeScreen.h"
#include "platform/fake/FakeShell.h"
#include "platform/fake/FakeSingleInstance.h"
#include "platform/fake/FakeWindowSystem.h"
#include "sheet/SpreadsheetLink.h"
#include "sheet/ThreadConnectWorker.h"
#include "ui/Application.h"
#include "ui/testing/Driver.h"

namespace lumitag::sheet {

// The one office of the test program, set by its main; nullptr when the
// machine has none.
inline platform::calc::testing::TestOffice* office = nullptr;

// The program on a 1366 x 768 desktop with the real Calc host.
struct OfficeProgram {
    explicit OfficeProgram(platform::SpreadsheetHost& host)
        : program(app, {files, screen, windows, singleInstance, programDirectory, host, clipboard, shell,
                        inputHook, connectWorker}) {
        screen.setScreenRect({0, 0, 1366, 768});
        screen.setWorkArea({0, 0, 1366, 728});
        app.setClipboard(&clipboard);
        dialogs.setUnscriptedMessage(platform::FakeDialogs::UnscriptedMessage::LastButton);
        shell.setDesktopFolder("/home/user/Desktop");
    }

    app::TForm2& orange() { return *program.orangeWindow(); }
    SpreadsheetLink& link() { return orange().spreadsheetLink(); }

    platform::FakeDialogs dialogs;
    platform::FakeClipboard clipboard;
    platform::FakeFileSystem files;
    platform::FakeScreen screen;
    platform::FakeWindowSystem windows;
    platform::FakeSingleInstance singleInstance;
    platform::FakeProgramDirectory programDirectory;
    platform::FakeShell shell;
    platform::FakeInputHook inputHook;
    // Ends before the host, which it may still be connecting.
    ThreadConnectWorker connectWorker;
    ui::Application app{dialogs};
    app::Program program;
    ui::testing::Driver driver{app, dialogs};
};

} // namespace lumitag::sheet
