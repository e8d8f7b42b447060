// The blue window's three settings at work: work modes and their followers,
// the use ticks, EPLAN, remark and replacement ticks, the copy buttons, key
// filters, the walk of Enter and the arrows, the leave rules and the rows
// shown and counted in the sheet.
#include "sheet/SettingFill.h"
#include "sheet/SheetLinkFixture.h"

#include <algorithm>

namespace lumitag::app::test {
namespace {

using sheet::workMode::ColumnsInOneLine;
using sheet::workMode::ColumnsInSequence;
using sheet::workMode::OneColumn;
using sheet::workMode::WireNumbers;

constexpr TextView OpenWorkbookMessage = U"エクセルファイルを開いてください";

class BlueSettings : public sheet::test::SheetLinkTest {
protected:
    TForm1& b() { return blue(); }

    // Blue mode beside a workbook of one sheet, or with no spreadsheet at all.
    void toBlueWithWorkbook() {
        openWorkbook(U"wires.xlsx", {U"Sheet1"});
        toBlue();
    }
    void toBlue() {
        driver.press("Shift+F1");
        driver.advance(100);
        driver.clearMessages();
    }
    platform::FakeSheetContent& sheet() { return spreadsheet.sheet(U"wires.xlsx", U"Sheet1"); }

    void typeInto(ui::Edit& box, TextView text) {
        driver.click(box);
        driver.type(text);
    }
    // Types into the box and leaves it with Tab, as a person does.
    void fillAndLeave(ui::Edit& box, TextView text) {
        typeInto(box, text);
        driver.press("Tab");
    }
    ui::Control* focused() { return app.focusedControl(); }
};

TEST_F(BlueSettings, WorkModeDecidesWhichBoxesShowAndHowTheyAreCaptioned) {
    toBlueWithWorkbook();
    const struct {
        int mode;
        bool columns2To4;
        bool sequenceColumn;
        bool remarkTicks;
        bool eplanEnabled;
        TextView column1Caption;
        TextView countCaption;
        TextView column2Caption;
        TextView countHint;
    } cases[] = {
        {OneColumn, false, false, false, false, U"列一番目", U"個数", U"列二番目", U"999個まで入力できます"},
        {ColumnsInSequence, true, false, false, false, U"列一番目", U"個数", U"列二番目",
         U"999個まで入力できます"},
        {ColumnsInOneLine, true, false, true, true, U"列一番目", U"個数", U"列二番目(未入力可)",
         U"999個まで入力できます"},
        {WireNumbers, false, true, false, false, U"線番列", U"個数列", U"列二番目",
         U"列を指定します（ここにA(1)からCV(100)まで入力できます)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        // Through another mode first, so that every case is a change.
        b().RadioGroup1.setItemIndex(c.mode == OneColumn ? ColumnsInSequence : OneColumn);
        driver.choose(b().RadioGroup1, c.mode);
        for (ui::Control* control : std::initializer_list<ui::Control*>{
                 &b().Edit6, &b().Edit11, &b().Edit16, &b().Label6, &b().Label11, &b().Label16})
            EXPECT_EQ(control->visible(), c.columns2To4) << control->name();
        EXPECT_EQ(b().Edit36.visible(), c.sequenceColumn);
        EXPECT_EQ(b().CheckBox8.visible(), c.remarkTicks);
        EXPECT_EQ(b().CheckBox9.visible(), c.remarkTicks);
        EXPECT_EQ(b().CheckBox14.enabled(), c.eplanEnabled);
        EXPECT_EQ(b().Label1.caption(), c.column1Caption);
        EXPECT_EQ(b().Label31.caption(), c.countCaption);
        EXPECT_EQ(b().Label6.caption(), c.column2Caption);
        EXPECT_EQ(b().Edit31.hint(), c.countHint);
        EXPECT_EQ(focused(), &b().Edit1);
    }
    driver.choose(b().RadioGroup1, ColumnsInSequence);
    EXPECT_EQ(b().Edit11.imeMode(), ui::ImeMode::Disabled);
    EXPECT_EQ(b().Label11.caption(), U"列三番目(未入力可)");
    driver.choose(b().RadioGroup1, ColumnsInOneLine);
    EXPECT_EQ(b().Edit11.imeMode(), ui::ImeMode::DontCare) << "a remark may be Japanese";
}

TEST_F(BlueSettings, CountBoxesAreEmptiedWhenTheirTextNoLongerFitsTheMode) {
    toBlueWithWorkbook();
    driver.choose(b().RadioGroup1, OneColumn);
    driver.click(b().CheckBox1);
    b().Edit31.setText(U"5");
    b().Edit32.setText(U"5");
    driver.choose(b().RadioGroup1, WireNumbers);
    EXPECT_EQ(b().Edit31.text(), U"");
    EXPECT_EQ(b().Edit32.text(), U"") << "setting 2 judged by setting 1's count before it was emptied";
    EXPECT_EQ(b().RadioGroup2.itemIndex(), WireNumbers);

    b().Edit31.setText(U"D");
    b().Edit32.setText(U"E");
    driver.choose(b().RadioGroup1, OneColumn);
    EXPECT_EQ(b().Edit31.text(), U"");
    EXPECT_EQ(b().Edit32.text(), U"");
    EXPECT_EQ(b().Label2.caption(), U"列一番目");
    EXPECT_EQ(b().Label32.caption(), U"個数");
}

TEST_F(BlueSettings, UseTicksAreRefusedWithoutAWorkbook) {
    toBlue();
    driver.click(b().CheckBox1);
    driver.expectMessage(OpenWorkbookMessage);
    EXPECT_FALSE(b().CheckBox1.checked());
    EXPECT_FALSE(b().Panel2.visible());

    driver.choose(b().RadioGroup1, ColumnsInOneLine);
    driver.click(b().CheckBox14);
    driver.expectMessage(OpenWorkbookMessage);
    EXPECT_FALSE(b().CheckBox14.checked());
    EXPECT_FALSE(b().Edit40.visible());
}

TEST_F(BlueSettings, SettingTwoFollowsAModeItAlreadyHeldAndTheWindowWidens) {
    toBlueWithWorkbook();
    driver.choose(b().RadioGroup1, ColumnsInSequence);
    // Setting 2 holds 複数列を連続 already; the follower still runs and shows its columns.
    b().RadioGroup2.setItemIndex(ColumnsInSequence);
    b().Label59.setCaption(U"3行");
    windows.clearRecord();
    driver.click(b().CheckBox1);
    EXPECT_TRUE(b().CheckBox1.checked());
    EXPECT_TRUE(b().Panel2.visible());
    EXPECT_EQ(b().width(), 390);
    EXPECT_EQ(b().RadioGroup2.itemIndex(), ColumnsInSequence);
    EXPECT_TRUE(b().Edit7.visible());
    EXPECT_FALSE(b().Edit37.visible());
    EXPECT_EQ(b().Label2.caption(), U"列一番目");
    EXPECT_EQ(b().Label59.caption(), U"") << "the follower rule ran";
    EXPECT_EQ(focused(), &b().Edit2);
    ASSERT_FALSE(windows.placements().empty()) << "the spreadsheet takes the narrower area";
    EXPECT_EQ(windows.placements().back().rect.width, 1366 - 390);

    driver.click(b().CheckBox2);
    EXPECT_TRUE(b().Panel3.visible());
    EXPECT_EQ(b().width(), 580);
    EXPECT_EQ(b().RadioGroup3.itemIndex(), ColumnsInSequence);
    EXPECT_EQ(focused(), &b().Edit3);
    EXPECT_EQ(windows.placements().back().rect.width, 1366 - 580);

    driver.click(b().CheckBox6);
    driver.click(b().CheckBox1);
    EXPECT_FALSE(b().Panel2.visible());
    EXPECT_FALSE(b().Panel3.visible());
    EXPECT_FALSE(b().CheckBox2.checked());
    EXPECT_FALSE(b().CheckBox6.checked());
    EXPECT_FALSE(b().Edit44.visible());
    EXPECT_EQ(b().width(), 200);
    EXPECT_EQ(windows.placements().back().rect.width, 1366 - 200);
    EXPECT_EQ(focused(), &b().Edit1);
}

TEST_F(BlueSettings, SpaceOnAUseTickRunsItsRuleLikeTheMouse) {
    toBlueWithWorkbook();
    b().focusControl(&b().CheckBox1);
    driver.press("Space");
    EXPECT_TRUE(b().CheckBox1.checked());
    EXPECT_TRUE(b().Panel2.visible()) << "a tick never describes a hidden setting";
}

TEST_F(BlueSettings, SettingThreeTickGoesBackWhenTheWorkbookIsGone) {
    toBlueWithWorkbook();
    driver.click(b().CheckBox1);
    spreadsheet.userSetsVisible(false);
    driver.click(b().CheckBox2);
    EXPECT_FALSE(b().CheckBox2.checked());
    EXPECT_FALSE(b().Panel3.visible());
    driver.expectNoMessage();
}

TEST_F(BlueSettings, EplanTurnsSettingTwoIntoTheTargetColumnsAndBack) {
    toBlueWithWorkbook();
    driver.choose(b().RadioGroup1, ColumnsInOneLine);
    driver.click(b().CheckBox5);
    driver.click(b().CheckBox14);
    ASSERT_TRUE(b().CheckBox14.checked());
    EXPECT_TRUE(b().Panel2.visible());
    EXPECT_EQ(b().width(), 390);
    EXPECT_FALSE(b().RadioGroup1.enabled());
    EXPECT_EQ(b().RadioGroup2.itemIndex(), ColumnsInOneLine);
    EXPECT_EQ(b().Edit1.text(), U"N");
    EXPECT_EQ(b().Edit6.text(), U"O");
    EXPECT_EQ(b().Edit2.text(), U"Q");
    EXPECT_EQ(b().Edit7.text(), U"R");
    for (ui::Control* shown :
         std::initializer_list<ui::Control*>{&b().Edit7, &b().Edit12, &b().Edit17, &b().Edit40, &b().Label36,
                                             &b().Label61, &b().Label62, &b().Label63})
        EXPECT_TRUE(shown->visible()) << shown->name();
    for (ui::Control* hidden : std::initializer_list<ui::Control*>{
             &b().Edit37, &b().Edit22, &b().Edit27, &b().Edit32, &b().Label59, &b().CheckBox8, &b().CheckBox9,
             &b().CheckBox10, &b().CheckBox11})
        EXPECT_FALSE(hidden->visible()) << hidden->name();
    EXPECT_EQ(b().Label36.caption(), U"打出先頭備考欄");
    EXPECT_EQ(b().Label2.caption(), U"列一番目");
    EXPECT_EQ(b().Label31.caption(), U"出力個数");
    EXPECT_FALSE(b().Edit31.enabled());
    EXPECT_EQ(b().Edit31.text(), U"1");
    EXPECT_FALSE(b().CheckBox1.checked());
    for (ui::Control* disabled : std::initializer_list<ui::Control*>{
             &b().CheckBox1, &b().CheckBox2, &b().CheckBox5, &b().CheckBox6, &b().Button7})
        EXPECT_FALSE(disabled->enabled()) << disabled->name();
    EXPECT_EQ(focused(), &b().Edit1);
    const conversion::ConversionSettings settings = b().conversionSettings();
    EXPECT_TRUE(settings.eplan);
    EXPECT_FALSE(settings.useSetting2);

    // The end row leads to the target columns while the count is fixed.
    b().Edit21.setText(U"5");
    b().Edit26.setText(U"9");
    driver.click(b().Edit26);
    driver.press("Enter");
    EXPECT_EQ(focused(), &b().Edit2);

    driver.click(b().CheckBox14);
    EXPECT_TRUE(b().RadioGroup1.enabled());
    EXPECT_FALSE(b().Panel2.visible());
    EXPECT_EQ(b().width(), 200);
    for (ui::Edit* emptied : {&b().Edit1, &b().Edit6, &b().Edit2, &b().Edit7, &b().Edit31})
        EXPECT_EQ(emptied->text(), U"") << emptied->name();
    EXPECT_TRUE(b().Edit31.enabled());
    EXPECT_EQ(b().Label31.caption(), U"個数");
    EXPECT_FALSE(b().Edit40.visible());
    EXPECT_FALSE(b().Label36.visible());
    EXPECT_EQ(b().Label36.caption(), U"連番列(未入力可)");
    EXPECT_TRUE(b().CheckBox8.visible());
    EXPECT_TRUE(b().CheckBox1.enabled());
    EXPECT_TRUE(b().Edit22.visible());
    EXPECT_EQ(focused(), &b().Edit1);
}

TEST_F(BlueSettings, EplanClosesAShownSettingThree) {
    toBlueWithWorkbook();
    driver.choose(b().RadioGroup1, ColumnsInOneLine);
    driver.click(b().CheckBox1);
    driver.click(b().CheckBox2);
    driver.click(b().CheckBox14);
    EXPECT_FALSE(b().CheckBox2.checked());
    EXPECT_FALSE(b().Panel3.visible()) << "EPLAN has no setting 3";
    EXPECT_EQ(b().width(), 390);
}

TEST_F(BlueSettings, RemarkAndReplacementTicks) {
    toBlueWithWorkbook();
    driver.choose(b().RadioGroup1, ColumnsInOneLine);
    driver.click(b().CheckBox8);
    EXPECT_EQ(b().Label11.caption(), U"備考欄(未入力可)");
    driver.click(b().CheckBox9);
    EXPECT_EQ(b().Label16.caption(), U"備考欄(未入力可)");
    driver.click(b().CheckBox8);
    EXPECT_EQ(b().Label11.caption(), U"列三番目(未入力可)");

    EXPECT_FALSE(b().Edit42.visible());
    driver.click(b().CheckBox5);
    for (ui::Control* shown : std::initializer_list<ui::Control*>{
             &b().Edit42, &b().Edit4, &b().Edit43, &b().Label54, &b().Edit10, &b().Edit14, &b().Edit15})
        EXPECT_TRUE(shown->visible()) << shown->name();
    EXPECT_EQ(b().Label54.caption(), U"↓ 同時に2カ所置換時入力 ↓");
    EXPECT_EQ(focused(), &b().Edit42);
    driver.type(U"-");
    typeInto(b().Edit4, U"0a27");
    EXPECT_EQ(b().Edit4.text(), U"2") << "one digit 1 to 5";
    typeInto(b().Edit43, U"\t");
    driver.click(b().CheckBox5);
    EXPECT_FALSE(b().Edit42.visible());
    EXPECT_EQ(b().Edit42.text(), U"-") << "hidden, not emptied";

    driver.click(b().CheckBox5);
    b().Edit11.setText(U"予備");
    const conversion::ConversionSetting s = b().conversionSettings().settings[0];
    EXPECT_TRUE(s.column4IsRemark);
    EXPECT_FALSE(s.column3IsRemark);
    EXPECT_TRUE(s.replaces);
    EXPECT_EQ(s.first.target, U"-");
    EXPECT_EQ(s.first.occurrence, U"2");
    EXPECT_EQ(s.columns[2], U"予備");
}

TEST_F(BlueSettings, CopyButtonsCarryTheBoxesTheTicksAndTheFirstReplacement) {
    toBlueWithWorkbook();
    driver.choose(b().RadioGroup1, ColumnsInOneLine);
    driver.click(b().CheckBox1);
    driver.click(b().CheckBox2);
    const std::vector<ui::Edit*> source{&b().Edit1,  &b().Edit6,  &b().Edit11, &b().Edit16,
                                        &b().Edit21, &b().Edit26, &b().Edit31, &b().Edit36};
    const std::vector<Text> texts{U"B", U"C", U"予備", U"E", U"5", U"9", U"2", U""};
    for (std::size_t i = 0; i < source.size(); ++i)
        source[i]->setText(texts[i]);
    b().CheckBox8.setChecked(true);
    b().CheckBox11.setChecked(true); // stays: an unticked source tick leaves the target's alone
    b().CheckBox5.setChecked(true);
    b().Edit42.setText(U"-");
    b().Edit4.setText(U"2");
    b().Edit43.setText(U"_");
    b().Edit10.setText(U"A");
    b().Edit44.setText(U"old");

    driver.click(b().Button7);
    const std::vector<ui::Edit*> target{&b().Edit2,  &b().Edit7,  &b().Edit12, &b().Edit17,
                                        &b().Edit22, &b().Edit27, &b().Edit32, &b().Edit37};
    for (std::size_t i = 0; i < target.size(); ++i)
        EXPECT_EQ(target[i]->text(), texts[i]) << target[i]->name();
    EXPECT_TRUE(b().CheckBox10.checked());
    EXPECT_EQ(b().Label12.caption(), U"備考欄(未入力可)");
    EXPECT_TRUE(b().CheckBox11.checked());
    EXPECT_TRUE(b().CheckBox6.checked());
    EXPECT_TRUE(b().Edit44.visible());
    EXPECT_EQ(b().Edit44.text(), U"-");
    EXPECT_EQ(b().Edit5.text(), U"2");
    EXPECT_EQ(b().Edit45.text(), U"") << "replacement texts are not copied";
    EXPECT_EQ(b().Edit19.text(), U"");
    EXPECT_EQ(focused(), &b().Edit2);

    // Setting 2 into 3 without a replacement unticks and hides setting 3's.
    b().CheckBox7.setChecked(true);
    b().CheckBox6.setChecked(false);
    driver.click(b().Button8);
    EXPECT_FALSE(b().CheckBox7.checked());
    EXPECT_FALSE(b().Edit46.visible());
    EXPECT_EQ(b().Edit3.text(), U"B");
    EXPECT_EQ(b().RadioGroup3.itemIndex(), ColumnsInOneLine);
    EXPECT_EQ(focused(), &b().Edit3);
}

TEST_F(BlueSettings, KeyFiltersDropWhatABoxCannotHold) {
    toBlueWithWorkbook();
    typeInto(b().Edit1, U"b");
    driver.expectMessage(U"列指定は数字・英大文字のみ入力できます");
    EXPECT_EQ(b().Edit1.text(), U"");
    driver.clearMessages();
    typeInto(b().Edit21, U"1a2");
    EXPECT_EQ(b().Edit21.text(), U"12");
    driver.expectNoMessage();
    typeInto(b().Edit31, U"D");
    EXPECT_EQ(b().Edit31.text(), U"D") << "a count column in 線番・記銘板等";

    driver.choose(b().RadioGroup1, OneColumn);
    typeInto(b().Edit31, U"x3");
    EXPECT_EQ(b().Edit31.text(), U"3");
    driver.expectNoMessage();
    driver.choose(b().RadioGroup1, ColumnsInOneLine);
    typeInto(b().Edit11, U"予備");
    EXPECT_EQ(b().Edit11.text(), U"予備");
    driver.choose(b().RadioGroup1, ColumnsInSequence);
    b().Edit11.clear();
    typeInto(b().Edit11, U"予");
    driver.expectMessage(U"列指定は数字・英大文字のみ入力できます");
}

TEST_F(BlueSettings, LeaveRulesEmptyARefusedBoxAndKeepTheFocusThere) {
    toBlueWithWorkbook();
    const struct {
        int mode;
        ui::Edit TForm1::*box;
        TextView text;
        bool kept;
    } cases[] = {
        {WireNumbers, &TForm1::Edit1, U"CW", false},
        {WireNumbers, &TForm1::Edit1, U"101", false},
        {WireNumbers, &TForm1::Edit1, U"CV", true},
        {WireNumbers, &TForm1::Edit31, U"CW", true},
        {WireNumbers, &TForm1::Edit31, U"101", true},
        {WireNumbers, &TForm1::Edit31, U"CX", false},
        {WireNumbers, &TForm1::Edit36, U"CX", true},
        {WireNumbers, &TForm1::Edit36, U"CY", false},
        {WireNumbers, &TForm1::Edit21, U"0", false},
        {WireNumbers, &TForm1::Edit21, U"012", false},
        {ColumnsInSequence, &TForm1::Edit11, U"ABC", false},
        {ColumnsInSequence, &TForm1::Edit16, U"DA", false},
        {OneColumn, &TForm1::Edit31, U"05", false},
        {OneColumn, &TForm1::Edit31, U"999", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(platform::toUtf8(c.text));
        if (b().RadioGroup1.itemIndex() != c.mode)
            driver.choose(b().RadioGroup1, c.mode);
        ui::Edit& box = b().*c.box;
        box.clear();
        fillAndLeave(box, c.text);
        EXPECT_EQ(box.text(), c.kept ? c.text : U"");
        if (!c.kept) {
            EXPECT_EQ(focused(), &box);
        }
        box.clear();
    }
    driver.expectNoMessage();
}

TEST_F(BlueSettings, EndRowBeforeTheStartOrWithoutOneIsEmptied) {
    toBlueWithWorkbook();
    fillAndLeave(b().Edit26, U"9");
    EXPECT_EQ(b().Edit26.text(), U"");
    EXPECT_EQ(focused(), &b().Edit21) << "the start row comes first";

    b().Edit21.setText(U"10");
    fillAndLeave(b().Edit26, U"9");
    EXPECT_EQ(b().Edit26.text(), U"");
    EXPECT_EQ(focused(), &b().Edit26);
    driver.type(U"12");
    driver.press("Tab");
    EXPECT_EQ(b().Edit26.text(), U"12");
}

TEST_F(BlueSettings, EnterAndTheArrowsWalkTheShownBoxes) {
    toBlueWithWorkbook();
    driver.click(b().CheckBox1);
    driver.choose(b().RadioGroup1, WireNumbers);
    driver.click(b().Edit1);
    const std::vector<ui::Control*> forward{&b().Edit21, &b().Edit26, &b().Edit31, &b().Edit36, &b().Edit2};
    for (ui::Control* next : forward) {
        driver.press("Enter");
        EXPECT_EQ(focused(), next) << next->name();
    }
    driver.press("Up");
    EXPECT_EQ(focused(), &b().Edit2) << "nothing before column 1";
    driver.click(b().Edit21);
    driver.press("Up");
    EXPECT_EQ(focused(), &b().Edit1);
    driver.press("Down");
    EXPECT_EQ(focused(), &b().Edit21);
    EXPECT_EQ(b().Edit21.text(), U"") << "Enter never types";

    // The replacement boxes join the walk; the occurrence boxes do not.
    driver.click(b().CheckBox6);
    driver.click(b().Edit37);
    driver.press("Enter");
    EXPECT_EQ(focused(), &b().Edit44);
    driver.press("Enter");
    EXPECT_EQ(focused(), &b().Edit45);
    driver.press("Enter");
    EXPECT_EQ(focused(), &b().Edit19);
    driver.press("Enter");
    EXPECT_EQ(focused(), &b().Edit24);
    driver.press("Enter");
    EXPECT_EQ(focused(), &b().Button2) << "no setting 3: on to CTK 変換";
}

TEST_F(BlueSettings, LeavingTheRowsShowsTheRangeAndCountsItsVisibleRows) {
    toBlueWithWorkbook();
    sheet().setRowHidden(7, true);
    spreadsheet.clearCalls();
    b().Edit1.setText(U"B");
    b().Edit21.setText(U"5");
    fillAndLeave(b().Edit26, U"9");
    EXPECT_EQ(sheet().selection().first, (platform::CellRef{5, 2}));
    EXPECT_EQ(sheet().selection().last, (platform::CellRef{9, 2}));
    EXPECT_EQ(b().Label58.caption(), U"4行");
    const std::vector<std::string>& calls = spreadsheet.calls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "Worksheet.rowHidden"), 0) << "one query for the range";

    // A number names its column: 2 is B, not rows 25 to 29.
    spreadsheet.userSelects(U"A1");
    b().Edit1.setText(U"2");
    driver.click(b().Edit21);
    driver.press("Tab");
    EXPECT_EQ(sheet().selection().first, (platform::CellRef{5, 2}));
    EXPECT_EQ(sheet().selection().last, (platform::CellRef{9, 2}));
    driver.expectNoMessage();
}

TEST_F(BlueSettings, AHiddenFirstOrLastRowIsReportedAndCountsNothing) {
    toBlueWithWorkbook();
    sheet().setRowHidden(5, true);
    sheet().setRowHidden(12, true);
    b().Edit1.setText(U"B");
    b().Edit21.setText(U"5");
    fillAndLeave(b().Edit26, U"9");
    driver.expectMessage(U"その行は非表示です");
    EXPECT_EQ(b().Label58.caption(), U"");
    EXPECT_EQ(focused(), &b().Edit21);
    driver.clearMessages();

    b().Edit21.setText(U"6");
    b().Edit26.setText(U"12");
    driver.click(b().Edit26);
    driver.press("Tab");
    driver.expectMessage(U"その行は非表示です");
    EXPECT_EQ(focused(), &b().Edit26);
}

TEST_F(BlueSettings, ClickingAColumnBoxSelectsItsColumnOverTheRows) {
    toBlueWithWorkbook();
    driver.choose(b().RadioGroup1, ColumnsInOneLine);
    b().Edit21.setText(U"5");
    b().Edit26.setText(U"9");
    b().Edit6.setText(U"D");
    driver.click(b().Edit6);
    EXPECT_EQ(sheet().selection().first, (platform::CellRef{5, 4}));
    EXPECT_EQ(sheet().selection().last, (platform::CellRef{9, 4}));

    // A remark names no column: nothing is selected and nothing is said.
    b().CheckBox8.setChecked(true);
    b().Edit11.setText(U"予備");
    spreadsheet.clearCalls();
    driver.click(b().Edit11);
    EXPECT_EQ(sheet().selection().first, (platform::CellRef{5, 4}));
    driver.expectNoMessage();
}

TEST_F(BlueSettings, ABusySpreadsheetWhileShowingTheRangeSaysSoAndChangesNothing) {
    toBlueWithWorkbook();
    b().Label58.setCaption(U"3行");
    b().Edit1.setText(U"B");
    b().Edit21.setText(U"5");
    spreadsheet.failOperation("Worksheet.range");
    fillAndLeave(b().Edit26, U"9");
    driver.expectMessage(U"エクセルが編集中です(またはエクセルシートがその他のウィンドウに隠れています)");
    EXPECT_EQ(b().Label58.caption(), U"3行");
    EXPECT_EQ(b().Edit26.text(), U"9");
}

TEST_F(BlueSettings, EplanOutputCountIsTwiceTheRowsAndOneForTheHeadRemark) {
    toBlueWithWorkbook();
    driver.choose(b().RadioGroup1, ColumnsInOneLine);
    driver.click(b().CheckBox14);
    b().Edit40.setText(U"盤A");
    b().Edit21.setText(U"1");
    fillAndLeave(b().Edit26, U"7");
    EXPECT_EQ(b().Label58.caption(), U"7行");
    EXPECT_EQ(b().Label63.caption(), U"15個");
    b().Edit40.clear();
    driver.click(b().Edit26);
    driver.press("Tab");
    EXPECT_EQ(b().Label63.caption(), U"14個");
}

TEST_F(BlueSettings, ShowingTheWindowWithoutAWorkbookEmptiesTheSettingsButSettingTwosRemarkAndReplacements) {
    toBlueWithWorkbook();
    driver.click(b().CheckBox1);
    b().Edit1.setText(U"B");
    b().Edit42.setText(U"-");
    b().Edit12.setText(U"予備");
    b().Edit44.setText(U"x");
    b().Edit24.setText(U"y");
    b().Edit2.setText(U"C");
    driver.press("Shift+F1");
    driver.advance(100);
    spreadsheet.userSetsVisible(false);
    driver.press("Shift+F1");
    driver.advance(100);
    ASSERT_TRUE(b().visible());
    for (ui::Edit* emptied : {&b().Edit1, &b().Edit42, &b().Edit2})
        EXPECT_EQ(emptied->text(), U"") << emptied->name();
    EXPECT_EQ(b().Edit12.text(), U"予備");
    EXPECT_EQ(b().Edit44.text(), U"x");
    EXPECT_EQ(b().Edit24.text(), U"y");
    EXPECT_FALSE(b().CheckBox1.checked());
    EXPECT_EQ(b().width(), 205);
}

} // namespace
} // namespace lumitag::app::test
