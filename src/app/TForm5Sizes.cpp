// The column/row settings window's commands on the active sheet: column
// widths, row heights and the print correction.
#include "app/TForm5.h"
#include "sheet/ColumnRowSizing.h"
#include "sheet/SheetMessages.h"
#include "sheet/SpreadsheetLink.h"
#include "ui/Application.h"

namespace lumitag::app {

std::shared_ptr<platform::Worksheet> TForm5::activeSheet() {
    return link_.host().activeSheet();
}

void TForm5::SetColumnWidths() {
    if (!link_.visible() || !ownerVisible() || Edit1.text().empty() || Edit3.text().empty())
        return;
    ui::WaitCursor wait(application());
    const auto plan = sheet::planColumnWidths(Edit3.text(), Edit1.text(),
                                              RadioButton2.checked() ? sheet::WidthUnit::Millimetres
                                                                     : sheet::WidthUnit::Characters);
    // A list or a size the sheet cannot take is told like a refusal of the
    // spreadsheet, before anything is set.
    bool done = plan.ok();
    if (done) {
        try {
            sheet::applyColumnWidths(*activeSheet(), plan.value());
        } catch (const platform::SpreadsheetError&) {
            done = false;
        }
    }
    if (!done)
        sheet::showMessage(application(), sheet::HostBusyMessage);
    if (Edit1.setFocus())
        Edit1.selectAll();
}

void TForm5::SetRowHeights() {
    if (!link_.visible() || !ownerVisible() || Edit2.text().empty() || Edit4.text().empty())
        return;
    ui::WaitCursor wait(application());
    const auto plan = sheet::planRowHeights(Edit4.text(), Edit2.text(),
                                            RadioButton4.checked() ? sheet::HeightUnit::Millimetres
                                                                   : sheet::HeightUnit::Points);
    // A list or a size the sheet cannot take is told like a refusal of the
    // spreadsheet, before anything is set.
    bool done = plan.ok();
    if (done) {
        try {
            sheet::applyRowHeights(*activeSheet(), plan.value());
        } catch (const platform::SpreadsheetError&) {
            done = false;
        }
    }
    if (!done)
        sheet::showMessage(application(), sheet::HostBusyMessage);
    if (Edit2.setFocus())
        Edit2.selectAll();
}

void TForm5::ApplyPrintCorrection() {
    if (!link_.visible() || !ownerVisible())
        return;
    ui::WaitCursor wait(application());
    const auto plan = sheet::planPrintCorrection({
        .firstColumn = Edit5.text(),
        .lastColumn = Edit6.text(),
        .columnTarget = Edit9.text(),
        .columnMeasured = Edit10.text(),
        .firstRow = Edit7.text(),
        .lastRow = Edit8.text(),
        .rowTarget = Edit11.text(),
        .rowMeasured = Edit12.text(),
    });
    bool done = plan.ok();
    if (done) {
        try {
            sheet::applyPrintCorrection(*activeSheet(), plan.value());
        } catch (const platform::SpreadsheetError&) {
            done = false;
        }
    }
    if (!done) {
        // The measured lengths stay for another try.
        sheet::showMessage(application(), sheet::HostBusyMessage);
        return;
    }
    // A measured length belongs to one test print.
    Edit10.clear();
    Edit12.clear();
}

} // namespace lumitag::app
