// The blue window's part in the window coupling: what the coupling sees of
// it, and F1.
#include "app/TForm1.h"
#include "sheet/WindowCoupling.h"
#include "ui/Application.h"

namespace lumitag::app {

void TForm1::wireCoupling(sheet::WindowCoupling& coupling) {
    coupling.setBlueWindow({
        .visible = [this] { return visible(); },
        .active = [this] { return application().active() && active(); },
        .rect =
            [this] {
                return platform::ScreenRect{left(), top(), width(), height()};
            },
        // FIXME: an adopted workbook fills the blue sheet box here once the
        // blue window has its own.
        .fillSheetBox = {},
        .fillCellBoxes = {}, // the blue window has no cell boxes
        // FIXME: the blue sheet synchroniser remembers its last workbook name
        // here once the blue window has one.
        .programActivated = {},
    });
    N3.onClick = [&coupling] { coupling.ToggleFocus(); };
}

} // namespace lumitag::app
