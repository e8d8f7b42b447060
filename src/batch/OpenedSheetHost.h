#pragma once

#include "platform/spreadsheet/SpreadsheetHost.h"

#include <memory>

namespace lumitag::batch {

// The spreadsheet as a batch conversion sees it: the one worksheet it opened
// for itself, shown and idle. Nobody edits a cell of it meanwhile, so the
// conversion's busy test always passes. Everything a window would do with a
// spreadsheet (workbooks, selection, windows, events) fails.
class OpenedSheetHost final : public platform::SpreadsheetHost {
public:
    explicit OpenedSheetHost(std::shared_ptr<platform::Worksheet> sheet) : sheet_(std::move(sheet)) {}

    void connect() override {}
    void quit() override {}
    bool visible() override { return true; }
    void setVisible(bool visible) override;
    void setScreenUpdating(bool) override {}
    std::shared_ptr<platform::Workbook> addWorkbook() override;
    std::shared_ptr<platform::Workbook> openWorkbook(const Text& path) override;
    std::shared_ptr<platform::Workbook> activeWorkbook() override;
    std::shared_ptr<platform::Worksheet> activeSheet() override { return sheet_; }
    platform::CellRef activeCell() override { return {1, 1}; }
    platform::SelectedRows selectedRows() override { return {1, 1}; }
    void maximizeActiveWindow() override {}
    void disableKey(const Text& key) override;
    platform::HostWindow mainWindow() override { return {}; }
    void setEventHandlers(platform::SpreadsheetEvents) override {}
    void pumpEvents() override {}

private:
    std::shared_ptr<platform::Worksheet> sheet_;
};

} // namespace lumitag::batch
