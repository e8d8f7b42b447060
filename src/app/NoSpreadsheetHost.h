#pragma once

#include "platform/spreadsheet/SpreadsheetHost.h"

namespace lumitag::app {

// The spreadsheet host of a program built without a spreadsheet: it is never
// visible and every operation fails as when no spreadsheet runs.
class NoSpreadsheetHost : public platform::SpreadsheetHost {
public:
    void connect() override { fail(); }
    void quit() override { fail(); }
    bool visible() override { return false; }
    void setVisible(bool) override { fail(); }
    void setScreenUpdating(bool) override { fail(); }
    std::shared_ptr<platform::Workbook> addWorkbook() override { fail(); }
    std::shared_ptr<platform::Workbook> openWorkbook(const Text&) override { fail(); }
    std::shared_ptr<platform::Workbook> activeWorkbook() override { fail(); }
    std::shared_ptr<platform::Worksheet> activeSheet() override { fail(); }
    platform::CellRef activeCell() override { fail(); }
    platform::SelectedRows selectedRows() override { fail(); }
    void maximizeActiveWindow() override { fail(); }
    void disableKey(const Text&) override { fail(); }
    platform::HostWindow mainWindow() override { fail(); }
    void setEventHandlers(platform::SpreadsheetEvents) override {}
    void pumpEvents() override {}

private:
    [[noreturn]] static void fail() { throw platform::SpreadsheetError("no spreadsheet application"); }
};

} // namespace lumitag::app
