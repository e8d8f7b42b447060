#include "ProgramFixture.h"

namespace lumitag::app::test {
namespace {

using marking::BoxMode;
using platform::Answer;

constexpr TextView OverwriteQuestion = U"ブルーモードの変換結果がグリッドに表示されます\r\n"
                                       U"（現在のグリッド内のデータに上書きされます）\r\nよろしいですか？";
constexpr TextView DeleteQuestion = U"ブルーモードの変換結果がグリッドに表示されます\r\n"
                                    U"（現在のグリッド内のデータが削除されます）\r\nよろしいですか？";

class ModeSwitch : public ProgramTest {
protected:
    ModeSwitch() { start(); }
    void addLines(int count) {
        for (int row = 1; row <= count; ++row) {
            orange().list().setCell(1, row, U"A");
            orange().list().setCell(2, row, U"1");
            orange().list().setCell(4, row, U"2");
        }
        driver.advance(100); // the periodic refresh finds them
    }
};

TEST_F(ModeSwitch, EmptyOneBoxListSwitchesWithoutAsking) {
    driver.press("Shift+F1");
    driver.expectNoMessage();
    EXPECT_FALSE(orange().visible());
    EXPECT_TRUE(blue().visible());
    EXPECT_FALSE(orange().Timer1.enabled());
    EXPECT_FALSE(orange().Timer5.enabled());
}

TEST_F(ModeSwitch, TextBoxModeDoesNothing) {
    driver.click(orange().RadioButton18);
    driver.press("Shift+F1");
    driver.expectNoMessage();
    EXPECT_TRUE(orange().visible());
    EXPECT_FALSE(blue().visible());
}

TEST_F(ModeSwitch, OneBoxLinesAskAndCancelStays) {
    addLines(3);
    driver.answer(Answer::Cancel);
    driver.press("Shift+F1");
    driver.expectMessage(OverwriteQuestion, platform::Buttons::YesCancel);
    EXPECT_TRUE(orange().visible());
    driver.answer(Answer::Yes);
    driver.click(orange().Panel4);
    EXPECT_TRUE(blue().visible());
    EXPECT_EQ(orange().list().lineText(1), U"A") << "1BOX lines stay until the conversion overwrites them";
}

TEST_F(ModeSwitch, ThreeBoxLinesAreEmptiedAndTheListTurnsOneBoxBeforeTheBlueWindowShows) {
    driver.click(orange().RadioButton17);
    addLines(3);
    std::optional<BoxMode> modeWhenShown;
    // The window's own show handler gives way to one that notes the box mode.
    blue().onShow.clear();
    blue().onShow = [&] { modeWhenShown = orange().list().boxMode(); };
    driver.answer(Answer::Cancel);
    driver.press("Shift+F1");
    driver.expectMessage(DeleteQuestion);
    EXPECT_EQ(orange().list().boxMode(), BoxMode::ThreeBox) << "Cancel changes nothing";
    EXPECT_EQ(orange().list().cell(4, 2), U"2");

    driver.answer(Answer::Yes);
    driver.press("Shift+F1");
    ASSERT_TRUE(modeWhenShown);
    EXPECT_EQ(*modeWhenShown, BoxMode::OneBox);
    EXPECT_TRUE(orange().RadioButton16.checked());
    EXPECT_EQ(orange().list().nextFreeRow(), 1);
    EXPECT_EQ(orange().StringGrid1.colCount(), 4);
    for (int row = 1; row <= 3; ++row)
        EXPECT_EQ(orange().list().lineText(row), U"");
}

TEST_F(ModeSwitch, OpenPresetSettingStaysInOrangeMode) {
    driver.click(orange().CheckBox2);
    driver.press("Shift+F1");
    driver.expectMessage(U"設定を閉じてください");
    EXPECT_TRUE(orange().visible());
    EXPECT_FALSE(blue().visible());
}

TEST_F(ModeSwitch, BusySpreadsheetRefusesTheSwitch) {
    spreadsheet.userStartsSpreadsheet();
    spreadsheet.connect();
    spreadsheet.userCreatesWorkbook(U"wires.xlsx");
    connectWorker.complete(); // the start's background connect finds it
    spreadsheet.failOperation("Application.maximizeActiveWindow");
    driver.press("Shift+F1");
    driver.expectMessage(U"エクセルが編集中です(またはエクセルシートがその他のウィンドウに隠れています)");
    EXPECT_TRUE(orange().visible());
    spreadsheet.clearFailures();
    const int before = spreadsheet.maximizeCount();
    driver.press("Shift+F1");
    EXPECT_TRUE(blue().visible());
    // The switch maximises the spreadsheet's window, and the blue window docks it when it shows.
    EXPECT_EQ(spreadsheet.maximizeCount(), before + 2);
}

TEST_F(ModeSwitch, ShiftF1InBlueModeBringsTheOrangeWindowBackWithinATick) {
    driver.press("Shift+F1");
    ASSERT_TRUE(blue().visible());
    driver.advance(300);
    driver.press("Shift+F1");
    EXPECT_FALSE(blue().visible());
    EXPECT_TRUE(orange().Timer1.enabled());
    EXPECT_TRUE(orange().Timer5.enabled());
    driver.advance(100);
    EXPECT_TRUE(orange().visible()) << "the mode watcher shows it again";
    EXPECT_EQ(app.activeForm(), &orange());
    EXPECT_EQ(app.focusedControl(), &orange().Edit3);
}

TEST_F(ModeSwitch, TheOrangeWindowComesBackAlsoWhenTheWatcherHadStopped) {
    // Marking stops the watcher, and so does a failing spreadsheet.
    orange().Timer2.stop();
    driver.press("Shift+F1");
    ASSERT_TRUE(blue().visible());
    driver.advance(300);
    driver.press("Shift+F1");
    driver.advance(100);
    EXPECT_TRUE(orange().visible()) << "a program without a window on screen cannot be reached";
    EXPECT_TRUE(orange().Timer2.enabled());
}

TEST_F(ModeSwitch, BlueWindowSwitchBackIsRefusedWhileTheSpreadsheetIsBusy) {
    driver.press("Shift+F1");
    spreadsheet.userStartsSpreadsheet();
    spreadsheet.connect();
    spreadsheet.userCreatesWorkbook(U"wires.xlsx");
    connectWorker.complete(); // the start's background connect finds it
    spreadsheet.failOperation("Application.maximizeActiveWindow");
    driver.click(blue().Panel4);
    driver.expectMessage(U"エクセルが編集中です(またはエクセルシートがその他のウィンドウに隠れています)");
    EXPECT_TRUE(blue().visible());
}

// --- Box modes and the entry panel ----------------------------------------------------------

TEST_F(ModeSwitch, ThreeBoxHeadersAndCountLabelsFollowTheSizeBoxes) {
    driver.click(orange().RadioButton17);
    TForm2& w = orange();
    EXPECT_EQ(w.StringGrid1.colCount(), 6);
    EXPECT_EQ(w.StringGrid1.cell(2, 0), U" 1.25");
    EXPECT_EQ(w.StringGrid1.cell(5, 0), U"ナンバー");
    EXPECT_EQ(w.Label6.caption(), U"1.25");
    EXPECT_EQ(w.Label6.left(), 468);
    EXPECT_EQ(w.Label56.caption(), U"2.0");
    EXPECT_EQ(w.Label56.left(), 496);
    EXPECT_EQ(w.Label57.left(), 522);
    EXPECT_TRUE(w.Edit46.visible());
    EXPECT_TRUE(w.Edit49.visible());
    EXPECT_EQ(w.Edit9.width(), 25);
    EXPECT_EQ(w.Edit9.maxLength(), 2);
    EXPECT_EQ(app.focusedControl(), &w.Edit3);
}

TEST_F(ModeSwitch, TextModeHidesTheMarkerControlsAndTurnsCellWidthOff) {
    TForm2& w = orange();
    w.CheckBox39.setChecked(true);
    w.Edit9.setText(U"12");
    driver.click(w.RadioButton18);
    for (ui::Control* hidden :
         {static_cast<ui::Control*>(&w.SpeedButton22), static_cast<ui::Control*>(&w.SpeedButton23),
          static_cast<ui::Control*>(&w.SpeedButton24), static_cast<ui::Control*>(&w.Edit16),
          static_cast<ui::Control*>(&w.Panel4), static_cast<ui::Control*>(&w.Edit46)})
        EXPECT_FALSE(hidden->visible()) << hidden->name();
    EXPECT_FALSE(w.CheckBox39.checked());
    EXPECT_FALSE(w.CheckBox39.enabled());
    EXPECT_EQ(w.Label6.caption(), U"文字列");
    EXPECT_EQ(w.Label6.left(), 485);
    EXPECT_EQ(w.Edit9.width(), 77);
    EXPECT_EQ(w.Edit9.maxLength(), 0);
    EXPECT_EQ(w.Edit9.text(), U"12") << "TEXT keeps the box's text";
    EXPECT_EQ(w.StringGrid1.cell(2, 0), U"        文字列");

    driver.click(w.RadioButton16);
    EXPECT_TRUE(w.Panel4.visible());
    EXPECT_TRUE(w.CheckBox39.enabled());
    EXPECT_EQ(w.Label6.caption(), U"個数");
    EXPECT_EQ(w.Label6.left(), 479);
    EXPECT_EQ(w.Edit9.maxLength(), 3);
    EXPECT_EQ(w.Edit9.text(), U"");
}

TEST_F(ModeSwitch, BoxModeSelectorShowsOnlyWhileTheListIsEmpty) {
    EXPECT_TRUE(orange().Panel14.visible());
    EXPECT_FALSE(orange().Button4.visible());
    addLines(2);
    EXPECT_FALSE(orange().Panel14.visible());
    EXPECT_TRUE(orange().Button4.visible());
    EXPECT_EQ(orange().list().nextFreeRow(), 3);
}

TEST_F(ModeSwitch, BoxModeClickBeforeTheRefreshHidesTheSelectorKeepsTheLines) {
    // Lines arrive; the selector is still shown until the next refresh tick.
    orange().list().setCell(1, 1, U"A");
    orange().list().setCell(2, 1, U"2");
    ASSERT_TRUE(orange().Panel14.visible());
    driver.click(orange().RadioButton18);
    EXPECT_EQ(orange().list().boxMode(), marking::BoxMode::OneBox);
    EXPECT_TRUE(orange().RadioButton16.checked());
    EXPECT_FALSE(orange().Panel14.visible());
    EXPECT_EQ(orange().list().cell(1, 1), U"A");
    EXPECT_EQ(orange().list().cell(2, 1), U"2");
}

} // namespace
} // namespace lumitag::app::test
