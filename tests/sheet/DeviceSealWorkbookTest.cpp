// エクセル　フォーマット > デバイスシール（IDEC） BNM-D1 on the in-memory spreadsheet.
#include "platform/spreadsheet/fake/FakeWorksheet.h"
#include "sheet/ColumnRowSizes.h"
#include "sheet/DeviceSealLayout.h"
#include "sheet/SheetLinkFixture.h"

namespace lumitag::sheet::test {
namespace {

using platform::FakeSheetContent;

class DeviceSealWorkbookTest : public SheetLinkTest {
protected:
    // エクセル　フォーマット waits for a workbook of the program's.
    DeviceSealWorkbookTest() {
        newWorkbook();
        dialogs.clearTranscript();
    }
    // The spreadsheet panel's menu, エクセル　フォーマット, デバイスシール（IDEC） BNM-D1.
    void createDeviceSealWorkbook() {
        driver.rightClick(w().Panel2);
        driver.chooseMenuItem(w().N21);
        driver.chooseMenuItem(w().N22);
    }
};

TEST_F(DeviceSealWorkbookTest, LaysOutANewWorkbookForTheSealSheet) {
    createDeviceSealWorkbook();
    driver.expectMessage(DeviceSealNotice, platform::Buttons::Ok);
    EXPECT_EQ(dialogs.messageCount(), 1u);
    ASSERT_EQ(spreadsheet.openWorkbookNames(), (std::vector<Text>{U"Book1", U"Book2"}));
    const FakeSheetContent& sheet = spreadsheet.sheet(U"Book2", U"Sheet1");
    EXPECT_EQ(spreadsheet.sheet(U"Book1", U"Sheet1").columnWidth(1), FakeSheetContent::kStandardColumnWidth);

    const platform::CellFormat format = sheet.format(U"Z100");
    EXPECT_EQ(format.horizontal, platform::HorizontalAlignment::Center);
    EXPECT_EQ(format.vertical, platform::VerticalAlignment::Center);
    EXPECT_TRUE(format.wrapText);
    EXPECT_EQ(format.fontName, U"ＭＳ Ｐゴシック");
    EXPECT_EQ(format.fontSize, 10);
    EXPECT_EQ(format.numberFormat, U"@");
    EXPECT_EQ(sheet.pageMargins(), (platform::PageMargins{200.0 / 7, 100.0 / 7, 200.0 / 7, 300.0 / 7}));

    EXPECT_DOUBLE_EQ(sheet.columnWidth(1), columnWidthFromMillimetres(16));
    for (int column = 2; column <= 8; ++column)
        EXPECT_EQ(sheet.columnWidth(column), 12) << column;
    EXPECT_EQ(sheet.columnWidth(9), FakeSheetContent::kStandardColumnWidth);

    EXPECT_NEAR(sheet.rowHeight(1), 51.0236, 1e-4); // 18 mm
    std::map<platform::CellRef, Text> numbers;
    for (int row = 2; row <= 43; ++row) {
        EXPECT_EQ(sheet.rowHeight(row), row % 2 == 0 ? 12.5 : 24.75) << row;
        if (row % 2 == 1)
            numbers[{row, 1}] = numberText((45 - row) / 2);
    }
    EXPECT_EQ(sheet.rowHeight(44), FakeSheetContent::kStandardRowHeight);
    EXPECT_EQ(sheet.values(), numbers);
    EXPECT_EQ(sheet.value(U"A3"), U"21");
    EXPECT_EQ(sheet.value(U"A43"), U"1");
    EXPECT_EQ(sheet.selection(), (platform::CellArea{{1, 1}, {1, 1}}));

    EXPECT_EQ(w().ComboBox1.text(), U"Sheet1");
    EXPECT_EQ(w().Edit14.text(), U"A");
    EXPECT_EQ(w().Edit15.text(), U"1");
    EXPECT_TRUE(link().workbookAttached());
    EXPECT_TRUE(w().N21.enabled());
    EXPECT_TRUE(w().N24.enabled());
    EXPECT_EQ(app.cursor(), ui::Cursor::Default);
}

TEST_F(DeviceSealWorkbookTest, AListWithLinesEnablesReverseTransfer) {
    w().gyak1.setEnabled(false);
    w().list().setCell(1, 1, U"W1");
    w().list().updateNextFreeRow();
    createDeviceSealWorkbook();
    EXPECT_TRUE(w().gyak1.enabled());
}

TEST_F(DeviceSealWorkbookTest, NoWorkbookMeansTheBusyMessageAndNothingLaidOut) {
    spreadsheet.failOperation("Application.addWorkbook");
    createDeviceSealWorkbook();
    driver.expectMessage(HostBusyMessage);
    EXPECT_EQ(spreadsheet.openWorkbookNames(), std::vector<Text>{U"Book1"});
    EXPECT_EQ(spreadsheet.sheet(U"Book1", U"Sheet1").columnWidth(2), FakeSheetContent::kStandardColumnWidth);
}

TEST_F(DeviceSealWorkbookTest, ARefusedSheetOfTheNewWorkbookLeavesTheLinkOnTheWorkbookBefore) {
    spreadsheet.failCall("Workbook.worksheet", 0, platform::FakeSpreadsheetHost::CallFailure::Refused);
    createDeviceSealWorkbook();
    driver.expectMessage(HostBusyMessage);
    // Workbook and sheet stay one pair, not the new workbook with the sheet
    // of the one before.
    EXPECT_EQ(link().workbook()->name(), U"Book1");
    const auto* sheet = dynamic_cast<const platform::FakeWorksheet*>(link().worksheet().get());
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->workbookContent(), &spreadsheet.workbook(U"Book1"));
}

TEST_F(DeviceSealWorkbookTest, ARefusalDuringTheLayoutKeepsWhatWasSetWithoutAMessage) {
    spreadsheet.failOperation("Range.setValue");
    createDeviceSealWorkbook();
    EXPECT_EQ(dialogs.messageCount(), 1u) << "the notice only";
    const FakeSheetContent& sheet = spreadsheet.sheet(U"Book2", U"Sheet1");
    EXPECT_EQ(sheet.columnWidth(2), 12);
    EXPECT_EQ(sheet.rowHeight(2), 12.5);
    EXPECT_EQ(sheet.rowHeight(3), 24.75) << "the height comes before the number";
    EXPECT_EQ(sheet.rowHeight(4), FakeSheetContent::kStandardRowHeight);
    EXPECT_TRUE(link().workbookAttached());
    EXPECT_EQ(app.cursor(), ui::Cursor::Default);
}

} // namespace
} // namespace lumitag::sheet::test
