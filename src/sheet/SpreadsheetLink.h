#pragma once

#include "platform/Screen.h"
#include "platform/WindowSystem.h"
#include "platform/spreadsheet/SpreadsheetHost.h"
#include "sheet/HostGuard.h"
#include "ui/Handler.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lumitag::sheet {

class ConnectWorker;

// The link to the spreadsheet that both main windows share: the application,
// the connected workbook and worksheet, whether this program has attached a
// workbook, the closing guard, and the spreadsheet's window on the desktop.
//
// Calls that reach the spreadsheet throw platform::SpreadsheetError; the
// callers decide whether that shows the host busy message or ends their step
// silently.
//
// The host's connect runs on the worker, never on the user-interface thread:
// finding the office answers at once, starting one takes seconds. While it
// runs, the host must not be called from here as well, so everything reaches
// the host through host(), which fails every call as "not connected" then,
// and the workbook and worksheet read as none.
class SpreadsheetLink {
public:
    // How long a command that needs the office waits for a connect before the
    // host busy message: the host's own bound for reaching an office that runs
    // (its call time and the grace for cutting a call off), so that waiting
    // for the connect never takes longer than a call into a frozen office.
    // Starting an office fits well within it (under 2 s with a fresh profile
    // on the test machine). A connect still running then goes on, and the
    // next command finds its outcome.
    static constexpr std::chrono::milliseconds ConnectWait{12000};

    SpreadsheetLink(platform::SpreadsheetHost& host, platform::WindowSystem& windows,
                    platform::Screen& screen, ConnectWorker& worker);
    ~SpreadsheetLink();
    SpreadsheetLink(const SpreadsheetLink&) = delete;
    SpreadsheetLink& operator=(const SpreadsheetLink&) = delete;

    // The host as this thread may use it (see the class comment).
    platform::SpreadsheetHost& host() { return guard_; }

    // Begins connecting the application object in the background: the
    // program's start, right after its first window is up. Returns at once.
    void startConnecting();
    // Connects the application object: to the running spreadsheet, or to a
    // newly started one when the last is gone. Waits for a connect already
    // running, or starts one, at most ConnectWait (the caller shows the wait
    // cursor); throws SpreadsheetError when it failed or has not ended yet.
    void connect();
    // The last connect succeeded and no quit came since. False while a
    // connect runs.
    bool connected();
    // A connect runs in the background.
    bool connecting();
    // Quits the spreadsheet application and disconnects from it.
    void quit();

    // Spreadsheet visible: the application's Visible; a failure counts as not
    // visible.
    bool visible();
    // visible() of a spreadsheet this program connected to; false without a
    // call when it never connected, so that nothing waits for an office.
    bool connectedAndVisible() { return connected() && visible(); }

    // The connected workbook and worksheet; nullptr while none is connected
    // and while a connect runs.
    const std::shared_ptr<platform::Workbook>& workbook();
    const std::shared_ptr<platform::Worksheet>& worksheet();
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
    // What a background connect reports; shared with its job, which may end
    // after this link.
    struct ConnectOutcome {
        bool connected = false;
        std::string failure;
    };

    void startJob();
    // Takes in the outcome of a connect that has ended; false while one runs.
    bool collect();

    platform::SpreadsheetHost& realHost_; // only the worker's job calls it directly
    HostGuard guard_;
    platform::WindowSystem& windows_;
    platform::Screen& screen_;
    ConnectWorker& worker_;
    std::shared_ptr<ConnectOutcome> running_; // the connect the worker runs
    bool connected_ = false;
    bool workbookAttached_ = false;
    bool closing_ = false;
    std::shared_ptr<platform::Workbook> workbook_;
    std::shared_ptr<platform::Worksheet> worksheet_;
};

} // namespace lumitag::sheet
