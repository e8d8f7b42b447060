#include "app/Program.h"

#include "app/Messages.h"
#include "app/ProgramFiles.h"
#include "app/SettingsStore.h"
#include "app/TForm1.h"
#include "app/TForm2.h"
#include "app/TForm4.h"
#include "app/TForm5.h"
#include "platform/Encoding.h"
#include "platform/Paths.h"
#include "sheet/SheetSynchroniser.h"
#include "sheet/SpreadsheetLink.h"
#include "sheet/WindowCoupling.h"
#include "ui/Application.h"

namespace lumitag::app {

Program::Program(ui::Application& application, Services services)
    : application_(application), services_(services) {}

// The windows go in the reverse order of their creation.
Program::~Program() {
    columnSettings_.reset();
    orange_.reset();
    blue_.reset();
    main_.reset();
}

// A settings file that is there but cannot be read is never written over; the
// user learns here, once, which file it is and why, and the program runs on
// empty settings. A missing file that cannot be made is not reported here: the
// save at closing reports it and lets the user leave.
void Program::reportSettingsFile(const SettingsStore::FileCheck& found, const std::filesystem::path& path) {
    if (found.state != SettingsStore::FileState::Unreadable)
        return;
    showMessage(application_, U"設定ファイルを読み込めませんでした。\r\n" + platform::textFromPath(path) +
                                  U"\r\n" + platform::fromUtf8(found.reason) +
                                  U"\r\n\r\n初期設定で起動します（設定ファイルには書き込みません）");
}

// The spreadsheet's events, for both main windows. Each window's sheet
// synchroniser (the orange window's Timer3, the blue window's Timer1) acts
// only while its window is visible; a changed cell restarts the watcher.
void Program::wireSpreadsheetEvents() {
    TForm2* orange = orange_.get();
    TForm1* blue = blue_.get();
    link_->onSheetActivated = [orange, blue] {
        orange->sheetSynchroniser().SheetActivated();
        blue->sheetSynchroniser().SheetActivated();
    };
    link_->onSelectionChanged = [orange, blue] {
        orange->sheetSynchroniser().SelectionChanged();
        blue->sheetSynchroniser().SelectionChanged();
    };
    link_->onSheetChanged = [orange] { orange->sheetSynchroniser().SheetChanged(); };
}

Program::Start Program::start() {
    // One copy at a time. When no lock can be made at all the program runs
    // anyway: refusing to start would lock the user out for good.
    if (services_.singleInstance.acquire(ApplicationTitle).outcome ==
        platform::SingleInstance::Outcome::AnotherCopyRuns) {
        showSystemMessage(application_, U"すでに起動されています。");
        return Start::AnotherCopyRuns;
    }
    if (services_.screen.screenRect().height < MinimumScreenHeight) {
        showSystemMessage(application_,
                          U"ルミタグは画面の解像度が縦方向で768ピクセルに最適化されています\r\n\r\n"
                          U"(画面の解像度を変更してください)");
        return Start::ScreenTooLow;
    }
    application_.setTitle(Text(ApplicationTitle));
    main_ = std::make_unique<TForm4>(application_);

    const std::filesystem::path settingsFile = programFile(services_.programDirectory, SettingsFileName);
    reportSettingsFile(SettingsStore(services_.files, settingsFile).ensureFile(), settingsFile);

    link_ = std::make_unique<sheet::SpreadsheetLink>(services_.spreadsheet, services_.windows,
                                                     services_.screen, services_.connectWorker);
    blue_ = std::make_unique<TForm1>(application_, services_, *link_);
    if (services_.files.fileExists(programFile(services_.programDirectory, TableFileName)))
        blue_->loadSettingsCopy(SettingsStore::readLines(services_.files, settingsFile));
    orange_ = std::make_unique<TForm2>(application_, services_, *link_);
    columnSettings_ = std::make_unique<TForm5>(application_, *link_, services_.screen.screenRect().width);
    columnSettings_->setOwner({.form = orange_.get(), .focus = [orange = orange_.get()] {
                                   orange->activate();
                                   orange->FocusEntryField();
                               }});
    orange_->setWindows(*main_, *blue_, *columnSettings_);
    blue_->setOrangeWindow(*orange_);

    TForm2* orange = orange_.get();
    application_.onActivate = [orange] { orange->ApplicationActivate(); };
    application_.onMinimize = [orange] { orange->ApplicationMinimize(); };
    application_.onRestore = [orange] { orange->ApplicationRestore(); };
    wireSpreadsheetEvents();
    application_.onFileDialog = [orange](bool shown) { orange->coupling().state().dialogOpen = shown; };

    blue_->hide();
    orange_->show();
    // The office starts (or is found) in the background; the window is up already.
    link_->startConnecting();
    return Start::Running;
}

} // namespace lumitag::app
