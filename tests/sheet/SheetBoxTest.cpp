// The sheet box ComboBox1 of the orange window: choosing and renaming sheets,
// and following the sheets the user activates in the spreadsheet.
#include "sheet/CellBoxes.h"
#include "sheet/SheetLinkFixture.h"

namespace lumitag::sheet::test {
namespace {

class SheetBoxTest : public SheetLinkTest {
protected:
    SheetBoxTest() {
        openWorkbook(U"wires.xlsx", {U"Sheet1", U"Sheet2", U"盤A"});
        driver.clearMessages();
    }
    std::vector<Text> sheetsInSpreadsheet() { return spreadsheet.workbook(U"wires.xlsx").sheetNames(); }
};

TEST_F(SheetBoxTest, ListsTheSheetsOfTheOpenedWorkbook) {
    EXPECT_EQ(w().ComboBox1.items(), (std::vector<Text>{U"Sheet1", U"Sheet2", U"盤A"}));
    EXPECT_EQ(w().ComboBox1.text(), U"Sheet1");
    EXPECT_EQ(w().ComboBox1.hint(), U"エクセルシート名の変更とシートの選択ができます");
}

TEST_F(SheetBoxTest, ChoosingASheetActivatesItAndReturnsToTheEntryField) {
    spreadsheet.userSelects(U"D4");
    driver.choose(w().ComboBox1, 1);
    EXPECT_EQ(spreadsheet.workbook(U"wires.xlsx").activeSheetIndex(), 2);
    EXPECT_EQ(link().worksheet()->name(), U"Sheet2");
    EXPECT_EQ(w().ComboBox1.text(), U"Sheet2");
    EXPECT_EQ(w().Edit14.text(), U"A") << "the new sheet's active cell";
    EXPECT_EQ(app.focusedControl(), &w().Edit3);
}

TEST_F(SheetBoxTest, RenameOnEnterAsksAndRenamesTheSheet) {
    retype(w().ComboBox1, U"配線");
    EXPECT_EQ(w().ComboBox1.color(), CellBoxes::FocusColor);
    driver.answer(Answer::Yes);
    driver.press("Enter");
    driver.expectMessage(U"シート名:[ Sheet1 ] を [ 配線 ] に変更しますか？", platform::Buttons::YesCancel);
    EXPECT_EQ(sheetsInSpreadsheet(), (std::vector<Text>{U"配線", U"Sheet2", U"盤A"}));
    EXPECT_EQ(w().ComboBox1.items(), sheetsInSpreadsheet());
    EXPECT_EQ(w().ComboBox1.text(), U"配線");
    EXPECT_EQ(app.focusedControl(), &w().Edit3);
    EXPECT_EQ(dialogs.messageCount(), 1u) << "leaving the box asks nothing more";
}

TEST_F(SheetBoxTest, RenameOnEnterToAUsedNameChangesNothing) {
    retype(w().ComboBox1, U"Sheet2");
    driver.press("Enter");
    driver.expectMessage(U"シート名:[Sheet2] は使用されています", platform::Buttons::Ok);
    EXPECT_EQ(sheetsInSpreadsheet(), (std::vector<Text>{U"Sheet1", U"Sheet2", U"盤A"}));
    EXPECT_EQ(app.focusedControl(), &w().ComboBox1);
}

TEST_F(SheetBoxTest, CancelledRenamesPutTheSheetNameBack) {
    retype(w().ComboBox1, U"x");
    driver.answer(Answer::Cancel);
    driver.press("Enter");
    EXPECT_EQ(w().ComboBox1.text(), U"Sheet1");
    EXPECT_EQ(app.focusedControl(), &w().Edit3);

    retype(w().ComboBox1, U"y");
    driver.answer(Answer::Cancel);
    driver.click(w().Edit6);
    driver.expectMessage(U"シート名:[ Sheet1 ]を [ y ]に変更しますか？");
    EXPECT_EQ(w().ComboBox1.text(), U"Sheet1");
    EXPECT_EQ(w().ComboBox1.color(), ui::colors::Window);
    EXPECT_EQ(app.focusedControl(), &w().Edit3) << "leaving the box goes to the entry field";
    EXPECT_EQ(sheetsInSpreadsheet()[0], U"Sheet1");
}

TEST_F(SheetBoxTest, RenameOnLeavingThatTheSpreadsheetRefusesIsReported) {
    // Leaving the box does not look for names in use: the spreadsheet refuses.
    retype(w().ComboBox1, U"sheet2");
    driver.answer(Answer::Yes);
    driver.click(w().Edit6);
    EXPECT_EQ(dialogs.lastMessage().kind, platform::MessageKind::Error);
    EXPECT_EQ(dialogs.lastMessage().text, U"シート名を [ sheet2 ] に変更できませんでした");
    EXPECT_EQ(sheetsInSpreadsheet(), (std::vector<Text>{U"Sheet1", U"Sheet2", U"盤A"}));
    EXPECT_EQ(w().ComboBox1.text(), U"sheet2") << "the typed text stays until the next fill";
    EXPECT_EQ(app.focusedControl(), &w().Edit3);
}

TEST_F(SheetBoxTest, EmptiedBoxShowsTheSheetNameAgainOnLeaving) {
    retype(w().ComboBox1, U"");
    driver.press("Backspace");
    ASSERT_EQ(w().ComboBox1.text(), U"");
    driver.click(w().Edit6);
    EXPECT_EQ(w().ComboBox1.text(), U"Sheet1");
    driver.expectNoMessage();
}

TEST_F(SheetBoxTest, CharactersSheetNamesCannotHoldAreNotTyped) {
    retype(w().ComboBox1, U"a:b[c]/d\\e*f?g");
    EXPECT_EQ(w().ComboBox1.text(), U"abcdefg");
}

TEST_F(SheetBoxTest, TheBoxFollowsSheetsActivatedInTheSpreadsheet) {
    spreadsheet.userActivatesSheet(U"盤A");
    driver.advance(60);
    EXPECT_EQ(w().ComboBox1.text(), U"盤A");
    EXPECT_EQ(link().worksheet()->name(), U"盤A");
    EXPECT_FALSE(w().Timer3.enabled()) << "one tick after a sheet change";

    spreadsheet.userSelects(U"C5");
    driver.advance(60);
    EXPECT_EQ(w().Edit14.text(), U"C");
    EXPECT_EQ(w().Edit15.text(), U"5");
    EXPECT_FALSE(w().Timer3.enabled()) << "three ticks after a selection";
}

TEST_F(SheetBoxTest, AWorkbookSeenBeforeTheProgramOpenedAnotherBringsItsSheetsBack) {
    spreadsheet.userCreatesWorkbook(U"盤図.xlsx", {U"盤1", U"盤2"});
    spreadsheet.userSelects(U"B2");
    driver.advance(60);
    ASSERT_EQ(w().ComboBox1.items(), (std::vector<Text>{U"盤1", U"盤2"}));

    // 開く brings the first workbook to the front and lists its sheets; the
    // user then goes back to the workbook seen before.
    openWorkbook(U"wires.xlsx", {U"Sheet1", U"Sheet2", U"盤A"});
    ASSERT_EQ(w().ComboBox1.items(), (std::vector<Text>{U"Sheet1", U"Sheet2", U"盤A"}));
    spreadsheet.userActivatesWorkbook(U"盤図.xlsx");
    spreadsheet.userSelects(U"C3");
    driver.advance(60);
    EXPECT_EQ(link().workbook()->name(), U"盤図.xlsx");
    EXPECT_EQ(w().ComboBox1.items(), (std::vector<Text>{U"盤1", U"盤2"}));
    EXPECT_EQ(w().ComboBox1.text(), U"盤1");
}

TEST_F(SheetBoxTest, AFailureBeforeTheSheetsWereListedListsThemAtTheNextTick) {
    spreadsheet.userCreatesWorkbook(U"盤図.xlsx", {U"盤1", U"盤2"});
    spreadsheet.userSelects(U"B2");
    spreadsheet.failCall("Workbook.sheetNames", 0, platform::FakeSpreadsheetHost::CallFailure::Refused);
    driver.advance(60);
    ASSERT_FALSE(w().Timer3.enabled()) << "the failure stopped the synchroniser";

    spreadsheet.userSelects(U"C3");
    driver.advance(60);
    EXPECT_EQ(w().ComboBox1.items(), (std::vector<Text>{U"盤1", U"盤2"}));
    driver.expectNoMessage();
}

TEST_F(SheetBoxTest, ABusySpreadsheetStopsTheSynchroniserAndLeavesTheBoxAlone) {
    spreadsheet.userActivatesSheet(U"Sheet2");
    spreadsheet.setBusy(true);
    driver.advance(60);
    EXPECT_FALSE(w().Timer3.enabled());
    EXPECT_EQ(w().ComboBox1.items(), (std::vector<Text>{U"Sheet1", U"Sheet2", U"盤A"}));
    EXPECT_EQ(w().ComboBox1.text(), U"Sheet1");
    driver.expectNoMessage();
}

TEST_F(SheetBoxTest, WithoutASpreadsheetEnteringTheBoxGoesToTheEntryField) {
    spreadsheet.userSetsVisible(false);
    driver.click(w().ComboBox1);
    EXPECT_EQ(app.focusedControl(), &w().Edit3);
}

} // namespace
} // namespace lumitag::sheet::test
