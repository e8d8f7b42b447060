#include "ConversionFixture.h"
#include "conversion/ConversionMessages.h"
#include "sheet/SheetMessages.h"

#include <gmock/gmock.h>

namespace lumitag::conversion::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using ::testing::SizeIs;

// Rows 5 to 9 of a small wire list; row 7 is hidden, B6 is empty.
class WorkModeTest : public ConversionTest {
protected:
    WorkModeTest() {
        const TextView rows[][5] = {
            {U"1", U"B5", U"3", U"2", U"7"},     {U"11", U"", U"13", U"0", U""},
            {U"21", U"B7", U"23", U"5", U"9"},   {U"31", U"B8", U"33", U"", U"12"},
            {U"41", U"B9", U"43", U"-1", U"13"},
        };
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 5; ++c)
                content().setValue({5 + r, 1 + c}, Text(rows[r][c]));
        hide(7);
    }
};

TEST_F(WorkModeTest, EachModeOnTheSameRows) {
    ConversionSetting replacing = makeSetting(WorkMode::SingleColumn, {U"B"}, U"5", U"9", U"3");
    replacing.replaces = true;
    replacing.first = {U"B", U"", U"W"};
    ConversionSetting remark =
        makeSetting(WorkMode::ColumnsOnOneLine, {U"A", U"B", U"予備"}, U"5", U"9", U"1");
    remark.column3IsRemark = true;
    ConversionSetting replacingJoined =
        makeSetting(WorkMode::ColumnsOnOneLine, {U"B", U"B"}, U"5", U"9", U"1");
    replacingJoined.replaces = true;
    replacingJoined.first = {U"B", U"", U"W"};

    const struct {
        const char* name;
        ConversionSetting setting;
        std::vector<std::string> lines;
    } cases[] = {
        {"一列のみ連続",
         makeSetting(WorkMode::SingleColumn, {U"B"}, U"5", U"9", U"3"),
         {"B5\t3\t", "\t3\t", "B8\t3\t", "B9\t3\t"}},
        {"一列のみ連続 by number",
         makeSetting(WorkMode::SingleColumn, {U"2"}, U"5", U"9", U"3"),
         {"B5\t3\t", "\t3\t", "B8\t3\t", "B9\t3\t"}},
        {"一列のみ連続 replacing: the empty cell gives an empty line",
         replacing,
         {"W5\t3\t", "\t\t", "W8\t3\t", "W9\t3\t"}},
        {"複数列を連続 two columns",
         makeSetting(WorkMode::ColumnsInTurn, {U"A", U"B"}, U"5", U"9", U"2"),
         {"1\t2\t", "B5\t2\t", "11\t2\t", "\t2\t", "31\t2\t", "B8\t2\t", "41\t2\t", "B9\t2\t"}},
        {"複数列を連続 four columns",
         makeSetting(WorkMode::ColumnsInTurn, {U"B", U"A", U"C", U"1"}, U"8", U"8", U"1"),
         {"B8\t1\t", "31\t1\t", "33\t1\t", "31\t1\t"}},
        {"複数列を一行: empty cells leave no comma",
         makeSetting(WorkMode::ColumnsOnOneLine, {U"A", U"B", U"C"}, U"5", U"6", U"1"),
         {"1,B5,3\t1\t", "11,13\t1\t"}},
        {"複数列を一行 with a remark",
         remark,
         {"1,B5,予備\t1\t", "11,予備\t1\t", "31,B8,予備\t1\t", "41,B9,予備\t1\t"}},
        {"複数列を一行 replaces only the first part",
         replacingJoined,
         {"W5,B5\t1\t", "\t1\t", "W8,B8\t1\t", "W9,B9\t1\t"}},
        {"線番・記銘板等",
         makeSetting(WorkMode::WireNumbers, {U"B"}, U"5", U"9", U"D", U"E"),
         {"B5\t2\t7", "\t0\t", "B8\t\t12", "B9\t-1\t13"}},
        {"線番・記銘板等 without a sequence column",
         makeSetting(WorkMode::WireNumbers, {U"B"}, U"8", U"9", U"4"),
         {"B8\t\t", "B9\t-1\t"}},
        {"an end row before the start row gives no lines",
         makeSetting(WorkMode::SingleColumn, {U"B"}, U"9", U"5", U"3"),
         {}},
        {"a range of hidden rows only", makeSetting(WorkMode::SingleColumn, {U"B"}, U"7", U"7", U"3"), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ConversionResult result = convert(only(c.setting));
        EXPECT_EQ(result.outcome, ConversionOutcome::Completed);
        EXPECT_THAT(linesOf(result.state), ElementsAreArray(c.lines));
        EXPECT_EQ(result.message, completionMessage(static_cast<int>(c.lines.size())));
    }
}

TEST_F(WorkModeTest, TheMessagesWithTheirCounts) {
    const ConversionResult result =
        convert(only(makeSetting(WorkMode::SingleColumn, {U"B"}, U"5", U"9", U"3")));
    EXPECT_EQ(platform::toUtf8(result.message),
              "終わりました(マーキングデータ合計4個)\r\n\r\n　　　　　　　(変換結果はオレンジモード)");
    EXPECT_EQ(platform::toUtf8(limitMessage(1000)), "マーキングデータが1000個になりました");
    EXPECT_EQ(platform::toUtf8(limitMessageWithRemark(999)),
              "マーキングデータが999個になりました(備考欄含む)");
    EXPECT_EQ(platform::toUtf8(addConversionTotalHint(12)), "マーキングデータ合計12個変換済");
}

TEST_F(WorkModeTest, EmptyWireNumbersBecomeASpaceForTheMarkersWorkModes2And3) {
    ConversionSettings settings = only(makeSetting(WorkMode::WireNumbers, {U"B"}, U"6", U"6", U"D"));
    for (const auto& [header, line] :
         {std::pair{U"WorkMode=2", " \t0\t"}, std::pair{U"WorkMode=3", " \t0\t"},
          std::pair{U"WorkMode=1", "\t0\t"}, std::pair{U"WorkMode=20", "\t0\t"}, std::pair{U"", "\t0\t"}}) {
        settings.headerWorkMode = header;
        EXPECT_THAT(linesOf(convert(settings).state), ElementsAre(line)) << platform::toUtf8(header);
    }
}

TEST_F(ConversionTest, CountsFromACountColumnAreTakenAsTheCellsHoldThem) {
    const TextView counts[] = {U"5", U"abc", U"", U"0", U"-3", U"1500", U"2.5", U"１２"};
    for (int i = 0; i < 8; ++i) {
        content().setValue({1 + i, 1}, U"W" + numberText(i));
        content().setValue({1 + i, 2}, Text(counts[i]));
        content().setValue({1 + i, 3}, numberText(100 + i));
    }
    const ConversionResult result =
        convert(only(makeSetting(WorkMode::WireNumbers, {U"A"}, U"1", U"8", U"B", U"C")));
    ASSERT_THAT(result.state.buffer, SizeIs(8));
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(result.state.buffer[i].count, counts[i]);
        EXPECT_EQ(result.state.buffer[i].number, numberText(100 + i));
    }
}

TEST_F(ConversionTest, EplanGivesASourceAndATargetLinePerRow) {
    const TextView rows[][4] = {
        {U"-X1", U"5", U"", U" "},
        {U"", U"", U"-X3", U"7"},
        {U"-", U" ", U"X4", U"端子"},
    };
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            content().setValue({2 + r, 14 + c}, Text(rows[r][c])); // N, O, P, Q
    put(U"N5", U"-hidden");
    hide(5);
    ConversionSettings settings =
        only(makeSetting(WorkMode::ColumnsOnOneLine, {U"N", U"O"}, U"2", U"5", U"1"));
    settings.eplan = true;
    settings.settings[1].columns = {U"P", U"Q"};
    settings.useSetting2 = true; // setting 2 holds the target columns; it does not run on its own

    ConversionResult result = convert(settings);
    EXPECT_EQ(result.outcome, ConversionOutcome::Completed);
    EXPECT_THAT(linesOf(result.state),
                ElementsAre("X1:5\t1\t", " \t1\t", " \t1\t", "X3:7\t1\t", "\t1\t", "X4:端子\t1\t"));
    EXPECT_EQ(result.state.settingLines[0], (LineSpan{0, 6}));

    settings.headRemark = U"盤A";
    result = convert(settings);
    EXPECT_THAT(linesOf(result.state), SizeIs(7));
    EXPECT_EQ(linesOf(result.state)[0], "盤A\t1\t");

    settings.settings[1].columns[0].clear();
    EXPECT_EQ(convert(settings).outcome, ConversionOutcome::MissingInput)
        << "the target's first column is needed";
}

TEST_F(ConversionTest, SettingsRunInTurnIntoOneBuffer) {
    for (int row = 1; row <= 4; ++row) {
        content().setValue({row, 1}, U"a" + numberText(row));
        content().setValue({row, 2}, U"b" + numberText(row));
    }
    ConversionSettings settings = only(makeSetting(WorkMode::SingleColumn, {U"A"}, U"1", U"2", U"1"));
    settings.settings[1] = makeSetting(WorkMode::SingleColumn, {U"B"}, U"3", U"4", U"2");
    settings.settings[2] = makeSetting(WorkMode::SingleColumn, {U"A"}, U"4", U"4", U"3");
    EXPECT_THAT(linesOf(convert(settings).state), ElementsAre("a1\t1\t", "a2\t1\t"));
    settings.useSetting2 = true;
    EXPECT_THAT(linesOf(convert(settings).state), ElementsAre("a1\t1\t", "a2\t1\t", "b3\t2\t", "b4\t2\t"));
    settings.useSetting3 = true;
    const ConversionResult result = convert(settings);
    EXPECT_THAT(linesOf(result.state), ElementsAre("a1\t1\t", "a2\t1\t", "b3\t2\t", "b4\t2\t", "a4\t3\t"));
    EXPECT_THAT(result.state.settingLines, ElementsAre(LineSpan{0, 2}, LineSpan{2, 2}, LineSpan{4, 1}));
}

TEST_F(ConversionTest, StopsBeforeAnyRowIsRead) {
    put(U"A1", U"a1");
    const ConversionSetting good = makeSetting(WorkMode::SingleColumn, {U"A"}, U"1", U"1", U"1");
    const auto with = [&](auto change) {
        ConversionSetting setting = good;
        change(setting);
        return setting;
    };
    const struct {
        const char* name;
        ConversionSetting setting;
        ConversionOutcome outcome;
        TextView message;
    } cases[] = {
        {"no column", with([](auto& s) { s.columns[0].clear(); }), ConversionOutcome::MissingInput,
         MissingInputMessage},
        {"no end row", with([](auto& s) { s.endRow.clear(); }), ConversionOutcome::MissingInput,
         MissingInputMessage},
        {"no count", with([](auto& s) { s.count.clear(); }), ConversionOutcome::MissingInput,
         MissingInputMessage},
        {"複数列を連続 without column 2", with([](auto& s) { s.workMode = WorkMode::ColumnsInTurn; }),
         ConversionOutcome::MissingInput, MissingInputMessage},
        {"replacing without a replacement", with([](auto& s) { s.replaces = true, s.first.target = U"a"; }),
         ConversionOutcome::MissingInput, MissingInputMessage},
        {"a row that is no number", with([](auto& s) { s.startRow = U"1a"; }),
         ConversionOutcome::InvalidInput, InvalidInputMessage},
        {"a count that is no number", with([](auto& s) { s.count = U"x"; }), ConversionOutcome::InvalidInput,
         InvalidInputMessage},
        {"an occurrence that is no number", with([](auto& s) { s.first.occurrence = U"?"; }),
         ConversionOutcome::InvalidInput, InvalidInputMessage},
        {"row 0", with([](auto& s) { s.startRow = U"0"; }), ConversionOutcome::InvalidInput,
         InvalidInputMessage},
        {"rows past the sheet", with([](auto& s) { s.endRow = U"1048577"; }), ConversionOutcome::InvalidInput,
         InvalidInputMessage},
        {"a column that names no column",
         with([](auto& s) { s.workMode = WorkMode::ColumnsOnOneLine, s.columns[2] = U"予備"; }),
         ConversionOutcome::InvalidInput, InvalidInputMessage},
        {"column 101", with([](auto& s) { s.columns[0] = U"101"; }), ConversionOutcome::ColumnPast100, U""},
        {"a count column 101", with([](auto& s) { s.workMode = WorkMode::WireNumbers, s.count = U"101"; }),
         ConversionOutcome::ColumnPast100, U""},
        {"a sequence column 102",
         with([](auto& s) { s.workMode = WorkMode::WireNumbers, s.count = U"B", s.sequenceColumn = U"102"; }),
         ConversionOutcome::ColumnPast100, U""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host.clearCalls();
        const ConversionResult result = convert(only(c.setting));
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.message, c.message);
        EXPECT_TRUE(appliesStartState(result.outcome));
        EXPECT_FALSE(finishes(result.outcome));
        EXPECT_THAT(result.state.buffer, IsEmpty());
        for (const std::string& call : host.calls())
            EXPECT_TRUE(call.rfind("Application.", 0) == 0) << call << ": no cell was read";
    }
}

TEST_F(ConversionTest, CountAndSequenceColumnsReachOneAndTwoColumnsPastCV) {
    content().setValue({1, 1}, U"W1");
    content().setValue({1, 101}, U"4");
    content().setValue({1, 102}, U"12");
    const ConversionResult result =
        convert(only(makeSetting(WorkMode::WireNumbers, {U"A"}, U"1", U"1", U"CW", U"CX")));
    EXPECT_THAT(linesOf(result.state), ElementsAre("W1\t4\t12"));
}

TEST_F(ConversionTest, AStopLeavesTheLinesOfTheSettingsBefore) {
    put(U"A1", U"a1");
    ConversionSettings settings = only(makeSetting(WorkMode::SingleColumn, {U"A"}, U"1", U"1", U"1"));
    settings.useSetting2 = true;
    settings.settings[1] = makeSetting(WorkMode::SingleColumn, {U"A"}, U"1", U"", U"1");
    ConversionState before;
    before.buffer = {{U"old", U"1", U""}};
    ConversionResult result = convert(settings, ConversionKind::New, before);
    EXPECT_EQ(result.outcome, ConversionOutcome::MissingInput);
    EXPECT_THAT(linesOf(result.state), ElementsAre("a1\t1\t")) << "a new conversion empties the buffer first";
    result = convert(settings, ConversionKind::Add, before);
    EXPECT_THAT(linesOf(result.state), ElementsAre("old\t1\t", "a1\t1\t"));
}

TEST_F(ConversionTest, AddAndItsUndo) {
    for (int row = 1; row <= 5; ++row)
        content().setValue({row, 1}, U"a" + numberText(row));
    const ConversionResult first =
        convert(only(makeSetting(WorkMode::SingleColumn, {U"A"}, U"1", U"3", U"1")));
    ASSERT_THAT(first.state.buffer, SizeIs(3));
    const ConversionResult added =
        convert(only(makeSetting(WorkMode::SingleColumn, {U"A"}, U"4", U"5", U"2")), ConversionKind::Add,
                first.state);
    EXPECT_THAT(linesOf(added.state), ElementsAre("a1\t1\t", "a2\t1\t", "a3\t1\t", "a4\t2\t", "a5\t2\t"));
    EXPECT_EQ(added.state.addUndoMark, 3);
    EXPECT_EQ(added.message, completionMessage(5));

    ConversionState undone = added.state;
    UndoLastAdd(undone);
    EXPECT_EQ(undone.buffer, first.state.buffer);

    const ConversionResult fresh =
        convert(only(makeSetting(WorkMode::SingleColumn, {U"A"}, U"5", U"5", U"1")), ConversionKind::New,
                added.state);
    EXPECT_THAT(linesOf(fresh.state), ElementsAre("a5\t1\t"));
    EXPECT_EQ(fresh.state.addUndoMark, 0);
}

TEST_F(ConversionTest, WithoutASpreadsheetOrWhileItIsBusyNothingChanges) {
    put(U"A1", U"a1");
    const ConversionSettings settings = only(makeSetting(WorkMode::SingleColumn, {U"A"}, U"1", U"1", U"1"));
    ConversionState before;
    before.buffer = {{U"old", U"1", U""}};

    ConversionResult result = RunConversion(host, nullptr, settings, ConversionKind::New, before);
    EXPECT_EQ(result.outcome, ConversionOutcome::NoSpreadsheet);
    EXPECT_EQ(result.message, OpenWorkbookMessage);
    EXPECT_EQ(result.state, before);

    host.userSetsVisible(false);
    result = RunConversion(host, sheet, settings, ConversionKind::New, before);
    EXPECT_EQ(result.outcome, ConversionOutcome::NoSpreadsheet);
    host.userSetsVisible(true);

    host.failOperation("Application.activeCell");
    result = RunConversion(host, sheet, settings, ConversionKind::New, before);
    EXPECT_EQ(result.outcome, ConversionOutcome::HostBusy);
    EXPECT_EQ(result.message, lumitag::sheet::HostBusyMessage);
    EXPECT_EQ(result.state, before);
    EXPECT_FALSE(appliesStartState(result.outcome));
}

TEST_F(ConversionTest, ASpreadsheetFailingWhileCellsAreReadLeavesEverythingAsBefore) {
    for (int row = 1; row <= 5; ++row)
        content().setValue({row, 1}, U"a" + numberText(row));
    ConversionSettings settings = only(makeSetting(WorkMode::SingleColumn, {U"A"}, U"1", U"2", U"1"));
    settings.useSetting2 = true;
    settings.settings[1] = makeSetting(WorkMode::SingleColumn, {U"A"}, U"3", U"5", U"1");
    ConversionState before;
    before.buffer = {{U"old", U"1", U""}};
    before.addUndoMark = 1;
    before.resultFullWidth = true;
    const struct {
        const char* operation;
        CellReading reading;
    } cases[] = {
        {"Range.values", CellReading::Blocks},
        {"Worksheet.hiddenRows", CellReading::Blocks},
        {"Range.value", CellReading::PerCell},
        {"Worksheet.rowHidden", CellReading::PerCell},
    };
    for (const auto& c : cases) {
        for (const ConversionKind kind : {ConversionKind::New, ConversionKind::Add}) {
            SCOPED_TRACE(c.operation);
            host.clearFailures();
            host.failOperation(c.operation);
            const ConversionResult result = RunConversion(host, sheet, settings, kind, before, c.reading);
            EXPECT_EQ(result.outcome, ConversionOutcome::HostFailed);
            EXPECT_EQ(result.message, lumitag::sheet::HostBusyMessage);
            EXPECT_EQ(result.state, before);
            EXPECT_FALSE(appliesStartState(result.outcome));
        }
    }
}

TEST_F(ConversionTest, FullWidthFindingsAreRememberedPerSetting) {
    put(U"A1", U"【Ａ】1");
    put(U"A2", U"A全");
    put(U"B1", U"ABC");
    put(U"B2", U"");
    ConversionSettings settings =
        only(makeSetting(WorkMode::ColumnsInTurn, {U"2", U"1", U"3"}, U"1", U"2", U"1"));
    settings.useSetting2 = true;
    settings.settings[1] = makeSetting(WorkMode::ColumnsInTurn, {U"B", U"C"}, U"1", U"2", U"1");
    settings.useSetting3 = true;
    settings.settings[2] = makeSetting(WorkMode::ColumnsInTurn, {U"A", U"B"}, U"1", U"1", U"1");

    const ConversionResult result = convert(settings);
    EXPECT_THAT(result.state.settingFullWidth, ElementsAre(true, false, false))
        << "【Ａ】 is exempt, A全 is not; setting 3 reads only row 1";
    EXPECT_EQ(result.state.scanRanges[0], (FullWidthScanRanges{U"B", U"A", U"C", U"", U"1", U"2", U"", U""}));
    EXPECT_EQ(result.state.scanRanges[1], FullWidthScanRanges{});
    EXPECT_TRUE(result.state.resultFullWidth);

    // A stop remembers nothing for the buttons and leaves the result flag clear.
    settings.settings[2].count.clear();
    const ConversionResult stopped = convert(settings);
    EXPECT_EQ(stopped.outcome, ConversionOutcome::MissingInput);
    EXPECT_EQ(stopped.state.scanRanges[0], FullWidthScanRanges{});
    EXPECT_FALSE(stopped.state.resultFullWidth);
}

TEST_F(ConversionTest, FullWidthRangesByWorkMode) {
    put(U"A1", U"線1");
    ConversionSetting joined =
        makeSetting(WorkMode::ColumnsOnOneLine, {U"A", U"2", U"予備"}, U"1", U"1", U"1");
    joined.column3IsRemark = true;
    const struct {
        const char* name;
        ConversionSetting setting;
        FullWidthScanRanges ranges;
    } cases[] = {
        {"一列のみ連続",
         makeSetting(WorkMode::SingleColumn, {U"1", U"B", U"C"}, U"1", U"1", U"1"),
         {U"A", U"", U"", U"", U"1", U"1", U"", U""}},
        {"複数列を一行: the remark as typed", joined, {U"A", U"B", U"予備", U"", U"1", U"1", U"", U""}},
        {"線番・記銘板等",
         makeSetting(WorkMode::WireNumbers, {U"A"}, U"1", U"1", U"4", U"CX"),
         {U"A", U"", U"", U"", U"1", U"1", U"D", U"CX"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ConversionResult result = convert(only(c.setting));
        ASSERT_TRUE(result.state.settingFullWidth[0]);
        EXPECT_EQ(result.state.scanRanges[0], c.ranges);
    }
    // The remark alone makes the line full width.
    put(U"A1", U"W1");
    EXPECT_TRUE(convert(only(joined)).state.settingFullWidth[0]);
    // In 線番・記銘板等 the count and the number are scanned too.
    put(U"B1", U"５");
    EXPECT_TRUE(convert(only(makeSetting(WorkMode::WireNumbers, {U"A"}, U"1", U"1", U"B")))
                    .state.settingFullWidth[0]);
}

TEST_F(ConversionTest, LongAndJapaneseTexts) {
    const Text longAscii = Text(300, U'x') + U"-A-A";
    const Text veryLong = Text(20000, U'y') + U"全";
    put(U"A1", longAscii);
    put(U"A2", veryLong);
    put(U"A3", U"制御盤－１ 端子台");
    put(U"B3", U"ＴＢ１");
    ConversionSetting setting = makeSetting(WorkMode::ColumnsOnOneLine, {U"A", U"B"}, U"1", U"3", U"1");
    setting.replaces = true;
    setting.first = {U"A", U"2", U"Z"};
    setting.second = {U"端子台", U"", U"TB"};
    const ConversionResult result = convert(only(setting));
    ASSERT_THAT(result.state.buffer, SizeIs(3));
    EXPECT_EQ(result.state.buffer[0].text, Text(300, U'x') + U"-A-Z");
    EXPECT_EQ(result.state.buffer[1].text, veryLong);
    EXPECT_EQ(platform::toUtf8(result.state.buffer[2].text), "制御盤－１ TB,ＴＢ１");
    EXPECT_TRUE(result.state.settingFullWidth[0]);

    put(U"A1", Text(5000, U'z') + U"ａ");
    EXPECT_TRUE(convert(only(makeSetting(WorkMode::SingleColumn, {U"A"}, U"1", U"1", U"1")))
                    .state.settingFullWidth[0])
        << "a full-width character far past position 255";
}

} // namespace
} // namespace lumitag::conversion::testing
