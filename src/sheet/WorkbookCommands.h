#pragma once

#include "platform/Shell.h"
#include "platform/Text.h"
#include "ui/Geometry.h"

#include <functional>

namespace lumitag::ui {
class Form;
class MenuItem;
class Panel;
class Timer;
} // namespace lumitag::ui

namespace lumitag::sheet {

class CellBoxes;
class SheetBox;
class SpreadsheetLink;

// What a main window's workbook commands read and write. The window, its
// sheet box and its cell boxes are the commanding window's own; the menu
// items, the mode switch and the timers are the orange window's for both
// windows, because they show and keep the state of the one link.
struct WorkbookControls {
    ui::Form& window; // docking leaves this window's width free
    SheetBox& sheetBox;
    CellBoxes* cellBoxes; // nullptr: the window has none (the blue window)
    ui::MenuItem& N21;    // エクセル　フォーマット
    ui::MenuItem& N24;    // 列幅・行高さ・印刷補正の設定
    ui::MenuItem& gyak1;  // 逆順で転送する
    ui::Panel& Panel4;    // the blue-mode switch
    ui::Timer& Timer4;    // one tick after closing a workbook
    // Delivers the spreadsheet's events while the link is connected.
    ui::Timer& eventPump;
};

struct WorkbookHooks {
    // Where the focus goes after a command: the orange window's entry field,
    // the blue window's Edit1.
    std::function<void()> focusTarget;
    // Makes this program's window the desktop's foreground window.
    std::function<void()> bringToFront;
    std::function<void()> startWatcher;
    std::function<bool()> listHasLines;
    // Timer4's tick: in edit mode the list's in-cell editing comes back on.
    std::function<void()> afterClosing;
    // After the last workbook was closed and the spreadsheet quit: what the
    // window resets beyond its sheet box and cell boxes. May be empty.
    std::function<void()> afterLastWorkbookClosed;
    // The window coupling's hand-over flag ends with a close; its overlap
    // flag keeps the spreadsheet's window as it is when the link starts.
    std::function<void()> clearHandOver;
    std::function<bool()> spreadsheetOverlaps;
};

// A main window's commands on workbooks: 新規作成, 開く and 閉じる, the
// link's initialisation each time the orange window is shown, and the tick
// after closing. Each main window has one, on its own controls.
class WorkbookCommands {
public:
    static constexpr ui::Color LinkedSwitchColor{166, 203, 240};
    // One filter: the spreadsheet opens all three formats alike.
    static constexpr TextView OpenFilter = U"Excelブック (*.xls;*.xlsx;*.ods)|*.xls;*.xlsx;*.ods";

    WorkbookCommands(WorkbookControls controls, SpreadsheetLink& link, platform::Shell& shell,
                     WorkbookHooks hooks);
    WorkbookCommands(const WorkbookCommands&) = delete;
    WorkbookCommands& operator=(const WorkbookCommands&) = delete;

    void NewWorkbook();
    void OpenWorkbook();
    void OpenWorkbookFile(const Text& path);
    void CloseWorkbook();
    void Timer4Timer();
    // Showing the orange window: the link to a spreadsheet already on screen.
    void InitialiseLink();
    // Column box and row box := the active cell, in a window that has them;
    // failures are the caller's.
    void fillCellBoxes();
    // Connects the application object under the wait cursor and starts the
    // event pump; throws SpreadsheetError as SpreadsheetLink::connect().
    void connect();

private:
    // The steps after a workbook was added or opened and connected.
    void showAttachedWorkbook();
    void closeActiveWorkbook();
    // Lets the workbook go; ends the spreadsheet application when asked.
    void detachLastWorkbook(bool endSpreadsheet);
    int windowWidth() const;

    WorkbookControls c_;
    SpreadsheetLink& link_;
    platform::Shell& shell_;
    WorkbookHooks hooks_;
};

} // namespace lumitag::sheet
