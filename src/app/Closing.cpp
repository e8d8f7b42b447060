// Closing the program from the orange window, the blue window's refusal to
// close, minimising and restoring, and the system's power notices.
#include "app/CharacterLoss.h"
#include "app/Messages.h"
#include "app/SettingsLines.h"
#include "app/TForm1.h"
#include "app/TForm2.h"
#include "app/TForm4.h"
#include "app/TForm5.h"
#include "platform/Encoding.h"
#include "platform/Paths.h"
#include "sheet/WindowCoupling.h"
#include "ui/Application.h"

namespace lumitag::app {

namespace {

constexpr TextView EndWithoutSavingQuestion = U"設定を保存せずに終了しますか？";

// The general error box's text for a settings file that could not be written.
Text settingsWriteFailure(const std::filesystem::path& path, const platform::Status& saved) {
    return U"設定ファイルを保存できませんでした。\r\n" + platform::textFromPath(path) + U"\r\n" +
           platform::fromUtf8(saved.reason());
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
    coupling_->state().handOver = false;
    Timer2.stop();
    const SettingsSave saved = saveSettingsForClose();
    if (saved.outcome == SettingsSave::Outcome::Written ||
        saved.outcome == SettingsSave::Outcome::KeptOffUnreadFile)
        return;
    // A settings file that cannot be written (a full disk, a folder the user
    // may not write) must not keep the user in the program: say why and let
    // them leave without saving. Anything but Yes stays.
    if (saved.outcome == SettingsSave::Outcome::WriteFailed &&
        confirm(application(), saved.failure + U"\r\n\r\n" + Text(EndWithoutSavingQuestion)))
        return;
    // The program keeps running, and so does its watcher.
    Timer2.start();
    canClose = false;
    FocusEntryField();
}

TForm2::SettingsSave TForm2::saveSettingsForClose() {
    for (int i = 0; i < settingsLine::LetterCount; ++i)
        settings_.put(settingsLine::FirstLetter + i, letterBoxes[static_cast<std::size_t>(i)]->text());
    settings_.put(settingsLine::Destination, ComboBox3.text());
    settings_.put(settingsLine::HistoryMode, CheckBox8.checked() ? U"CHECK8" : U"");
    settings_.put(settingsLine::InsertMode, CheckBox35.checked() ? U"CHECK35" : U"");
    return writeSettings();
}

TForm2::SettingsSave TForm2::writeSettings() {
    // The user was told at start-up that a file that could not be read stays
    // as it is; the changes of this run are not saved.
    if (settings_.keepsOffUnreadFile())
        return {SettingsSave::Outcome::KeptOffUnreadFile, {}};
    if (!confirmCharacterLoss(
            application(), settings_.lines(), U"設定ファイル(lumitagr.ini)",
            [](std::size_t index) { return lineNumberName(index + 1); }, U"このまま保存しますか？"))
        return {SettingsSave::Outcome::DeclinedByUser, {}};
    const platform::Status saved = settings_.save();
    if (saved)
        return {SettingsSave::Outcome::Written, {}};
    return {SettingsSave::Outcome::WriteFailed, settingsWriteFailure(settings_.path(), saved)};
}

bool TForm2::saveSettings() {
    const SettingsSave saved = writeSettings();
    if (saved.outcome == SettingsSave::Outcome::WriteFailed)
        showError(application(), saved.failure);
    else if (saved.outcome == SettingsSave::Outcome::DeclinedByUser)
        FocusEntryField();
    return saved.outcome == SettingsSave::Outcome::Written ||
           saved.outcome == SettingsSave::Outcome::KeptOffUnreadFile;
}

void TForm2::FormClose() {
    // The desktop's events are no longer watched, whether or not a
    // spreadsheet is still there.
    coupling_->removeInputHook();
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
    platform::SpreadsheetHost& host = link_.host();
    if (!host.isVisible())
        return;
    // The program ends anyway: whatever the spreadsheet refuses is ignored.
    // Its own question about unsaved changes is its business.
    try {
        std::shared_ptr<platform::Workbook> workbook = host.activeWorkbook();
        link_.bringWindowToFront();
        workbook->close();
        link_.quit();
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
    coupling_->ProgramMinimised();
}

void TForm2::ApplicationRestore() {
    coupling_->ProgramRestored();
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
