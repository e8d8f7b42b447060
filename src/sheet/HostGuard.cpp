#include "sheet/HostGuard.h"

namespace lumitag::sheet {

platform::SpreadsheetHost& HostGuard::idleHost() {
    if (link_.connecting())
        throw platform::SpreadsheetError("the spreadsheet is still being connected");
    return host_;
}

void HostGuard::connect() {
    link_.connect();
}

void HostGuard::quit() {
    idleHost().quit();
}

bool HostGuard::visible() {
    return idleHost().visible();
}

void HostGuard::setVisible(bool visible) {
    idleHost().setVisible(visible);
}

void HostGuard::setScreenUpdating(bool updating) {
    idleHost().setScreenUpdating(updating);
}

std::shared_ptr<platform::Workbook> HostGuard::addWorkbook() {
    return idleHost().addWorkbook();
}

std::shared_ptr<platform::Workbook> HostGuard::openWorkbook(const Text& path) {
    return idleHost().openWorkbook(path);
}

std::shared_ptr<platform::Workbook> HostGuard::activeWorkbook() {
    return idleHost().activeWorkbook();
}

std::shared_ptr<platform::Worksheet> HostGuard::activeSheet() {
    return idleHost().activeSheet();
}

platform::CellRef HostGuard::activeCell() {
    return idleHost().activeCell();
}

platform::SelectedRows HostGuard::selectedRows() {
    return idleHost().selectedRows();
}

void HostGuard::maximizeActiveWindow() {
    idleHost().maximizeActiveWindow();
}

void HostGuard::disableKey(const Text& key) {
    idleHost().disableKey(key);
}

platform::HostWindow HostGuard::mainWindow() {
    return idleHost().mainWindow();
}

// The handlers are the host's own state on this thread; the connect does not
// touch them.
void HostGuard::setEventHandlers(platform::SpreadsheetEvents handlers) {
    host_.setEventHandlers(std::move(handlers));
}

void HostGuard::pumpEvents() {
    if (!link_.connecting())
        host_.pumpEvents();
}

} // namespace lumitag::sheet
