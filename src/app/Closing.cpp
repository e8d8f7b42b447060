// Closing the program from the orange window, the blue window's refusal to
// close, minimising and restoring, and the system's power notices.
#include "app/CharacterLoss.h"
#include "app/Messages.h"
#include "app/TForm1.h"
#include "app/TForm2.h"
#include "app/TForm4.h"
#include "app/TForm5.h"
#include "platform/Paths.h"
#include "ui/Application.h"

namespace lumitag::app {

namespace {

constexpr int FirstLetterLine = 20;
constexpr int DestinationLine = 46;
constexpr int HistoryModeLine = 47;
constexpr int InsertModeLine = 48;

Text textOf(const std::string& utf8) {
    // Reasons are ASCII or UTF-8 from the file system layer.
    return platform::textFromPath(std::filesystem::path(utf8));
}

} // namespace

void TForm2::FormCloseQuery(bool& canClose) {
    if (CheckBox2.checked()) {
        showMessage(application(), CloseSettingsMessage);
        canClose = false;
        return;
    }
    if (!confirm(application(), U"ルミタグを終了しますか？")) {
        canClose = false;
        FocusEntryField();
        return;
    }
    Timer2.stop();
    if (!saveSettingsForClose()) {
        // The program keeps running, and so does its watcher.
        Timer2.start();
        canClose = false;
    }
}

bool TForm2::saveSettingsForClose() {
    for (int i = 0; i < 26; ++i)
        settings_.put(FirstLetterLine + i, letterBoxes[static_cast<std::size_t>(i)]->text());
    settings_.put(DestinationLine, ComboBox3.text());
    settings_.put(HistoryModeLine, CheckBox8.checked() ? U"CHECK8" : U"");
    settings_.put(InsertModeLine, CheckBox35.checked() ? U"CHECK35" : U"");
    return saveSettings();
}

bool TForm2::saveSettings() {
    if (!confirmCharacterLoss(
            application(), settings_.lines(), U"設定ファイル(lumitagr.ini)",
            [](std::size_t index) { return lineNumberName(index + 1); }, U"このまま保存しますか？")) {
        FocusEntryField();
        return false;
    }
    const platform::Status saved = settings_.save();
    if (saved)
        return true;
    showError(application(), U"設定ファイルを保存できませんでした。\r\n" +
                                 platform::textFromPath(settings_.path()) + U"\r\n" + textOf(saved.reason()));
    return false;
}

void TForm2::FormClose() {
    closeSpreadsheet();
    (void)platform::setCapsLock(services_.windows, false);
    if (blue_ != nullptr)
        blue_->closeByProgram();
    if (columnSettings_ != nullptr)
        columnSettings_->close();
    if (main_ != nullptr)
        main_->close();
}

void TForm2::closeSpreadsheet() {
    platform::SpreadsheetHost& host = services_.spreadsheet;
    if (!host.isVisible())
        return;
    // The program ends anyway: whatever the spreadsheet refuses is ignored.
    // Its own question about unsaved changes is its business.
    try {
        std::shared_ptr<platform::Workbook> workbook = host.activeWorkbook();
        const platform::HostWindow window = host.mainWindow();
        const std::optional<platform::WindowId> found =
            services_.windows.findTopLevelWindow(window.title, window.windowClass);
        if (found)
            (void)services_.windows.bringToForeground(*found);
        workbook->close();
        host.quit();
    } catch (const platform::SpreadsheetError&) {
    }
}

void TForm1::closeByProgram() {
    closingByProgram_ = true;
    close();
    closingByProgram_ = false;
}

void TForm1::FormCloseQuery(bool& canClose) {
    // Only the program closes this window. Alt+F4 reaches here like any close
    // the user asks for (the window manager's close button included).
    if (closingByProgram_ || !visible())
        return;
    canClose = false;
    showError(application(), U"ブルーモードでは閉じることができません\r\n\r\nオレンジモードで閉じてください");
}

void TForm2::ApplicationMinimize() {
    if (visible())
        Timer1.stop();
    platform::SpreadsheetHost& host = services_.spreadsheet;
    if (!host.isVisible())
        return;
    // FIXME: the spreadsheet window is also resized to the work area once window coupling exists.
    try {
        host.maximizeActiveWindow();
    } catch (const platform::SpreadsheetError&) {
    }
}

void TForm2::ApplicationRestore() {
    if (!services_.spreadsheet.isVisible())
        return;
    // FIXME: the spreadsheet window is put back to the left of the visible main window here.
    BringToFront();
}

void TForm2::PowerNotice(int code) {
    if (code >= 0 && code <= 3) {
        for (ui::Timer* timer : {&Timer1, &Timer2, &Timer3, &Timer4, &Timer5})
            timer->stop();
        if (blue_ != nullptr)
            blue_->Timer1.stop();
    } else if (code >= 6 && code <= 8) {
        Timer2.start();
    }
}

} // namespace lumitag::app
