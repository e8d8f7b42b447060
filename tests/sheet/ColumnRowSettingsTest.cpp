// The column/row settings window (列幅・行高さ・印刷補正設定) on the in-memory spreadsheet.
#include "app/TForm5.h"
#include "sheet/ColumnRowSizes.h"
#include "sheet/SheetLinkFixture.h"

namespace lumitag::sheet::test {
namespace {

using platform::FakeSheetContent;

class ColumnRowSettingsTest : public SheetLinkTest {
protected:
    ColumnRowSettingsTest() {
        newWorkbook();
        dialogs.clearTranscript();
        driver.rightClick(w().Panel2);
        driver.chooseMenuItem(w().N24);
    }

    app::TForm5& f() { return *program.columnSettingsWindow(); }
    FakeSheetContent& sheet() { return spreadsheet.sheet(U"Book1", U"Sheet1"); }
    // Types into an empty box the way a person does: click, then the keys.
    void typeInto(ui::Edit& box, TextView text) {
        driver.click(box);
        box.clear();
        driver.type(text);
    }
};

TEST_F(ColumnRowSettingsTest, ShowsOnTopRightOfTheScreenAndDisablesTheOrangeWindowUntilClosed) {
    ASSERT_TRUE(f().visible());
    EXPECT_EQ(f().bounds(), (ui::Rect{1366 - 500, 360, 456, 234}));
    EXPECT_EQ(f().caption(), U"列幅・行高さ・印刷補正設定");
    EXPECT_TRUE(f().stayOnTop());
    EXPECT_FALSE(f().systemButtons());
    EXPECT_TRUE(f().active());
    EXPECT_FALSE(w().enabled());
    EXPECT_TRUE(f().RadioButton1.checked());
    EXPECT_TRUE(f().RadioButton3.checked());

    // The orange window takes no click while the settings show.
    w().Edit3.setText(U"keep");
    driver.click(w().Button8); // クリア
    EXPECT_EQ(w().Edit3.text(), U"keep");

    driver.click(f().Button3); // 閉じる
    EXPECT_FALSE(f().visible());
    EXPECT_TRUE(w().enabled());
    EXPECT_TRUE(w().active());
    EXPECT_EQ(app.focusedControl(), &w().Edit3);
}

TEST_F(ColumnRowSettingsTest, ColumnWidthsInMillimetresThroughTheEnterChain) {
    typeInto(f().Edit3, U"A:F,G,I,K,M:P");
    driver.press("Enter");
    EXPECT_EQ(app.focusedControl(), &f().Edit1);
    driver.click(f().RadioButton2); // mm
    typeInto(f().Edit1, U"20");
    driver.press("Enter");
    EXPECT_EQ(dialogs.messageCount(), 0u);
    for (int column = 1; column <= 16; ++column) {
        const bool listed = column <= 7 || column == 9 || column == 11 || column >= 13;
        EXPECT_DOUBLE_EQ(sheet().columnWidth(column),
                         listed ? columnWidthFromMillimetres(20) : FakeSheetContent::kStandardColumnWidth)
            << column;
    }
    EXPECT_NEAR(sheet().columnWidth(1), 9.607, 1e-3);
    EXPECT_EQ(sheet().columnWidth(17), FakeSheetContent::kStandardColumnWidth);
    EXPECT_EQ(app.focusedControl(), &f().Edit1);
    EXPECT_EQ(f().Edit1.selText(), U"20");
    EXPECT_EQ(app.cursor(), ui::Cursor::Default);
}

TEST_F(ColumnRowSettingsTest, RowHeightsInPointsAndMillimetres) {
    typeInto(f().Edit4, U"1:15,17,19,21,23:30");
    driver.press("Enter");
    EXPECT_EQ(app.focusedControl(), &f().Edit2);
    typeInto(f().Edit2, U"24.75");
    driver.press("Enter");
    for (int row = 1; row <= 31; ++row) {
        const bool listed = row <= 15 || row == 17 || row == 19 || row == 21 || (row >= 23 && row <= 30);
        EXPECT_EQ(sheet().rowHeight(row), listed ? 24.75 : FakeSheetContent::kStandardRowHeight) << row;
    }

    f().Edit4.setText(U"2");
    f().Edit2.setText(U"10");
    driver.click(f().RadioButton4); // mm
    driver.click(f().Button2);
    EXPECT_NEAR(sheet().rowHeight(2), 28.346, 1e-3) << "10 mm print 10 mm high";
}

TEST_F(ColumnRowSettingsTest, BadListsAndSizesShowTheBusyMessageAndSetNothing) {
    const struct {
        const char32_t* list;
        const char32_t* size;
    } columns[] = {
        {U"A,,C", U"12"}, {U"A:C,", U"12"}, {U",A", U"12"},   {U"A:C,DA", U"12"}, {U"A::C", U"12"},
        {U"A C", U"12"},  {U"Ａ", U"12"},   {U"A", U"1.2.3"}, {U"A", U"."},       {U"A,B:", U"12"},
    };
    for (const auto& c : columns) {
        SCOPED_TRACE(platform::toUtf8(c.list) + " / " + platform::toUtf8(c.size));
        dialogs.clearTranscript();
        f().Edit3.setText(c.list);
        f().Edit1.setText(c.size);
        driver.click(f().Button1);
        driver.expectMessage(HostBusyMessage);
        EXPECT_EQ(sheet().columnWidth(1), FakeSheetContent::kStandardColumnWidth);
    }
    const char32_t* rows[] = {U"0", U"1,0", U"3:-1", U"1:1048577", U"１", U"1 ,2", U"1,,2", U"1:"};
    for (const char32_t* list : rows) {
        SCOPED_TRACE(platform::toUtf8(list));
        dialogs.clearTranscript();
        f().Edit4.setText(list);
        f().Edit2.setText(U"30");
        driver.click(f().Button2);
        driver.expectMessage(HostBusyMessage);
        EXPECT_EQ(sheet().rowHeight(1), FakeSheetContent::kStandardRowHeight);
    }
    // A backwards range is no mistake: it covers nothing.
    dialogs.clearTranscript();
    f().Edit3.setText(U"E:C");
    f().Edit1.setText(U"12");
    driver.click(f().Button1);
    EXPECT_EQ(dialogs.messageCount(), 0u);
    for (int column = 1; column <= 6; ++column)
        EXPECT_EQ(sheet().columnWidth(column), FakeSheetContent::kStandardColumnWidth);
}

TEST_F(ColumnRowSettingsTest, BoxesTakeOnlyTheirCharacters) {
    typeInto(f().Edit3, U"a:B, c1;D");
    EXPECT_EQ(f().Edit3.text(), U":B,D");
    typeInto(f().Edit4, U"1:A2, 3-4");
    EXPECT_EQ(f().Edit4.text(), U"1:2,34");
    typeInto(f().Edit1, U"1.5mm,");
    EXPECT_EQ(f().Edit1.text(), U"1.5");
    typeInto(f().Edit5, U"bCD");
    EXPECT_EQ(f().Edit5.text(), U"C");
    typeInto(f().Edit7, U"1.2");
    EXPECT_EQ(f().Edit7.text(), U"12");
}

TEST_F(ColumnRowSettingsTest, EnterWalksThePrintCorrectionBoxesToTheButtonWithoutPressingIt) {
    const std::pair<ui::Edit*, const char32_t*> chain[] = {
        {&f().Edit5, U"B"}, {&f().Edit6, U"C"}, {&f().Edit9, U"100"},  {&f().Edit10, U"110"},
        {&f().Edit7, U"1"}, {&f().Edit8, U"2"}, {&f().Edit11, U"100"}, {&f().Edit12, U"95"},
    };
    driver.click(f().Edit5);
    for (const auto& [box, text] : chain) {
        ASSERT_EQ(app.focusedControl(), box) << box->name();
        driver.type(text);
        driver.press("Enter");
    }
    EXPECT_EQ(app.focusedControl(), &f().Button4);
    EXPECT_EQ(f().Edit10.text(), U"110") << "not pressed";

    // An empty box keeps the focus.
    f().Edit9.clear();
    driver.click(f().Edit9);
    driver.press("Enter");
    EXPECT_EQ(app.focusedControl(), &f().Edit9);
}

TEST_F(ColumnRowSettingsTest, PrintCorrectionScalesTheRangesAndEmptiesTheMeasuredBoxes) {
    sheet().setColumnWidth(2, 10);
    sheet().setColumnWidth(3, 20);
    sheet().setRowHeight(1, 20);
    f().Edit5.setText(U"B");
    f().Edit6.setText(U"C");
    f().Edit9.setText(U"100");
    f().Edit10.setText(U"110");
    f().Edit7.setText(U"1");
    f().Edit8.setText(U"2");
    f().Edit11.setText(U"100");
    f().Edit12.setText(U"95");
    driver.click(f().Button4);
    EXPECT_EQ(dialogs.messageCount(), 0u);
    EXPECT_DOUBLE_EQ(sheet().columnWidth(2), 9);
    EXPECT_DOUBLE_EQ(sheet().columnWidth(3), 18);
    EXPECT_EQ(sheet().columnWidth(4), FakeSheetContent::kStandardColumnWidth);
    EXPECT_DOUBLE_EQ(sheet().rowHeight(1), 21);
    EXPECT_DOUBLE_EQ(sheet().rowHeight(2), FakeSheetContent::kStandardRowHeight * 1.05);
    EXPECT_EQ(f().Edit10.text(), U"");
    EXPECT_EQ(f().Edit12.text(), U"");
    EXPECT_EQ(f().Edit9.text(), U"100");
    EXPECT_EQ(f().Edit11.text(), U"100");

    // A measured length equal to the target changes nothing.
    f().Edit10.setText(U"100");
    driver.click(f().Button4);
    EXPECT_DOUBLE_EQ(sheet().columnWidth(2), 9);
}

TEST_F(ColumnRowSettingsTest, BadCorrectionValuesChangeNoSizeAndKeepTheMeasuredBoxes) {
    const struct {
        const char32_t* target;
        const char32_t* measured;
    } cases[] = {{U"0", U"100"}, {U"100", U"200"}, {U"100", U"250"}, {U"1..0", U"100"}, {U"100", U"."}};
    for (const auto& c : cases) {
        SCOPED_TRACE(platform::toUtf8(c.target) + " / " + platform::toUtf8(c.measured));
        dialogs.clearTranscript();
        f().Edit5.setText(U"A");
        f().Edit6.setText(U"C");
        f().Edit9.setText(c.target);
        f().Edit10.setText(c.measured);
        // A good row group does not run beside a bad column group.
        f().Edit7.setText(U"1");
        f().Edit8.setText(U"3");
        f().Edit11.setText(U"100");
        f().Edit12.setText(U"110");
        driver.click(f().Button4);
        driver.expectMessage(HostBusyMessage);
        EXPECT_EQ(f().Edit10.text(), c.measured);
        EXPECT_EQ(f().Edit12.text(), U"110");
        EXPECT_EQ(sheet().columnWidth(1), FakeSheetContent::kStandardColumnWidth);
        EXPECT_EQ(sheet().rowHeight(1), FakeSheetContent::kStandardRowHeight);
    }
}

TEST_F(ColumnRowSettingsTest, AHostFailureHalfWayKeepsWhatWasSet) {
    f().Edit3.setText(U"A,B");
    f().Edit1.setText(U"15");
    spreadsheet.failOperation("Worksheet.range");
    driver.click(f().Button1);
    driver.expectMessage(HostBusyMessage);
    EXPECT_EQ(app.focusedControl(), &f().Edit1);
    spreadsheet.clearFailures();
}

TEST_F(ColumnRowSettingsTest, NothingHappensWithoutTheBoxesOrTheSpreadsheet) {
    f().Edit3.setText(U"A");
    driver.click(f().Button1); // no width
    f().Edit2.setText(U"20");
    driver.click(f().Button2); // no rows
    f().Edit5.setText(U"A");
    f().Edit6.setText(U"B");
    f().Edit9.setText(U"100");
    f().Edit10.setText(U"110");
    spreadsheet.userSetsVisible(false);
    driver.click(f().Button4);
    EXPECT_EQ(dialogs.messageCount(), 0u);
    EXPECT_EQ(sheet().columnWidth(1), FakeSheetContent::kStandardColumnWidth);
    EXPECT_EQ(f().Edit10.text(), U"110");
}

TEST_F(ColumnRowSettingsTest, ClearEmptiesEveryBoxAndResetsTheUnits) {
    for (ui::Edit* box : {&f().Edit1, &f().Edit2, &f().Edit3, &f().Edit4, &f().Edit5, &f().Edit6, &f().Edit7,
                          &f().Edit8, &f().Edit9, &f().Edit10, &f().Edit11, &f().Edit12})
        box->setText(U"1");
    driver.click(f().RadioButton2);
    driver.click(f().RadioButton4);
    driver.click(f().Button5);
    for (ui::Edit* box : {&f().Edit1, &f().Edit2, &f().Edit3, &f().Edit4, &f().Edit5, &f().Edit6, &f().Edit7,
                          &f().Edit8, &f().Edit9, &f().Edit10, &f().Edit11, &f().Edit12})
        EXPECT_EQ(box->text(), U"") << box->name();
    EXPECT_TRUE(f().RadioButton1.checked());
    EXPECT_TRUE(f().RadioButton3.checked());
}

} // namespace
} // namespace lumitag::sheet::test
