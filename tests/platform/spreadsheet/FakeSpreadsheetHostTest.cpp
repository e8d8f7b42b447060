#include "platform/spreadsheet/fake/FakeSpreadsheetHost.h"

#include "platform/fake/FakeClipboard.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lumitag::platform {
namespace {

using ::testing::ElementsAre;

class FakeSpreadsheetHostTest : public ::testing::Test {
protected:
    // The usual start: the user's spreadsheet runs, the program connects.
    void startAndConnect() {
        host.userStartsSpreadsheet();
        host.connect();
    }

    FakeClipboard clipboard;
    FakeSpreadsheetHost host{&clipboard};
};

TEST_F(FakeSpreadsheetHostTest, EveryCallFailsBeforeConnecting) {
    host.userStartsSpreadsheet();
    EXPECT_THROW(host.visible(), SpreadsheetError);
    EXPECT_THROW(host.addWorkbook(), SpreadsheetError);
    EXPECT_FALSE(host.isVisible());
}

TEST_F(FakeSpreadsheetHostTest, ConnectingWithoutARunningSpreadsheetStartsAnInvisibleOne) {
    host.connect();
    EXPECT_TRUE(host.running());
    EXPECT_FALSE(host.isVisible());
    EXPECT_THROW(host.activeWorkbook(), SpreadsheetError);
    host.setVisible(true);
    EXPECT_TRUE(host.isVisible());
}

TEST_F(FakeSpreadsheetHostTest, QuitEndsTheSpreadsheetUntilTheNextConnect) {
    startAndConnect();
    const std::shared_ptr<Workbook> book = host.addWorkbook();
    host.quit();
    EXPECT_EQ(host.quitCount(), 1);
    EXPECT_FALSE(host.running());
    EXPECT_FALSE(host.isVisible());
    EXPECT_THROW(host.activeSheet(), SpreadsheetError);
    EXPECT_THROW(book->name(), SpreadsheetError);

    host.connect();
    EXPECT_TRUE(host.connected());
    EXPECT_THROW(book->name(), SpreadsheetError) << "a new spreadsheet does not bring old workbooks back";
    EXPECT_EQ(host.addWorkbook()->name(), U"Book1");
}

TEST_F(FakeSpreadsheetHostTest, TheUserQuittingMakesEveryCallFail) {
    startAndConnect();
    host.userCreatesWorkbook(U"材料.xlsx");
    host.userQuitsSpreadsheet();
    EXPECT_FALSE(host.isVisible());
    EXPECT_THROW(host.activeCell(), SpreadsheetError);
    EXPECT_THROW(host.disableKey(U"{F1}"), SpreadsheetError);
}

TEST_F(FakeSpreadsheetHostTest, AddedWorkbooksBecomeActiveAndClosingReturnsToThePreviousOne) {
    startAndConnect();
    const std::shared_ptr<Workbook> first = host.addWorkbook();
    const std::shared_ptr<Workbook> second = host.addWorkbook();
    EXPECT_EQ(first->name(), U"Book1");
    EXPECT_EQ(second->name(), U"Book2");
    EXPECT_EQ(host.activeWorkbook()->name(), U"Book2");
    EXPECT_EQ(host.activeSheet()->name(), U"Sheet1");
    EXPECT_EQ(second->sheetNames(), std::vector<Text>{U"Sheet1"});

    second->close();
    EXPECT_THAT(host.closedWorkbooks(), ElementsAre(U"Book2"));
    EXPECT_EQ(host.activeWorkbook()->name(), U"Book1");
    EXPECT_THROW(second->sheetCount(), SpreadsheetError);

    first->close();
    EXPECT_THROW(host.activeWorkbook(), SpreadsheetError);
    EXPECT_THROW(host.maximizeActiveWindow(), SpreadsheetError);
}

TEST_F(FakeSpreadsheetHostTest, NewWorkbooksSkipNamesInUse) {
    startAndConnect();
    host.userCreatesWorkbook(U"Book1");
    EXPECT_EQ(host.addWorkbook()->name(), U"Book2");
}

TEST_F(FakeSpreadsheetHostTest, OpeningARegisteredFileOpensACopyOfIt) {
    startAndConnect();
    FakeWorkbookContent& file = host.addFile(U"/home/denki/盤A.xlsx", {U"表紙", U"線番"});
    file.sheet(U"線番").setValue(U"B3", U"R1-1");
    file.setActiveSheetIndex(2);

    const std::shared_ptr<Workbook> book = host.openWorkbook(U"/home/denki/盤A.xlsx");
    EXPECT_EQ(book->name(), U"盤A.xlsx");
    EXPECT_EQ(book->sheetCount(), 2);
    EXPECT_EQ(book->worksheet(1)->name(), U"表紙");
    EXPECT_EQ(host.activeSheet()->name(), U"線番");
    EXPECT_EQ(book->worksheet(U"線番")->range(U"B3", U"B3")->value(), U"R1-1");

    // Changes go to the open workbook, not to the file.
    book->worksheet(U"線番")->cell(3, 2)->setValue(U"R1-2");
    EXPECT_EQ(file.sheet(U"線番").value(U"B3"), U"R1-1");

    // Opening it again activates the open one, keeping its changes.
    host.addWorkbook();
    EXPECT_EQ(host.openWorkbook(U"/home/denki/盤A.xlsx")->name(), U"盤A.xlsx");
    EXPECT_EQ(host.activeWorkbook()->name(), U"盤A.xlsx");
    EXPECT_EQ(host.sheet(U"盤A.xlsx", U"線番").value(U"B3"), U"R1-2");
    EXPECT_EQ(host.openWorkbookNames().size(), 2u);
}

TEST_F(FakeSpreadsheetHostTest, OpeningAnUnknownPathFailsAndOpensNothing) {
    startAndConnect();
    host.addWorkbook();
    EXPECT_THROW(host.openWorkbook(U"/nowhere.xlsx"), SpreadsheetError);
    EXPECT_THAT(host.openWorkbookNames(), ElementsAre(U"Book1"));
}

TEST_F(FakeSpreadsheetHostTest, WorksheetLookupFailsForMissingSheets) {
    startAndConnect();
    const std::shared_ptr<Workbook> book = host.addWorkbook();
    EXPECT_EQ(book->worksheet(U"sheet1")->name(), U"Sheet1") << "names are found without letter case";
    EXPECT_THROW(book->worksheet(U"Sheet2"), SpreadsheetError);
    EXPECT_THROW(book->worksheet(0), SpreadsheetError);
    EXPECT_THROW(book->worksheet(2), SpreadsheetError);
}

TEST_F(FakeSpreadsheetHostTest, ApplicationSettingsAreRecorded) {
    startAndConnect();
    host.addWorkbook();
    for (const Text key : {U"{BS}", U"{DELETE}", U"{F1}"}) {
        host.disableKey(key);
    }
    host.setScreenUpdating(false);
    host.maximizeActiveWindow();
    host.setMainWindow({42, U"Calc", U"Book1"});

    EXPECT_THAT(host.disabledKeys(), ElementsAre(U"{BS}", U"{DELETE}", U"{F1}"));
    EXPECT_FALSE(host.screenUpdating());
    EXPECT_EQ(host.maximizeCount(), 1);
    EXPECT_EQ(host.mainWindow().windowId, 42u);
}

TEST_F(FakeSpreadsheetHostTest, ActiveCellAndSelectedRowsFollowTheUsersSelection) {
    startAndConnect();
    host.userCreatesWorkbook(U"a.xlsx", {U"Sheet1"});
    EXPECT_EQ(host.activeCell(), (CellRef{1, 1}));
    host.userSelects(U"C9", U"C5"); // dragged upwards: C9 stays the active cell
    EXPECT_EQ(host.activeCell(), (CellRef{9, 3}));
    EXPECT_EQ(host.selectedRows(), (SelectedRows{5, 5}));
}

TEST_F(FakeSpreadsheetHostTest, BusyFailsEveryCallUntilSwitchedOff) {
    startAndConnect();
    const std::shared_ptr<Worksheet> sheet = host.addWorkbook()->worksheet(1);
    host.setBusy(true);
    EXPECT_FALSE(host.isVisible());
    EXPECT_THROW(host.activeCell(), SpreadsheetError);
    EXPECT_THROW(sheet->name(), SpreadsheetError);
    EXPECT_THROW(sheet->cell(1, 1), SpreadsheetError);
    host.setBusy(false);
    EXPECT_TRUE(host.isVisible());
    EXPECT_EQ(sheet->name(), U"Sheet1");
}

TEST_F(FakeSpreadsheetHostTest, TheNextCallsFailThenCallsWorkAgain) {
    startAndConnect();
    host.failNextCalls(2);
    EXPECT_THROW(host.visible(), SpreadsheetError);
    EXPECT_THROW(host.addWorkbook(), SpreadsheetError);
    EXPECT_TRUE(host.openWorkbookNames().empty()) << "the failed add added nothing";
    EXPECT_TRUE(host.visible());
    EXPECT_NO_THROW(host.addWorkbook());
}

TEST_F(FakeSpreadsheetHostTest, ANamedOperationFailsUntilFailuresAreCleared) {
    startAndConnect();
    const std::shared_ptr<Worksheet> sheet = host.addWorkbook()->worksheet(1);
    host.failOperation("Range.setValue");
    const std::shared_ptr<Range> cell = sheet->cell(2, 2);
    EXPECT_THROW(cell->setValue(U"x"), SpreadsheetError);
    EXPECT_NO_THROW(cell->value());
    host.clearFailures();
    cell->setValue(U"x");
    EXPECT_EQ(host.activeSheetContent().value(U"B2"), U"x");

    EXPECT_THROW(host.failOperation("Range.setValues"), std::invalid_argument);
}

TEST_F(FakeSpreadsheetHostTest, EveryOperationCanBeMadeToFail) {
    startAndConnect();
    host.addWorkbook();
    host.failOperation("Application.selectedRows");
    EXPECT_THROW(host.selectedRows(), SpreadsheetError);
    for (const std::string_view operation : FakeSpreadsheetHost::operationNames()) {
        EXPECT_NO_THROW(host.failOperation(operation)) << operation;
    }
}

TEST_F(FakeSpreadsheetHostTest, CallsAreLoggedFailedOnesIncluded) {
    startAndConnect();
    host.clearCalls();
    host.setBusy(true);
    EXPECT_FALSE(host.isVisible());
    host.setBusy(false);
    host.addWorkbook()->worksheet(1)->cell(1, 1)->value();
    EXPECT_THAT(host.calls(), ElementsAre("Application.visible", "Application.addWorkbook",
                                          "Workbook.worksheet", "Worksheet.cell", "Range.value"));
}

class FakeSpreadsheetEventsTest : public FakeSpreadsheetHostTest {
protected:
    void SetUp() override {
        startAndConnect();
        host.userCreatesWorkbook(U"a.xlsx", {U"Sheet1", U"Sheet2"});
        host.setEventHandlers({[this] { seen.push_back("activated"); },
                               [this] { seen.push_back("selection"); },
                               [this] { seen.push_back("changed"); }});
    }

    std::vector<std::string> seen;
};

TEST_F(FakeSpreadsheetEventsTest, UserActionsAreDeliveredInOrderOnlyByThePump) {
    host.userActivatesSheet(U"Sheet2");
    host.userSelects(U"B2");
    host.userEdits(U"B2", U"12");
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(host.pendingEventCount(), 3);

    host.pumpEvents();
    EXPECT_THAT(seen, ElementsAre("activated", "selection", "changed"));
    EXPECT_EQ(host.sheet(U"a.xlsx", U"Sheet2").value(U"B2"), U"12");
    host.pumpEvents();
    EXPECT_EQ(seen.size(), 3u);
}

TEST_F(FakeSpreadsheetEventsTest, NothingIsRaisedWhenNothingChanges) {
    host.userActivatesSheet(U"Sheet1");
    host.userSelects(U"A1");
    host.activeSheet()->activate();
    host.activeSheet()->cell(1, 1)->select();
    host.pumpEvents();
    EXPECT_TRUE(seen.empty());
}

TEST_F(FakeSpreadsheetEventsTest, TheProgramsOwnChangesRaiseEventsToo) {
    const std::shared_ptr<Worksheet> second = host.activeWorkbook()->worksheet(2);
    second->activate();
    second->cell(4, 2)->select();
    second->range(U"B4", U"C5")->setValue(U"x");
    second->setName(U"改"); // renaming raises nothing
    second->cell(4, 2)->setNumberFormatLocal(U"@");
    host.pumpEvents();
    EXPECT_THAT(seen, ElementsAre("activated", "selection", "changed"));
}

TEST_F(FakeSpreadsheetEventsTest, EventsRaisedByAHandlerWaitForTheNextPump) {
    host.setEventHandlers({{},
                           [this] {
                               seen.push_back("selection");
                               host.activeSheet()->cell(7, 1)->setValue(U"from the handler");
                           },
                           [this] { seen.push_back("changed"); }});
    host.userSelects(U"A7");
    host.pumpEvents();
    EXPECT_THAT(seen, ElementsAre("selection"));
    host.pumpEvents();
    EXPECT_THAT(seen, ElementsAre("selection", "changed"));
}

TEST_F(FakeSpreadsheetEventsTest, EventsWithoutAHandlerAreDropped) {
    host.setEventHandlers({});
    host.userEdits(U"A1", U"x");
    host.pumpEvents();
    EXPECT_EQ(host.pendingEventCount(), 0);
}

} // namespace
} // namespace lumitag::platform
