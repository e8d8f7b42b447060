// The conversion against a real headless Calc: the host's hidden-rows query,
// and reading in blocks against reading cell by cell on a wire list of
// Japanese text, numbers, a formula, empty cells and hidden rows. One office
// serves all cases.

#include "CalcTestOffice.h"
#include "conversion/RunConversion.h"
#include "platform/Encoding.h"

#include <chrono>
#include <cstdio>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lumitag::conversion {
namespace {

using platform::CellRef;
using platform::RowSpan;
using platform::calc::testing::TestOffice;
using ::testing::ElementsAre;

TestOffice* office = nullptr;

std::vector<std::string> linesOf(const ConversionState& state) {
    std::vector<std::string> lines;
    for (const ResultLine& line : state.buffer)
        lines.push_back(platform::toUtf8(line.joined()));
    return lines;
}

ConversionSetting makeSetting(WorkMode mode, std::array<Text, 4> columns, Text start, Text end, Text count,
                              Text sequenceColumn = {}) {
    ConversionSetting setting;
    setting.workMode = mode;
    setting.columns = std::move(columns);
    setting.startRow = std::move(start);
    setting.endRow = std::move(end);
    setting.count = std::move(count);
    setting.sequenceColumn = std::move(sequenceColumn);
    return setting;
}

ConversionSettings only(ConversionSetting setting) {
    ConversionSettings settings;
    settings.settings[0] = std::move(setting);
    return settings;
}

class ConversionCalcTest : public ::testing::Test {
protected:
    void SetUp() override {
        host().connect();
        host().setVisible(true);
        host().addWorkbook()->worksheet(1)->activate();
        sheet = host().activeSheet();
    }
    static platform::SpreadsheetHost& host() { return office->host(); }
    void put(int row, int column, TextView value) { sheet->cell(row, column)->setValue(Text(value)); }

    ConversionResult convert(const ConversionSettings& settings) {
        const ConversionResult blocks =
            RunConversion(host(), sheet, settings, ConversionKind::New, {}, CellReading::Blocks);
        const ConversionResult cells =
            RunConversion(host(), sheet, settings, ConversionKind::New, {}, CellReading::PerCell);
        EXPECT_EQ(blocks.outcome, cells.outcome);
        EXPECT_EQ(linesOf(blocks.state), linesOf(cells.state));
        EXPECT_EQ(blocks.state, cells.state);
        return blocks;
    }

    std::shared_ptr<platform::Worksheet> sheet;
};

TEST_F(ConversionCalcTest, HiddenRowsInOneQuery) {
    for (const int row : {3, 4, 7, 20})
        sheet->setRowHidden(row, true);
    EXPECT_THAT(sheet->hiddenRows(1, 10), ElementsAre(RowSpan{3, 4}, RowSpan{7, 7}));
    EXPECT_THAT(sheet->hiddenRows(4, 20), ElementsAre(RowSpan{4, 4}, RowSpan{7, 7}, RowSpan{20, 20}));
    EXPECT_THAT(sheet->hiddenRows(3, 4), ElementsAre(RowSpan{3, 4})) << "hidden rows only";
    EXPECT_TRUE(sheet->hiddenRows(8, 19).empty());
    EXPECT_TRUE(sheet->hiddenRows(5, 4).empty());
    EXPECT_THROW(sheet->hiddenRows(0, 4), platform::SpreadsheetError);

    // A hidden column changes nothing about the rows.
    sheet->cell(1, 1)->setColumnWidth(0);
    EXPECT_THAT(sheet->hiddenRows(1, 10), ElementsAre(RowSpan{3, 4}, RowSpan{7, 7}));
    for (int row = 1; row <= 10; ++row) {
        const bool inSpans = row == 3 || row == 4 || row == 7;
        EXPECT_EQ(sheet->rowHidden(row), inSpans) << row;
    }
}

TEST_F(ConversionCalcTest, BlocksAndCellsAgreeOnAWireList) {
    const TextView rows[][6] = {
        {U"-X1", U"5", U"制御盤", U"2", U"=B2*2", U"R1"}, {U"", U"", U"端子台 TB1", U"", U"7", U" "},
        {U"-X3", U"12.5", U"", U"3", U"", U"ＡＢ"},       {U"W4", U"隠れ", U"隠れ", U"1", U"1", U"隠れ"},
        {U"W5", U"-2", U"【Ａ】5", U"0", U"3", U"-R5"},
    };
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 6; ++c)
            if (!rows[r][c].empty())
                put(2 + r, 1 + c, rows[r][c]);
    sheet->setRowHidden(5, true);

    ConversionResult result = convert(only(makeSetting(WorkMode::SingleColumn, {U"B"}, U"2", U"6", U"1")));
    EXPECT_THAT(linesOf(result.state), ElementsAre("5\t1\t", "\t1\t", "12.5\t1\t", "-2\t1\t"));

    result = convert(only(makeSetting(WorkMode::ColumnsInTurn, {U"A", U"C"}, U"2", U"6", U"1")));
    EXPECT_THAT(linesOf(result.state), ElementsAre("-X1\t1\t", "制御盤\t1\t", "\t1\t", "端子台 TB1\t1\t",
                                                   "-X3\t1\t", "\t1\t", "W5\t1\t", "【Ａ】5\t1\t"));

    ConversionSetting remark =
        makeSetting(WorkMode::ColumnsOnOneLine, {U"A", U"E", U"予備"}, U"2", U"6", U"2");
    remark.column3IsRemark = true;
    result = convert(only(remark));
    EXPECT_THAT(linesOf(result.state),
                ElementsAre("-X1,10,予備\t2\t", ",7,予備\t2\t", "-X3,予備\t2\t", "W5,3,予備\t2\t"))
        << "the formula gives its value";
    EXPECT_TRUE(result.state.settingFullWidth[0]);

    ConversionSetting wire = makeSetting(WorkMode::WireNumbers, {U"C"}, U"2", U"6", U"D", U"5");
    wire.replaces = true;
    wire.first = {U"台", U"", U"Dai"};
    ConversionSettings wireSettings = only(wire);
    wireSettings.headerWorkMode = U"WorkMode=2";
    result = convert(wireSettings);
    EXPECT_THAT(linesOf(result.state),
                ElementsAre("制御盤\t2\t10", "端子Dai TB1\t\t7", " \t3\t", "【Ａ】5\t0\t3"));

    ConversionSettings eplan = only(makeSetting(WorkMode::ColumnsOnOneLine, {U"A", U"B"}, U"2", U"6", U"1"));
    eplan.eplan = true;
    eplan.headRemark = U"盤1";
    eplan.settings[1].columns = {U"F", U"E"};
    result = convert(eplan);
    EXPECT_THAT(linesOf(result.state),
                ElementsAre("盤1\t1\t", "X1:5\t1\t", "R1:10\t1\t", " \t1\t", " :7\t1\t", "X3:12.5\t1\t",
                            "ＡＢ\t1\t", "W5:-2\t1\t", "R5:3\t1\t"));
}

// The benchmark reports the figures (conversion_calc_bench); on a shared
// machine only the ratio is steady enough to test.
TEST_F(ConversionCalcTest, AThousandRowsOfFourColumnsInAFewCalls) {
    for (int row = 1; row <= 1000; ++row) {
        const Text wire = U"線" + numberText(row);
        put(row, 1, wire);
        sheet->range(CellRef{row, 2}, CellRef{row, 4})->setValue(U"【" + wire + U"】");
    }
    for (const int row : {17, 18, 600})
        sheet->setRowHidden(row, true);
    const ConversionSettings settings =
        only(makeSetting(WorkMode::ColumnsOnOneLine, {U"A", U"B", U"C", U"D"}, U"1", U"1000", U"1"));

    const auto timed = [&](CellReading reading) {
        const auto start = std::chrono::steady_clock::now();
        ConversionResult result = RunConversion(host(), sheet, settings, ConversionKind::New, {}, reading);
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        return std::pair{std::move(result), took.count()};
    };
    const auto [blocks, blocksMs] = timed(CellReading::Blocks);
    const auto [cells, cellsMs] = timed(CellReading::PerCell);
    std::printf("1000 rows x 4 columns: blocks %.1f ms, cell by cell %.1f ms\n", blocksMs, cellsMs);
    EXPECT_EQ(blocks.state, cells.state);
    ASSERT_EQ(blocks.state.resultLineCount(), 997);
    EXPECT_EQ(platform::toUtf8(blocks.state.buffer[16].text), "線19,【線19】,【線19】,【線19】");
    EXPECT_LT(blocksMs * 20, cellsMs);
}

} // namespace
} // namespace lumitag::conversion

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!lumitag::platform::calc::testing::TestOffice::available()) {
        std::printf("LibreOffice Calc is not installed: skipped\n");
        return 77;
    }
    lumitag::platform::calc::testing::TestOffice theOffice;
    lumitag::conversion::office = &theOffice;
    const int result = RUN_ALL_TESTS();
    lumitag::conversion::office = nullptr;
    return result;
}
