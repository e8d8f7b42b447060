// The orange window's part in the window coupling with the spreadsheet: the
// watcher Timer2, F1 with its pause Timer6, the input hook's pump, and the
// program's activation.
#include "app/TForm2.h"
#include "app/TForm5.h"
#include "sheet/SheetBox.h"
#include "sheet/SheetSynchroniser.h"
#include "sheet/WindowCoupling.h"
#include "sheet/WorkbookCommands.h"
#include "ui/Application.h"

namespace lumitag::app {

void TForm2::wireCoupling() {
    coupling_ = std::make_unique<sheet::WindowCoupling>(
        link_, services_.windows, services_.screen, services_.inputHook,
        sheet::CouplingTimers{Timer2, Timer6, HookEventPump},
        sheet::CouplingHooks{
            .programMinimised = [this] { return application().minimized(); },
            .settingsWindowShown =
                [this] { return columnSettings_ != nullptr && columnSettings_->visible(); },
            .bringToFront = [this] { BringToFront(); },
        });
    coupling_->setOrangeWindow({
        .form = this,
        .fillSheetBox = [this] { sheetBox_->fill(); },
        .fillCellBoxes = [this] { workbooks_->fillCellBoxes(); },
        .programActivated =
            [this] {
                Timer5.start();
                // The selection follows the end of the list unless the user
                // works inside the list.
                if (!list_.modes().stringInsert && !list_.contextMenuPending() && !StringGrid1.focused())
                    Timer1.start();
                synchroniser_->rememberWorkbookName();
            },
    });

    Timer6.onTimer = [this] { coupling_->FocusPauseTick(); };
    HookEventPump.onTimer = [this] { coupling_->pumpInputEvents(); };
}

void TForm2::Timer2Timer() {
    coupling_->WatcherTick();
    ModeWatcherTick();
}

void TForm2::ApplicationActivate() {
    coupling_->ProgramActivated();
}

platform::ScreenPoint TForm2::programPointer() const {
    return coupling_->state().programPointer;
}

platform::ScreenPoint TForm2::spreadsheetPointer() const {
    return coupling_->state().spreadsheetPointer;
}

} // namespace lumitag::app
