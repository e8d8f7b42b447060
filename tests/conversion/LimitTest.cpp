#include "ConversionFixture.h"
#include "conversion/ConversionMessages.h"

#include <gmock/gmock.h>

namespace lumitag::conversion::testing {
namespace {

using ::testing::SizeIs;

class LimitTest : public ConversionTest {
protected:
    LimitTest() {
        for (int row = 1; row <= 1100; ++row)
            for (int column = 1; column <= 4; ++column)
                content().setValue({row, column},
                                   Text(1, static_cast<char32_t>(U'a' + column - 1)) + numberText(row));
    }
    static ConversionState linesBefore(int count) {
        ConversionState state;
        state.buffer.assign(static_cast<std::size_t>(count), ResultLine{U"old", U"1", U""});
        return state;
    }
    static ConversionSettings eplan(Text rows, Text headRemark = {}) {
        ConversionSettings settings =
            only(makeSetting(WorkMode::ColumnsOnOneLine, {U"A"}, U"1", std::move(rows), U"1"));
        settings.eplan = true;
        settings.headRemark = std::move(headRemark);
        settings.settings[1].columns = {U"B"};
        return settings;
    }
};

TEST_F(LimitTest, NeverMoreThanAThousandLines) {
    ConversionSettings twoSettings = only(makeSetting(WorkMode::SingleColumn, {U"A"}, U"1", U"600", U"1"));
    twoSettings.useSetting2 = true;
    twoSettings.settings[1] = makeSetting(WorkMode::SingleColumn, {U"B"}, U"1", U"600", U"1");
    const struct {
        const char* name;
        ConversionSettings settings;
        int before;
        ConversionOutcome outcome;
        int lines;
        const char* lastLine;
        TextView message;
    } cases[] = {
        {"999 rows", only(makeSetting(WorkMode::SingleColumn, {U"A"}, U"1", U"999", U"1")), 0,
         ConversionOutcome::Completed, 999, "a999\t1\t", U""},
        {"exactly 1000 rows", only(makeSetting(WorkMode::SingleColumn, {U"A"}, U"1", U"1000", U"1")), 0,
         ConversionOutcome::LimitReached, 1000, "a1000\t1\t", U"マーキングデータが1000個になりました"},
        {"1001 rows", only(makeSetting(WorkMode::SingleColumn, {U"A"}, U"1", U"1001", U"1")), 0,
         ConversionOutcome::LimitReached, 1000, "a1000\t1\t", U"マーキングデータが1000個になりました"},
        {"a whole sheet of rows", only(makeSetting(WorkMode::SingleColumn, {U"A"}, U"1", U"1048576", U"1")),
         0, ConversionOutcome::LimitReached, 1000, "a1000\t1\t", U"マーキングデータが1000個になりました"},
        {"in the middle of a row of 複数列を連続",
         only(makeSetting(WorkMode::ColumnsInTurn, {U"A", U"B", U"C"}, U"1", U"400", U"1")), 0,
         ConversionOutcome::LimitReached, 1000, "a334\t1\t", U"マーキングデータが1000個になりました"},
        {"in the second setting", twoSettings, 0, ConversionOutcome::LimitReached, 1000, "b400\t1\t",
         U"マーキングデータが1000個になりました"},
        {"an add from 998", only(makeSetting(WorkMode::SingleColumn, {U"A"}, U"1", U"5", U"1")), 998,
         ConversionOutcome::LimitReached, 1000, "a2\t1\t", U"マーキングデータが1000個になりました"},
        {"EPLAN: 500 pairs", eplan(U"600"), 0, ConversionOutcome::LimitReached, 1000, "b500\t1\t",
         U"マーキングデータが1000個になりました"},
        {"EPLAN with a head remark: 999 lines of whole pairs", eplan(U"600", U"盤"), 0,
         ConversionOutcome::LimitReached, 999, "b499\t1\t",
         U"マーキングデータが999個になりました(備考欄含む)"},
        {"EPLAN added to an odd count stops at 1000, after a source line", eplan(U"600"), 1,
         ConversionOutcome::LimitReached, 1000, "a500\t1\t", U"マーキングデータが1000個になりました"},
        {"EPLAN with a head remark added to an odd count", eplan(U"600", U"盤"), 3,
         ConversionOutcome::LimitReached, 1000, "b498\t1\t",
         U"マーキングデータが1000個になりました(備考欄含む)"},
        {"EPLAN with a head remark added to 999", eplan(U"600", U"盤"), 999, ConversionOutcome::LimitReached,
         1000, "盤\t1\t", U"マーキングデータが1000個になりました(備考欄含む)"},
        {"EPLAN with a head remark added to 1000", eplan(U"600", U"盤"), 1000,
         ConversionOutcome::LimitReached, 1000, "old\t1\t",
         U"マーキングデータが1000個になりました(備考欄含む)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ConversionResult result = convert(
            c.settings, c.before > 0 ? ConversionKind::Add : ConversionKind::New, linesBefore(c.before));
        EXPECT_EQ(result.outcome, c.outcome);
        ASSERT_THAT(result.state.buffer, SizeIs(c.lines));
        EXPECT_EQ(platform::toUtf8(result.state.buffer.back().joined()), c.lastLine);
        EXPECT_EQ(platform::toUtf8(result.message),
                  platform::toUtf8(c.message.empty() ? completionMessage(c.lines) : Text(c.message)));
    }
}

TEST_F(LimitTest, AHeadRemarkReachingTheLimitBeforeRowsOfHiddenRowsOnly) {
    for (int row = 1; row <= 10; ++row)
        hide(row);
    const ConversionResult result = convert(eplan(U"10", U"盤"), ConversionKind::Add, linesBefore(999));
    EXPECT_EQ(result.outcome, ConversionOutcome::Completed);
    EXPECT_THAT(result.state.buffer, SizeIs(1000));
}

TEST_F(LimitTest, CellsPastTheLimitAreNotRead) {
    // Reading cell by cell, the limit in the middle of a row stops at once.
    host.clearCalls();
    RunConversion(host, sheet,
                  only(makeSetting(WorkMode::ColumnsInTurn, {U"A", U"B", U"C"}, U"1", U"400", U"1")),
                  ConversionKind::New, {}, CellReading::PerCell);
    int cellReads = 0;
    for (const std::string& call : host.calls())
        cellReads += call == "Range.value";
    EXPECT_EQ(cellReads, 1000);
}

} // namespace
} // namespace lumitag::conversion::testing
