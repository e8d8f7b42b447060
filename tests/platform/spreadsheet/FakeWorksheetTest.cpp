#include "platform/fake/FakeClipboard.h"
#include "platform/spreadsheet/fake/FakeSpreadsheetHost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lumitag::platform {
namespace {

using ::testing::ElementsAre;

// One open workbook "a.xlsx" with the sheets 線番 (active) and 材料.
class FakeWorksheetTest : public ::testing::Test {
protected:
    FakeWorksheetTest() {
        host.userStartsSpreadsheet();
        host.connect();
        host.userCreatesWorkbook(U"a.xlsx", {U"線番", U"材料"});
        sheet = host.activeSheet();
    }

    FakeSheetContent& content() { return host.sheet(U"a.xlsx", U"線番"); }

    FakeClipboard clipboard;
    FakeSpreadsheetHost host{&clipboard};
    std::shared_ptr<Worksheet> sheet;
};

TEST_F(FakeWorksheetTest, RenameAcceptsAValidNewName) {
    sheet->setName(U"線番リスト(1)");
    EXPECT_EQ(sheet->name(), U"線番リスト(1)");
    EXPECT_THAT(host.activeWorkbook()->sheetNames(), ElementsAre(U"線番リスト(1)", U"材料"));

    const std::shared_ptr<Worksheet> other = host.activeWorkbook()->worksheet(2);
    other->setName(U"MATERIAL");
    other->setName(U"Material"); // its own name in another case is no duplicate
    EXPECT_EQ(other->name(), U"Material");
    other->setName(Text(31, U'x'));
    EXPECT_EQ(other->name().size(), 31u);
}

TEST_F(FakeWorksheetTest, RenameRefusesForbiddenAndDuplicateNames) {
    host.activeWorkbook()->worksheet(2)->setName(U"Parts");
    const Text refused[] = {U"",    Text(32, U'x'), U"a:b", U"a\\b",  U"a/b",   U"a?b",  U"a*b",
                            U"[a]", U"'a",          U"a'",  U"Parts", U"parts", U"PARTS"};
    for (const Text& name : refused) {
        EXPECT_THROW(sheet->setName(name), SpreadsheetError);
        EXPECT_EQ(sheet->name(), U"線番");
    }
}

TEST_F(FakeWorksheetTest, ValuesAreWrittenAndReadAsText) {
    sheet->range(U"B2", U"C3")->setValue(U"R1");
    sheet->cell(2, 3)->setValue(U"");
    EXPECT_EQ(sheet->cell(2, 2)->value(), U"R1");
    EXPECT_EQ(sheet->cell(2, 3)->value(), U"") << "empty text empties the cell";
    EXPECT_EQ(sheet->cell(3, 3)->value(), U"R1");
    EXPECT_EQ(sheet->range(U"C3", U"A1")->value(), U"") << "a block reads as its top-left cell";
    EXPECT_EQ(sheet->cell(99, 99)->value(), U"");
    EXPECT_EQ(content().values().size(), 3u);
}

TEST_F(FakeWorksheetTest, FormulaCellsShowTheirValueUntilAValueReplacesThem) {
    content().setFormula(U"A1", U"=B1&\"Ａ\"", U"xＡ");
    content().setValue(U"A2", U"=not a formula");
    EXPECT_EQ(sheet->cell(1, 1)->value(), U"xＡ");
    EXPECT_THAT(sheet->range(U"A1", U"B2")->formulas(),
                ElementsAre(ElementsAre(U"=B1&\"Ａ\"", U""), ElementsAre(U"", U"")));

    sheet->range(U"A1", U"A2")->setTexts({{U"1-2"}, {U""}});
    EXPECT_EQ(content().value(U"A1"), U"1-2");
    EXPECT_EQ(content().formula(U"A1"), U"") << "the written text replaced the formula";
    EXPECT_EQ(content().value(U"A2"), U"");
    EXPECT_THROW(sheet->range(U"A1", U"A2")->setTexts({{U"x"}}), SpreadsheetError) << "one row short";
    EXPECT_EQ(content().value(U"A1"), U"1-2") << "a refused write changes nothing";
}

TEST_F(FakeWorksheetTest, ABulkReadEqualsReadingEachCell) {
    content().setValue(U"A1", U"1-A");
    content().setValue(U"C1", U"予備");
    content().setValue(U"B3", U" ");
    content().setValue(U"D4", U"x");
    const std::vector<std::vector<Text>> block = sheet->range(U"A1", U"C4")->values();
    ASSERT_EQ(block.size(), 4u);
    for (int row = 1; row <= 4; ++row) {
        ASSERT_EQ(block[static_cast<std::size_t>(row - 1)].size(), 3u);
        for (int column = 1; column <= 3; ++column) {
            EXPECT_EQ(block[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)],
                      sheet->cell(row, column)->value())
                << row << "," << column;
        }
    }
    EXPECT_EQ(block[0][2], U"予備");
}

TEST_F(FakeWorksheetTest, CellsOffTheSheetAndBadAddressesFail) {
    EXPECT_THROW(sheet->cell(0, 1), SpreadsheetError);
    EXPECT_THROW(sheet->cell(1, kMaxColumn + 1), SpreadsheetError);
    EXPECT_THROW(sheet->range(U"B12", U"備考欄"), SpreadsheetError);
    EXPECT_THROW(sheet->range(CellRef{kMaxRow + 1, 1}, CellRef{1, 1}), SpreadsheetError);
    EXPECT_THROW(sheet->rowHidden(0), SpreadsheetError);
    EXPECT_NO_THROW(sheet->range(U"CV1", U"CZ1")) << "columns right of CV exist";
}

TEST_F(FakeWorksheetTest, FormattingTheWholeSheetThenABlock) {
    const std::shared_ptr<Range> all = sheet->allCells();
    all->setHorizontalAlignment(HorizontalAlignment::Center);
    all->setVerticalAlignment(VerticalAlignment::Center);
    all->setWrapText(true);
    all->setFontName(U"IPAPGothic");
    all->setFontSize(10);
    all->setNumberFormatLocal(U"@");
    sheet->range(U"B5", U"B7")->setNumberFormatLocal(U"0.00");

    const CellFormat far = content().format(U"XFD1048576");
    EXPECT_EQ(far.horizontal, HorizontalAlignment::Center);
    EXPECT_EQ(far.vertical, VerticalAlignment::Center);
    EXPECT_TRUE(far.wrapText);
    EXPECT_EQ(far.fontName, U"IPAPGothic");
    EXPECT_EQ(far.fontSize, 10);
    EXPECT_EQ(far.numberFormat, U"@");
    EXPECT_EQ(content().format(U"B6").numberFormat, U"0.00");
    EXPECT_EQ(content().format(U"B6").fontSize, 10) << "other attributes of the block stay";
    EXPECT_EQ(content().format(U"B8").numberFormat, U"@");

    all->setWrapText(false);
    EXPECT_FALSE(content().format(U"B6").wrapText) << "the whole sheet reaches cells formatted before";
}

TEST_F(FakeWorksheetTest, ColumnWidthsAndRowHeights) {
    EXPECT_EQ(sheet->cell(1, 1)->columnWidth(), FakeSheetContent::kStandardColumnWidth);
    EXPECT_EQ(sheet->cell(1, 1)->rowHeight(), FakeSheetContent::kStandardRowHeight);

    sheet->range(U"B1", U"D1")->setColumnWidth(12);
    sheet->range(U"A2", U"A3")->setRowHeight(24.75);
    EXPECT_EQ(content().columnWidth(1), FakeSheetContent::kStandardColumnWidth);
    EXPECT_EQ(content().columnWidth(2), 12);
    EXPECT_EQ(content().columnWidth(4), 12);
    EXPECT_EQ(sheet->range(U"C9", U"E9")->columnWidth(), 12);
    EXPECT_EQ(content().rowHeight(3), 24.75);
    EXPECT_EQ(sheet->range(U"Z2", U"Z9")->rowHeight(), 24.75) << "a block reads its first row";

    // The spreadsheet refuses sizes out of its limits and keeps the old ones.
    EXPECT_THROW(sheet->cell(1, 2)->setColumnWidth(-0.5), SpreadsheetError);
    EXPECT_THROW(sheet->cell(1, 2)->setColumnWidth(256), SpreadsheetError);
    EXPECT_THROW(sheet->cell(2, 1)->setRowHeight(410), SpreadsheetError);
    EXPECT_EQ(content().columnWidth(2), 12);
    EXPECT_EQ(content().rowHeight(2), 24.75);
}

TEST_F(FakeWorksheetTest, HiddenRows) {
    sheet->setRowHidden(7, true);
    EXPECT_TRUE(sheet->rowHidden(7));
    EXPECT_TRUE(sheet->cell(7, 40)->entireRowHidden());
    EXPECT_FALSE(sheet->range(U"A6", U"A7")->entireRowHidden()) << "one shown row makes the block shown";

    sheet->range(U"C8", U"C9")->setEntireRowHidden(true);
    EXPECT_TRUE(sheet->range(U"A7", U"A9")->entireRowHidden());
    sheet->cell(8, 1)->setEntireRowHidden(false);
    EXPECT_THAT(content().hiddenRows(), ElementsAre(7, 9));
}

TEST_F(FakeWorksheetTest, HiddenRowsOfARangeInOneCall) {
    for (const int row : {3, 4, 5, 9, 12, 13})
        content().setRowHidden(row, true);
    EXPECT_THAT(sheet->hiddenRows(1, 20), ElementsAre(RowSpan{3, 5}, RowSpan{9, 9}, RowSpan{12, 13}));
    EXPECT_THAT(sheet->hiddenRows(4, 12), ElementsAre(RowSpan{4, 5}, RowSpan{9, 9}, RowSpan{12, 12}))
        << "spans are cut at the ends of the range";
    EXPECT_TRUE(sheet->hiddenRows(6, 8).empty());
    EXPECT_TRUE(sheet->hiddenRows(9, 8).empty()) << "no rows when the last is before the first";
    EXPECT_THAT(sheet->hiddenRows(kMaxRow, kMaxRow), ElementsAre());
    EXPECT_THROW(sheet->hiddenRows(0, 5), SpreadsheetError);
    EXPECT_THROW(sheet->hiddenRows(1, kMaxRow + 1), SpreadsheetError);
}

TEST_F(FakeWorksheetTest, InsertShiftsTheCellsOfItsColumnsDown) {
    for (int row = 4; row <= 6; ++row) {
        for (int column = 1; column <= 4; ++column) {
            content().setValue({row, column}, Text(1, static_cast<char32_t>(U'a' + column - 1)) +
                                                  Text(1, static_cast<char32_t>(U'0' + row)));
        }
    }
    content().setRowHidden(6, true);
    content().setRowHeight(6, 30);
    sheet->range(U"B5", U"C5")->setNumberFormatLocal(U"@");

    sheet->range(U"B5", U"C6")->insertShiftDown();

    // Columns B and C from row 5 moved two rows down; A and D did not move.
    EXPECT_EQ(content().value(U"B4"), U"b4");
    EXPECT_EQ(content().value(U"B5"), U"");
    EXPECT_EQ(content().value(U"C6"), U"");
    EXPECT_EQ(content().value(U"B7"), U"b5");
    EXPECT_EQ(content().value(U"C8"), U"c6");
    EXPECT_EQ(content().value(U"A5"), U"a5");
    EXPECT_EQ(content().value(U"D6"), U"d6");
    EXPECT_EQ(content().value(U"A7"), U"");
    // Cell formats travel with their cells; the row's height and hidden state stay with the row.
    EXPECT_EQ(content().format(U"B7").numberFormat, U"@");
    EXPECT_NE(content().format(U"B5").numberFormat, U"@");
    EXPECT_TRUE(content().rowHidden(6));
    EXPECT_FALSE(content().rowHidden(8));
    EXPECT_EQ(content().rowHeight(6), 30);
}

TEST_F(FakeWorksheetTest, InsertRefusesToPushCellsOffTheSheet) {
    content().setValue({kMaxRow, 2}, U"last");
    EXPECT_THROW(sheet->range(U"B10", U"B10")->insertShiftDown(), SpreadsheetError);
    EXPECT_EQ(content().value({kMaxRow, 2}), U"last");
    EXPECT_NO_THROW(sheet->range(U"C10", U"C10")->insertShiftDown()) << "other columns are free";
}

TEST_F(FakeWorksheetTest, PasteSpreadsTheClipboardTextFromTheDestination) {
    clipboard.setText(U"1-A\t2\t\r\n2-A\t3\t【1】\r\n");
    sheet->paste(*sheet->range(U"B5", U"B5"));
    EXPECT_EQ(content().value(U"B5"), U"1-A");
    EXPECT_EQ(content().value(U"C5"), U"2");
    EXPECT_EQ(content().value(U"D5"), U"");
    EXPECT_EQ(content().value(U"D6"), U"【1】");
    EXPECT_EQ(content().value(U"B7"), U"") << "the final line break starts no row";

    clipboard.clear();
    EXPECT_THROW(sheet->paste(*sheet->cell(9, 1)), SpreadsheetError);
}

TEST_F(FakeWorksheetTest, SelectingWorksOnlyOnTheActiveSheet) {
    sheet->range(U"B5", U"B9")->select();
    EXPECT_EQ(host.activeCell(), (CellRef{5, 2}));
    EXPECT_EQ(host.selectedRows(), (SelectedRows{5, 5}));

    // Activating a cell inside the selection keeps the selection.
    sheet->cell(7, 2)->activate();
    EXPECT_EQ(host.activeCell(), (CellRef{7, 2}));
    EXPECT_EQ(host.selectedRows(), (SelectedRows{5, 5}));
    // Outside it, the cell becomes the selection.
    sheet->cell(11, 2)->activate();
    EXPECT_EQ(host.selectedRows(), (SelectedRows{11, 1}));

    const std::shared_ptr<Worksheet> other = host.activeWorkbook()->worksheet(U"材料");
    EXPECT_THROW(other->cell(1, 1)->select(), SpreadsheetError);
    other->activate();
    EXPECT_NO_THROW(other->cell(1, 1)->select());
    EXPECT_THROW(sheet->cell(1, 1)->select(), SpreadsheetError);
}

TEST_F(FakeWorksheetTest, ActivatingASheetOfAnotherWorkbookActivatesThatWorkbook) {
    host.addWorkbook();
    EXPECT_THROW(sheet->cell(1, 1)->select(), SpreadsheetError);
    sheet->activate();
    EXPECT_EQ(host.activeWorkbook()->name(), U"a.xlsx");
    EXPECT_EQ(host.activeSheet()->name(), U"線番");
}

TEST_F(FakeWorksheetTest, PageMargins) {
    sheet->setPageMargins({200.0 / 7, 100.0 / 7, 200.0 / 7, 300.0 / 7});
    EXPECT_EQ(content().pageMargins(), (PageMargins{200.0 / 7, 100.0 / 7, 200.0 / 7, 300.0 / 7}));
}

TEST_F(FakeWorksheetTest, HandlesFailOnceTheirWorkbookIsClosed) {
    const std::shared_ptr<Range> cell = sheet->cell(1, 1);
    host.activeWorkbook()->close();
    EXPECT_THROW(sheet->name(), SpreadsheetError);
    EXPECT_THROW(cell->setValue(U"x"), SpreadsheetError);
    EXPECT_EQ(cell->area(), (CellArea{{1, 1}, {1, 1}})) << "the area alone never fails";
}

} // namespace
} // namespace lumitag::platform
