#include "app/TForm1.h"

#include "app/Messages.h"
#include "app/TForm2.h"
#include "conversion/ResultList.h"
#include "sheet/SettingsFromSelection.h"
#include "sheet/SheetBox.h"
#include "sheet/SheetSynchroniser.h"
#include "sheet/WindowCoupling.h"
#include "sheet/WorkbookCommands.h"
#include "ui/Application.h"

namespace lumitag::app {

TForm1::TForm1(ui::Application& application, Services services, sheet::SpreadsheetLink& link)
    : Form(application, "TForm1"), services_(services), link_(link) {
    setCaption(Text(ApplicationTitle));
    setColor(ui::colors::SkyBlue);
    setKeyPreview(true);
    setPopupMenu(&PopupMenu1);
    setShowHint(false);

    // Docked to the right edge of the screen, a little taller than the work area.
    const platform::ScreenRect screen = services_.screen.screenRect();
    const platform::ScreenRect work = services_.screen.workArea();
    setBounds({screen.right() - 190, 0, InitialWidth, work.bottom() + 10});

    layOutSettings();
    ComboBox1.setBounds({2, 4, 130, 20});
    // The common block under the panels; the table box's row and the two
    // rows under it hold the marker controls (layOutMarkerControls).
    SpeedButton1.setBounds({15, 563, 85, 25});
    SpeedButton2.setBounds({105, 563, 85, 25});
    Button9.setBounds({15, 591, 85, 25});
    Button2.setBounds({105, 591, 85, 25});
    Button5.setBounds(Button2.bounds());
    Button5.hide();
    Button3.setBounds({15, 619, 85, 25});
    Button6.setBounds({105, 619, 85, 25});
    Button6.hide();
    ComboBox2.setBounds({2, 647, 107, 20});
    ComboBox2.setStyle(ui::ComboStyle::DropDownList);
    SpeedButton27.setBounds({8, 692, 35, 30});
    SpeedButton27.setCaption(Text(ShowHintsCaption));
    SpeedButton27.setHint(U"マウスカーソルを各ポイントに移動するとヒントが表示されます");
    SpeedButton6.setBounds({47, 694, 55, 25});
    SpeedButton6.hide();
    Panel4.setBounds({105, 694, 75, 23});
    Panel4.setCaption(U"オレンジモード");
    Panel4.setColor(TForm2::OrangeColor);
    Panel4.setShowHint(true);
    Panel4.setHint(Text(CloseFromOrangeHint));

    Timer1.setInterval(ui::Milliseconds{1});
    Timer1.stop();

    wireInputColours();
    wireSheetLink();
    wireFullWidthTools();
    wireConversion();
    layOutMarkerControls();
    loadTableFile();
    wireShortcuts();
    wireHints();
    onShow = [this] { FormShow(); };
    onCloseQuery = [this](bool& canClose) { FormCloseQuery(canClose); };
    Panel4.onClick = [this] { SwitchToOrangeMode(); };
}

TForm1::~TForm1() = default;

void TForm1::setOrangeWindow(TForm2& orange) {
    orange_ = &orange;
    wireWorkbookCommands(orange);
    resultList_ = std::make_unique<conversion::ResultList>(
        orange.list(), orange.undo(), conversion::ResultList::UndoItems{orange.N25, orange.N7, orange.N26});
}

void TForm1::FormShow() {
    showLink();
    refreshMarkerControls();
    // F1's pointer positions: inside this window, and over the spreadsheet
    // left of the widest arrangement of this window.
    orange_->coupling().setPointerPositions({left() + 10, 380},
                                            {services_.screen.screenRect().width + 10 - 590, 380});
    const ui::Point corner = Panel4.formPosition();
    (void)services_.windows.movePointer({left() + corner.x + 30, top() + corner.y + 10});
    focusFirstSettingBox();
}

} // namespace lumitag::app
