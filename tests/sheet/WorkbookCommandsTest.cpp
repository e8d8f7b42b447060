// 新規作成, 開く and 閉じる of the orange window, and the link's start when
// the window is shown.
#include "sheet/WorkbookCommands.h"

#include "sheet/SheetLinkFixture.h"

namespace lumitag::sheet::test {
namespace {

using WorkbookCommandsTest = SheetLinkTest;

// The orange window is 554 wide at the right of a 1366 x 768 screen whose
// work area ends at 728.
constexpr platform::ScreenRect SpreadsheetArea{0, 0, 1366 - 554, 728};

TEST_F(WorkbookCommandsTest, StartingTheProgramAsksNothingOfTheSpreadsheet) {
    EXPECT_TRUE(spreadsheet.calls().empty()) << spreadsheet.calls().front();
    EXPECT_EQ(w().ComboBox1.text(), SheetBoxPlaceholder);
    EXPECT_FALSE(w().N21.enabled());
    EXPECT_FALSE(w().N24.enabled());
    EXPECT_FALSE(w().HostEventPump.enabled()) << "no office, nothing to wake for";

    // The periodic refresh of a list with lines does not ask either.
    w().list().setCell(1, 1, U"W1");
    driver.advance(300);
    EXPECT_TRUE(spreadsheet.calls().empty()) << spreadsheet.calls().front();
    EXPECT_FALSE(w().gyak1.enabled());
}

TEST_F(WorkbookCommandsTest, NewWorkbookDocksTheSpreadsheetAndFillsTheBoxes) {
    w().list().setCell(1, 1, U"W1");
    w().list().updateNextFreeRow();
    newWorkbook();
    driver.expectMessage(NewWorkbookNotice, platform::Buttons::Ok);
    EXPECT_EQ(dialogs.messageCount(), 1u);
    EXPECT_EQ(spreadsheet.openWorkbookNames(), std::vector<Text>{U"Book1"});
    EXPECT_TRUE(spreadsheet.visibleState());
    EXPECT_EQ(spreadsheet.maximizeCount(), 1);
    ASSERT_FALSE(windows.placements().empty());
    EXPECT_EQ(windows.placements().back(),
              (platform::FakeWindowSystem::Placement{spreadsheetWindow, SpreadsheetArea}));
    EXPECT_EQ(w().ComboBox1.items(), std::vector<Text>{U"Sheet1"});
    EXPECT_EQ(w().ComboBox1.text(), U"Sheet1");
    EXPECT_EQ(w().Edit14.text(), U"A");
    EXPECT_EQ(w().Edit15.text(), U"1");
    EXPECT_TRUE(link().workbookAttached());
    EXPECT_TRUE(w().N21.enabled());
    EXPECT_TRUE(w().N24.enabled());
    EXPECT_TRUE(w().gyak1.enabled()) << "the list has lines";
    EXPECT_EQ(app.focusedControl(), &w().Edit3);
    EXPECT_EQ(app.cursor(), ui::Cursor::Default);
}

TEST_F(WorkbookCommandsTest, HostFailuresShowTheBusyMessageAndLeaveTheLinkAlone) {
    for (const std::string_view operation :
         {"Application.connect", "Application.addWorkbook", "Workbook.worksheet", "Workbook.sheetNames"}) {
        SCOPED_TRACE(operation);
        spreadsheet.failOperation(operation);
        dialogs.clearTranscript();
        newWorkbook();
        EXPECT_EQ(dialogs.messageTexts(),
                  (std::vector<Text>{Text(NewWorkbookNotice), Text(HostBusyMessage)}));
        EXPECT_FALSE(link().workbookAttached());
        EXPECT_EQ(w().ComboBox1.text(), SheetBoxPlaceholder);
        EXPECT_TRUE(w().ComboBox1.items().empty());
        EXPECT_FALSE(w().N21.enabled());
        spreadsheet.clearFailures();
    }
}

TEST_F(WorkbookCommandsTest, OpenOffersTheWorkbookFormatsOnTheDesktop) {
    openWorkbook(U"wires.ods", {U"一覧", U"Sheet2"});
    const std::optional<platform::FakeDialogs::Record> dialog = dialogs.lastFileDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->file.filter, U"Excelブック (*.xls;*.xlsx;*.ods)|*.xls;*.xlsx;*.ods");
    EXPECT_EQ(dialog->file.initialFolder, DesktopFolder);
    EXPECT_EQ(link().workbook()->name(), U"wires.ods");
    EXPECT_EQ(w().ComboBox1.items(), (std::vector<Text>{U"一覧", U"Sheet2"}));
    EXPECT_EQ(w().ComboBox1.text(), U"一覧");
    EXPECT_TRUE(link().workbookAttached());
    EXPECT_TRUE(w().N24.enabled());
    EXPECT_EQ(windows.placements().back().rect, SpreadsheetArea);
    driver.expectNoMessage();
}

TEST_F(WorkbookCommandsTest, CancelledOrFailedOpenStillStartsTheWatcher) {
    w().Timer2.stop();
    dialogs.queueFileCancel();
    driver.click(w().SpeedButton30);
    EXPECT_TRUE(w().Timer2.enabled());
    EXPECT_FALSE(link().workbookAttached());

    w().Timer2.stop();
    dialogs.queueFile(U"/home/user/Desktop/missing.xlsx");
    driver.click(w().SpeedButton30);
    EXPECT_TRUE(w().Timer2.enabled());
    EXPECT_FALSE(link().workbookAttached());
    EXPECT_EQ(w().ComboBox1.text(), SheetBoxPlaceholder);
    driver.expectNoMessage();
}

TEST_F(WorkbookCommandsTest, OpenRefusedWhileTheSpreadsheetIsBusy) {
    newWorkbook();
    dialogs.clearTranscript();
    spreadsheet.failOperation("Application.activeCell");
    driver.click(w().SpeedButton30);
    driver.expectMessage(HostBusyMessage);
    EXPECT_FALSE(dialogs.lastFileDialog()) << "no dialog";
}

TEST_F(WorkbookCommandsTest, ClosingTheOnlyWorkbookQuitsTheSpreadsheet) {
    w().list().setCell(1, 1, U"W1");
    w().list().updateNextFreeRow();
    newWorkbook();
    ASSERT_TRUE(w().gyak1.enabled());
    driver.answer(Answer::Yes);
    driver.click(w().SpeedButton25);
    driver.expectMessage(U"エクセルブック ( Book1 ) を閉じますか？", platform::Buttons::YesCancel);
    EXPECT_EQ(spreadsheet.closedWorkbooks(), std::vector<Text>{U"Book1"});
    EXPECT_EQ(spreadsheet.quitCount(), 1);
    EXPECT_EQ(windows.foregroundRequests().back(), spreadsheetWindow) << "the spreadsheet's questions show";
    EXPECT_FALSE(link().workbookAttached());
    EXPECT_FALSE(link().connected());
    EXPECT_EQ(w().ComboBox1.text(), SheetBoxPlaceholder);
    EXPECT_TRUE(w().ComboBox1.items().empty());
    EXPECT_EQ(w().Edit14.text(), U"");
    EXPECT_EQ(w().Edit15.text(), U"");
    EXPECT_FALSE(w().N24.enabled());
    EXPECT_FALSE(w().gyak1.enabled());
    EXPECT_FALSE(w().HostEventPump.enabled());

    // 新規作成 afterwards starts a new spreadsheet.
    newWorkbook();
    EXPECT_TRUE(link().workbookAttached());
    EXPECT_EQ(spreadsheet.openWorkbookNames(), std::vector<Text>{U"Book1"});
}

TEST_F(WorkbookCommandsTest, ClosingOneOfTwoWorkbooksKeepsTheLink) {
    openWorkbook(U"a.xlsx", {U"Sheet1"});
    openWorkbook(U"b.xlsx", {U"Sheet1"});
    driver.answer(Answer::Yes);
    driver.click(w().SpeedButton25);
    EXPECT_EQ(spreadsheet.closedWorkbooks(), std::vector<Text>{U"b.xlsx"});
    EXPECT_EQ(spreadsheet.quitCount(), 0);
    EXPECT_TRUE(link().workbookAttached());
    EXPECT_EQ(link().workbook()->name(), U"a.xlsx");
    EXPECT_TRUE(w().N24.enabled());
}

TEST_F(WorkbookCommandsTest, TheClosingGuardHoldsUntilTheNextTick) {
    newWorkbook();
    driver.clearMessages();
    driver.answer(Answer::Cancel);
    driver.click(w().SpeedButton25);
    EXPECT_EQ(dialogs.messageCount(), 1u);
    EXPECT_TRUE(spreadsheet.closedWorkbooks().empty());
    driver.click(w().SpeedButton25);
    EXPECT_EQ(dialogs.messageCount(), 1u) << "a second close within the guard does nothing";
    driver.advance(100);
    EXPECT_FALSE(w().Timer4.enabled());
    driver.answer(Answer::Cancel);
    driver.click(w().SpeedButton25);
    EXPECT_EQ(dialogs.messageCount(), 2u);
}

TEST_F(WorkbookCommandsTest, TheTickAfterClosingSwitchesInCellEditingBackOnInEditMode) {
    newWorkbook();
    w().list().modes().edit = true;
    w().list().setEditing(false);
    driver.answer(Answer::Yes);
    driver.click(w().SpeedButton25);
    EXPECT_FALSE(w().list().editing());
    driver.advance(100);
    EXPECT_TRUE(w().list().editing());
    EXPECT_FALSE(link().closing());
}

TEST_F(WorkbookCommandsTest, CloseWithoutASpreadsheetOnlyResetsTheBoxes) {
    driver.click(w().Edit14);
    driver.type(U"B");
    driver.click(w().SpeedButton25);
    driver.expectNoMessage();
    EXPECT_EQ(w().Edit14.text(), U"");
    EXPECT_EQ(spreadsheet.quitCount(), 0);
}

TEST_F(WorkbookCommandsTest, ClosingAfterTheUserQuitTheSpreadsheetShowsTheBusyMessage) {
    newWorkbook();
    spreadsheet.userQuitsSpreadsheet();
    driver.clearMessages();
    driver.click(w().SpeedButton25);
    driver.expectMessage(HostBusyMessage);
    EXPECT_FALSE(link().workbookAttached());
    EXPECT_EQ(w().ComboBox1.text(), SheetBoxPlaceholder);
    newWorkbook();
    EXPECT_TRUE(link().workbookAttached()) << "the next 新規作成 starts a new spreadsheet";
}

// A spreadsheet that fails both the visibility question and the re-attach
// for a moment is not taken for one without workbooks: it is not told to
// quit (which would close the user's workbooks unasked), the busy message
// shows, and the watcher attaches again once it answers.
TEST_F(WorkbookCommandsTest, ClosingOnASpreadsheetThatAnswersNothingLeavesItsWorkbooksOpen) {
    openWorkbook(U"wires.xlsx", {U"Sheet1"});
    newWorkbook();
    ASSERT_EQ(spreadsheet.openWorkbookNames().size(), 2u);
    driver.clearMessages();
    spreadsheet.failNextCalls(2);
    driver.click(w().SpeedButton25);
    driver.expectMessage(HostBusyMessage);
    EXPECT_EQ(spreadsheet.quitCount(), 0);
    EXPECT_EQ(spreadsheet.openWorkbookNames(), (std::vector<Text>{U"wires.xlsx", U"Book1"}));
    EXPECT_FALSE(link().workbookAttached());
    EXPECT_EQ(w().ComboBox1.text(), SheetBoxPlaceholder);

    driver.advance(300);
    EXPECT_TRUE(link().workbookAttached());
    EXPECT_EQ(w().ComboBox1.text(), U"Sheet1");
}

TEST_F(WorkbookCommandsTest, ShowingTheWindowAgainAttachesToTheActiveWorkbook) {
    openWorkbook(U"wires.xlsx", {U"Sheet1", U"Sheet2"});
    driver.press("Shift+F1");
    ASSERT_TRUE(blue().visible());
    driver.advance(100); // the mode watcher sees the blue window
    spreadsheet.userActivatesSheet(U"Sheet2");
    spreadsheet.userSelects(U"E9");
    windows.clearRecord();
    driver.press("Shift+F1");
    driver.advance(100);
    ASSERT_TRUE(w().visible());
    EXPECT_EQ(w().ComboBox1.text(), U"Sheet2");
    EXPECT_EQ(w().Edit14.text(), U"E");
    EXPECT_EQ(w().Edit15.text(), U"9");
    EXPECT_EQ(w().Panel4.color(), WorkbookCommands::LinkedSwitchColor);
    EXPECT_TRUE(w().N24.enabled());
    ASSERT_FALSE(windows.placements().empty());
    EXPECT_EQ(windows.placements().front().rect, SpreadsheetArea);
}

TEST_F(WorkbookCommandsTest, AFailureWhileShowingTheWindowIsReportedAndShowingGoesOn) {
    openWorkbook(U"wires.xlsx", {U"Sheet1"});
    driver.press("Shift+F1");
    driver.advance(100);
    spreadsheet.failOperation("Application.activeWorkbook");
    driver.clearMessages();
    driver.press("Shift+F1");
    driver.advance(100);
    EXPECT_TRUE(w().visible());
    const platform::MessageRequest box = dialogs.lastMessage();
    EXPECT_EQ(box.text, LinkErrorMessage);
    EXPECT_EQ(box.caption, U"") << "a system message box";
    EXPECT_EQ(app.focusedControl(), &w().Edit3);
}

} // namespace
} // namespace lumitag::sheet::test
