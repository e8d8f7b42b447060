#include "sheet/SheetSynchroniser.h"

#include "sheet/SheetBox.h"
#include "sheet/SpreadsheetLink.h"
#include "ui/ComboBox.h"
#include "ui/Timer.h"

namespace lumitag::sheet {

SheetSynchroniser::SheetSynchroniser(ui::Timer& timer, SheetBox& sheetBox, SpreadsheetLink& link,
                                     SheetSynchroniserHooks hooks)
    : timer_(timer), sheetBox_(sheetBox), link_(link), hooks_(std::move(hooks)) {}

void SheetSynchroniser::SheetActivated() {
    if (!hooks_.windowVisible())
        return;
    try {
        sheetBox_.fill();
    } catch (const platform::SpreadsheetError&) {
        // The ticks read the spreadsheet again.
    }
    if (hooks_.sheetBoxRefilled)
        hooks_.sheetBoxRefilled();
    start(1);
}

void SheetSynchroniser::SelectionChanged() {
    if (hooks_.watcherRunning() && hooks_.windowVisible())
        start(3);
}

void SheetSynchroniser::SheetChanged() {
    if (!hooks_.watcherRunning())
        hooks_.startWatcher();
}

void SheetSynchroniser::start(int ticks) {
    sheetsChanged_ = true;
    selectionChanged_ = true;
    countdown_ = ticks;
    timer_.start();
}

void SheetSynchroniser::stop() {
    sheetsChanged_ = false;
    selectionChanged_ = false;
    countdown_ = 0;
    timer_.stop();
}

void SheetSynchroniser::Tick() {
    try {
        const std::shared_ptr<platform::Workbook>& workbook = link_.workbook();
        if (!workbook)
            throw platform::SpreadsheetError("no workbook is connected");
        const bool bothFlags = sheetsChanged_ && selectionChanged_;
        if (bothFlags || workbook->sheetCount() != static_cast<int>(sheetBox_.itemCount()))
            followActiveSheet();
        if (selectionChanged_ && hooks_.followSelection)
            hooks_.followSelection();
        if (--countdown_ <= 0)
            stop();
    } catch (const platform::SpreadsheetError&) {
        stop();
    }
}

// The box follows the spreadsheet's active workbook and sheet; another
// workbook brings its own list of sheets.
void SheetSynchroniser::followActiveSheet() {
    if (!link_.visible() || !hooks_.windowVisible())
        return;
    platform::SpreadsheetHost& host = link_.host();
    previousWorkbookName_ = lastWorkbookName_;
    std::shared_ptr<platform::Workbook> active = host.activeWorkbook();
    const Text workbookName = active->name();
    const Text sheetName = host.activeSheet()->name();
    sheetBox_.setText(sheetName);
    std::shared_ptr<platform::Worksheet> worksheet = active->worksheet(sheetName);
    // A box that does not list as many sheets as the workbook has lists
    // another workbook's: one the program opened since this workbook was
    // last seen here, or one of an office that has gone since.
    const bool boxOfAnotherWorkbook = active->sheetCount() != static_cast<int>(sheetBox_.itemCount());
    link_.connectWorkbook(std::move(active));
    link_.connectWorksheet(std::move(worksheet));
    if (workbookName != previousWorkbookName_ || boxOfAnotherWorkbook) {
        link_.attachActiveWorkbook();
        sheetBox_.fill();
        sheetBox_.setText(host.activeSheet()->name());
    }
    // Only now is the workbook seen: when the spreadsheet failed before its
    // sheets were listed, the next tick lists them, instead of leaving the
    // box on the sheets of the workbook before.
    lastWorkbookName_ = workbookName;
}

} // namespace lumitag::sheet
