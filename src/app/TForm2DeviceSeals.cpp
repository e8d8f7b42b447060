// The spreadsheet panel's sheet layouts: the device seal workbook and the
// column/row settings window.
#include "app/TForm2.h"
#include "app/TForm5.h"
#include "sheet/DeviceSealLayout.h"
#include "sheet/WorkbookCommands.h"

namespace lumitag::app {

void TForm2::wireDeviceSeals() {
    N21.setSubMenu(&N21Menu);
    deviceSeals_ = std::make_unique<sheet::DeviceSealWorkbook>(
        sheet::WorkbookControls{*this, *sheetBox_, cellBoxes_.get(), N21, N24, gyak1, Panel4, Timer4,
                                HostEventPump},
        *workbooks_, link_, [this] { return !list_.empty(); });
    N22.onClick = [this] { deviceSeals_->CreateDeviceSealWorkbook(); };
    N24.onClick = [this] {
        if (columnSettings_ != nullptr)
            columnSettings_->show();
    };
}

} // namespace lumitag::app
