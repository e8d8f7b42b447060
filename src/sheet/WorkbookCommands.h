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

// What the orange window's workbook commands read and write.
struct WorkbookControls {
    ui::Form& window;
    SheetBox& sheetBox;
    CellBoxes& cellBoxes;
    ui::MenuItem& N21;   // エクセル　フォーマット
    ui::MenuItem& N24;   // 列幅・行高さ・印刷補正の設定
    ui::MenuItem& gyak1; // 逆順で転送する
    ui::Panel& Panel4;   // the blue-mode switch
    ui::Timer& Timer4;   // one tick after closing a workbook
    // Delivers the spreadsheet's events while the link is connected.
    ui::Timer& eventPump;
};

struct WorkbookHooks {
    std::function<void()> focusEntryField;
    // Makes this program's window the desktop's foreground window.
    std::function<void()> bringToFront;
    std::function<void()> startWatcher;
    std::function<bool()> listHasLines;
    // Timer4's tick: in edit mode the list's in-cell editing comes back on.
    std::function<void()> afterClosing;
    // The window coupling's hand-over flag ends with a close; its overlap
    // flag keeps the spreadsheet's window as it is when the link starts.
    std::function<void()> clearHandOver;
    std::function<bool()> spreadsheetOverlaps;
};

// The orange window's commands on workbooks: 新規作成, 開く and 閉じる, the
// link's initialisation each time the window is shown, and the tick after
// closing.
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
    // Column box and row box := the active cell; failures are the caller's.
    void fillCellBoxes();

private:
    void connect();
    // The steps after a workbook was added or opened and connected.
    void showAttachedWorkbook();
    void closeActiveWorkbook();
    void detachLastWorkbook();
    int windowWidth() const;

    WorkbookControls c_;
    SpreadsheetLink& link_;
    platform::Shell& shell_;
    WorkbookHooks hooks_;
};

} // namespace lumitag::sheet
