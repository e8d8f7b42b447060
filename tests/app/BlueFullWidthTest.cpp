// The full-width tools of the blue window: search, half-width conversion of
// the sheet and of the setting's lines, and the choice of a found cell.
#include "ProgramFixture.h"
#include "conversion/RunConversion.h"
#include "marking/MarkingList.h"
#include "sheet/SpreadsheetLink.h"
#include "sheet/WindowCoupling.h"

#include <gmock/gmock.h>

namespace lumitag::app::test {
namespace {

using ::testing::ElementsAre;

constexpr TextView HostBusy = U"エクセルが編集中です(またはエクセルシートがその他のウィンドウに隠れています)";

std::vector<std::string> utf8(const std::vector<Text>& texts) {
    std::vector<std::string> result;
    for (const Text& text : texts)
        result.push_back(platform::toUtf8(text));
    return result;
}

// A wire list in rows 1 to 5 (row 3 hidden) converted in 線番・記銘板等 by
// setting 1 (wire numbers in A, counts in B) and setting 2 (names in D,
// counts in E). The blue window is shown on the connected sheet.
class BlueFullWidth : public ProgramTest {
protected:
    BlueFullWidth() {
        start();
        spreadsheet.userStartsSpreadsheet();
        spreadsheet.connect();
        spreadsheet.userCreatesWorkbook(U"配線表.xlsx");
        connectWorker.complete();
        driver.press("Shift+F1");
        const std::vector<std::pair<const char32_t*, Text>> cells = {
            {U"A1", U"ＡＢ１"}, {U"A2", U"W-2"}, {U"A3", U"Ｈ３"},   {U"A4", U"【Ａ】"},
            {U"A5", U"W５"},    {U"B1", U"１"},  {U"B2", U"2"},      {U"B3", U"３"},
            {U"B4", U"1"},      {U"B5", U"1"},   {U"D1", U"ＭＣ１"}, {U"D2", U"ＭＣ２"},
            {U"E1", U"1"},      {U"E2", U"1"},   {U"E4", U"1"},      {U"E5", U"1"},
        };
        for (const auto& [address, value] : cells)
            sheetContent().setValue(address, value);
        sheetContent().setRowHidden(3, true);
    }

    TForm1& b() { return blue(); }
    platform::FakeSheetContent& sheetContent() { return spreadsheet.activeSheetContent(); }
    sheet::SpreadsheetLink& link() { return orange().spreadsheetLink(); }
    marking::MarkingList& list() { return orange().list(); }

    std::vector<std::string> listLines() {
        std::vector<std::string> lines;
        for (int row = 1; row <= list().lineCount(); ++row)
            lines.push_back(platform::toUtf8(list().cell(1, row) + U'|' + list().cell(2, row) + U'|' +
                                             list().cell(3, row)));
        return lines;
    }

    // What the conversion buttons do: run, keep the state, rebuild the list
    // from the buffer and offer the full-width tools.
    void convert(bool withSetting2 = true) {
        conversion::ConversionSettings settings;
        settings.settings[0] = setting(U"A", U"B");
        settings.settings[1] = setting(U"D", U"E");
        settings.useSetting2 = withSetting2;
        const conversion::ConversionResult result = conversion::RunConversion(
            spreadsheet, link().worksheet(), settings, conversion::ConversionKind::New, {});
        ASSERT_EQ(result.outcome, conversion::ConversionOutcome::Completed);
        blue().conversionState() = result.state;
        list().clearAllRows();
        for (std::size_t i = 0; i < result.state.buffer.size(); ++i) {
            const conversion::ResultLine& line = result.state.buffer[i];
            const int row = static_cast<int>(i) + 1;
            list().setCell(1, row, line.text);
            list().setCell(2, row, line.count);
            list().setCell(3, row, line.number);
        }
        list().updateNextFreeRow();
        blue().refreshFullWidthTools();
        driver.idle();
    }
    static conversion::ConversionSetting setting(Text column, Text countColumn) {
        conversion::ConversionSetting s;
        s.workMode = conversion::WorkMode::WireNumbers;
        s.columns[0] = std::move(column);
        s.count = std::move(countColumn);
        s.startRow = U"1";
        s.endRow = U"5";
        return s;
    }
};

TEST_F(BlueFullWidth, SearchListsTheFoundCellsAndConversionMapsSheetAndLines) {
    ASSERT_TRUE(link().worksheet());
    convert();
    const Text header = list().cell(1, 0);
    ASSERT_THAT(listLines(), ElementsAre("ＡＢ１|１|", "W-2|2|", "【Ａ】|1|", "W５|1|", "ＭＣ１|1|",
                                         "ＭＣ２|1|", "|1|", "|1|"));
    EXPECT_TRUE(b().SpeedButton3.visible());
    EXPECT_TRUE(b().SpeedButton7.visible());
    EXPECT_FALSE(b().ComboBox4.visible()) << "the result box comes with a search";
    EXPECT_TRUE(b().SpeedButton4.visible());

    driver.click(b().SpeedButton3);
    EXPECT_TRUE(b().ComboBox4.visible());
    EXPECT_THAT(utf8(b().ComboBox4.items()), ElementsAre("A1", "A5", "B1")) << "A3 is hidden, 【Ａ】 exempt";
    EXPECT_EQ(b().ComboBox4.text(), U"A1");

    driver.click(b().SpeedButton7);
    driver.expectNoMessage();
    EXPECT_EQ(sheetContent().value(U"A1"), U"AB1");
    EXPECT_EQ(sheetContent().value(U"A5"), U"W5");
    EXPECT_EQ(sheetContent().value(U"B1"), U"1");
    EXPECT_EQ(sheetContent().value(U"A3"), U"Ｈ３") << "hidden rows are not converted";
    EXPECT_EQ(sheetContent().value(U"A4"), U"【A】");
    EXPECT_EQ(sheetContent().value(U"D1"), U"ＭＣ１") << "setting 2's cells belong to its own tools";
    // Setting 1's four lines, not setting 2's; the header row stays.
    EXPECT_THAT(listLines(),
                ElementsAre("AB1|1|", "W-2|2|", "【A】|1|", "W5|1|", "ＭＣ１|1|", "ＭＣ２|1|", "|1|", "|1|"));
    EXPECT_EQ(list().cell(1, 0), header);
    EXPECT_EQ(b().conversionState().buffer[0].text, U"AB1") << "the save reads the buffer";
    EXPECT_EQ(b().conversionState().buffer[4].text, U"ＭＣ１");

    // The search that follows found nothing left: setting 1's tools go,
    // setting 2 still holds full-width text.
    for (ui::Control* tool :
         std::initializer_list<ui::Control*>{&b().SpeedButton3, &b().SpeedButton7, &b().ComboBox4})
        EXPECT_FALSE(tool->visible()) << tool->name();
    EXPECT_FALSE(b().conversionState().settingFullWidth[0]);
    EXPECT_TRUE(b().conversionState().resultFullWidth);

    // Setting 2's panel is not on screen here; its button runs this.
    b().ConvertSheetToHalfWidth(2);
    EXPECT_THAT(listLines(),
                ElementsAre("AB1|1|", "W-2|2|", "【A】|1|", "W5|1|", "MC1|1|", "MC2|1|", "|1|", "|1|"));
    EXPECT_FALSE(b().SpeedButton4.visible());
    EXPECT_FALSE(b().conversionState().resultFullWidth) << "the save may use the table font again";
}

TEST_F(BlueFullWidth, AFormulaCellIsLeftAFormulaAndKeepsTheToolsShown) {
    sheetContent().setFormula(U"A2", U"=\"Ｗ\"&\"２\"", U"Ｗ２");
    convert(false);
    driver.click(b().SpeedButton7);
    EXPECT_EQ(sheetContent().formula(U"A2"), U"=\"Ｗ\"&\"２\"");
    EXPECT_EQ(sheetContent().value(U"A1"), U"AB1");
    EXPECT_THAT(utf8(b().ComboBox4.items()), ElementsAre("A2")) << "the formula still shows full-width text";
    EXPECT_TRUE(b().ComboBox4.visible());
    EXPECT_TRUE(b().SpeedButton7.visible());
}

TEST_F(BlueFullWidth, AFailingSpreadsheetLeavesTheLinesAndTheToolsAndSaysSo) {
    convert();
    driver.click(b().SpeedButton3);
    const std::vector<std::string> before = listLines();

    spreadsheet.failOperation("Range.setTexts");
    driver.click(b().SpeedButton7);
    driver.expectMessage(HostBusy);
    EXPECT_EQ(listLines(), before);
    EXPECT_EQ(b().conversionState().buffer[0].text, U"ＡＢ１");
    EXPECT_TRUE(b().ComboBox4.visible());
    EXPECT_TRUE(b().SpeedButton7.visible());

    driver.clearMessages();
    spreadsheet.clearFailures();
    spreadsheet.failOperation("Range.values");
    driver.click(b().SpeedButton3);
    driver.expectMessage(HostBusy);
    EXPECT_TRUE(b().SpeedButton3.visible()) << "a search that could not read is no all-clear";
    EXPECT_TRUE(b().conversionState().settingFullWidth[0]);

    driver.clearMessages();
    spreadsheet.clearFailures();
    driver.click(b().SpeedButton7);
    driver.expectNoMessage();
    EXPECT_EQ(listLines()[0], "AB1|1|");
    EXPECT_FALSE(b().SpeedButton7.visible());
}

TEST_F(BlueFullWidth, ToolsWithoutRememberedRangesAskForInput) {
    convert();
    b().conversionState().scanRanges[0].endRow.clear();
    for (ui::SpeedButton* tool : {&b().SpeedButton3, &b().SpeedButton7}) {
        driver.clearMessages();
        driver.click(*tool);
        driver.expectMessage(U"未入力箇所があります");
    }
    EXPECT_EQ(sheetContent().value(U"A1"), U"ＡＢ１");
    EXPECT_TRUE(b().SpeedButton7.visible());
}

TEST_F(BlueFullWidth, ChoosingAResultSelectsItsCellAndBringsTheSpreadsheetForward) {
    convert();
    driver.click(b().SpeedButton3);
    windows.clearRecord();
    driver.choose(b().ComboBox4, 1);
    driver.expectNoMessage();
    EXPECT_EQ(sheetContent().activeCell(), (platform::CellRef{5, 1}));
    EXPECT_TRUE(orange().coupling().state().blueBoxSelection);
    EXPECT_THAT(windows.foregroundRequests(), ElementsAre(platform::WindowId{1U}));

    // The remark names no cell; a busy spreadsheet refuses the selection.
    b().ComboBox4.setItems({U"A1", U"備考欄"});
    driver.choose(b().ComboBox4, 1);
    driver.expectMessage(HostBusy);
    driver.clearMessages();
    spreadsheet.failOperation("Range.select");
    driver.choose(b().ComboBox4, 0);
    driver.expectMessage(HostBusy);
}

} // namespace
} // namespace lumitag::app::test
