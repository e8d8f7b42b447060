#pragma once

#include "platform/spreadsheet/SpreadsheetHost.h"

#include <functional>

namespace lumitag::sheet {

// The spreadsheet host as the user-interface thread sees it while a connect
// may run in the background. The host is not made to be called from two
// threads at once: while the connect runs, every call fails as when no
// spreadsheet is connected (the callers' designed failure), the visibility
// question answers false and the event pump delivers nothing. A connect asked
// for here is the link's bounded one.
class HostGuard final : public platform::SpreadsheetHost {
public:
    struct Link {
        std::function<bool()> connecting;
        std::function<void()> connect;
    };

    HostGuard(platform::SpreadsheetHost& host, Link link) : host_(host), link_(std::move(link)) {}

    void connect() override;
    void quit() override;
    bool visible() override;
    void setVisible(bool visible) override;
    void setScreenUpdating(bool updating) override;
    std::shared_ptr<platform::Workbook> addWorkbook() override;
    std::shared_ptr<platform::Workbook> openWorkbook(const Text& path) override;
    std::shared_ptr<platform::Workbook> activeWorkbook() override;
    std::shared_ptr<platform::Worksheet> activeSheet() override;
    platform::CellRef activeCell() override;
    platform::SelectedRows selectedRows() override;
    void maximizeActiveWindow() override;
    void disableKey(const Text& key) override;
    platform::HostWindow mainWindow() override;
    void setEventHandlers(platform::SpreadsheetEvents handlers) override;
    void pumpEvents() override;

private:
    // The host, once no connect runs; throws SpreadsheetError while one does.
    platform::SpreadsheetHost& idleHost();

    platform::SpreadsheetHost& host_;
    Link link_;
};

} // namespace lumitag::sheet
