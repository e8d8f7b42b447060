#pragma once

#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Panel.h"
#include "ui/RadioButton.h"

#include <functional>
#include <memory>

namespace lumitag::platform {
class Worksheet;
}

namespace lumitag::sheet {
class SpreadsheetLink;
}

namespace lumitag::app {

// The column width / row height / print correction window
// (列幅・行高さ・印刷補正設定). It sets sizes on the active sheet of the
// spreadsheet; while it shows, the orange window is disabled. Created hidden.
class TForm5 : public ui::Form {
public:
    static constexpr int ClientWidth = 456;
    static constexpr int ClientHeight = 234;
    // At creation the window stands this far left of the screen's right edge, at this height.
    static constexpr int RightEdgeOffset = 500;
    static constexpr int InitialTop = 360;

    // What the window needs of the orange window: whether it is visible,
    // and disabling it while this one shows.
    struct Owner {
        ui::Form* form = nullptr;
        std::function<void()> focus; // the orange window active again, its entry field focused
    };

    TForm5(ui::Application& application, sheet::SpreadsheetLink& link, int screenWidth);

    void setOwner(Owner owner) { owner_ = std::move(owner); }

    // --- Columns ----------------------------------------------------------------
    ui::Panel Panel1{*this, "Panel1"};
    ui::Label Label1{Panel1, "Label1", U"設定列"};
    ui::Edit Edit3{Panel1, "Edit3"}; // column list
    ui::Label Label2{Panel1, "Label2", U"幅"};
    ui::Edit Edit1{Panel1, "Edit1"}; // width
    ui::RadioButton RadioButton1{Panel1, "RadioButton1", U"半角文字数"};
    ui::RadioButton RadioButton2{Panel1, "RadioButton2", U"mm"};
    ui::Button Button1{Panel1, "Button1", U"設定"};

    // --- Rows -------------------------------------------------------------------
    ui::Panel Panel2{*this, "Panel2"};
    ui::Label Label3{Panel2, "Label3", U"設定行"};
    ui::Edit Edit4{Panel2, "Edit4"}; // row list
    ui::Label Label4{Panel2, "Label4", U"高さ"};
    ui::Edit Edit2{Panel2, "Edit2"}; // height
    ui::RadioButton RadioButton3{Panel2, "RadioButton3", U"ポイント"};
    ui::RadioButton RadioButton4{Panel2, "RadioButton4", U"mm"};
    ui::Button Button2{Panel2, "Button2", U"設定"};

    // --- Print correction -------------------------------------------------------------
    ui::Panel Panel3{*this, "Panel3"};
    ui::Label Label5{Panel3, "Label5", U"補正列"};
    ui::Edit Edit5{Panel3, "Edit5"}; // first column
    ui::Label Label6{Panel3, "Label6", U"～"};
    ui::Edit Edit6{Panel3, "Edit6"}; // last column
    ui::Label Label7{Panel3, "Label7", U"目標長さ"};
    ui::Edit Edit9{Panel3, "Edit9"}; // target length of the columns, mm
    ui::Label Label8{Panel3, "Label8", U"印刷実測値"};
    ui::Edit Edit10{Panel3, "Edit10"}; // measured length of the columns, mm
    ui::Label Label9{Panel3, "Label9", U"補正行"};
    ui::Edit Edit7{Panel3, "Edit7"}; // first row
    ui::Label Label10{Panel3, "Label10", U"～"};
    ui::Edit Edit8{Panel3, "Edit8"}; // last row
    ui::Label Label11{Panel3, "Label11", U"目標長さ"};
    ui::Edit Edit11{Panel3, "Edit11"}; // target length of the rows, mm
    ui::Label Label12{Panel3, "Label12", U"印刷実測値"};
    ui::Edit Edit12{Panel3, "Edit12"}; // measured length of the rows, mm
    ui::Button Button4{Panel3, "Button4", U"補正"};

    ui::Button Button5{*this, "Button5", U"クリア"};
    ui::Button Button3{*this, "Button3", U"閉じる"};

    void SetColumnWidths();
    void SetRowHeights();
    void ApplyPrintCorrection();
    void ClearColumnRowSettings();
    void CloseColumnRowSettings();

private:
    void layOut();
    void wireBoxes();
    // The sheet the commands work on, when the spreadsheet and the orange
    // window are both on screen; the active sheet of the active workbook.
    std::shared_ptr<platform::Worksheet> activeSheet();
    bool ownerVisible() const;
    // Enter in `box` with text: `next` gets the focus with its text selected.
    void chainEnter(ui::Edit& box, ui::Control& next);

    sheet::SpreadsheetLink& link_;
    Owner owner_;
};

} // namespace lumitag::app
