#include "ConversionFixture.h"

#include <gmock/gmock.h>
#include <map>
#include <random>

namespace lumitag::conversion::testing {
namespace {

using ::testing::SizeIs;

std::map<std::string, int> callCounts(const std::vector<std::string>& calls) {
    std::map<std::string, int> counts;
    for (const std::string& call : calls)
        ++counts[call];
    return counts;
}

// Sheets of wire lists with hidden stretches, empty cells, spaces, leading
// "-", full-width text and numbers, read by settings of every kind: reading
// in blocks and reading cell by cell give the same result every time.
TEST_F(ConversionTest, BlockReadingAgreesWithReadingCellByCell) {
    std::mt19937 random(16);
    const TextView pool[] = {U"",     U"",        U" ",    U"-X1", U"5",    U"W12",
                             U"線番", U"【Ａ】3", U"ＡＢ", U"-",   U"12.5", U"#N/A"};
    for (int row = 1; row <= 3000; ++row)
        for (int column = 1; column <= 12; ++column)
            content().setValue({row, column}, Text(pool[random() % std::size(pool)]));
    for (int row = 1; row <= 3000; ++row)
        if (random() % 7 == 0 || (row >= 1200 && row <= 1500))
            hide(row);

    ConversionSetting replacing =
        makeSetting(WorkMode::ColumnsInTurn, {U"A", U"C", U"E", U"L"}, U"3", U"2900", U"2");
    replacing.replaces = true;
    replacing.first = {U"-", U"2", U"+"};
    replacing.second = {U"W", U"", U"Ｗ"};
    ConversionSetting remark =
        makeSetting(WorkMode::ColumnsOnOneLine, {U"B", U"D", U"予備", U"F"}, U"1", U"3000", U"1");
    remark.column3IsRemark = true;
    ConversionSettings three = only(makeSetting(WorkMode::SingleColumn, {U"K"}, U"1190", U"1510", U"1"));
    three.useSetting2 = three.useSetting3 = true;
    three.settings[1] = makeSetting(WorkMode::SingleColumn, {U"3"}, U"1", U"300", U"5");
    three.settings[2] = makeSetting(WorkMode::SingleColumn, {U"A"}, U"2000", U"3000", U"1");
    ConversionSettings eplan =
        only(makeSetting(WorkMode::ColumnsOnOneLine, {U"A", U"B", U"C"}, U"1", U"3000", U"1"));
    eplan.eplan = true;
    eplan.headRemark = U"盤";
    eplan.settings[1].columns = {U"J", U"I", U"", U"L"};

    const struct {
        const char* name;
        ConversionSettings settings;
        bool givesLines = true;
    } cases[] = {
        {"一列のみ連続 over a hidden stretch",
         only(makeSetting(WorkMode::SingleColumn, {U"A"}, U"1100", U"1700", U"1"))},
        {"一列のみ連続 inside a hidden stretch",
         only(makeSetting(WorkMode::SingleColumn, {U"A"}, U"1250", U"1300", U"1")), false},
        {"複数列を連続 with replacements", only(replacing)},
        {"複数列を一行 with a remark", only(remark)},
        {"線番・記銘板等", only(makeSetting(WorkMode::WireNumbers, {U"G"}, U"1", U"3000", U"H", U"I"))},
        {"線番・記銘板等 reading one column three times",
         only(makeSetting(WorkMode::WireNumbers, {U"G"}, U"5", U"900", U"G", U"G"))},
        {"three settings", three},
        {"EPLAN", eplan},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const int before : {0, 1, 517}) {
            ConversionState state;
            state.buffer.assign(static_cast<std::size_t>(before), ResultLine{U"old", U"1", U""});
            const ConversionResult result =
                convert(c.settings, before ? ConversionKind::Add : ConversionKind::New, state);
            EXPECT_TRUE(finishes(result.outcome));
            EXPECT_EQ(result.state.resultLineCount() > before, c.givesLines);
        }
    }
}

TEST_F(ConversionTest, BlockReadingMakesAFewCallsPerSetting) {
    for (int row = 1; row <= 1000; ++row)
        for (int column = 1; column <= 4; ++column)
            content().setValue({row, column}, U"W" + numberText(row * 10 + column));
    for (const int row : {10, 11, 500, 900})
        hide(row);
    const ConversionSettings settings =
        only(makeSetting(WorkMode::ColumnsInTurn, {U"A", U"B", U"C", U"D"}, U"1", U"1000", U"1"));

    host.clearCalls();
    const ConversionResult blocks =
        RunConversion(host, sheet, settings, ConversionKind::New, {}, CellReading::Blocks);
    EXPECT_THAT(blocks.state.buffer, SizeIs(1000));
    const auto counts = callCounts(host.calls());
    EXPECT_EQ(counts.at("Worksheet.hiddenRows"), 1);
    EXPECT_EQ(counts.at("Range.values"), 1) << "four adjacent columns, a few hidden rows: one block";
    EXPECT_EQ(host.calls().size(), 5U);

    host.clearCalls();
    RunConversion(host, sheet, settings, ConversionKind::New, {}, CellReading::PerCell);
    const auto perCell = callCounts(host.calls());
    EXPECT_EQ(perCell.at("Range.value"), 1000);
    EXPECT_EQ(perCell.at("Worksheet.rowHidden"), 252)
        << "250 visible rows give the 1000 lines: rows 1 to 252";
}

TEST_F(ConversionTest, BlockReadingReadsOnlyTheRowsThatCanBecomeLines) {
    // A range over the whole sheet, with long hidden stretches: the rows read
    // stay near the thousand lines the result can take.
    for (const int row : {1, 99, 100, 400000, 400001, 400002})
        content().setValue({row, 2}, U"W" + numberText(row));
    for (int row = 100; row <= 400000; ++row)
        hide(row);
    host.clearCalls();
    const ConversionResult result = RunConversion(
        host, sheet, only(makeSetting(WorkMode::SingleColumn, {U"B", U"", U"", U""}, U"1", U"1048576", U"1")),
        ConversionKind::New, {}, CellReading::Blocks);
    ASSERT_THAT(result.state.buffer, SizeIs(1000));
    EXPECT_EQ(result.state.buffer[98].text, U"W99");
    EXPECT_EQ(result.state.buffer[99].text, U"W400001");
    EXPECT_EQ(result.state.buffer[999].text, U"");
    const auto counts = callCounts(host.calls());
    EXPECT_EQ(counts.at("Worksheet.hiddenRows"), 1);
    EXPECT_EQ(counts.at("Range.values"), 2) << "the rows before and after the hidden stretch";
}

} // namespace
} // namespace lumitag::conversion::testing
