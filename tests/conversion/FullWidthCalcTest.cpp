// The full-width search and the half-width conversion against a real
// headless Calc: a sheet with full-width text, a hidden row, a number and a
// formula is searched, converted and read back.

#include "CalcTestOffice.h"
#include "conversion/FullWidthCells.h"
#include "platform/Encoding.h"

#include <cstdio>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lumitag::conversion {
namespace {

using platform::calc::testing::TestOffice;
using ::testing::ElementsAre;

TestOffice* office = nullptr;

std::vector<std::string> utf8(const std::vector<Text>& texts) {
    std::vector<std::string> result;
    for (const Text& text : texts)
        result.push_back(platform::toUtf8(text));
    return result;
}

class FullWidthCalcTest : public ::testing::Test {
protected:
    void SetUp() override {
        host().connect();
        host().setVisible(true);
        host().addWorkbook()->worksheet(1)->activate();
        sheet = host().activeSheet();
    }
    static platform::SpreadsheetHost& host() { return office->host(); }
    // Entered as typed: "=…" becomes a formula, "12" a number.
    void put(TextView address, TextView value) { sheet->range(address, address)->setValue(Text(value)); }
    std::string value(TextView address) { return platform::toUtf8(sheet->range(address, address)->value()); }
    std::string formula(TextView address) {
        return platform::toUtf8(sheet->range(address, address)->formulas().at(0).at(0));
    }

    std::shared_ptr<platform::Worksheet> sheet;
};

TEST_F(FullWidthCalcTest, FormulasAreToldFromConstantsAndTextsStayText) {
    put(U"A1", U"=\"Ｗ\"&\"２\"");
    put(U"A2", U"12");
    sheet->range(U"A3", U"A4")->setTexts({{U"=1"}, {U"1-2"}});
    EXPECT_THAT(sheet->range(U"A1", U"A5")->formulas(),
                ElementsAre(ElementsAre(U"=\"Ｗ\"&\"２\""), ElementsAre(U""), ElementsAre(U""),
                            ElementsAre(U""), ElementsAre(U"")));
    EXPECT_EQ(value(U"A1"), "Ｗ２");
    EXPECT_EQ(value(U"A3"), "=1") << "a text, not a formula";
    EXPECT_EQ(value(U"A4"), "1-2") << "a text, not a date";
    sheet->range(U"A3", U"A3")->setTexts({{U""}});
    EXPECT_EQ(value(U"A3"), "");
    EXPECT_THROW(sheet->range(U"A1", U"A2")->setTexts({{U"x"}}), platform::SpreadsheetError);
}

TEST_F(FullWidthCalcTest, SearchConvertAndReadBack) {
    put(U"B1", U"ＡＢ１");
    put(U"B2", U"abc");
    put(U"B3", U"Ｈ３"); // hidden
    put(U"B4", U"=\"Ｗ\"&\"２\"");
    put(U"B5", U"１－２");
    put(U"B6", U"12");
    put(U"B7", U"【Ａ】");
    put(U"C1", U"３");
    sheet->setRowHidden(3, true);
    FullWidthScanRanges ranges;
    ranges.column1 = U"B";
    ranges.countColumn = U"C";
    ranges.startRow = U"1";
    ranges.endRow = U"7";

    const FullWidthSearch before = FindFullWidthCells(*sheet, WorkMode::WireNumbers, ranges);
    EXPECT_EQ(before.outcome, FullWidthOutcome::Done);
    EXPECT_THAT(utf8(before.entries), ElementsAre("B1", "B4", "B5", "C1"));

    const HalfWidthConversion converted = ConvertSheetToHalfWidth(*sheet, WorkMode::WireNumbers, ranges);
    EXPECT_EQ(converted.outcome, FullWidthOutcome::Done);
    EXPECT_EQ(converted.changedCells, 4) << "B1, B5, B7 and C1";
    EXPECT_EQ(value(U"B1"), "AB1");
    EXPECT_EQ(value(U"B2"), "abc");
    EXPECT_EQ(value(U"B3"), "Ｈ３");
    EXPECT_EQ(formula(U"B4"), "=\"Ｗ\"&\"２\"") << "the formula stays";
    EXPECT_EQ(value(U"B5"), "1-2");
    EXPECT_EQ(value(U"B6"), "12");
    EXPECT_EQ(value(U"B7"), "【A】");
    EXPECT_EQ(value(U"C1"), "3");

    EXPECT_THAT(utf8(FindFullWidthCells(*sheet, WorkMode::WireNumbers, ranges).entries), ElementsAre("B4"));
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
