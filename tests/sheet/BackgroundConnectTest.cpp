// The program connects to the spreadsheet in the background from its start:
// commands that need the spreadsheet meanwhile wait with the wait cursor at
// most the link's bound, everything else goes on without it, and a
// spreadsheet that went away is started afresh by the next 新規作成 or 開く.
#include "sheet/ManualConnectWorker.h"
#include "sheet/SheetLinkFixture.h"

namespace lumitag::sheet::test {
namespace {

using OnWait = ManualConnectWorker::OnWait;

class BackgroundConnectTest : public SheetLinkTest {
protected:
    BackgroundConnectTest() {
        connectWorker.onWaitStarted = [this] { cursorsWhileWaiting.push_back(app.cursor()); };
    }
    void addLines() {
        w().list().setCell(1, 1, U"W1");
        w().list().setCell(1, 2, U"W2");
        w().list().updateNextFreeRow();
    }
    std::vector<Text> listTexts() { return {w().list().cell(1, 1), w().list().cell(1, 2)}; }
    int connectCalls() const {
        return static_cast<int>(std::count(spreadsheet.calls().begin(), spreadsheet.calls().end(),
                                           std::string("Application.connect")));
    }

    std::vector<ui::Cursor> cursorsWhileWaiting;
};

TEST_F(BackgroundConnectTest, TheStartBeginsConnectingAndShowsTheWindowWithoutWaiting) {
    EXPECT_TRUE(w().visible());
    EXPECT_TRUE(connectWorker.pending()) << "the connect runs in the background";
    EXPECT_TRUE(connectWorker.waits().empty()) << "nothing waited for it";
    EXPECT_TRUE(spreadsheet.calls().empty()) << spreadsheet.calls().front();
    EXPECT_EQ(app.cursor(), ui::Cursor::Default);

    connectWorker.complete();
    EXPECT_TRUE(link().connected());
    EXPECT_EQ(w().ComboBox1.text(), SheetBoxPlaceholder) << "connecting attaches no workbook";
}

TEST_F(BackgroundConnectTest, NewWorkbookWaitsWithTheWaitCursorThenShowsTheBusyMessage) {
    addLines();
    connectWorker.setOnWait(OnWait::StaysPending);
    newWorkbook();
    EXPECT_EQ(dialogs.messageTexts(), (std::vector<Text>{Text(NewWorkbookNotice), Text(HostBusyMessage)}));
    EXPECT_EQ(connectWorker.waits(), std::vector<std::chrono::milliseconds>{SpreadsheetLink::ConnectWait});
    EXPECT_EQ(cursorsWhileWaiting, std::vector<ui::Cursor>{ui::Cursor::Wait});
    EXPECT_EQ(app.cursor(), ui::Cursor::Default);
    EXPECT_TRUE(spreadsheet.calls().empty()) << spreadsheet.calls().front();
    EXPECT_FALSE(link().workbookAttached());
    EXPECT_EQ(w().ComboBox1.text(), SheetBoxPlaceholder);
    EXPECT_EQ(listTexts(), (std::vector<Text>{U"W1", U"W2"}));
    EXPECT_TRUE(connectWorker.pending()) << "the connect goes on";

    // The office answers later; the next 新規作成 gets its workbook.
    connectWorker.complete();
    connectWorker.setOnWait(OnWait::Completes);
    driver.clearMessages();
    newWorkbook();
    driver.expectMessage(NewWorkbookNotice);
    EXPECT_EQ(dialogs.messageCount(), 1u);
    EXPECT_TRUE(link().workbookAttached());
    EXPECT_EQ(w().ComboBox1.text(), U"Sheet1");
}

TEST_F(BackgroundConnectTest, NewWorkbookGetsItsWorkbookWhenTheOfficeAnswersWithinTheWait) {
    newWorkbook();
    EXPECT_EQ(dialogs.messageTexts(), std::vector<Text>{Text(NewWorkbookNotice)});
    EXPECT_EQ(connectWorker.startedCount(), 1) << "the start's connect was waited for, not doubled";
    EXPECT_EQ(connectCalls(), 1);
    EXPECT_EQ(cursorsWhileWaiting, std::vector<ui::Cursor>{ui::Cursor::Wait});
    EXPECT_TRUE(link().workbookAttached());
    EXPECT_EQ(spreadsheet.openWorkbookNames(), std::vector<Text>{U"Book1"});
}

TEST_F(BackgroundConnectTest, OpeningAFileWaitsLikeNewWorkbookAndEndsSilently) {
    connectWorker.setOnWait(OnWait::StaysPending);
    openWorkbook(U"wires.xlsx", {U"Sheet1"});
    driver.expectNoMessage(); // a failed open stops silently
    EXPECT_EQ(connectWorker.waits().size(), 1u);
    EXPECT_FALSE(link().workbookAttached());
    EXPECT_TRUE(w().Timer2.enabled()) << "the watcher starts as after any open";
}

// While the office starts, the commands and timers that only use a connected
// spreadsheet carry on as without one: no wait, no call into the office.
TEST_F(BackgroundConnectTest, EverythingElseGoesOnWithoutTheOfficeMeanwhile) {
    connectWorker.setOnWait(OnWait::StaysPending);
    driver.press("Shift+F1"); // an empty list switches without a question
    EXPECT_TRUE(blue().visible());
    driver.advance(100);
    driver.press("Shift+F1");
    driver.advance(100);
    EXPECT_TRUE(w().visible());
    addLines();
    driver.click(w().SpeedButton25); // 閉じる
    driver.click(w().ComboBox1);
    app.minimize();
    app.restore();
    driver.advance(1000);
    driver.expectNoMessage();
    EXPECT_TRUE(connectWorker.waits().empty());
    EXPECT_TRUE(spreadsheet.calls().empty()) << spreadsheet.calls().front();
    EXPECT_EQ(listTexts(), (std::vector<Text>{U"W1", U"W2"}));
    EXPECT_TRUE(connectWorker.pending());
}

// 閉じる while the office has not answered a connect closes nothing: the
// attached workbook stays attached (and open in the spreadsheet) instead of
// being let go as if it were the last one, and the next 閉じる once the
// office answers closes it.
TEST_F(BackgroundConnectTest, ClosingWhileTheOfficeDoesNotAnswerKeepsTheWorkbook) {
    newWorkbook();
    ASSERT_TRUE(link().workbookAttached());
    connectWorker.setOnWait(OnWait::StaysPending);
    newWorkbook(); // starts a connect that does not end
    ASSERT_TRUE(connectWorker.pending());
    driver.clearMessages();
    spreadsheet.clearCalls();

    driver.click(w().SpeedButton25); // 閉じる
    driver.expectMessage(HostBusyMessage);
    EXPECT_TRUE(link().workbookAttached());
    EXPECT_TRUE(w().N24.enabled());
    EXPECT_EQ(w().ComboBox1.text(), U"Sheet1");
    EXPECT_TRUE(spreadsheet.calls().empty()) << spreadsheet.calls().front();
    EXPECT_EQ(spreadsheet.openWorkbookNames(), std::vector<Text>{U"Book1"});

    connectWorker.complete();
    connectWorker.setOnWait(OnWait::Completes);
    driver.clearMessages();
    driver.answer(platform::Answer::Yes);
    driver.click(w().SpeedButton25);
    driver.expectMessage(closeQuestion(U"Book1"), platform::Buttons::YesCancel);
    EXPECT_FALSE(link().workbookAttached());
    EXPECT_TRUE(spreadsheet.openWorkbookNames().empty());
}

// The office was killed or closed by the user: every command that needs it
// fails as designed, the list stays, and the next 新規作成 or 開く starts a
// new office and gets its workbook.
TEST_F(BackgroundConnectTest, AGoneOfficeIsStartedAfreshByTheNextNewOrOpen) {
    for (const bool byOpen : {false, true}) {
        SCOPED_TRACE(byOpen ? "開く" : "新規作成");
        addLines();
        openWorkbook(U"wires.xlsx", {U"Sheet1", U"Sheet2"});
        ASSERT_TRUE(link().workbookAttached());
        const int connectsBefore = connectWorker.startedCount();
        spreadsheet.userQuitsSpreadsheet();
        driver.clearMessages();

        driver.choose(w().ComboBox1, 1); // sheet selection ends silently
        driver.advance(500);             // the synchroniser and the event pump
        driver.expectNoMessage();
        EXPECT_EQ(listTexts(), (std::vector<Text>{U"W1", U"W2"}));

        if (byOpen) {
            openWorkbook(U"other.xlsx", {U"一覧"});
            EXPECT_EQ(w().ComboBox1.text(), U"一覧");
        } else {
            newWorkbook();
            EXPECT_EQ(w().ComboBox1.text(), U"Sheet1");
            EXPECT_EQ(spreadsheet.openWorkbookNames(), std::vector<Text>{U"Book1"});
        }
        EXPECT_EQ(connectWorker.startedCount(), connectsBefore + 1) << "a new connect";
        EXPECT_TRUE(spreadsheet.running()) << "a new office";
        EXPECT_TRUE(link().workbookAttached());
        EXPECT_EQ(listTexts(), (std::vector<Text>{U"W1", U"W2"}));
        EXPECT_EQ(dialogs.messageTexts(),
                  byOpen ? std::vector<Text>{} : std::vector<Text>{Text(NewWorkbookNotice)});

        // Ready for the other round: no spreadsheet, no workbook.
        spreadsheet.userQuitsSpreadsheet();
        driver.click(w().SpeedButton25);
        driver.advance(100);
    }
}

} // namespace
} // namespace lumitag::sheet::test
