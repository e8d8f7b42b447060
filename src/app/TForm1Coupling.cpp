// The blue window's part in the window coupling: what the coupling sees of
// it.
#include "app/TForm1.h"
#include "sheet/SheetBox.h"
#include "sheet/SheetSynchroniser.h"
#include "sheet/WindowCoupling.h"
#include "ui/Application.h"

namespace lumitag::app {

void TForm1::wireCoupling(sheet::WindowCoupling& coupling) {
    coupling.setBlueWindow({
        .form = this,
        .fillSheetBox = [this] { sheetBox_->fill(); },
        .fillCellBoxes = {}, // the blue window has no cell boxes
        .programActivated = [this] { synchroniser_->rememberWorkbookName(); },
    });
}

} // namespace lumitag::app
