// The blue window's side of the spreadsheet link: its sheet box, its sheet
// synchroniser Timer1 filling the settings from the selection, エクセル開く and
// エクセル閉じる, and the link when the window is shown.
#include "app/TForm1.h"
#include "app/TForm2.h"
#include "sheet/SettingsFromSelection.h"
#include "sheet/SheetBox.h"
#include "sheet/SheetSynchroniser.h"
#include "sheet/WindowCoupling.h"
#include "sheet/WorkbookCommands.h"
#include "ui/Application.h"

namespace lumitag::app {

void TForm1::wireSheetLink() {
    sheetBox_ = std::make_unique<sheet::SheetBox>(ComboBox1, link_,
                                                  sheet::SheetBoxHooks{
                                                      .focusTarget = [this] { focusFirstSettingBox(); },
                                                      .dockAndBringToFront =
                                                          [this] {
                                                              link_.dock(width());
                                                              orange_->BringToFront();
                                                              hideFullWidthResults();
                                                          },
                                                      .fillCellBoxes = {},
                                                  });
    sheetBox_->install();
    ComboBox1.setDropDownCount(10);

    settingsFill_ = std::make_unique<sheet::SettingsFromSelection>(
        std::vector<sheet::SettingBoxes>{
            {RadioGroup1,
             {&Edit1, &Edit6, &Edit11, &Edit21, &Edit26},
             Edit1,
             Edit21,
             Edit26,
             Edit31,
             Label58,
             &Label63,
             &Edit40},
            {RadioGroup2,
             {&Edit2, &Edit7, &Edit12, &Edit22, &Edit27},
             Edit2,
             Edit22,
             Edit27,
             Edit32,
             Label59,
             nullptr,
             nullptr},
            {RadioGroup3,
             {&Edit3, &Edit8, &Edit13, &Edit23, &Edit28},
             Edit3,
             Edit23,
             Edit28,
             Edit33,
             Label60,
             nullptr,
             nullptr},
        },
        link_);
    synchroniser_ = std::make_unique<sheet::SheetSynchroniser>(
        Timer1, *sheetBox_, link_,
        sheet::SheetSynchroniserHooks{
            .windowVisible = [this] { return visible(); },
            .watcherRunning = [this] { return orange_->Timer2.enabled(); },
            .startWatcher = [this] { orange_->Timer2.start(); },
            .sheetBoxRefilled = [this] { hideFullWidthResults(); },
            // A selection made while this window is active is the program's
            // own (a range shown from a box): only the user's selection in
            // the spreadsheet fills the settings.
            .followSelection =
                [this] {
                    if (!application().active() || !active())
                        settingsFill_->fill();
                },
        });

    Timer1.onTimer = [this] { synchroniser_->Tick(); };
    SpeedButton1.onClick = [this] { workbooks_->OpenWorkbook(); };
    SpeedButton2.onClick = [this] { workbooks_->CloseWorkbook(); };
}

// The menu items, the watcher and the closing tick are the orange window's:
// both windows show and keep the state of the one link.
void TForm1::wireWorkbookCommands(TForm2& orange) {
    workbooks_ = std::make_unique<sheet::WorkbookCommands>(
        sheet::WorkbookControls{*this, *sheetBox_, nullptr, orange.N21, orange.N24, orange.gyak1,
                                orange.Panel4, orange.Timer4, orange.HostEventPump},
        link_, services_.shell,
        sheet::WorkbookHooks{
            .focusTarget = [this] { focusFirstSettingBox(); },
            .bringToFront = [this] { orange_->BringToFront(); },
            .startWatcher = [this] { orange_->Timer2.start(); },
            .listHasLines = [this] { return !orange_->list().empty(); },
            .afterClosing = {},
            .afterLastWorkbookClosed = [this] { resetAfterLastWorkbook(); },
            .clearHandOver = [this] { orange_->coupling().state().handOver = false; },
            .spreadsheetOverlaps = [this] { return orange_->coupling().state().overlap; },
        });
}

void TForm1::showLink() {
    // Only a spreadsheet this program connected to is asked: showing the
    // window never waits for an office to start or answer.
    if (link_.connectedAndVisible() && visible()) {
        try {
            link_.attachActiveWorkbook();
            // While the spreadsheet's window reaches into this window it is only
            // placed: maximising it would cover this window again.
            try {
                if (orange_->coupling().state().overlap)
                    link_.placeWindow(width());
                else
                    link_.dock(width());
            } catch (const platform::SpreadsheetError&) {
                // Docking goes on at the watcher's next placement.
            }
            sheetBox_->fill();
            orange_->BringToFront();
        } catch (const platform::SpreadsheetError&) {
            // A busy spreadsheet: the settings stay as they are and the
            // synchroniser or the watcher pick the workbook up.
        }
        return;
    }
    // No workbook on screen: the settings describe nothing any more. Setting
    // 2 keeps its column 3 (a remark) and its six replacement boxes.
    sheetBox_->showPlaceholder();
    for (int index = 1; index <= 3; ++index) {
        for (ui::Edit* box : setting(index).boxes)
            if (box != &Edit12)
                box->clear();
        if (index != 2)
            for (ui::Edit* box : replacement(index).boxes)
                box->clear();
    }
    Edit40.clear();
    if (CheckBox1.checked()) {
        collapseToSettingOne(InitialWidth);
        hideFullWidthTools();
        for (ui::Label* label : {&Label58, &Label59, &Label60})
            label->setCaption({});
        SpeedButton27.setPosition(15, SpeedButton27.top());
    }
}

void TForm1::hideFullWidthResults() {
    for (ui::ComboBox* box : {&ComboBox4, &ComboBox5, &ComboBox6})
        if (box->visible())
            box->hide();
}

// エクセル閉じる closed the last workbook: the settings and the full-width
// results described a workbook that is gone.
void TForm1::resetAfterLastWorkbook() {
    hideFullWidthTools();
    emptyEveryTextBox();
    if (CheckBox1.checked()) {
        collapseToSettingOne(NarrowWidth);
        focusFirstSettingBox();
    }
}

} // namespace lumitag::app
