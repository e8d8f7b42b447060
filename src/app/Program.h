#pragma once

#include "app/Services.h"
#include "app/SettingsStore.h"

#include <filesystem>
#include <memory>

namespace lumitag::ui {
class Application;
}

namespace lumitag::sheet {
class SpreadsheetLink;
}

namespace lumitag::app {

class TForm1;
class TForm2;
class TForm4;
class TForm5;

// The program: the start-up checks, its four windows in creation order and
// their wiring. The windows live as long as the Program.
class Program {
public:
    enum class Start {
        Running,         // the orange window is shown
        AnotherCopyRuns, // "すでに起動されています。" was shown
        ScreenTooLow,    // the resolution message was shown
    };

    static constexpr int MinimumScreenHeight = 768;

    Program(ui::Application& application, Services services);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Runs the start-up; after Running the application's loop takes over
    // until the hidden main form closes.
    Start start();

    TForm4* mainForm() const { return main_.get(); }
    TForm1* blueWindow() const { return blue_.get(); }
    TForm2* orangeWindow() const { return orange_.get(); }
    TForm5* columnSettingsWindow() const { return columnSettings_.get(); }

private:
    void wireSpreadsheetEvents();
    void reportSettingsFile(const SettingsStore::FileCheck& found, const std::filesystem::path& path);

    ui::Application& application_;
    Services services_;
    // The spreadsheet application both main windows work with.
    std::unique_ptr<sheet::SpreadsheetLink> link_;
    std::unique_ptr<TForm4> main_;
    std::unique_ptr<TForm1> blue_;
    std::unique_ptr<TForm2> orange_;
    std::unique_ptr<TForm5> columnSettings_;
};

} // namespace lumitag::app
