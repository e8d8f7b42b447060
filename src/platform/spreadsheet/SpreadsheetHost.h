#pragma once

#include "platform/Text.h"
#include "platform/spreadsheet/CellAddress.h"
#include "platform/spreadsheet/SpreadsheetError.h"
#include "platform/spreadsheet/Workbook.h"
#include "platform/spreadsheet/Worksheet.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace lumitag::platform {

// The application's events. Each runs on the thread that calls pumpEvents(),
// never from inside another host call.
struct SpreadsheetEvents {
    std::function<void()> sheetActivated;   // another sheet became the active one
    std::function<void()> selectionChanged; // the selection of a sheet changed
    std::function<void()> sheetChanged;     // the content of cells changed
};

// RangeSelection: first row and row count of the selected block.
struct SelectedRows {
    int firstRow = 1;
    int rowCount = 1;

    friend bool operator==(const SelectedRows&, const SelectedRows&) = default;
};

// What the window system needs to find the spreadsheet's main window.
// A host leaves out what it cannot tell (0, empty text).
struct HostWindow {
    std::uint64_t windowId = 0; // native (X11) window id
    Text windowClass;
    Text title;
};

// The running spreadsheet application (its Application object).
//
// Every operation may throw SpreadsheetError: the spreadsheet may be busy or
// gone at any moment. Before connect(), and after quit() until the next
// connect(), every operation fails. Workbooks, worksheets and ranges handed
// out are handles onto the application's objects; they do not keep a closed
// workbook alive.
//
// The spreadsheet changes on its own (the user works in it). Its events are
// queued as they happen, possibly on another thread, and delivered by
// pumpEvents(), which the program's user-interface thread calls regularly.
class SpreadsheetHost {
public:
    virtual ~SpreadsheetHost() = default;

    // Connects to the running spreadsheet or, when none runs, starts one
    // (started, it is invisible and has no workbook).
    virtual void connect() = 0;
    // Ends the spreadsheet application. The program never quits it on its own
    // disconnect; only closing the last workbook from the program does.
    virtual void quit() = 0;

    // Visible. False, or a failure, means "there is no spreadsheet".
    virtual bool visible() = 0;
    virtual void setVisible(bool visible) = 0;
    // visible() that answers false instead of failing.
    bool isVisible() noexcept;
    virtual void setScreenUpdating(bool updating) = 0;

    // Workbooks.Add and Workbooks.Open(path): the added or opened workbook
    // becomes the active one. A failing open has opened nothing. Opening a
    // workbook that is already open activates it.
    virtual std::shared_ptr<Workbook> addWorkbook() = 0;
    virtual std::shared_ptr<Workbook> openWorkbook(const Text& path) = 0;
    // ActiveWorkbook and ActiveSheet: fail when no workbook is open.
    virtual std::shared_ptr<Workbook> activeWorkbook() = 0;
    virtual std::shared_ptr<Worksheet> activeSheet() = 0;
    // ActiveCell's row and column.
    virtual CellRef activeCell() = 0;
    // ActiveWindow.RangeSelection's Row and Rows.Count.
    virtual SelectedRows selectedRows() = 0;
    // ActiveWindow.WindowState := xlMaximized.
    virtual void maximizeActiveWindow() = 0;

    // OnKey(key, ""): the key does nothing inside the spreadsheet. Keys are
    // written as "{BS}", "{DELETE}", "{F1}" … "{F12}".
    virtual void disableKey(const Text& key) = 0;

    // The spreadsheet's top-level window.
    virtual HostWindow mainWindow() = 0;

    // Replaces the event handlers; empty handlers ignore their event.
    virtual void setEventHandlers(SpreadsheetEvents handlers) = 0;
    // Delivers the events queued before this call, in order. Events raised
    // while they run wait for the next call. Never throws by itself.
    virtual void pumpEvents() = 0;
};

} // namespace lumitag::platform
