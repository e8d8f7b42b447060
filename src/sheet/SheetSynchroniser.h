#pragma once

#include "platform/Text.h"

#include <functional>

namespace lumitag::ui {
class Timer;
}

namespace lumitag::sheet {

class SheetBox;
class SpreadsheetLink;

struct SheetSynchroniserHooks {
    // The window the synchroniser serves is shown: only then do the
    // spreadsheet's events start it.
    std::function<bool()> windowVisible;
    // The watcher runs, and starting it.
    std::function<bool()> watcherRunning;
    std::function<void()> startWatcher;
    // After the sheet-activated event refilled the sheet box; may be empty.
    std::function<void()> sheetBoxRefilled;
    // Each tick after a selection: the window takes what it shows of the
    // selection (the orange window's cell boxes, the blue window's settings).
    // It may throw platform::SpreadsheetError, which stops the synchroniser.
    std::function<void()> followSelection;
};

// Keeps a window's sheet box and what it shows of the selection in step with
// what the user does inside the spreadsheet: its events start a 1 ms timer
// that reads the active workbook, sheet and selection for one or three ticks
// and stops itself. Each main window has one.
class SheetSynchroniser {
public:
    SheetSynchroniser(ui::Timer& timer, SheetBox& sheetBox, SpreadsheetLink& link,
                      SheetSynchroniserHooks hooks);
    SheetSynchroniser(const SheetSynchroniser&) = delete;
    SheetSynchroniser& operator=(const SheetSynchroniser&) = delete;

    // The spreadsheet's events.
    void SheetActivated();
    void SelectionChanged();
    void SheetChanged();
    // SyncSheets: one tick of the timer.
    void Tick();

    // The name of the active workbook as last seen, and the one seen before it.
    const Text& lastWorkbookName() const { return lastWorkbookName_; }
    // Program activation: the workbook seen last counts as seen before.
    void rememberWorkbookName() { previousWorkbookName_ = lastWorkbookName_; }

private:
    void start(int ticks);
    void stop();
    void followActiveSheet();

    ui::Timer& timer_;
    SheetBox& sheetBox_;
    SpreadsheetLink& link_;
    SheetSynchroniserHooks hooks_;
    bool sheetsChanged_ = false;
    bool selectionChanged_ = false;
    int countdown_ = 0;
    Text lastWorkbookName_;
    Text previousWorkbookName_;
};

} // namespace lumitag::sheet
