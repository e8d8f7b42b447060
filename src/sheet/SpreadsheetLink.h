#pragma once

#include "platform/Screen.h"
#include "platform/WindowSystem.h"
#include "platform/spreadsheet/SpreadsheetHost.h"
#include "ui/Handler.h"

#include <memory>
#include <optional>
#include <vector>

namespace lumitag::sheet {

// The link to the spreadsheet that both main windows share: the application,
// the connected workbook and worksheet, whether this program has attached a
// workbook, the closing guard, and the spreadsheet's window on the desktop.
//
// Calls that reach the spreadsheet throw platform::SpreadsheetError; the
// callers decide whether that shows the host busy message or ends their step
// silently.
class SpreadsheetLink {
public:
    SpreadsheetLink(platform::SpreadsheetHost& host, platform::WindowSystem& windows,
                    platform::Screen& screen);
    ~SpreadsheetLink();
    SpreadsheetLink(const SpreadsheetLink&) = delete;
    SpreadsheetLink& operator=(const SpreadsheetLink&) = delete;

    platform::SpreadsheetHost& host() const { return host_; }

    // Connects the application object: to the running spreadsheet, or to a
    // newly started one.
    void connect();
    // The application has been connected since the last quit. Only the
    // workbook commands connect: the program's start never waits for an office.
    bool connected() const { return connected_; }
    // Quits the spreadsheet application and disconnects from it.
    void quit();

    // Spreadsheet visible: the application's Visible; a failure counts as not
    // visible.
    bool visible();
    // visible() of a spreadsheet this program connected to; false without a
    // call when it never connected, so that nothing waits for an office.
    bool connectedAndVisible() { return connected_ && visible(); }

    // The connected workbook and worksheet; nullptr while none is connected.
    const std::shared_ptr<platform::Workbook>& workbook() const { return workbook_; }
    const std::shared_ptr<platform::Worksheet>& worksheet() const { return worksheet_; }
    void connectWorkbook(std::shared_ptr<platform::Workbook> workbook) { workbook_ = std::move(workbook); }
    void connectWorksheet(std::shared_ptr<platform::Worksheet> worksheet) {
        worksheet_ = std::move(worksheet);
    }
    void disconnectWorkbook() { workbook_.reset(); }
    void disconnectWorksheet() { worksheet_.reset(); }
    // AttachActiveWorkbook: the workbook objects on the active workbook and its active sheet.
    void attachActiveWorkbook();
    // The names of the connected workbook's sheets, in workbook order.
    std::vector<Text> sheetNames();

    // Workbook attached: set when this program attached a workbook (new, open
    // or adopted), cleared when the last one is closed from this program.
    bool workbookAttached() const { return workbookAttached_; }
    void setWorkbookAttached(bool attached) { workbookAttached_ = attached; }
    // Set while a close command runs, until its Timer4 tick.
    bool closing() const { return closing_; }
    void setClosing(bool closing) { closing_ = closing; }

    // The area left of a main window of this width: the spreadsheet's place.
    platform::ScreenRect spreadsheetArea(int mainWindowWidth);
    // The spreadsheet's top-level window on the desktop.
    std::optional<platform::WindowId> findWindow();
    // Shows the spreadsheet's window on the spreadsheet area.
    void placeWindow(int mainWindowWidth);
    // Docking: the window on the area, its active window maximised (a refusal
    // of that is ignored), ScreenUpdating and Visible on.
    void dock(int mainWindowWidth);
    // Brings the spreadsheet's window to the foreground of the desktop.
    void bringWindowToFront();

    // The spreadsheet's events, delivered by pumpEvents() on the
    // user-interface thread. Each has one handler that runs every window's
    // duty for it.
    ui::Handler<void()> onSheetActivated;
    ui::Handler<void()> onSelectionChanged;
    ui::Handler<void()> onSheetChanged;
    // Delivers the events the spreadsheet raised since the last call.
    void pumpEvents();

private:
    platform::SpreadsheetHost& host_;
    platform::WindowSystem& windows_;
    platform::Screen& screen_;
    bool connected_ = false;
    bool workbookAttached_ = false;
    bool closing_ = false;
    std::shared_ptr<platform::Workbook> workbook_;
    std::shared_ptr<platform::Worksheet> worksheet_;
};

} // namespace lumitag::sheet
