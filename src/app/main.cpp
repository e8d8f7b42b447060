// ルミタグ: the real program. The platform adapters of a Linux desktop, the
// Qt front end, and the program's start-up.
#include "app/Program.h"
#include "app/ProgramFiles.h"
#include "app/Services.h"
#include "batch/ConvertMain.h"
#include "platform/LocalFileSystem.h"
#include "platform/Paths.h"
#include "platform/linux/LinuxProgramDirectory.h"
#include "platform/linux/LockFileSingleInstance.h"
#include "platform/linux/X11InputRecorder.h"
#include "platform/linux/X11WindowSystem.h"
#include "platform/linux/XdgShell.h"
#include "qt/Adapters.h"
#include "qt/FrontEnd.h"
#include "sheet/ThreadConnectWorker.h"
#include "ui/Application.h"

#ifdef LUMITAG_HAVE_CALC
#include "platform/spreadsheet/calc/CalcHost.h"
#else
#include "app/NoSpreadsheetHost.h"
#endif

#include <QApplication>

int main(int argc, char* argv[]) {
    using namespace lumitag;
    // `lumitag convert …` converts files without any window: decided before
    // Qt starts, so that it needs no display.
    if (batch::isConvertCommand(argc, argv))
        return batch::convertCommandMain(argc, argv);
    QApplication qt(argc, argv);

    const std::unique_ptr<platform::Dialogs> dialogs = qtfront::makeDialogs();
    const std::unique_ptr<platform::Clipboard> clipboard = qtfront::makeClipboard();
    const std::unique_ptr<platform::Screen> screen = qtfront::makeScreen();
    platform::LocalFileSystem files;
    platform::X11WindowSystem windows;
    platform::LockFileSingleInstance singleInstance;
    // The settings and the table file mark a folder in use. Both are copied
    // into a new data folder: the table file an installation ships, and the
    // settings of a portable copy on a medium the user may not write to.
    const std::filesystem::path settingsName = platform::pathFromText(app::SettingsFileName);
    const std::filesystem::path tableName = platform::pathFromText(app::TableFileName);
    platform::LinuxProgramDirectory programDirectory(
        {.names = {settingsName, tableName}, .shipped = {settingsName, tableName}});
    platform::XdgShell shell;
    // The user's keys and pointer inside the spreadsheet; where the desktop
    // refuses, the program says why once on standard error and goes on.
    platform::X11InputRecorder inputHook;
#ifdef LUMITAG_HAVE_CALC
    platform::calc::CalcHost spreadsheet;
#else
    app::NoSpreadsheetHost spreadsheet;
#endif
    // Ends (waiting for a connect still running) before the host it connects.
    sheet::ThreadConnectWorker connectWorker;

    ui::Application application(*dialogs);
    application.setClipboard(clipboard.get());
    app::Program program(application, {files, *screen, windows, singleInstance, programDirectory, spreadsheet,
                                       *clipboard, shell, inputHook, connectWorker});
    if (program.start() != app::Program::Start::Running)
        return 0;
    qtfront::FrontEnd frontEnd(application);
    return frontEnd.run();
}
