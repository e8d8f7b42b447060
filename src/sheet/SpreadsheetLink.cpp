#include "sheet/SpreadsheetLink.h"

#include "sheet/ConnectWorker.h"

namespace lumitag::sheet {

namespace {

const std::shared_ptr<platform::Workbook> NoWorkbook;
const std::shared_ptr<platform::Worksheet> NoWorksheet;

} // namespace

SpreadsheetLink::SpreadsheetLink(platform::SpreadsheetHost& host, platform::WindowSystem& windows,
                                 platform::Screen& screen, ConnectWorker& worker)
    : realHost_(host),
      guard_(host, {.connecting = [this] { return connecting(); }, .connect = [this] { connect(); }}),
      windows_(windows), screen_(screen), worker_(worker) {
    // The handlers are looked up when an event comes, so that the windows may
    // wire them after the link exists.
    guard_.setEventHandlers({
        .sheetActivated =
            [this] {
                if (onSheetActivated)
                    onSheetActivated();
            },
        .selectionChanged =
            [this] {
                if (onSelectionChanged)
                    onSelectionChanged();
            },
        .sheetChanged =
            [this] {
                if (onSheetChanged)
                    onSheetChanged();
            },
    });
}

SpreadsheetLink::~SpreadsheetLink() {
    // A connect still running ends on its own: its job holds no part of the link.
    guard_.setEventHandlers({});
}

void SpreadsheetLink::startConnecting() {
    if (!connecting())
        startJob();
}

void SpreadsheetLink::startJob() {
    auto outcome = std::make_shared<ConnectOutcome>();
    running_ = outcome;
    worker_.start([&host = realHost_, outcome] {
        try {
            host.connect();
            outcome->connected = true;
        } catch (const std::exception& error) {
            outcome->failure = error.what();
        }
    });
}

bool SpreadsheetLink::collect() {
    if (!running_)
        return true;
    if (!worker_.finished())
        return false;
    connected_ = running_->connected;
    running_.reset();
    return true;
}

bool SpreadsheetLink::connecting() {
    return !collect();
}

bool SpreadsheetLink::connected() {
    return collect() && connected_;
}

void SpreadsheetLink::connect() {
    // Every command connects again: the host finds a gone office out then
    // and starts a new one.
    if (!connecting())
        startJob();
    if (!worker_.waitFor(ConnectWait))
        throw platform::SpreadsheetError("the spreadsheet has not answered yet");
    const std::shared_ptr<ConnectOutcome> outcome = running_;
    collect();
    if (!outcome->connected)
        throw platform::SpreadsheetError("cannot connect to the spreadsheet: " + outcome->failure);
}

void SpreadsheetLink::quit() {
    // Disconnected whether or not the spreadsheet took the quit: the next
    // command connects afresh.
    connected_ = false;
    workbook_.reset();
    worksheet_.reset();
    guard_.quit();
}

bool SpreadsheetLink::visible() {
    return guard_.isVisible();
}

const std::shared_ptr<platform::Workbook>& SpreadsheetLink::workbook() {
    return connecting() ? NoWorkbook : workbook_;
}

const std::shared_ptr<platform::Worksheet>& SpreadsheetLink::worksheet() {
    return connecting() ? NoWorksheet : worksheet_;
}

void SpreadsheetLink::attachActiveWorkbook() {
    std::shared_ptr<platform::Workbook> workbook = guard_.activeWorkbook();
    std::shared_ptr<platform::Worksheet> worksheet = guard_.activeSheet();
    workbook_ = std::move(workbook);
    worksheet_ = std::move(worksheet);
}

std::vector<Text> SpreadsheetLink::sheetNames() {
    const std::shared_ptr<platform::Workbook>& connectedWorkbook = workbook();
    if (!connectedWorkbook)
        throw platform::SpreadsheetError("no workbook is connected");
    return connectedWorkbook->sheetNames();
}

platform::ScreenRect SpreadsheetLink::spreadsheetArea(int mainWindowWidth) {
    const platform::ScreenRect work = screen_.workArea();
    return {0, 0, work.right() - mainWindowWidth, work.bottom()};
}

std::optional<platform::WindowId> SpreadsheetLink::findWindow() {
    const platform::HostWindow window = guard_.mainWindow();
    if (window.windowId != 0)
        return platform::WindowId{window.windowId};
    if (window.title.empty())
        return std::nullopt;
    return windows_.findTopLevelWindow(window.title, window.windowClass);
}

void SpreadsheetLink::placeWindow(int mainWindowWidth) {
    const std::optional<platform::WindowId> window = findWindow();
    if (!window)
        return;
    // Restored first: a maximised window would not take the placement.
    (void)windows_.restoreWindow(*window);
    (void)windows_.placeWindow(*window, spreadsheetArea(mainWindowWidth));
}

void SpreadsheetLink::dock(int mainWindowWidth) {
    // The workbook's window is maximised before the spreadsheet's window is
    // placed: where the workbook's window is the top-level window itself (as
    // in Calc), maximising it afterwards would cover the main window again.
    try {
        guard_.maximizeActiveWindow();
    } catch (const platform::SpreadsheetError&) {
        // Docking goes on with the window as it is.
    }
    placeWindow(mainWindowWidth);
    guard_.setScreenUpdating(true);
    guard_.setVisible(true);
}

void SpreadsheetLink::bringWindowToFront() {
    if (const std::optional<platform::WindowId> window = findWindow())
        (void)windows_.bringToForeground(*window);
}

void SpreadsheetLink::pumpEvents() {
    guard_.pumpEvents();
}

} // namespace lumitag::sheet
