#pragma once

#include "app/Program.h"
#include "app/TForm1.h"
#include "app/TForm2.h"
#include "app/TForm4.h"
#include "app/TForm5.h"
#include "platform/Encoding.h"
#include "platform/fake/FakeClipboard.h"
#include "platform/fake/FakeDialogs.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeProgramDirectory.h"
#include "platform/fake/FakeScreen.h"
#include "platform/fake/FakeShell.h"
#include "platform/fake/FakeSingleInstance.h"
#include "platform/fake/FakeWindowSystem.h"
#include "platform/spreadsheet/fake/FakeSpreadsheetHost.h"
#include "ui/Application.h"
#include "ui/testing/Driver.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace lumitag::app::test {

inline const std::filesystem::path SettingsPath = "/opt/lumitag/lumitagr.ini";
inline const std::filesystem::path TablePath = "/opt/lumitag/lumitagr.sp3";

// The program on a 1366 x 768 desktop with a 40 pixel panel, every outside
// thing faked. Tests arrange files and fakes, then call start().
class ProgramTest : public ::testing::Test {
protected:
    ProgramTest() {
        screen.setScreenRect({0, 0, 1366, 768});
        screen.setWorkArea({0, 0, 1366, 728});
        dialogs.setUnscriptedMessage(platform::FakeDialogs::UnscriptedMessage::LastButton);
        app.setClipboard(&clipboard);
    }

    Program::Start start() {
        const Program::Start result = program.start();
        driver.idle();
        return result;
    }
    TForm2& orange() { return *program.orangeWindow(); }
    TForm1& blue() { return *program.blueWindow(); }

    // The settings file as CP932 text with CR LF line ends.
    void writeSettings(const std::vector<Text>& lines) {
        files.setFile(SettingsPath, platform::encodeCp932Lines(lines));
    }
    std::vector<Text> settingsOnDisk() {
        const std::optional<std::string> bytes = files.file(SettingsPath);
        return bytes ? platform::decodeTextFile(*bytes).lines : std::vector<Text>{};
    }
    static std::vector<Text> numberedLines(int count) {
        std::vector<Text> lines;
        for (int i = 0; i < count; ++i) {
            const std::string text = "line " + std::to_string(i);
            lines.emplace_back(text.begin(), text.end());
        }
        return lines;
    }

    platform::FakeDialogs dialogs;
    platform::FakeClipboard clipboard;
    platform::FakeFileSystem files;
    platform::FakeScreen screen;
    platform::FakeWindowSystem windows;
    platform::FakeSingleInstance singleInstance;
    platform::FakeProgramDirectory programDirectory;
    platform::FakeShell shell;
    platform::FakeSpreadsheetHost spreadsheet{&clipboard};
    ui::Application app{dialogs};
    Program program{
        app, {files, screen, windows, singleInstance, programDirectory, spreadsheet, clipboard, shell}};
    ui::testing::Driver driver{app, dialogs};
};

} // namespace lumitag::app::test
