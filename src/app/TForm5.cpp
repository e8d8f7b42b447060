// The column/row settings window: its layout, its boxes and their Enter
// chain, and showing and closing it beside the orange window.
#include "app/TForm5.h"

#include "sheet/SpreadsheetLink.h"
#include "ui/Application.h"

namespace lumitag::app {

namespace {

constexpr TextView ColumnListCharacters = U"ABCDEFGHIJKLMNOPQRSTUVWXYZ,:";
constexpr TextView RowListCharacters = U"0123456789,:";
constexpr TextView LengthCharacters = U"0123456789.";
constexpr TextView LetterCharacters = U"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr TextView DigitCharacters = U"0123456789";

// A box takes its characters and Backspace; Enter never reaches it.
void acceptOnly(ui::Edit& box, TextView accepted) {
    box.onKeyPress = [accepted](char32_t& character) {
        if (character == ui::chars::Backspace)
            return;
        if (character == ui::chars::Enter || accepted.find(character) == TextView::npos)
            character = ui::chars::None;
    };
}

} // namespace

TForm5::TForm5(ui::Application& application, sheet::SpreadsheetLink& link, int screenWidth)
    : Form(application, "TForm5"), link_(link) {
    setCaption(U"列幅・行高さ・印刷補正設定");
    setBounds({screenWidth - RightEdgeOffset, InitialTop, ClientWidth, ClientHeight});
    setColor(ui::colors::SkyBlue);
    setStayOnTop(true);
    setSystemButtons(false);
    setKeyPreview(false);
    layOut();
    wireBoxes();
    RadioButton1.setChecked(true);
    RadioButton3.setChecked(true);

    onShow = [this] {
        if (owner_.form != nullptr)
            owner_.form->setEnabled(false);
    };
    onClose = [this] {
        if (owner_.form != nullptr)
            owner_.form->setEnabled(true);
    };
    Button1.onClick = [this] { SetColumnWidths(); };
    Button2.onClick = [this] { SetRowHeights(); };
    Button4.onClick = [this] { ApplyPrintCorrection(); };
    Button5.onClick = [this] { ClearColumnRowSettings(); };
    Button3.onClick = [this] { CloseColumnRowSettings(); };
    hide();
}

void TForm5::layOut() {
    Panel1.setBounds({4, 4, 222, 100});
    Label1.setBounds({8, 10, 40, 16});
    Edit3.setBounds({52, 6, 162, 21});
    Edit3.setHint(U"連続は「 ： 」不連続は「 , 」を間に入れる（例　A:F,G,I,K,M:P）");
    Label2.setBounds({8, 38, 40, 16});
    Edit1.setBounds({52, 34, 60, 21});
    RadioButton1.setBounds({120, 36, 94, 18});
    RadioButton2.setBounds({120, 56, 94, 18});
    Button1.setBounds({52, 70, 60, 24});

    Panel2.setBounds({230, 4, 222, 100});
    Label3.setBounds({8, 10, 40, 16});
    Edit4.setBounds({52, 6, 162, 21});
    Edit4.setHint(U"連続は「 ： 」不連続は「 , 」を間に入れる（例　1:15,17,19,21,23:30）");
    Label4.setBounds({8, 38, 40, 16});
    Edit2.setBounds({52, 34, 60, 21});
    RadioButton3.setBounds({120, 36, 94, 18});
    RadioButton4.setBounds({120, 56, 94, 18});
    Button2.setBounds({52, 70, 60, 24});

    Panel3.setBounds({4, 108, 448, 88});
    Label5.setBounds({8, 12, 44, 16});
    Edit5.setBounds({56, 8, 28, 21});
    Label6.setBounds({88, 12, 14, 16});
    Edit6.setBounds({104, 8, 28, 21});
    Label7.setBounds({142, 12, 56, 16});
    Edit9.setBounds({200, 8, 50, 21});
    Label8.setBounds({258, 12, 70, 16});
    Edit10.setBounds({330, 8, 50, 21});
    Label9.setBounds({8, 42, 44, 16});
    // The row boxes are narrower than the target length label needs beside
    // them otherwise: the label is as wide as the column row's.
    Edit7.setBounds({56, 38, 36, 21});
    Label10.setBounds({92, 42, 14, 16});
    Edit8.setBounds({106, 38, 34, 21});
    Label11.setBounds({142, 42, 56, 16});
    Edit11.setBounds({200, 38, 50, 21});
    Label12.setBounds({258, 42, 70, 16});
    Edit12.setBounds({330, 38, 50, 21});
    Button4.setBounds({388, 20, 52, 30});
    for (ui::Control* hinted : {static_cast<ui::Control*>(&Label5), static_cast<ui::Control*>(&Edit5),
                                static_cast<ui::Control*>(&Edit6)})
        hinted->setHint(U"列の範囲は最大A～Zまで");
    for (ui::Control* hinted : {static_cast<ui::Control*>(&Label9), static_cast<ui::Control*>(&Edit7),
                                static_cast<ui::Control*>(&Edit8)})
        hinted->setHint(U"数字で指定");
    for (ui::Control* shown : {static_cast<ui::Control*>(&Edit3), static_cast<ui::Control*>(&Edit4),
                               static_cast<ui::Control*>(&Label5), static_cast<ui::Control*>(&Edit5),
                               static_cast<ui::Control*>(&Edit6), static_cast<ui::Control*>(&Label9),
                               static_cast<ui::Control*>(&Edit7), static_cast<ui::Control*>(&Edit8)})
        shown->setShowHint(true);

    Button5.setBounds({300, 202, 72, 26});
    Button3.setBounds({378, 202, 72, 26});
}

void TForm5::chainEnter(ui::Edit& box, ui::Control& next) {
    box.onKeyDown = [&box, &next](ui::KeyEvent& event) {
        if (event.key != ui::Key::Enter)
            return;
        event.consume();
        if (box.text().empty())
            return;
        if (next.setFocus() && next.kind() == ui::ControlKind::Edit)
            static_cast<ui::Edit&>(next).selectAll();
    };
}

void TForm5::wireBoxes() {
    acceptOnly(Edit3, ColumnListCharacters);
    acceptOnly(Edit4, RowListCharacters);
    for (ui::Edit* length : {&Edit1, &Edit2, &Edit9, &Edit10, &Edit11, &Edit12})
        acceptOnly(*length, LengthCharacters);
    for (ui::Edit* letter : {&Edit5, &Edit6}) {
        acceptOnly(*letter, LetterCharacters);
        letter->setMaxLength(1);
    }
    acceptOnly(Edit7, DigitCharacters);
    acceptOnly(Edit8, DigitCharacters);

    chainEnter(Edit3, Edit1);
    chainEnter(Edit4, Edit2);
    chainEnter(Edit5, Edit6);
    chainEnter(Edit6, Edit9);
    chainEnter(Edit9, Edit10);
    chainEnter(Edit10, Edit7);
    chainEnter(Edit7, Edit8);
    chainEnter(Edit8, Edit11);
    chainEnter(Edit11, Edit12);
    chainEnter(Edit12, Button4); // the focus only: the user presses 補正 himself
    // Enter in a size box sets the sizes once its list is there.
    Edit1.onKeyDown = [this](ui::KeyEvent& event) {
        if (event.key != ui::Key::Enter)
            return;
        event.consume();
        if (!Edit1.text().empty() && !Edit3.text().empty())
            SetColumnWidths();
    };
    Edit2.onKeyDown = [this](ui::KeyEvent& event) {
        if (event.key != ui::Key::Enter)
            return;
        event.consume();
        if (!Edit2.text().empty() && !Edit4.text().empty())
            SetRowHeights();
    };
}

bool TForm5::ownerVisible() const {
    return owner_.form != nullptr && owner_.form->visible();
}

void TForm5::ClearColumnRowSettings() {
    for (ui::Edit* box :
         {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5, &Edit6, &Edit7, &Edit8, &Edit9, &Edit10, &Edit11, &Edit12})
        box->clear();
    RadioButton1.setChecked(true);
    RadioButton3.setChecked(true);
}

void TForm5::CloseColumnRowSettings() {
    close();
    if (owner_.form != nullptr)
        owner_.form->setEnabled(true);
    if (owner_.focus)
        owner_.focus();
}

} // namespace lumitag::app
