#pragma once

#include "app/Program.h"
#include "platform/LocalFileSystem.h"
#include "platform/fake/FakeProgramDirectory.h"
#include "platform/linux/LockFileSingleInstance.h"
#include "platform/linux/X11InputRecorder.h"
#include "platform/linux/X11WindowSystem.h"
#include "platform/linux/XdgShell.h"
#include "platform/spreadsheet/calc/CalcHost.h"
#include "sheet/ThreadConnectWorker.h"
#include "ui/Application.h"

#include <filesystem>
#include <memory>

namespace lumitag::app {
class TForm2;
}
namespace lumitag::qtfront {
class FormWindow;
class FrontEnd;
} // namespace lumitag::qtfront

namespace lumitag::desktop {

// The real program inside the test program: the adapters of a Linux desktop
// (X11 windows, the input recorder, Qt's dialogs, clipboard and screen),
// LibreOffice Calc with windows, and the Qt front end, as the executable
// builds them. Only its folders are the test's own: the program folder (its
// settings), the lock and the office's profile and pipe, so that it never
// meets a user's copy. The office it starts ends with it.
class DesktopProgram {
public:
    explicit DesktopProgram(const std::filesystem::path& folder);
    ~DesktopProgram();
    DesktopProgram(const DesktopProgram&) = delete;
    DesktopProgram& operator=(const DesktopProgram&) = delete;

    // The start-up as the executable runs it; true when the orange window shows.
    bool start();

    ui::Application& application() { return *application_; }
    app::TForm2& orange();
    qtfront::FrontEnd& frontEnd() { return *frontEnd_; }
    qtfront::FormWindow& orangeWindow();
    platform::calc::CalcHost& calc() { return *calc_; }
    platform::X11WindowSystem& windows() { return windows_; }
    platform::Screen& screen() { return *screen_; }
    platform::X11InputRecorder& inputRecorder() { return inputRecorder_; }

private:
    std::unique_ptr<platform::Dialogs> dialogs_;
    std::unique_ptr<platform::Clipboard> clipboard_;
    std::unique_ptr<platform::Screen> screen_;
    platform::LocalFileSystem files_;
    platform::X11WindowSystem windows_;
    platform::LockFileSingleInstance singleInstance_;
    platform::FakeProgramDirectory programDirectory_;
    platform::XdgShell shell_;
    platform::X11InputRecorder inputRecorder_;
    std::unique_ptr<platform::calc::CalcHost> calc_;
    // Ends (waiting for a connect still running) before the host it connects.
    std::unique_ptr<sheet::ThreadConnectWorker> connectWorker_;
    std::unique_ptr<ui::Application> application_;
    std::unique_ptr<app::Program> program_;
    std::unique_ptr<qtfront::FrontEnd> frontEnd_;
};

} // namespace lumitag::desktop
