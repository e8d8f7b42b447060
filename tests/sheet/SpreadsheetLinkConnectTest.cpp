// The link's background connect on the in-memory spreadsheet, with a worker
// the test runs by hand: pending, done, failed, a command's bounded wait, and
// a spreadsheet that went away.
#include "platform/fake/FakeScreen.h"
#include "platform/fake/FakeWindowSystem.h"
#include "platform/spreadsheet/fake/FakeSpreadsheetHost.h"
#include "sheet/ManualConnectWorker.h"
#include "sheet/SpreadsheetLink.h"

#include <gtest/gtest.h>

namespace lumitag::sheet {
namespace {

using platform::SpreadsheetError;

class SpreadsheetLinkConnect : public ::testing::Test {
protected:
    SpreadsheetLinkConnect() { worker.setOnWait(ManualConnectWorker::OnWait::StaysPending); }

    // Every call the link may make on the user-interface thread, each of
    // which must fail (or answer "no") without reaching the spreadsheet
    // while the connect runs.
    void expectEveryCallRefusedWithoutReachingTheHost() {
        spreadsheet.clearCalls();
        platform::SpreadsheetHost& host = link.host();
        EXPECT_FALSE(link.visible());
        EXPECT_FALSE(link.connectedAndVisible());
        EXPECT_FALSE(link.workbook());
        EXPECT_FALSE(link.worksheet());
        EXPECT_THROW(host.addWorkbook(), SpreadsheetError);
        EXPECT_THROW(host.openWorkbook(U"/home/user/a.xlsx"), SpreadsheetError);
        EXPECT_THROW(host.activeWorkbook(), SpreadsheetError);
        EXPECT_THROW(host.activeSheet(), SpreadsheetError);
        EXPECT_THROW(host.activeCell(), SpreadsheetError);
        EXPECT_THROW(host.selectedRows(), SpreadsheetError);
        EXPECT_THROW(host.maximizeActiveWindow(), SpreadsheetError);
        EXPECT_THROW(host.disableKey(U"{F1}"), SpreadsheetError);
        EXPECT_THROW(host.setVisible(true), SpreadsheetError);
        EXPECT_THROW(host.setScreenUpdating(true), SpreadsheetError);
        EXPECT_THROW(link.attachActiveWorkbook(), SpreadsheetError);
        EXPECT_THROW(link.sheetNames(), SpreadsheetError);
        EXPECT_THROW(link.dock(554), SpreadsheetError);
        EXPECT_THROW(link.findWindow(), SpreadsheetError);
        EXPECT_NO_THROW(link.pumpEvents());
        EXPECT_THROW(link.quit(), SpreadsheetError);
        EXPECT_TRUE(spreadsheet.calls().empty()) << spreadsheet.calls().front();
    }

    platform::FakeSpreadsheetHost spreadsheet;
    platform::FakeWindowSystem windows;
    platform::FakeScreen screen;
    ManualConnectWorker worker;
    SpreadsheetLink link{spreadsheet, windows, screen, worker};
};

TEST_F(SpreadsheetLinkConnect, TheBackgroundConnectReturnsAtOnceAndTheLinkWaitsForIt) {
    link.startConnecting();
    EXPECT_TRUE(worker.pending());
    EXPECT_TRUE(spreadsheet.calls().empty()) << "the connect runs on the worker only";
    EXPECT_TRUE(link.connecting());
    EXPECT_FALSE(link.connected());
    expectEveryCallRefusedWithoutReachingTheHost();

    link.startConnecting();
    EXPECT_EQ(worker.startedCount(), 1) << "one connect at a time";

    worker.complete();
    EXPECT_FALSE(link.connecting());
    EXPECT_TRUE(link.connected());
    EXPECT_TRUE(spreadsheet.connected());
    EXPECT_NO_THROW(link.host().addWorkbook());
}

TEST_F(SpreadsheetLinkConnect, AFailedBackgroundConnectLeavesTheLinkUnconnected) {
    spreadsheet.failOperation("Application.connect");
    link.startConnecting();
    worker.complete();
    EXPECT_FALSE(link.connecting());
    EXPECT_FALSE(link.connected());
    EXPECT_FALSE(link.connectedAndVisible());

    // The next connect tries again.
    spreadsheet.clearFailures();
    worker.setOnWait(ManualConnectWorker::OnWait::Completes);
    link.connect();
    EXPECT_TRUE(link.connected());
    EXPECT_EQ(worker.startedCount(), 2);
}

TEST_F(SpreadsheetLinkConnect, ConnectWaitsForTheRunningConnectWithinItsBound) {
    link.startConnecting();
    // The office does not answer within the wait: the command fails, the
    // connect goes on.
    EXPECT_THROW(link.connect(), SpreadsheetError);
    EXPECT_EQ(worker.waits(), std::vector<std::chrono::milliseconds>{SpreadsheetLink::ConnectWait});
    EXPECT_TRUE(worker.pending());
    EXPECT_EQ(worker.startedCount(), 1) << "the running connect is waited for, not doubled";

    // It answers within the next wait.
    worker.setOnWait(ManualConnectWorker::OnWait::Completes);
    link.connect();
    EXPECT_TRUE(link.connected());
    EXPECT_EQ(worker.startedCount(), 1);
    EXPECT_EQ(spreadsheet.calls(), std::vector<std::string>{"Application.connect"});
}

TEST_F(SpreadsheetLinkConnect, AConnectThatFailsWithinTheWaitFailsTheCommand) {
    spreadsheet.failOperation("Application.connect");
    worker.setOnWait(ManualConnectWorker::OnWait::Completes);
    EXPECT_THROW(link.connect(), SpreadsheetError);
    EXPECT_FALSE(link.connected());
    EXPECT_FALSE(link.connecting());
}

TEST_F(SpreadsheetLinkConnect, AGoneSpreadsheetIsConnectedAfreshAndTheOldWorkbookIsHiddenMeanwhile) {
    worker.setOnWait(ManualConnectWorker::OnWait::Completes);
    link.connect();
    link.connectWorkbook(link.host().addWorkbook());
    link.connectWorksheet(link.workbook()->worksheet(1));

    spreadsheet.userQuitsSpreadsheet();
    EXPECT_FALSE(link.visible());
    EXPECT_THROW(link.sheetNames(), SpreadsheetError);
    EXPECT_TRUE(link.connected()) << "nothing has told the link yet";

    // The next command's connect runs while the old handles would still be
    // reachable: none is handed out until it has ended.
    worker.setOnWait(ManualConnectWorker::OnWait::StaysPending);
    EXPECT_THROW(link.connect(), SpreadsheetError);
    expectEveryCallRefusedWithoutReachingTheHost();

    worker.complete();
    EXPECT_TRUE(link.connected());
    EXPECT_TRUE(spreadsheet.running()) << "a new spreadsheet was started";
    EXPECT_NO_THROW(link.host().addWorkbook());
}

TEST_F(SpreadsheetLinkConnect, AConnectAskedOfTheHostIsTheLinksBoundedOne) {
    link.startConnecting();
    EXPECT_THROW(link.host().connect(), SpreadsheetError);
    EXPECT_EQ(worker.waits().size(), 1u);
    EXPECT_EQ(worker.startedCount(), 1);
}

TEST_F(SpreadsheetLinkConnect, EventsWaitUntilTheConnectHasEnded) {
    int selections = 0;
    link.onSelectionChanged = [&] { ++selections; };
    worker.setOnWait(ManualConnectWorker::OnWait::Completes);
    link.connect();
    link.host().addWorkbook()->worksheet(1)->range(U"B2", U"B2")->select();
    ASSERT_GT(spreadsheet.pendingEventCount(), 0);

    worker.setOnWait(ManualConnectWorker::OnWait::StaysPending);
    EXPECT_THROW(link.connect(), SpreadsheetError);
    link.pumpEvents();
    EXPECT_EQ(selections, 0);
    worker.complete();
    link.pumpEvents();
    EXPECT_GT(selections, 0);
}

} // namespace
} // namespace lumitag::sheet
