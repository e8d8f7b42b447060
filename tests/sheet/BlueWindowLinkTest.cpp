// The blue window's side of the spreadsheet link: its sheet box, its sheet
// synchroniser Timer1 filling the settings from the selection, エクセル開く and
// エクセル閉じる, and both windows' synchronisers on the same events.
#include "sheet/CellBoxes.h"
#include "sheet/SettingFill.h"
#include "sheet/SettingsFromSelection.h"
#include "sheet/SheetLinkFixture.h"

#include <algorithm>

namespace lumitag::sheet::test {
namespace {

// The blue window is 205 wide at first; the spreadsheet gets the rest of the
// 1366 x 768 screen's work area, which ends at 728.
constexpr platform::ScreenRect BlueSpreadsheetArea{0, 0, 1366 - 205, 728};

// A workbook opened in the orange window, then the switch to blue mode.
class BlueLinkTest : public SheetLinkTest {
protected:
    BlueLinkTest() {
        openWorkbook(U"wires.xlsx", {U"Sheet1", U"Sheet2", U"盤A"});
        driver.press("Shift+F1");
        driver.advance(100); // the mode watcher sees the blue window
        driver.clearMessages();
    }

    app::TForm1& b() { return blue(); }

    // The spreadsheet's queued events reach the program (as the host event
    // pump does every 50 ms).
    void deliverEvents() { link().pumpEvents(); }
    // The user goes over to the spreadsheet and selects a block there.
    void userSelectsInSpreadsheet(TextView first, TextView last) {
        app.deactivate();
        spreadsheet.userSelects(first, last);
        deliverEvents();
        driver.advance(1);
    }
    // エクセル開く with a workbook file of these sheets picked in the dialog.
    void openWorkbookFromBlue(const Text& fileName, std::initializer_list<Text> sheets = {U"Sheet1"}) {
        const Text path = Text(DesktopFolder) + U"/" + fileName;
        spreadsheet.addFile(path, sheets);
        dialogs.queueFile(path);
        driver.click(b().SpeedButton1);
    }
    bool called(std::string_view operation) const {
        const std::vector<std::string>& calls = spreadsheet.calls();
        return std::find(calls.begin(), calls.end(), operation) != calls.end();
    }
};

TEST_F(BlueLinkTest, ShowingTheWindowDocksTheSpreadsheetAndListsItsSheets) {
    EXPECT_EQ(b().ComboBox1.items(), (std::vector<Text>{U"Sheet1", U"Sheet2", U"盤A"}));
    EXPECT_EQ(b().ComboBox1.text(), U"Sheet1");
    EXPECT_EQ(b().ComboBox1.hint(), U"エクセルシート名の変更とシートの選択ができます");
    EXPECT_EQ(b().ComboBox1.dropDownCount(), 10);
    ASSERT_FALSE(windows.placements().empty());
    EXPECT_EQ(windows.placements().back().rect, BlueSpreadsheetArea);
    EXPECT_EQ(app.focusedControl(), &b().Edit1);
}

TEST_F(BlueLinkTest, ChoosingASheetActivatesItHidesTheFullWidthResultsAndReturnsToEdit1) {
    b().ComboBox4.show();
    windows.clearRecord();
    driver.choose(b().ComboBox1, 2);
    EXPECT_EQ(spreadsheet.workbook(U"wires.xlsx").activeSheetIndex(), 3);
    EXPECT_EQ(link().worksheet()->name(), U"盤A");
    EXPECT_EQ(b().ComboBox1.text(), U"盤A");
    EXPECT_FALSE(b().ComboBox4.visible());
    ASSERT_FALSE(windows.placements().empty());
    EXPECT_EQ(windows.placements().back().rect, BlueSpreadsheetArea);
    EXPECT_EQ(app.focusedControl(), &b().Edit1);
    EXPECT_EQ(w().Edit14.text(), U"A") << "the orange window's cell boxes are its own";
}

TEST_F(BlueLinkTest, RenamingThroughTheBoxRenamesTheSheetAndReturnsToEdit1) {
    retype(b().ComboBox1, U"Sheet2");
    driver.press("Enter");
    driver.expectMessage(U"シート名:[Sheet2] は使用されています", platform::Buttons::Ok);
    EXPECT_EQ(app.focusedControl(), &b().ComboBox1) << "the typed text stays for another try";

    retype(b().ComboBox1, U"配線");
    driver.answer(Answer::Yes);
    driver.press("Enter");
    driver.expectMessage(U"シート名:[ Sheet1 ] を [ 配線 ] に変更しますか？", platform::Buttons::YesCancel);
    EXPECT_EQ(spreadsheet.workbook(U"wires.xlsx").sheetNames(),
              (std::vector<Text>{U"配線", U"Sheet2", U"盤A"}));
    EXPECT_EQ(b().ComboBox1.items()[0], U"配線");
    EXPECT_EQ(b().ComboBox1.color(), ui::colors::Window);
    EXPECT_EQ(app.focusedControl(), &b().Edit1);

    retype(b().ComboBox1, U"x");
    driver.answer(Answer::Cancel);
    driver.click(b().Edit21);
    driver.expectMessage(U"シート名:[ 配線 ]を [ x ]に変更しますか？");
    EXPECT_EQ(b().ComboBox1.text(), U"配線");
    EXPECT_EQ(app.focusedControl(), &b().Edit1);
}

TEST_F(BlueLinkTest, OnlyTheVisibleWindowsSynchroniserFollowsTheSpreadsheet) {
    b().ComboBox5.show();
    spreadsheet.userActivatesSheet(U"Sheet2");
    deliverEvents();
    EXPECT_FALSE(b().ComboBox5.visible()) << "the event refills the box and hides the results";
    EXPECT_TRUE(b().Timer1.enabled());
    EXPECT_FALSE(w().Timer3.enabled()) << "the hidden orange window does nothing";
    driver.advance(1);
    EXPECT_FALSE(b().Timer1.enabled()) << "one tick after a sheet change";
    EXPECT_EQ(b().ComboBox1.text(), U"Sheet2");
    EXPECT_EQ(link().worksheet()->name(), U"Sheet2");
    EXPECT_EQ(w().ComboBox1.text(), U"Sheet1");

    spreadsheet.userSelects(U"C5");
    deliverEvents();
    driver.advance(1);
    driver.advance(1);
    EXPECT_TRUE(b().Timer1.enabled());
    driver.advance(1);
    EXPECT_FALSE(b().Timer1.enabled()) << "three ticks after a selection";
    EXPECT_FALSE(w().Timer3.enabled());
    EXPECT_EQ(w().Edit14.text(), U"A") << "the orange cell boxes stay until that window shows";

    // Back in orange mode the roles turn round.
    driver.press("Shift+F1");
    driver.advance(100);
    ASSERT_TRUE(w().visible());
    spreadsheet.userSelects(U"D7");
    deliverEvents();
    EXPECT_TRUE(w().Timer3.enabled());
    EXPECT_FALSE(b().Timer1.enabled());
    driver.advance(3);
    EXPECT_EQ(w().Edit14.text(), U"D");
    EXPECT_EQ(w().Edit15.text(), U"7");
}

TEST_F(BlueLinkTest, ABusySpreadsheetStopsTheBlueSynchroniserSilently) {
    b().Edit1.setColor(CellBoxes::FocusColor);
    spreadsheet.failOperation("Application.selectedRows");
    userSelectsInSpreadsheet(U"B2", U"B4");
    EXPECT_FALSE(b().Timer1.enabled());
    EXPECT_EQ(b().Edit1.text(), U"");
    driver.expectNoMessage();
}

// One block selected in the sheet and what the waiting setting shows of it.
struct FillCase {
    int setting;
    int mode;
    TextView first; // the active cell
    TextView last;
    std::vector<int> hiddenRows;
    bool headRemark;
    TextView column;
    TextView startRow;
    TextView endRow;
    TextView countBox; // "5" before; the next column in 線番・記銘板等
    TextView rows;
    TextView outputs; // setting 1's Label63
};

TEST_F(BlueLinkTest, ASelectionInTheSpreadsheetFillsTheWaitingSetting) {
    using namespace workMode;
    const FillCase cases[] = {
        {1, WireNumbers, U"Z3", U"Z7", {}, false, U"Z", U"3", U"7", U"AA", U"5行", U"10個"},
        {1, WireNumbers, U"AZ2", U"AZ9", {4, 5}, true, U"AZ", U"2", U"9", U"BA", U"6行", U"13個"},
        {2, WireNumbers, U"BZ10", U"BZ10", {}, false, U"BZ", U"10", U"10", U"CA", U"1行", U""},
        {3, WireNumbers, U"CV1", U"CV3", {2}, false, U"CV", U"1", U"3", U"", U"2行", U""},
        {1, OneColumn, U"B4", U"B6", {}, true, U"B", U"4", U"6", U"5", U"3行", U"7個"},
        {1, ColumnsInOneLine, U"A1", U"C4", {1, 4}, false, U"A", U"1", U"4", U"5", U"2行", U"4個"},
        {2, ColumnsInOneLine, U"D9", U"D5", {}, false, U"D", U"5", U"9", U"5", U"5行", U""},
        {3, OneColumn, U"AA20", U"AA21", {21}, false, U"AA", U"20", U"21", U"5", U"1行", U""},
    };
    const struct {
        ui::RadioGroup& mode;
        ui::Edit& column;
        ui::Edit& startRow;
        ui::Edit& endRow;
        ui::Edit& count;
        ui::Label& rows;
        ui::Edit& highlighted;
    } settings[] = {
        {b().RadioGroup1, b().Edit1, b().Edit21, b().Edit26, b().Edit31, b().Label58, b().Edit26},
        {b().RadioGroup2, b().Edit2, b().Edit22, b().Edit27, b().Edit32, b().Label59, b().Edit7},
        {b().RadioGroup3, b().Edit3, b().Edit23, b().Edit28, b().Edit33, b().Label60, b().Edit13},
    };
    // Showing the window focused Edit1; here only the case's box waits.
    b().Edit1.setColor(ui::colors::Window);
    for (const FillCase& c : cases) {
        SCOPED_TRACE(platform::toUtf8(c.first) + ":" + platform::toUtf8(c.last));
        const auto& s = settings[c.setting - 1];
        s.mode.setItemIndex(c.mode);
        s.count.setText(U"5");
        b().Edit40.setText(c.headRemark ? U"備考" : U"");
        // A box left in the focus colour when the user went over to the spreadsheet.
        s.highlighted.setColor(CellBoxes::FocusColor);
        for (const int row : c.hiddenRows)
            spreadsheet.activeSheetContent().setRowHidden(row, true);

        userSelectsInSpreadsheet(c.first, c.last);
        EXPECT_EQ(s.column.text(), c.column);
        EXPECT_EQ(s.startRow.text(), c.startRow);
        EXPECT_EQ(s.endRow.text(), c.endRow);
        EXPECT_EQ(s.count.text(), c.countBox);
        EXPECT_EQ(s.rows.caption(), c.rows);
        if (c.setting == 1) {
            EXPECT_EQ(b().Label63.caption(), c.outputs);
        }

        driver.advance(5);
        s.highlighted.setColor(ui::colors::Window);
        for (const int row : c.hiddenRows)
            spreadsheet.activeSheetContent().setRowHidden(row, false);
        for (ui::Edit* box : {&s.column, &s.startRow, &s.endRow, &s.count})
            box->clear();
    }
}

TEST_F(BlueLinkTest, SettingsThatDoNotWaitForASelectionStayAsTheyAre) {
    // Setting 1 as if the focus had left it, setting 2 in 複数列を連続 with a
    // highlighted box, setting 3 without one.
    b().Edit1.setColor(ui::colors::Window);
    b().RadioGroup2.setItemIndex(workMode::ColumnsInSequence);
    b().Edit2.setColor(CellBoxes::FocusColor);
    b().Edit3.setText(U"K");
    userSelectsInSpreadsheet(U"E2", U"E3");
    EXPECT_EQ(b().Edit2.text(), U"");
    EXPECT_EQ(b().Edit3.text(), U"K");
    EXPECT_EQ(b().Edit1.text(), U"");
    EXPECT_FALSE(called("Application.selectedRows")) << "nothing waits, nothing is read";
}

TEST_F(BlueLinkTest, TheUserFillsASettingByClickingABoxAndSelectingInTheSpreadsheet) {
    driver.click(b().Edit21);
    EXPECT_EQ(b().Edit21.color(), CellBoxes::FocusColor);
    // While the blue window is active a selection is the program's own.
    spreadsheet.userSelects(U"F2", U"F4");
    deliverEvents();
    driver.advance(3);
    EXPECT_EQ(b().Edit21.text(), U"");

    userSelectsInSpreadsheet(U"G3", U"G8");
    EXPECT_EQ(b().Edit1.text(), U"G");
    EXPECT_EQ(b().Edit21.text(), U"3");
    EXPECT_EQ(b().Edit26.text(), U"8");
    EXPECT_EQ(b().Edit31.text(), U"H");
    EXPECT_EQ(b().Label58.caption(), U"6行");

    driver.click(b().Edit31);
    EXPECT_EQ(b().Edit21.color(), ui::colors::Window) << "leaving the box ends its wait";
}

TEST_F(BlueLinkTest, ABlockTheSettingsCannotDescribeFillsNothing) {
    b().Edit1.setColor(CellBoxes::FocusColor);
    userSelectsInSpreadsheet(U"C1", U"C1048576");
    EXPECT_EQ(b().Edit1.text(), U"");
    EXPECT_EQ(b().Edit26.text(), U"");
    EXPECT_FALSE(called("Worksheet.rowHidden")) << "no row flags are counted";
    EXPECT_FALSE(called("Worksheet.hiddenRows")) << "no row flags are counted";

    userSelectsInSpreadsheet(U"CW2", U"CW4");
    EXPECT_EQ(b().Edit1.text(), U"") << "a column the settings cannot name is not put as CV";

    userSelectsInSpreadsheet(U"C9990", U"C9999");
    EXPECT_EQ(b().Edit26.text(), U"9999") << "the last row a row box holds";
    EXPECT_EQ(SettingsFromSelection::LastFilledRow, 9999);
}

TEST_F(BlueLinkTest, ClosingTheLastWorkbookEmptiesTheWindowAndQuitsTheSpreadsheet) {
    // Two settings in use, filled, with full-width results shown.
    b().CheckBox1.setChecked(true);
    b().Panel2.show();
    b().ArrangePanels(2, 390);
    for (ui::Edit* box : {&b().Edit1, &b().Edit12, &b().Edit21, &b().Edit33, &b().Edit40})
        box->setText(U"7");
    for (ui::Control* tool : std::initializer_list<ui::Control*>{&b().SpeedButton3, &b().SpeedButton8,
                                                                 &b().SpeedButton5, &b().ComboBox6})
        tool->show();

    driver.answer(Answer::Yes);
    driver.click(b().SpeedButton2);
    driver.expectMessage(U"エクセルブック ( wires.xlsx ) を閉じますか？", platform::Buttons::YesCancel);
    EXPECT_EQ(spreadsheet.closedWorkbooks(), std::vector<Text>{U"wires.xlsx"});
    EXPECT_EQ(spreadsheet.quitCount(), 1);
    EXPECT_FALSE(link().workbookAttached());
    EXPECT_FALSE(w().HostEventPump.enabled());
    EXPECT_FALSE(w().N24.enabled());
    EXPECT_FALSE(w().gyak1.enabled());
    EXPECT_EQ(b().ComboBox1.text(), SheetBoxPlaceholder);
    EXPECT_TRUE(b().ComboBox1.items().empty());
    for (ui::Edit* box : {&b().Edit1, &b().Edit12, &b().Edit21, &b().Edit33, &b().Edit40})
        EXPECT_EQ(box->text(), U"") << box->name();
    for (ui::Control* tool : std::initializer_list<ui::Control*>{
             &b().SpeedButton3, &b().SpeedButton4, &b().SpeedButton5, &b().SpeedButton7, &b().SpeedButton8,
             &b().SpeedButton9, &b().ComboBox4, &b().ComboBox5, &b().ComboBox6})
        EXPECT_FALSE(tool->visible()) << tool->name();
    // The narrow layout of setting 1 alone.
    EXPECT_FALSE(b().CheckBox1.checked());
    EXPECT_FALSE(b().Panel2.visible());
    EXPECT_EQ(b().bounds().width, 200);
    EXPECT_EQ(b().bounds().left, 1366 + 10 - 200);
    EXPECT_EQ(b().Panel1.left(), 1);
    EXPECT_EQ(app.focusedControl(), &b().Edit1);

    // The guard ends with the orange window's tick; エクセル開く starts a new spreadsheet.
    driver.advance(100);
    EXPECT_FALSE(link().closing());
    openWorkbookFromBlue(U"again.xlsx");
    EXPECT_TRUE(link().workbookAttached());
    EXPECT_EQ(b().ComboBox1.text(), U"Sheet1");
}

TEST_F(BlueLinkTest, ClosingOneOfTwoWorkbooksKeepsTheSettings) {
    openWorkbookFromBlue(U"second.xlsx");
    b().Edit1.setText(U"C");
    driver.answer(Answer::Yes);
    driver.click(b().SpeedButton2);
    EXPECT_EQ(spreadsheet.closedWorkbooks(), std::vector<Text>{U"second.xlsx"});
    EXPECT_EQ(spreadsheet.quitCount(), 0);
    EXPECT_EQ(b().Edit1.text(), U"C");
    EXPECT_EQ(link().workbook()->name(), U"wires.xlsx");
}

TEST_F(BlueLinkTest, OpeningFromTheBlueWindowDocksAgainstItAndStartsTheWatcher) {
    w().Timer2.stop();
    w().N21.setEnabled(false);
    windows.clearRecord();
    openWorkbookFromBlue(U"配線表.xlsx", {U"一覧", U"Sheet2"});
    const std::optional<platform::FakeDialogs::Record> dialog = dialogs.lastFileDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->file.filter, U"Excelブック (*.xls;*.xlsx;*.ods)|*.xls;*.xlsx;*.ods");
    EXPECT_EQ(dialog->file.initialFolder, DesktopFolder);
    EXPECT_EQ(link().workbook()->name(), U"配線表.xlsx");
    EXPECT_EQ(link().worksheet()->name(), U"一覧");
    EXPECT_EQ(b().ComboBox1.items(), (std::vector<Text>{U"一覧", U"Sheet2"}));
    EXPECT_EQ(b().ComboBox1.text(), U"一覧");
    ASSERT_FALSE(windows.placements().empty());
    EXPECT_EQ(windows.placements().back().rect, BlueSpreadsheetArea);
    EXPECT_TRUE(w().Timer2.enabled());
    EXPECT_TRUE(w().N21.enabled());
    EXPECT_EQ(app.focusedControl(), &b().Edit1);
    driver.expectNoMessage();

    // A cancelled dialog still starts the watcher.
    w().Timer2.stop();
    dialogs.queueFileCancel();
    driver.click(b().SpeedButton1);
    EXPECT_TRUE(w().Timer2.enabled());
}

TEST_F(BlueLinkTest, ShowingTheWindowWithoutASpreadsheetEmptiesTheSettings) {
    b().CheckBox1.setChecked(true);
    b().Panel2.show();
    b().ArrangePanels(2, 390);
    b().Label59.setCaption(U"3行");
    for (ui::Edit* box : {&b().Edit1, &b().Edit40, &b().Edit2, &b().Edit12, &b().Edit27, &b().Edit38})
        box->setText(U"9");
    driver.press("Shift+F1");
    driver.advance(100);
    ASSERT_TRUE(w().visible());
    spreadsheet.userQuitsSpreadsheet();

    driver.press("Shift+F1");
    ASSERT_TRUE(b().visible());
    EXPECT_EQ(b().ComboBox1.text(), SheetBoxPlaceholder);
    for (ui::Edit* box : {&b().Edit1, &b().Edit40, &b().Edit2, &b().Edit27, &b().Edit38})
        EXPECT_EQ(box->text(), U"") << box->name();
    EXPECT_EQ(b().Edit12.text(), U"9") << "setting 2's column 3 keeps its remark";
    EXPECT_FALSE(b().CheckBox1.checked());
    EXPECT_FALSE(b().Panel2.visible());
    EXPECT_EQ(b().Label59.caption(), U"");
    EXPECT_EQ(b().bounds().width, 205);
    EXPECT_EQ(b().SpeedButton27.left(), 15);
    EXPECT_EQ(app.focusedControl(), &b().Edit1);
}

} // namespace
} // namespace lumitag::sheet::test
