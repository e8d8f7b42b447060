// The full-width search and the half-width conversion of a setting's
// remembered ranges on the in-memory spreadsheet, and the setting's lines in
// the result buffer.

#include "conversion/FullWidthCells.h"

#include "ConversionFixture.h"

#include <gmock/gmock.h>
#include <map>

namespace lumitag::conversion {
namespace {

using testing::ConversionTest;
using testing::makeSetting;
using testing::only;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

std::map<std::string, int> callCounts(const std::vector<std::string>& calls) {
    std::map<std::string, int> counts;
    for (const std::string& call : calls)
        ++counts[call];
    return counts;
}

std::vector<std::string> utf8(const std::vector<Text>& texts) {
    std::vector<std::string> result;
    for (const Text& text : texts)
        result.push_back(platform::toUtf8(text));
    return result;
}

FullWidthScanRanges rangesOf(Text column1, Text start, Text end) {
    FullWidthScanRanges ranges;
    ranges.column1 = std::move(column1);
    ranges.startRow = std::move(start);
    ranges.endRow = std::move(end);
    return ranges;
}

// Rows 5 to 9 of columns A to E, row 7 hidden: full-width text in every
// column, hidden row 7 full-width everywhere.
class FullWidthCellsTest : public ConversionTest {
protected:
    FullWidthCellsTest() {
        const std::vector<std::pair<const char32_t*, Text>> cells = {
            {U"A5", U"A全"}, {U"A6", U"ABC"}, {U"A7", U"Ｘ"}, {U"A8", U"【Ａ】"}, {U"A9", U"Ａ１"},
            {U"B5", U"Ｂ"},  {U"B7", U"Ｘ"},  {U"B9", U"b"},  {U"C6", U"Ｃ"},     {U"C7", U"Ｘ"},
            {U"D8", U"ｄ"},  {U"D7", U"Ｘ"},  {U"E5", U"３"}, {U"E7", U"Ｘ"},     {U"E9", U"12"},
        };
        for (const auto& [address, value] : cells)
            put(address, value);
        hide(7);
    }
};

TEST_F(FullWidthCellsTest, SearchScansTheColumnsOfEachWorkModeAndSkipsHiddenRows) {
    const struct {
        const char* name;
        WorkMode mode;
        FullWidthScanRanges ranges;
        std::vector<std::string> entries;
    } cases[] = {
        // 【Ａ】 is exempt, ABC and empty cells are not full-width.
        {"one column", WorkMode::SingleColumn, rangesOf(U"A", U"5", U"9"), {"A5", "A9"}},
        {"columns in turn: column by column",
         WorkMode::ColumnsInTurn,
         [] {
             FullWidthScanRanges r = rangesOf(U"A", U"5", U"9");
             r.column2 = U"B";
             r.column3 = U"C";
             r.column4 = U"D";
             return r;
         }(),
         {"A5", "A9", "B5", "C6", "D8"}},
        {"one line: column 3 is the remark, its cells are not read",
         WorkMode::ColumnsOnOneLine,
         [] {
             FullWidthScanRanges r = rangesOf(U"A", U"5", U"9");
             r.column2 = U"B";
             r.column3 = U"予備";
             r.column4 = U"D"; // not scanned in this mode
             return r;
         }(),
         {"A5", "A9", "B5", "備考欄"}},
        {"one line with a column as column 3",
         WorkMode::ColumnsOnOneLine,
         [] {
             FullWidthScanRanges r = rangesOf(U"A", U"5", U"9");
             r.column3 = U"C";
             return r;
         }(),
         {"A5", "A9"}},
        {"wire numbers: count and sequence columns",
         WorkMode::WireNumbers,
         [] {
             FullWidthScanRanges r = rangesOf(U"A", U"5", U"9");
             r.countColumn = U"E";
             r.sequenceColumn = U"C";
             return r;
         }(),
         {"A5", "A9", "E5", "C6"}},
        {"an end row before the start row: no rows", WorkMode::SingleColumn, rangesOf(U"A", U"9", U"5"), {}},
        {"hidden rows only", WorkMode::SingleColumn, rangesOf(U"A", U"7", U"7"), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const FullWidthSearch search = FindFullWidthCells(*sheet, c.mode, c.ranges);
        EXPECT_EQ(search.outcome, FullWidthOutcome::Done);
        EXPECT_EQ(utf8(search.entries), c.entries);
    }
}

TEST_F(FullWidthCellsTest, MissingRangesStopBeforeAnyHostCall) {
    FullWidthScanRanges full = rangesOf(U"A", U"5", U"9");
    for (Text FullWidthScanRanges::*part :
         {&FullWidthScanRanges::column1, &FullWidthScanRanges::startRow, &FullWidthScanRanges::endRow}) {
        FullWidthScanRanges ranges = full;
        ranges.*part = {};
        host.clearCalls();
        EXPECT_EQ(FindFullWidthCells(*sheet, WorkMode::SingleColumn, ranges).outcome,
                  FullWidthOutcome::MissingInput);
        EXPECT_EQ(ConvertSheetToHalfWidth(*sheet, WorkMode::SingleColumn, ranges).outcome,
                  FullWidthOutcome::MissingInput);
        EXPECT_THAT(host.calls(), IsEmpty());
    }
    EXPECT_EQ(content().value(U"A5"), U"A全");
}

TEST_F(FullWidthCellsTest, SearchReadsEachColumnInOneCallPerVisibleStretch) {
    FullWidthScanRanges ranges = rangesOf(U"A", U"5", U"9");
    ranges.column2 = U"B";
    host.clearCalls();
    FindFullWidthCells(*sheet, WorkMode::ColumnsInTurn, ranges);
    const auto counts = callCounts(host.calls());
    EXPECT_EQ(counts.at("Worksheet.hiddenRows"), 1);
    EXPECT_EQ(counts.at("Range.values"), 4) << "two columns × rows 5-6 and 8-9";
    EXPECT_FALSE(counts.contains("Range.value"));
    EXPECT_FALSE(counts.contains("Worksheet.rowHidden"));
}

TEST_F(FullWidthCellsTest, ConversionWritesOnlyChangedCellsAsTextAndKeepsFormulas) {
    put(U"A6", U"１－２"); // would be a date if typed in
    put(U"A10", U"ＡＢ");
    content().setFormula(U"A11", U"=\"Ｆ\"", U"Ｆ");
    put(U"A12", U"ＡＢ１");
    put(U"A13", U"漢字"); // no narrow form: unchanged
    FullWidthScanRanges ranges = rangesOf(U"A", U"5", U"13");

    host.clearCalls();
    const HalfWidthConversion result = ConvertSheetToHalfWidth(*sheet, WorkMode::SingleColumn, ranges);
    EXPECT_EQ(result.outcome, FullWidthOutcome::Done);
    EXPECT_EQ(result.changedCells, 5) << "A6, A8, A9, A10, A12";
    EXPECT_FALSE(result.remark);

    const std::vector<std::pair<const char32_t*, const char32_t*>> expected = {
        {U"A5", U"A全"}, {U"A6", U"1-2"}, {U"A7", U"Ｘ"},   {U"A8", U"【A】"}, {U"A9", U"A1"},
        {U"A10", U"AB"}, {U"A11", U"Ｆ"}, {U"A12", U"AB1"}, {U"A13", U"漢字"},
    };
    for (const auto& [address, value] : expected)
        EXPECT_EQ(platform::toUtf8(content().value(address)), platform::toUtf8(value))
            << platform::toUtf8(address);
    EXPECT_EQ(content().formula(U"A11"), U"=\"Ｆ\"") << "the formula stays a formula";

    // A5, A11 and A13 are not written; the hidden row 7 splits the rows.
    const auto counts = callCounts(host.calls());
    EXPECT_EQ(counts.at("Range.setTexts"), 3) << "A6, then A8 to A10, then A12";
    EXPECT_FALSE(counts.contains("Range.setValue"));
}

TEST_F(FullWidthCellsTest, ConversionInOneLineModeMapsTheRemarkNotColumnThreesCells) {
    FullWidthScanRanges ranges = rangesOf(U"A", U"5", U"9");
    ranges.column3 = U"ＳＰ予備";
    const HalfWidthConversion result = ConvertSheetToHalfWidth(*sheet, WorkMode::ColumnsOnOneLine, ranges);
    EXPECT_EQ(result.outcome, FullWidthOutcome::Done);
    ASSERT_TRUE(result.remark);
    EXPECT_EQ(*result.remark, U"SP予備");
    EXPECT_EQ(ranges.column3, U"SP予備") << "the search that follows judges the mapped remark";
    EXPECT_EQ(content().value(U"C6"), U"Ｃ");

    // Nothing left to map: the search afterwards still reports the kanji remark.
    EXPECT_THAT(utf8(FindFullWidthCells(*sheet, WorkMode::ColumnsOnOneLine, ranges).entries),
                ElementsAre("A5", "備考欄"));
}

TEST_F(FullWidthCellsTest, HostFailuresAreReportedAndLeaveTheRemark) {
    FullWidthScanRanges ranges = rangesOf(U"A", U"5", U"9");
    ranges.column3 = U"ＳＰ";

    // Reading fails: the search knows only the remark; nothing is written.
    host.failOperation("Range.values");
    const FullWidthSearch search = FindFullWidthCells(*sheet, WorkMode::ColumnsOnOneLine, ranges);
    EXPECT_EQ(search.outcome, FullWidthOutcome::HostFailed);
    EXPECT_THAT(utf8(search.entries), ElementsAre("備考欄"));
    host.clearFailures();

    for (const char* failing : {"Worksheet.hiddenRows", "Range.formulas", "Range.setTexts"}) {
        SCOPED_TRACE(failing);
        host.failOperation(failing);
        FullWidthScanRanges converted = ranges;
        const HalfWidthConversion result =
            ConvertSheetToHalfWidth(*sheet, WorkMode::ColumnsOnOneLine, converted);
        host.clearFailures();
        EXPECT_EQ(result.outcome, FullWidthOutcome::HostFailed);
        EXPECT_EQ(result.changedCells, 0);
        EXPECT_FALSE(result.remark);
        EXPECT_EQ(converted, ranges);
        EXPECT_EQ(content().value(U"A9"), U"Ａ１");
    }
}

class SettingLinesTest : public ConversionTest {};

TEST_F(SettingLinesTest, OnlyTheSettingsLinesOfTheLatestConversionAreMapped) {
    put(U"A1", U"Ａ１");
    put(U"A2", U"Ａ２");
    put(U"A3", U"Ａ３");
    put(U"B1", U"Ｂ１");
    put(U"B2", U"Ｂ２");
    hide(2);
    ConversionSettings settings =
        only(makeSetting(WorkMode::SingleColumn, {U"A", {}, {}, {}}, U"1", U"3", U"1"));
    settings.useSetting2 = true;
    settings.settings[1] = makeSetting(WorkMode::SingleColumn, {U"B", {}, {}, {}}, U"1", U"2", U"2");
    // Lines of an earlier conversion come first and stay as they are.
    ConversionState before =
        convert(only(makeSetting(WorkMode::SingleColumn, {U"B", {}, {}, {}}, U"1", U"1", U"1"))).state;
    ConversionState state = convert(settings, ConversionKind::Add, before).state;
    ASSERT_THAT(testing::linesOf(state), ElementsAre("Ｂ１\t1\t", "Ａ１\t1\t", "Ａ３\t1\t", "Ｂ１\t2\t"));

    EXPECT_EQ(ConvertSettingLinesToHalfWidth(state, 0), (LineSpan{1, 2}));
    EXPECT_THAT(testing::linesOf(state), ElementsAre("Ｂ１\t1\t", "A1\t1\t", "A3\t1\t", "Ｂ１\t2\t"));
    EXPECT_EQ(ConvertSettingLinesToHalfWidth(state, 1), (LineSpan{3, 1}));
    EXPECT_THAT(testing::linesOf(state), ElementsAre("Ｂ１\t1\t", "A1\t1\t", "A3\t1\t", "B1\t2\t"));

    // 追加取消 dropped the add conversion's lines: nothing of them is left to map.
    UndoLastAdd(state);
    EXPECT_EQ(settingLinesInBuffer(state, 0), (LineSpan{1, 0}));
    EXPECT_EQ(ConvertSettingLinesToHalfWidth(state, 1), (LineSpan{1, 0}));
    EXPECT_THAT(testing::linesOf(state), ElementsAre("Ｂ１\t1\t"));
}

} // namespace
} // namespace lumitag::conversion
