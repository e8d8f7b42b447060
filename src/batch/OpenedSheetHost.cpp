#include "batch/OpenedSheetHost.h"

namespace lumitag::batch {

namespace {

[[noreturn]] void refuse() {
    throw platform::SpreadsheetError("a batch conversion has no spreadsheet windows");
}

} // namespace

void OpenedSheetHost::setVisible(bool) {
    refuse();
}

std::shared_ptr<platform::Workbook> OpenedSheetHost::addWorkbook() {
    refuse();
}

std::shared_ptr<platform::Workbook> OpenedSheetHost::openWorkbook(const Text&) {
    refuse();
}

std::shared_ptr<platform::Workbook> OpenedSheetHost::activeWorkbook() {
    refuse();
}

void OpenedSheetHost::disableKey(const Text&) {
    refuse();
}

} // namespace lumitag::batch
