#include "sheet/DeviceSealLayout.h"

#include "platform/spreadsheet/Worksheet.h"
#include "sheet/CellBoxes.h"
#include "sheet/ColumnRowSizes.h"
#include "sheet/SheetBox.h"
#include "sheet/SheetMessages.h"
#include "sheet/SpreadsheetLink.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/MenuItem.h"

namespace lumitag::sheet {

using platform::CellRef;

void layOutDeviceSealSheet(platform::Worksheet& sheet) {
    namespace seal = device_seal;
    const std::shared_ptr<platform::Range> all = sheet.allCells();
    all->setHorizontalAlignment(platform::HorizontalAlignment::Center);
    all->setVerticalAlignment(platform::VerticalAlignment::Center);
    all->setWrapText(true);
    all->setFontName(Text(seal::FontName));
    all->setFontSize(seal::FontSize);
    all->setNumberFormatLocal(U"@");

    // In points: 10 mm left and top, 5 mm right, 15 mm bottom.
    sheet.setPageMargins({200.0 / 7, 100.0 / 7, 200.0 / 7, 300.0 / 7});

    sheet.cell(1, 1)->setColumnWidth(columnWidthFromMillimetres(seal::ColumnAMillimetres));
    sheet.range(CellRef{1, 2}, CellRef{1, seal::LastColumn})->setColumnWidth(seal::OtherColumnsCharacters);
    sheet.cell(1, 1)->setRowHeight(rowHeightFromMillimetres(seal::HeaderRowMillimetres));
    for (int row = 2; row <= seal::LastRow; ++row) {
        const std::shared_ptr<platform::Range> first = sheet.cell(row, 1);
        if (row % 2 == 0) {
            first->setRowHeight(seal::SeparatorRowPoints);
        } else {
            first->setRowHeight(seal::SealRowPoints);
            first->setValue(numberText((seal::LastRow + 2 - row) / 2));
        }
    }
    sheet.cell(1, 1)->select();
}

DeviceSealWorkbook::DeviceSealWorkbook(WorkbookControls controls, WorkbookCommands& workbooks,
                                       SpreadsheetLink& link, std::function<bool()> listHasLines)
    : c_(controls), workbooks_(workbooks), link_(link), listHasLines_(std::move(listHasLines)) {}

void DeviceSealWorkbook::CreateDeviceSealWorkbook() {
    ui::Application& app = c_.window.application();
    showMessage(app, DeviceSealNotice);
    try {
        workbooks_.connect();
        // The sheet is asked for before either handle is kept: a refusal in
        // between must not leave the link on the new workbook and the old
        // workbook's sheet, where the next transfer would write.
        std::shared_ptr<platform::Workbook> workbook = link_.host().addWorkbook();
        std::shared_ptr<platform::Worksheet> worksheet = workbook->worksheet(1);
        link_.connectWorkbook(std::move(workbook));
        link_.connectWorksheet(std::move(worksheet));
    } catch (const platform::SpreadsheetError&) {
        showMessage(app, HostBusyMessage);
        return;
    }
    ui::WaitCursor wait(app);
    try {
        link_.dock(c_.window.width());
        c_.sheetBox.fill();
    } catch (const platform::SpreadsheetError&) {
        showMessage(app, HostBusyMessage);
        return;
    }
    if (listHasLines_())
        c_.gyak1.setEnabled(true);
    if (c_.cellBoxes != nullptr)
        c_.cellBoxes->fill({1, 1});
    link_.setWorkbookAttached(true);
    c_.N21.setEnabled(true);
    c_.N24.setEnabled(true);
    if (!link_.visible() || !c_.window.visible())
        return;
    try {
        if (const std::shared_ptr<platform::Worksheet>& sheet = link_.worksheet())
            layOutDeviceSealSheet(*sheet);
    } catch (const platform::SpreadsheetError&) {
        // What was laid out stays; the user sees the sheet as it is.
    }
}

} // namespace lumitag::sheet
