// The conversion without the limit: up to 1000 lines exactly the blue
// window's engine, beyond it every further line in the same order.
#include "batch/BatchConversion.h"

#include "conversion/RunConversion.h"
#include "platform/Encoding.h"
#include "platform/spreadsheet/fake/FakeSpreadsheetHost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lumitag::batch {
namespace {

using conversion::ConversionSetting;
using conversion::ConversionSettings;
using conversion::ResultLine;
using conversion::WorkMode;

ConversionSetting setting(WorkMode mode, std::array<Text, 4> columns, Text start, Text end, Text count,
                          Text sequence = {}) {
    ConversionSetting s;
    s.workMode = mode;
    s.columns = std::move(columns);
    s.startRow = std::move(start);
    s.endRow = std::move(end);
    s.count = std::move(count);
    s.sequenceColumn = std::move(sequence);
    return s;
}

class BatchConversionTest : public ::testing::Test {
protected:
    BatchConversionTest() {
        host.userStartsSpreadsheet();
        host.connect();
        host.userCreatesWorkbook(U"配線表.xlsx");
        sheet = host.activeSheet();
    }
    void put(int row, int column, Text value) {
        host.activeSheetContent().setValue({row, column}, std::move(value));
    }
    void hide(int row) { host.activeSheetContent().setRowHidden(row, true); }

    // The window's engine on the same sheet, as one new conversion.
    conversion::ConversionResult engine(const ConversionSettings& settings) {
        return conversion::RunConversion(host, sheet, settings, conversion::ConversionKind::New, {});
    }

    platform::FakeSpreadsheetHost host;
    std::shared_ptr<platform::Worksheet> sheet;
};

TEST_F(BatchConversionTest, UpToTheLimitTheLinesAreTheWindowsOwn) {
    // A wire list over 300 rows (more than one stretch of rows), some
    // hidden, Japanese text, empty cells and remarks.
    for (int row = 1; row <= 300; ++row) {
        put(row, 1, U"W" + numberText(row));
        put(row, 2, row % 7 == 0 ? Text() : U"端子" + numberText(row % 5));
        put(row, 3, numberText(row % 3 + 1));
        put(row, 4, row % 2 == 0 ? U"-X" + numberText(row) : Text(U" "));
    }
    for (const int row : {5, 6, 7, 249, 250, 251, 299})
        hide(row);

    struct Case {
        const char* name;
        ConversionSettings settings;
    };
    std::vector<Case> cases;
    const auto add = [&](const char* name, ConversionSettings s) { cases.push_back({name, std::move(s)}); };
    ConversionSettings s;
    s.settings[0] = setting(WorkMode::SingleColumn, {U"B"}, U"1", U"300", U"2");
    add("one column", s);
    s.settings[0] = setting(WorkMode::ColumnsInTurn, {U"A", U"2", U"C"}, U"3", U"280", U"1");
    add("three columns in turn, one given as a number", s);
    s.settings[0] = setting(WorkMode::ColumnsOnOneLine, {U"A", U"B", U"予備", U"D"}, U"1", U"300", U"5");
    s.settings[0].column3IsRemark = true;
    add("columns on one line with a remark", s);
    s.settings[0] = setting(WorkMode::WireNumbers, {U"B"}, U"2", U"299", U"C", U"A");
    s.headerWorkMode = U"WorkMode=3";
    add("wire numbers, work mode 3 fills empty texts", s);
    s.settings[0] = setting(WorkMode::SingleColumn, {U"A"}, U"1", U"300", U"1");
    s.settings[0].replaces = true;
    s.settings[0].first = {U"W", U"", U"線"};
    s.settings[0].second = {U"1", U"2", U"①"};
    add("replacements", s);
    s = {};
    s.settings[0] = setting(WorkMode::ColumnsOnOneLine, {U"A", U"B"}, U"1", U"300", U"1");
    s.settings[1].columns = {U"D", U"C"};
    s.eplan = true;
    s.headRemark = U"盤A";
    add("EPLAN with a head remark", s);
    s = {};
    s.settings[0] = setting(WorkMode::SingleColumn, {U"A"}, U"1", U"100", U"1");
    s.settings[1] = setting(WorkMode::SingleColumn, {U"B"}, U"101", U"200", U"2");
    s.settings[2] = setting(WorkMode::SingleColumn, {U"D"}, U"201", U"300", U"3");
    s.useSetting2 = s.useSetting3 = true;
    add("three settings", s);

    for (const Case& c : cases) {
        const conversion::ConversionResult window = engine(c.settings);
        ASSERT_EQ(window.outcome, conversion::ConversionOutcome::Completed) << c.name;
        const BatchResult batch = ConvertWithoutLimit(sheet, c.settings);
        EXPECT_EQ(batch.outcome, BatchOutcome::Converted) << c.name;
        EXPECT_EQ(batch.lines, window.state.buffer) << c.name;
        EXPECT_EQ(batch.fullWidth, window.state.resultFullWidth) << c.name;
    }
}

TEST_F(BatchConversionTest, BeyondTheLimitEveryLineComesInOrder) {
    // 1200 rows of three columns in turn: 3600 lines, a stretch boundary
    // inside the window's 1000.
    for (int row = 1; row <= 1200; ++row) {
        for (int column = 1; column <= 3; ++column)
            put(row, column, numberText(row) + U"-" + numberText(column));
    }
    hide(600);
    ConversionSettings s;
    s.settings[0] = setting(WorkMode::ColumnsInTurn, {U"A", U"B", U"C"}, U"1", U"1200", U"1");
    const BatchResult batch = ConvertWithoutLimit(sheet, s);
    ASSERT_EQ(batch.outcome, BatchOutcome::Converted);
    ASSERT_EQ(batch.lines.size(), 3u * 1199);
    std::size_t i = 0;
    for (int row = 1; row <= 1200; ++row) {
        if (row == 600)
            continue;
        for (int column = 1; column <= 3; ++column, ++i)
            ASSERT_EQ(batch.lines[i], (ResultLine{numberText(row) + U"-" + numberText(column), U"1", U""}))
                << i;
    }
    // The window stops at its limit with the same first thousand.
    const conversion::ConversionResult window = engine(s);
    EXPECT_EQ(window.outcome, conversion::ConversionOutcome::LimitReached);
    EXPECT_TRUE(std::equal(window.state.buffer.begin(), window.state.buffer.end(), batch.lines.begin()));
    EXPECT_EQ(batch.filledCellsRead, 3 * 1199) << "the hidden row's cells do not count";
}

TEST_F(BatchConversionTest, EplanBeyondTheLimitHasItsHeadRemarkOnce) {
    for (int row = 1; row <= 700; ++row) {
        put(row, 1, U"-S" + numberText(row));
        put(row, 2, U"T" + numberText(row));
    }
    ConversionSettings s;
    s.settings[0] = setting(WorkMode::ColumnsOnOneLine, {U"A"}, U"1", U"700", U"1");
    s.settings[1].columns = {U"B"};
    s.eplan = true;
    s.headRemark = U"HEAD";
    const BatchResult batch = ConvertWithoutLimit(sheet, s);
    ASSERT_EQ(batch.lines.size(), 1u + 2 * 700);
    EXPECT_EQ(batch.lines[0], (ResultLine{U"HEAD", U"1", U""}));
    EXPECT_EQ(batch.lines[1], (ResultLine{U"S1", U"1", U""}));
    EXPECT_EQ(batch.lines[2], (ResultLine{U"T1", U"1", U""}));
    EXPECT_EQ(batch.lines.back(), (ResultLine{U"T700", U"1", U""}));
    EXPECT_EQ(std::count(batch.lines.begin(), batch.lines.end(), ResultLine{U"HEAD", U"1", U""}), 1);
}

TEST_F(BatchConversionTest, EveryRunningSettingIsCheckedBeforeAnyCellIsRead) {
    put(1, 1, U"x");
    struct Case {
        const char* name;
        ConversionSetting second;
        BatchOutcome outcome;
    };
    const std::vector<Case> cases = {
        {"an empty box", setting(WorkMode::SingleColumn, {U"A"}, U"1", U"", U"1"),
         BatchOutcome::MissingInput},
        {"a column number past 100", setting(WorkMode::SingleColumn, {U"101"}, U"1", U"2", U"1"),
         BatchOutcome::ColumnPast100},
        {"a row that is no number", setting(WorkMode::SingleColumn, {U"A"}, U"1", U"x", U"1"),
         BatchOutcome::InvalidInput},
    };
    for (const Case& c : cases) {
        ConversionSettings s;
        s.settings[0] = setting(WorkMode::SingleColumn, {U"A"}, U"1", U"1", U"1");
        s.settings[1] = c.second;
        s.useSetting2 = true;
        host.clearCalls();
        const BatchResult batch = ConvertWithoutLimit(sheet, s);
        EXPECT_EQ(batch.outcome, c.outcome) << c.name;
        EXPECT_TRUE(batch.lines.empty()) << c.name << ": setting 1's lines are not kept";
        EXPECT_THAT(host.calls(), ::testing::Not(::testing::Contains(::testing::HasSubstr("Range.value"))))
            << c.name;
    }
}

TEST_F(BatchConversionTest, NonAsciiCellsOfVisibleRowsAreKnownByRowAndColumn) {
    put(1, 2, U"𠮷野家");
    put(2, 2, U"ok");
    put(3, 2, U"é");
    hide(3);
    ConversionSettings s;
    s.settings[0] = setting(WorkMode::SingleColumn, {U"B"}, U"1", U"3", U"1");
    const BatchResult batch = ConvertWithoutLimit(sheet, s);
    ASSERT_EQ(batch.outcome, BatchOutcome::Converted);
    EXPECT_THAT(batch.nonAsciiCells, ::testing::ElementsAre(ReadCell{1, 2, U"𠮷野家"}));
    EXPECT_EQ(batch.filledCellsRead, 2);
}

TEST_F(BatchConversionTest, ASheetThatFailsIsReported) {
    put(1, 1, U"x");
    host.failOperation("Range.values");
    ConversionSettings s;
    s.settings[0] = setting(WorkMode::SingleColumn, {U"A"}, U"1", U"1", U"1");
    EXPECT_EQ(ConvertWithoutLimit(sheet, s).outcome, BatchOutcome::SheetFailed);
}

} // namespace
} // namespace lumitag::batch
