#include "sheet/SpreadsheetLink.h"

namespace lumitag::sheet {

SpreadsheetLink::SpreadsheetLink(platform::SpreadsheetHost& host, platform::WindowSystem& windows,
                                 platform::Screen& screen)
    : host_(host), windows_(windows), screen_(screen) {
    // The handlers are looked up when an event comes, so that the windows may
    // wire them after the link exists.
    host_.setEventHandlers({
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
    host_.setEventHandlers({});
}

void SpreadsheetLink::connect() {
    host_.connect();
    connected_ = true;
}

void SpreadsheetLink::quit() {
    // Disconnected whether or not the spreadsheet took the quit: the next
    // command connects afresh.
    connected_ = false;
    workbook_.reset();
    worksheet_.reset();
    host_.quit();
}

bool SpreadsheetLink::visible() {
    return host_.isVisible();
}

void SpreadsheetLink::attachActiveWorkbook() {
    std::shared_ptr<platform::Workbook> workbook = host_.activeWorkbook();
    std::shared_ptr<platform::Worksheet> worksheet = host_.activeSheet();
    workbook_ = std::move(workbook);
    worksheet_ = std::move(worksheet);
}

std::vector<Text> SpreadsheetLink::sheetNames() {
    if (!workbook_)
        throw platform::SpreadsheetError("no workbook is connected");
    return workbook_->sheetNames();
}

platform::ScreenRect SpreadsheetLink::spreadsheetArea(int mainWindowWidth) {
    const platform::ScreenRect work = screen_.workArea();
    return {0, 0, work.right() - mainWindowWidth, work.bottom()};
}

std::optional<platform::WindowId> SpreadsheetLink::findWindow() {
    const platform::HostWindow window = host_.mainWindow();
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
        host_.maximizeActiveWindow();
    } catch (const platform::SpreadsheetError&) {
        // Docking goes on with the window as it is.
    }
    placeWindow(mainWindowWidth);
    host_.setScreenUpdating(true);
    host_.setVisible(true);
}

void SpreadsheetLink::bringWindowToFront() {
    if (const std::optional<platform::WindowId> window = findWindow())
        (void)windows_.bringToForeground(*window);
}

void SpreadsheetLink::pumpEvents() {
    host_.pumpEvents();
}

} // namespace lumitag::sheet
