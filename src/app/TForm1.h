#pragma once

#include "app/Services.h"
#include "sheet/SpreadsheetLink.h"
#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/Form.h"
#include "ui/MenuItem.h"
#include "ui/Panel.h"
#include "ui/PopupMenu.h"
#include "ui/SpeedButton.h"
#include "ui/Timer.h"

#include <vector>

namespace lumitag::sheet {
class WindowCoupling;
}

namespace lumitag::app {

class TForm2;

// The blue-mode window (ブルーモード): conversion of spreadsheet ranges into
// marking lines. It sits at the right edge of the screen; only the program
// itself can close it.
class TForm1 : public ui::Form {
public:
    static constexpr int InitialWidth = 205;

    TForm1(ui::Application& application, Services services, sheet::SpreadsheetLink& link);

    void setOrangeWindow(TForm2& orange) { orange_ = &orange; }
    // Joins the window coupling: its view of this window and F1 (TForm1Coupling.cpp).
    void wireCoupling(sheet::WindowCoupling& coupling);

    ui::Panel Panel1{*this, "Panel1"};          // setting 1
    ui::ComboBox ComboBox1{*this, "ComboBox1"}; // sheet box
    ui::ComboBox ComboBox2{*this, "ComboBox2"}; // table box
    ui::SpeedButton SpeedButton27{*this, "SpeedButton27"};
    ui::Panel Panel4{*this, "Panel4"}; // the orange-mode switch

    ui::PopupMenu PopupMenu1{*this, "PopupMenu1"};
    ui::MenuItem N3{PopupMenu1, "N3", U"エクセル＜＞ルミタグ切替", "F1"};
    ui::MenuItem N1{PopupMenu1, "N1", U"オレンジモード切替", "Shift+F1"};
    ui::MenuItem CTK1{PopupMenu1, "CTK1", U"CTK保存", "F8"};
    ui::MenuItem CTK2{PopupMenu1, "CTK2", U"CTK変換（新規）", "F9"};
    ui::MenuItem N2{PopupMenu1, "N2", U"マーキング", "F10"};

    ui::Timer Timer1{*this, "Timer1"}; // sheet synchroniser of this window

    // The blue window's read-only copy of the settings (loaded when the table file exists).
    std::vector<Text>& settingsCopy() { return settingsCopy_; }
    void loadSettingsCopy(const std::vector<Text>& lines) { settingsCopy_ = lines; }

    void SwitchToOrangeMode();
    // Closes the window on the program's behalf (closing the program).
    void closeByProgram();

private:
    void FormCloseQuery(bool& canClose);

    Services services_;
    sheet::SpreadsheetLink& link_; // shared with the orange window
    TForm2* orange_ = nullptr;
    std::vector<Text> settingsCopy_;
    bool closingByProgram_ = false;
};

} // namespace lumitag::app
