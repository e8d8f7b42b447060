#include "app/TForm1.h"

#include "app/Messages.h"
#include "app/TForm2.h"
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

    Panel1.setBounds({1, 30, 190, 530});
    Panel1.setCaption(U"設定１");
    Panel1.setParentColor(true);
    ComboBox1.setBounds({2, 4, 130, 20});
    ComboBox1.setText(U"エクセルシート");
    ComboBox2.setBounds({2, 570, 107, 20});
    ComboBox2.setStyle(ui::ComboStyle::DropDownList);
    SpeedButton27.setBounds({8, 600, 35, 30});
    SpeedButton27.setCaption(U"ヒント\r\n表示");
    SpeedButton27.setHint(U"マウスカーソルを各ポイントに移動するとヒントが表示されます");
    Panel4.setBounds({105, 604, 75, 23});
    Panel4.setCaption(U"オレンジモード");
    Panel4.setColor(TForm2::OrangeColor);
    Panel4.setShowHint(true);
    Panel4.setHint(U"ルミタグを閉じるにはオレンジモードで閉じます");

    Timer1.setInterval(ui::Milliseconds{1});
    Timer1.stop();

    onCloseQuery = [this](bool& canClose) { FormCloseQuery(canClose); };
    Panel4.onClick = [this] { SwitchToOrangeMode(); };
    N1.onClick = [this] { SwitchToOrangeMode(); };
}

} // namespace lumitag::app
