// The blue window's settings by mode: the work modes (setting 1 decides,
// settings 2 and 3 follow), the use ticks of settings 2 and 3, EPLAN, the
// remark and replacement ticks and the copy buttons.
#include "app/Messages.h"
#include "app/TForm1.h"
#include "app/TForm2.h"
#include "conversion/ConversionMessages.h"
#include "conversion/SettingRules.h"
#include "sheet/SettingFill.h"
#include "sheet/SpreadsheetLink.h"
#include "ui/Application.h"

#include <functional>
#include <memory>

namespace lumitag::app {

namespace {

constexpr TextView ColumnHint = U"列を指定します（ここにA(1)からCV(100)まで入力できます)";
constexpr TextView CountHint = U"999個まで入力できます";
constexpr TextView RemarkCaption = U"備考欄(未入力可)";
constexpr std::array<TextView, 2> ColumnCaptions{U"列三番目(未入力可)", U"列四番目(未入力可)"};

// A tick whose rule answers the user's release of the mouse button only
// (ticking it in code runs nothing). The rule learns the state before the
// click; a release outside the tick changes nothing and runs nothing. Space
// on the focused tick runs the same rule, so that the keyboard never leaves a
// tick without what it shows.
void wireReleaseRule(ui::CheckBox& tick, std::function<void(bool wasChecked)> rule) {
    auto before = std::make_shared<bool>(false);
    tick.onMouseDown = [&tick, before](const ui::MouseEvent&) { *before = tick.checked(); };
    tick.onMouseUp = [&tick, before, rule](const ui::MouseEvent&) {
        if (tick.checked() != *before)
            rule(*before);
    };
    tick.onKeyPress = [&tick, rule](char32_t& character) {
        if (character != U' ')
            return;
        character = 0;
        const bool wasChecked = tick.checked();
        tick.toggle();
        rule(wasChecked);
    };
}

} // namespace

void TForm1::wireModeRules() {
    RadioGroup1.onClick = [this] { RadioGroup1Click(); };
    RadioGroup2.onClick = [this] { RadioGroup2Click(); };
    RadioGroup3.onClick = [this] { RadioGroup3Click(); };
    wireReleaseRule(CheckBox1, [this](bool wasChecked) { CheckBox1MouseUp(wasChecked); });
    wireReleaseRule(CheckBox2, [this](bool wasChecked) { CheckBox2MouseUp(wasChecked); });
    wireReleaseRule(CheckBox14, [this](bool wasChecked) { CheckBox14MouseUp(wasChecked); });
    for (int index = 1; index <= 3; ++index) {
        wireReleaseRule(replacement(index).tick, [this, index](bool) { replacementTickMouseUp(index); });
        for (std::size_t column = 2; column <= 3; ++column)
            remarkTicks(index)[column - 2]->onClick = [this, index, column] {
                showRemarkCaption(index, column);
            };
    }
    Button7.onClick = [this] { Button7Click(); };
    Button8.onClick = [this] { Button8Click(); };
}

void TForm1::RadioGroup1Click() {
    const int mode = RadioGroup1.itemIndex();
    for (ui::Control* tool : setting(1).fullWidthTools)
        tool->hide();
    Label58.setCaption({});
    // The followers judge their count boxes by setting 1's count as it was.
    if (Panel2.visible())
        RadioGroup2.setItemIndex(mode);
    if (Panel3.visible())
        RadioGroup3.setItemIndex(mode);
    showWorkModeBoxes(1, mode);
    CheckBox14.setEnabled(mode == sheet::workMode::ColumnsInOneLine);
    const bool wireNumbers = mode == sheet::workMode::WireNumbers;
    Edit31.setHint(Text(wireNumbers ? ColumnHint : CountHint));
    if (mode == sheet::workMode::ColumnsInSequence || mode == sheet::workMode::ColumnsInOneLine) {
        Edit11.setHint(Text(ColumnHint));
        Edit11.setImeMode(mode == sheet::workMode::ColumnsInSequence ? ui::ImeMode::Disabled
                                                                     : ui::ImeMode::DontCare);
    }
    if (!conversion::countTextFitsMode(Edit31.text(), static_cast<conversion::WorkMode>(mode)))
        Edit31.clear();
    focusControl(&Edit1);
}

void TForm1::RadioGroup2Click() {
    followSettingOne(2);
}

void TForm1::RadioGroup3Click() {
    followSettingOne(3);
}

void TForm1::followSettingOne(int index) {
    SettingControls s = setting(index);
    for (ui::Control* tool : s.fullWidthTools)
        tool->hide();
    s.rowCountLabel.setCaption({});
    const int mode = s.workMode.itemIndex();
    showWorkModeBoxes(index, mode);
    if (mode == sheet::workMode::ColumnsInOneLine)
        s.boxes[2]->setHint(Text(ColumnHint));
    if (!conversion::countTextFitsMode(Edit31.text(), static_cast<conversion::WorkMode>(mode)))
        s.boxes[6]->clear();
    focusControl(s.boxes[0]);
}

// Which boxes a work mode uses, and their captions.
void TForm1::showWorkModeBoxes(int index, int mode) {
    SettingControls s = setting(index);
    const bool severalColumns =
        mode == sheet::workMode::ColumnsInSequence || mode == sheet::workMode::ColumnsInOneLine;
    const bool oneLine = mode == sheet::workMode::ColumnsInOneLine;
    const bool wireNumbers = mode == sheet::workMode::WireNumbers;
    for (std::size_t column = 1; column <= 3; ++column) {
        s.boxes[column]->setVisible(severalColumns);
        s.labels[column]->setVisible(severalColumns);
    }
    s.boxes[7]->setVisible(wireNumbers);
    s.labels[7]->setVisible(wireNumbers);
    // Columns 3 and 4 make room for their remark ticks.
    for (std::size_t column = 2; column <= 3; ++column) {
        remarkTicks(index)[column - 2]->setVisible(oneLine);
        const int room = oneLine ? remarkTicks(index)[column - 2]->width() + 4 : 0;
        s.boxes[column]->setSize(s.boxes[0]->width() - room, s.boxes[column]->height());
    }

    s.labels[0]->setCaption(wireNumbers ? U"線番列" : U"列一番目");
    s.labels[6]->setCaption(wireNumbers ? U"個数列" : U"個数");
    s.labels[1]->setCaption(oneLine ? U"列二番目(未入力可)" : U"列二番目");
    if (oneLine) {
        showRemarkCaption(index, 2);
        showRemarkCaption(index, 3);
    } else {
        s.labels[2]->setCaption(Text(ColumnCaptions[0]));
        s.labels[3]->setCaption(Text(ColumnCaptions[1]));
    }
}

// A ticked remark tick turns its column box into a fixed remark.
void TForm1::showRemarkCaption(int index, std::size_t column) {
    const bool remark = remarkTicks(index)[column - 2]->checked();
    setting(index).labels[column]->setCaption(Text(remark ? RemarkCaption : ColumnCaptions[column - 2]));
}

void TForm1::showReplacementFields(int index, bool shown) {
    ReplacementControls r = replacement(index);
    for (ui::Edit* box : r.boxes)
        box->setVisible(shown);
    r.caption.setVisible(shown);
    ReplacementLabels& l = r.labels;
    for (ui::Label* label : {&l.target1, &l.occurrence1, &l.occurrenceSuffix1, &l.replacement1, &l.target2,
                             &l.occurrence2, &l.occurrenceSuffix2, &l.replacement2})
        label->setVisible(shown);
}

void TForm1::replacementTickMouseUp(int index) {
    ReplacementControls r = replacement(index);
    showReplacementFields(index, r.tick.checked());
    if (r.tick.checked())
        focusControl(r.boxes[0]);
}

void TForm1::placeSpreadsheet() {
    link_.placeWindow(width());
    orange_->BringToFront();
}

void TForm1::CheckBox1MouseUp(bool wasChecked) {
    if (!link_.connectedAndVisible()) {
        CheckBox1.setChecked(false);
        showMessage(application(), conversion::OpenWorkbookMessage);
        return;
    }
    try {
        if (CheckBox1.checked()) {
            Panel2.show();
            ArrangePanels(2, 0);
            for (std::size_t column = 1; column <= 3; ++column) {
                setting(2).boxes[column]->hide();
                setting(2).labels[column]->hide();
            }
            Edit37.show();
            Label37.show();
            Label2.setCaption(U"線番列");
            CheckBox2.setEnabled(!CheckBox14.checked());
            placeSpreadsheet();
            // Through another mode and back, so that the follower rule runs
            // even when setting 2 already holds setting 1's mode.
            const int mode = RadioGroup1.itemIndex();
            RadioGroup2.setItemIndex(sheet::workMode::WireNumbers - mode);
            RadioGroup2.setItemIndex(mode);
            focusControl(&Edit2);
            Edit2.selectAll();
        } else {
            Panel2.hide();
            Panel3.hide();
            CheckBox2.setChecked(false);
            CheckBox6.setChecked(false);
            CheckBox7.setChecked(false);
            showReplacementFields(2, false);
            showReplacementFields(3, false);
            ArrangePanels(1, NarrowWidth);
            placeSpreadsheet();
            focusFirstSettingBox();
        }
    } catch (const platform::SpreadsheetError&) {
        CheckBox1.setChecked(wasChecked);
    }
}

void TForm1::CheckBox2MouseUp(bool wasChecked) {
    // Setting 3 is shown only beside a workbook; the tick goes back to what
    // it showed rather than describing a hidden setting.
    if (!link_.connectedAndVisible()) {
        CheckBox2.setChecked(wasChecked);
        return;
    }
    try {
        if (CheckBox2.checked()) {
            Panel3.show();
            ArrangePanels(3, 0);
            for (std::size_t column = 1; column <= 3; ++column) {
                setting(3).boxes[column]->hide();
                setting(3).labels[column]->hide();
            }
            Edit38.show();
            Label38.show();
            Label3.setCaption(U"線番列");
            Label33.setCaption(U"個数列");
            placeSpreadsheet();
            const int mode = RadioGroup1.itemIndex();
            RadioGroup3.setItemIndex(sheet::workMode::WireNumbers - mode);
            RadioGroup3.setItemIndex(mode);
            focusControl(&Edit3);
        } else {
            Panel3.hide();
            showReplacementFields(3, false);
            CheckBox7.setChecked(false);
            ArrangePanels(2, 0);
            placeSpreadsheet();
            focusControl(&Edit2);
        }
    } catch (const platform::SpreadsheetError&) {
        CheckBox2.setChecked(wasChecked);
    }
}

void TForm1::CheckBox14MouseUp(bool wasChecked) {
    if (!link_.connectedAndVisible()) {
        CheckBox14.setChecked(false);
        showMessage(application(), conversion::OpenWorkbookMessage);
        return;
    }
    try {
        if (CheckBox14.checked()) {
            // Setting 1 describes the source columns, setting 2 the target
            // columns of the same rows; setting 3 and the replacements of
            // settings 1 and 2 take no part.
            Panel2.show();
            Panel3.hide();
            ArrangePanels(2, 0);
            RadioGroup2.setItemIndex(sheet::workMode::ColumnsInOneLine);
            RadioGroup1.setEnabled(false);
            Edit1.setText(U"N");
            Edit6.setText(U"O");
            Edit2.setText(U"Q");
            Edit7.setText(U"R");
            for (std::size_t column = 1; column <= 3; ++column)
                setting(2).boxes[column]->show();
            for (ui::Control* control : std::initializer_list<ui::Control*>{
                     &Edit40, &Label36, &Label7, &Label12, &Label17, &Label61, &Label62, &Label63})
                control->show();
            Label36.setCaption(U"打出先頭備考欄");
            Edit36.hide();
            for (ui::Control* control :
                 std::initializer_list<ui::Control*>{&Edit37, &Label37, &Label59, &Edit22, &StartRowLabel2,
                                                     &Edit27, &EndRowLabel2, &Edit32, &Label32})
                control->hide();
            Label2.setCaption(U"列一番目");
            Label31.setCaption(U"出力個数");
            Edit31.setEnabled(false);
            Edit31.setText(U"1");
            CheckBox1.setChecked(false);
            CheckBox1.setEnabled(false);
            CheckBox2.setChecked(false);
            for (ui::Control* control :
                 std::initializer_list<ui::Control*>{&CheckBox2, &CheckBox5, &CheckBox6, &Button7})
                control->setEnabled(false);
            for (int index = 1; index <= 2; ++index)
                for (ui::CheckBox* tick : remarkTicks(index))
                    tick->hide();
            placeSpreadsheet();
        } else {
            RadioGroup1.setEnabled(true);
            for (ui::Control* control :
                 std::initializer_list<ui::Control*>{&Panel2, &Panel3, &Label61, &Label62, &Label63})
                control->hide();
            showReplacementFields(2, false);
            showReplacementFields(3, false);
            CheckBox2.setChecked(false);
            CheckBox6.setChecked(false);
            CheckBox7.setChecked(false);
            Edit31.setEnabled(true);
            Edit31.clear();
            for (ui::Control* control : std::initializer_list<ui::Control*>{
                     &Edit22, &StartRowLabel2, &Edit27, &EndRowLabel2, &Edit32, &Label32, &Label59})
                control->show();
            Label31.setCaption(U"個数");
            Edit40.hide();
            Label36.hide();
            Label36.setCaption(U"連番列(未入力可)");
            for (ui::Edit* box : {&Edit1, &Edit6, &Edit2, &Edit7})
                box->clear();
            for (ui::Control* control : std::initializer_list<ui::Control*>{&Button7, &CheckBox1, &CheckBox2,
                                                                            &CheckBox5, &CheckBox6})
                control->setEnabled(true);
            for (int index = 1; index <= 2; ++index)
                for (ui::CheckBox* tick : remarkTicks(index))
                    tick->show();
            RadioGroup2.setItemIndex(sheet::workMode::ColumnsInOneLine);
            ArrangePanels(1, NarrowWidth);
            placeSpreadsheet();
        }
        focusFirstSettingBox();
    } catch (const platform::SpreadsheetError&) {
        CheckBox14.setChecked(wasChecked);
    }
}

void TForm1::Button7Click() {
    copySetting(1, 2);
}

void TForm1::Button8Click() {
    copySetting(2, 3);
}

// The boxes and the mode of one setting into the next. A ticked remark tick
// is carried over, an unticked one leaves the target's as it is; of the
// replacement only the tick, the first target text and its occurrence go.
void TForm1::copySetting(int from, int to) {
    SettingControls source = setting(from);
    SettingControls target = setting(to);
    target.workMode.setItemIndex(source.workMode.itemIndex());
    for (std::size_t box = 0; box < source.boxes.size(); ++box)
        target.boxes[box]->setText(source.boxes[box]->text());
    for (std::size_t column = 0; column < 2; ++column)
        if (remarkTicks(from)[column]->checked())
            remarkTicks(to)[column]->setChecked(true);
    focusControl(target.boxes[0]);

    ReplacementControls sourceReplacement = replacement(from);
    ReplacementControls targetReplacement = replacement(to);
    const bool replaces = sourceReplacement.tick.checked();
    targetReplacement.tick.setChecked(replaces);
    showReplacementFields(to, replaces);
    if (replaces) {
        targetReplacement.boxes[0]->setText(sourceReplacement.boxes[0]->text());
        targetReplacement.boxes[1]->setText(sourceReplacement.boxes[1]->text());
    }
}

} // namespace lumitag::app
