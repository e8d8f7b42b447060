#include "platform/spreadsheet/fake/FakeSpreadsheetHost.h"

#include "platform/fake/FakeClipboard.h"

#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <set>
#include <string_view>
#include <utility>
#include <vector>

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

    EXPECT_THROW(host.failOperation("Range.setFormula"), std::invalid_argument);
}

TEST_F(FakeSpreadsheetHostTest, AnOperationMadeToFailLaterWorksItsCountFirst) {
    startAndConnect();
    const std::shared_ptr<Worksheet> sheet = host.addWorkbook()->worksheet(1);
    host.failOperationAfter("Range.setValues", 1);
    sheet->range(U"A1", U"B1")->setValues({{U"1", U"x"}});
    EXPECT_THROW(sheet->range(U"A2", U"B2")->setValues({{U"2", U"y"}}), SpreadsheetError);
    EXPECT_THROW(sheet->range(U"A3", U"B3")->setValues({{U"3", U"z"}}), SpreadsheetError);
    EXPECT_NO_THROW(sheet->cell(2, 1)->setValue(U"other operations work"));
    host.clearFailures();
    sheet->range(U"A3", U"B3")->setValues({{U"3", U"z"}});
    EXPECT_EQ(host.activeSheetContent().value(U"B1"), U"x");
    EXPECT_EQ(host.activeSheetContent().value(U"B2"), U"");
    EXPECT_EQ(host.activeSheetContent().value(U"B3"), U"z");
}

TEST_F(FakeSpreadsheetHostTest, AScriptedCallFailsOnceOrTakesTheSpreadsheetWithIt) {
    startAndConnect();
    std::shared_ptr<Worksheet> sheet = host.addWorkbook()->worksheet(1);
    host.failCall("Range.setValue", 1, FakeSpreadsheetHost::CallFailure::Refused);
    sheet->cell(1, 1)->setValue(U"1");
    EXPECT_THROW(sheet->cell(2, 1)->setValue(U"2"), SpreadsheetError);
    sheet->cell(3, 1)->setValue(U"3");
    EXPECT_EQ(host.activeSheetContent().value(U"A2"), U"");
    EXPECT_EQ(host.activeSheetContent().value(U"A3"), U"3") << "only that one call failed";

    host.failCall("Range.setValue", 0, FakeSpreadsheetHost::CallFailure::Dies);
    EXPECT_THROW(sheet->cell(4, 1)->setValue(U"4"), SpreadsheetError);
    EXPECT_FALSE(host.running());
    EXPECT_THROW(host.visible(), SpreadsheetError);
    host.connect();
    EXPECT_TRUE(host.openWorkbookNames().empty()) << "a new spreadsheet";
    EXPECT_THROW(sheet->name(), SpreadsheetError) << "the old handles are gone for good";
    EXPECT_NO_THROW(host.addWorkbook());

    EXPECT_THROW(host.failCall("Range.setFormula", 0, FakeSpreadsheetHost::CallFailure::Refused),
                 std::invalid_argument);
}

TEST_F(FakeSpreadsheetHostTest, ABlockOfAnotherShapeThanItsRangeIsRefusedWhole) {
    startAndConnect();
    const std::shared_ptr<Range> range = host.addWorkbook()->worksheet(1)->range(U"A1", U"B2");
    for (const std::vector<std::vector<Text>>& block : std::vector<std::vector<std::vector<Text>>>{
             {{U"1", U"2"}}, {{U"1", U"2"}, {U"3"}}, {{U"1", U"2", U"3"}, {U"4", U"5", U"6"}}}) {
        EXPECT_THROW(range->setValues(block), std::invalid_argument);
    }
    EXPECT_TRUE(host.activeSheetContent().values().empty());
}

TEST_F(FakeSpreadsheetHostTest, LinesEveryStepRowsLeaveTheRowsBetweenAndFailPartWayLikeBlockWrites) {
    startAndConnect();
    const std::shared_ptr<Worksheet> sheet = host.addWorkbook()->worksheet(1);
    FakeSheetContent& content = host.activeSheetContent();
    content.setFormula(U"A2", U"=B1&\"!\"", U"x!");
    content.setValue(U"B4", U"between");
    const std::shared_ptr<Range> range = sheet->range(U"A1", U"B5");
    host.clearCalls();
    range->setValuesEvery(2, {{U"1", U"x"}, {U"", U"y"}, {U"3", U""}});
    EXPECT_THAT(host.calls(), ElementsAre("Range.setValuesEvery"));
    EXPECT_EQ(range->values(), (std::vector<std::vector<Text>>{
                                   {U"1", U"x"}, {U"x!", U""}, {U"", U"y"}, {U"", U"between"}, {U"3", U""}}));
    EXPECT_EQ(content.formula(U"A2"), U"=B1&\"!\"");

    // The lines must run from the range's first row to its last.
    for (const auto& [step, rows] : std::vector<std::pair<int, std::vector<std::vector<Text>>>>{
             {0, {{U"a", U"b"}}},
             {2, {{U"a", U"b"}, {U"c", U"d"}}},
             {3, {{U"a", U"b"}, {U"c", U"d"}}},
             {2, {{U"a", U"b"}, {U"c"}, {U"e", U"f"}}},
             {1, {}}}) {
        EXPECT_THROW(range->setValuesEvery(step, rows), std::invalid_argument) << step;
    }
    EXPECT_EQ(content.value(U"A1"), U"1") << "a refused write writes nothing";

    // A block-write failure due at the second line strikes inside the one call.
    host.failOperationAfter("Range.setValues", 1);
    EXPECT_THROW(range->setValuesEvery(2, {{U"4", U"p"}, {U"5", U"q"}, {U"6", U"r"}}), SpreadsheetError);
    EXPECT_EQ(range->values(), (std::vector<std::vector<Text>>{
                                   {U"4", U"p"}, {U"x!", U""}, {U"", U"y"}, {U"", U"between"}, {U"3", U""}}));
}

// A connected spreadsheet with a workbook, its sheet, a range and a file to
// open: every operation works here until it is made to fail.
struct ConnectedSpreadsheet {
    ConnectedSpreadsheet() {
        clipboard.setText(U"x\r\n");
        host.addFile(U"/tmp/材料.xlsx");
        host.userStartsSpreadsheet();
        host.connect();
        book = host.addWorkbook();
        sheet = book->worksheet(1);
        range = sheet->range(U"A1", U"B2");
    }
    FakeClipboard clipboard;
    FakeSpreadsheetHost host{&clipboard};
    std::shared_ptr<Workbook> book;
    std::shared_ptr<Worksheet> sheet;
    std::shared_ptr<Range> range;
};

TEST(FakeSpreadsheetHostFailures, EveryOperationCanBeMadeToFail) {
    using Call = std::function<void(ConnectedSpreadsheet&)>;
    const std::vector<std::pair<std::string_view, Call>> operations = {
        {"Application.connect", [](auto& s) { s.host.connect(); }},
        {"Application.quit", [](auto& s) { s.host.quit(); }},
        {"Application.visible", [](auto& s) { s.host.visible(); }},
        {"Application.setVisible", [](auto& s) { s.host.setVisible(true); }},
        {"Application.setScreenUpdating", [](auto& s) { s.host.setScreenUpdating(false); }},
        {"Application.addWorkbook", [](auto& s) { s.host.addWorkbook(); }},
        {"Application.openWorkbook", [](auto& s) { s.host.openWorkbook(U"/tmp/材料.xlsx"); }},
        {"Application.activeWorkbook", [](auto& s) { s.host.activeWorkbook(); }},
        {"Application.activeSheet", [](auto& s) { s.host.activeSheet(); }},
        {"Application.activeCell", [](auto& s) { s.host.activeCell(); }},
        {"Application.selectedRows", [](auto& s) { s.host.selectedRows(); }},
        {"Application.maximizeActiveWindow", [](auto& s) { s.host.maximizeActiveWindow(); }},
        {"Application.disableKey", [](auto& s) { s.host.disableKey(U"{F1}"); }},
        {"Application.mainWindow", [](auto& s) { s.host.mainWindow(); }},
        {"Workbook.name", [](auto& s) { s.book->name(); }},
        {"Workbook.sheetCount", [](auto& s) { s.book->sheetCount(); }},
        {"Workbook.sheetNames", [](auto& s) { s.book->sheetNames(); }},
        {"Workbook.worksheet", [](auto& s) { s.book->worksheet(1); }},
        {"Workbook.worksheet", [](auto& s) { s.book->worksheet(U"Sheet1"); }},
        {"Workbook.close", [](auto& s) { s.book->close(); }},
        {"Worksheet.name", [](auto& s) { s.sheet->name(); }},
        {"Worksheet.setName", [](auto& s) { s.sheet->setName(U"線番"); }},
        {"Worksheet.activate", [](auto& s) { s.sheet->activate(); }},
        {"Worksheet.cell", [](auto& s) { s.sheet->cell(1, 1); }},
        {"Worksheet.allCells", [](auto& s) { s.sheet->allCells(); }},
        {"Worksheet.range", [](auto& s) { s.sheet->range(U"A1", U"C3"); }},
        {"Worksheet.range",
         [](auto& s) {
             s.sheet->range(CellRef{1, 1}, CellRef{3, 3});
         }},
        {"Worksheet.rowHidden", [](auto& s) { s.sheet->rowHidden(1); }},
        {"Worksheet.setRowHidden", [](auto& s) { s.sheet->setRowHidden(1, true); }},
        {"Worksheet.hiddenRows", [](auto& s) { s.sheet->hiddenRows(1, 10); }},
        {"Worksheet.paste", [](auto& s) { s.sheet->paste(*s.range); }},
        {"Worksheet.setPageMargins",
         [](auto& s) {
             s.sheet->setPageMargins(PageMargins{18, 18, 36, 36});
         }},
        {"Range.value", [](auto& s) { s.range->value(); }},
        {"Range.setValue", [](auto& s) { s.range->setValue(U"x"); }},
        {"Range.values", [](auto& s) { s.range->values(); }},
        {"Range.formulas", [](auto& s) { s.range->formulas(); }},
        {"Range.setTexts",
         [](auto& s) { s.range->setTexts(std::vector<std::vector<Text>>(2, std::vector<Text>(2))); }},
        {"Range.setValues",
         [](auto& s) {
             s.range->setValues({{U"1", U"x"}, {U"", U"2"}});
         }},
        {"Range.setValuesEvery",
         [](auto& s) {
             s.range->setValuesEvery(1, {{U"1", U"x"}, {U"", U"2"}});
         }},
        {"Range.select", [](auto& s) { s.range->select(); }},
        {"Range.activate", [](auto& s) { s.range->activate(); }},
        {"Range.insertShiftDown", [](auto& s) { s.range->insertShiftDown(); }},
        {"Range.setNumberFormatLocal", [](auto& s) { s.range->setNumberFormatLocal(U"@"); }},
        {"Range.setHorizontalAlignment",
         [](auto& s) { s.range->setHorizontalAlignment(HorizontalAlignment::Center); }},
        {"Range.setVerticalAlignment",
         [](auto& s) { s.range->setVerticalAlignment(VerticalAlignment::Center); }},
        {"Range.setWrapText", [](auto& s) { s.range->setWrapText(true); }},
        {"Range.setFontName", [](auto& s) { s.range->setFontName(U"IPAPGothic"); }},
        {"Range.setFontSize", [](auto& s) { s.range->setFontSize(9); }},
        {"Range.columnWidth", [](auto& s) { s.range->columnWidth(); }},
        {"Range.setColumnWidth", [](auto& s) { s.range->setColumnWidth(12.5); }},
        {"Range.rowHeight", [](auto& s) { s.range->rowHeight(); }},
        {"Range.setRowHeight", [](auto& s) { s.range->setRowHeight(27); }},
        {"Range.entireRowHidden", [](auto& s) { s.range->entireRowHidden(); }},
        {"Range.setEntireRowHidden", [](auto& s) { s.range->setEntireRowHidden(true); }},
    };
    // The table covers every operation the fake knows.
    std::set<std::string_view> covered;
    for (const auto& [name, call] : operations)
        covered.insert(name);
    const auto names = FakeSpreadsheetHost::operationNames();
    EXPECT_EQ(covered, std::set<std::string_view>(names.begin(), names.end()));

    for (const auto& [name, call] : operations) {
        // Made to fail, the call fails and is logged under its name...
        ConnectedSpreadsheet failing;
        failing.host.failOperation(name);
        failing.host.clearCalls();
        EXPECT_THROW(call(failing), SpreadsheetError) << name;
        EXPECT_THAT(failing.host.calls(), ElementsAre(name)) << name;
        // ...and it is the switch that fails it: the same call works without.
        ConnectedSpreadsheet working;
        working.host.clearCalls();
        EXPECT_NO_THROW(call(working)) << name;
        EXPECT_THAT(working.host.calls(), ElementsAre(name)) << name;
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
