// The orange window's side of the spreadsheet link: the spreadsheet panel's
// workbook buttons, the sheet box, the column and row boxes, the close tick,
// the sheet synchroniser and the transfer of the list into the sheet.
#include "app/TForm2.h"
#include "sheet/CellBoxes.h"
#include "sheet/SheetBox.h"
#include "sheet/SheetSynchroniser.h"
#include "sheet/TransferCommand.h"
#include "sheet/WindowCoupling.h"
#include "sheet/WorkbookCommands.h"

namespace lumitag::app {

namespace {

// How often the spreadsheet's queued events are looked at while connected:
// a click in a cell reaches the column and row boxes well within 100 ms.
constexpr ui::Milliseconds HostEventInterval{50};

} // namespace

void TForm2::layOutSheetControls() {
    SpeedButton29.setBounds({4, 4, 56, 24});
    SpeedButton29.setHint(U"エクセルBookを新規に作成します");
    SpeedButton30.setBounds({62, 4, 36, 24});
    SpeedButton30.setHint(U"エクセルファイルを開きます");
    SpeedButton25.setBounds({100, 4, 36, 24});
    SpeedButton25.setHint(U"一番上に表示されているエクセルブックを閉じます");
    Button19.setBounds({4, 4, 56, 24});
    Button19.hide();
    ComboBox1.setBounds({4, 34, 132, 20});
    Edit14.setBounds({4, 62, 40, 21});
    Edit15.setBounds({48, 62, 48, 21});
    RadioButton1.setBounds({4, 86, 64, 15});
    RadioButton2.setBounds({70, 86, 66, 15});
    RadioButton2.setHint(U"エクセルシートの選択セルから一行置きに転送されます");
    RadioButton3.setBounds({4, 101, 64, 15});
    RadioButton3.setHint(U"エクセルシートの選択セルから二行置きに転送されます");
    RadioButton4.setBounds({70, 101, 66, 15});
    RadioButton4.setHint(U"エクセルシートの選択セルから三行置きに転送されます");
    RadioButton1.setChecked(true);
    Button21.setHint(U"グリッドの文字列を転送します（ショートカット F9）");
    Panel2.setPopupMenu(&PopupMenu4);
    // The sheet-layout commands wait for an attached workbook.
    N21.setEnabled(false);
    N24.setEnabled(false);
    gyak1.setEnabled(false);
    HostEventPump.setInterval(HostEventInterval);
    HostEventPump.stop();
}

void TForm2::wireSheetLink() {
    cellBoxes_ = std::make_unique<sheet::CellBoxes>(sheet::CellBoxControls{Edit14, Edit15},
                                                    sheet::CellBoxHooks{[this] { Transfer(); }});
    cellBoxes_->install();
    sheetBox_ =
        std::make_unique<sheet::SheetBox>(ComboBox1, link_,
                                          sheet::SheetBoxHooks{
                                              .focusTarget = [this] { FocusEntryField(); },
                                              .dockAndBringToFront =
                                                  [this] {
                                                      link_.dock(width());
                                                      BringToFront();
                                                  },
                                              .fillCellBoxes = [this] { workbooks_->fillCellBoxes(); },
                                          });
    sheetBox_->install();
    workbooks_ = std::make_unique<sheet::WorkbookCommands>(
        sheet::WorkbookControls{*this, *sheetBox_, cellBoxes_.get(), N21, N24, gyak1, Panel4, Timer4,
                                HostEventPump},
        link_, services_.shell,
        sheet::WorkbookHooks{
            .focusTarget = [this] { FocusEntryField(); },
            .bringToFront = [this] { BringToFront(); },
            .startWatcher = [this] { Timer2.start(); },
            .listHasLines = [this] { return !list_.empty(); },
            .afterClosing =
                [this] {
                    if (list_.modes().edit)
                        list_.setEditing(true);
                },
            .afterLastWorkbookClosed = {},
            .clearHandOver = [this] { coupling_->state().handOver = false; },
            .spreadsheetOverlaps = [this] { return coupling_->state().overlap; },
        });
    synchroniser_ = std::make_unique<sheet::SheetSynchroniser>(
        Timer3, *sheetBox_, link_,
        sheet::SheetSynchroniserHooks{
            .windowVisible = [this] { return visible(); },
            .watcherRunning = [this] { return Timer2.enabled(); },
            .startWatcher = [this] { Timer2.start(); },
            .sheetBoxRefilled = {},
            .followSelection = [this] { workbooks_->fillCellBoxes(); },
        });

    SpeedButton29.onClick = [this] { workbooks_->NewWorkbook(); };
    Button19.onClick = [this] { workbooks_->NewWorkbook(); };
    SpeedButton30.onClick = [this] { workbooks_->OpenWorkbook(); };
    opop.onClick = [this] { workbooks_->OpenWorkbook(); };
    SpeedButton25.onClick = [this] { workbooks_->CloseWorkbook(); };
    Timer3.onTimer = [this] { synchroniser_->Tick(); };
    Timer4.onTimer = [this] { workbooks_->Timer4Timer(); };
    HostEventPump.onTimer = [this] { link_.pumpEvents(); };
    transfer_ = std::make_unique<sheet::TransferCommand>(
        sheet::TransferControls{*this, Edit14, Edit15, RadioButton2, RadioButton3, RadioButton4, CheckBox35,
                                CheckBox39, Button21},
        link_, services_.clipboard,
        sheet::TransferHooks{
            .list =
                [this] {
                    return sheet::TransferList{list_.rowsText(1, list_.lineCount()),
                                               list_.numberingPresent()};
                },
            .focusEntryField = [this] { FocusEntryField(); },
            .bringToFront = [this] { BringToFront(); },
            .stopWatcher = [this] { Timer2.stop(); },
            .startWatcher = [this] { Timer2.start(); },
        });
    Button21.onClick = [this] { Transfer(); };
    gyak1.onClick = [this] { transfer_->gyak1Click(); };
}

void TForm2::Transfer() {
    transfer_->Button21Click();
}

} // namespace lumitag::app
