#pragma once

#include "app/Program.h"
#include "app/TForm1.h"
#include "app/TForm2.h"
#include "app/TForm4.h"
#include "app/TForm5.h"
#include "hardening/FakedProgram.h"
#include "platform/Encoding.h"
#include "ui/testing/Driver.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace lumitag::app::test {

inline const std::filesystem::path SettingsPath = "/opt/lumitag/lumitagr.ini";
inline const std::filesystem::path TablePath = "/opt/lumitag/lumitagr.sp3";

// The program on a 1366 x 768 desktop with a 40 pixel panel, every outside
// thing faked. Tests arrange files and fakes, then call start(). Message boxes
// nobody scripted get their last button (Cancel, No): a test that forgets to
// answer a question never commits anything by accident.
class ProgramTest : public ::testing::Test, protected hardening::FakedProgram {
protected:
    ProgramTest() { dialogs.setUnscriptedMessage(platform::FakeDialogs::UnscriptedMessage::LastButton); }

    Program::Start start() {
        const Program::Start result = program.start();
        driver.idle();
        return result;
    }

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

    ui::testing::Driver driver{app, dialogs};
};

} // namespace lumitag::app::test
