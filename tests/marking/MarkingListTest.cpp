#include "ListWindow.h"

namespace lumitag::marking::test {
namespace {

using ui::GridRect;

constexpr ui::Color White{255, 255, 255};
constexpr ui::Color Yellowish{255, 255, 202};
constexpr ui::Color Selected{221, 244, 247};

ui::Point cellCentre(const ui::StringGrid& grid, int col, int row) {
    const ui::Rect rect = *grid.cellRect(col, row);
    return {rect.left + rect.width / 2, rect.top + rect.height / 2};
}

TEST_F(ListTest, StartsAsAnEmptyOneBoxListWithRowNumbers) {
    EXPECT_EQ(grid.rowCount(), 1001);
    EXPECT_EQ(grid.colCount(), 4);
    EXPECT_EQ(grid.cell(0, 1), U"1");
    EXPECT_EQ(grid.cell(0, 1000), U"1000");
    EXPECT_EQ(grid.cell(1, 0), U"\u3000\u3000  \u3000マーキングデータ");
    EXPECT_EQ(grid.colWidth(0), 35);
    EXPECT_EQ(grid.colWidth(1), 205);
    EXPECT_EQ(grid.defaultRowHeight(), 19);
    EXPECT_FALSE(grid.tabStop());
    EXPECT_FALSE(list.editing());
    EXPECT_EQ(list.nextFreeRow(), 1);
    EXPECT_FALSE(list.fullWidth());
    EXPECT_EQ(window.Timer1.interval(), ui::Milliseconds{100});
    EXPECT_TRUE(grid.hint().starts_with(U"１０００行表示でき、右クリックでメニューがでます\r\n"));
    // The header and the row numbers are what the window shows.
    EXPECT_EQ(grid.paintedCell(1, 0)->text(), U"\u3000\u3000  \u3000マーキングデータ");
    EXPECT_EQ(grid.paintedCell(0, 3)->text(), U"3");
}

TEST_F(ListTest, NextFreeRowIsTheRowAfterTheLastTextInColumnsOneToThree) {
    list.updateNextFreeRow();
    EXPECT_EQ(list.nextFreeRow(), 1);
    fillLines(1, 4);
    EXPECT_EQ(list.nextFreeRow(), 5);
    list.setCell(3, 9, U"5");
    list.updateNextFreeRow();
    EXPECT_EQ(list.nextFreeRow(), 10) << "a numbering value alone counts, gaps do not end the list";
    list.clearRow(9);
    list.setBoxMode(BoxMode::ThreeBox, {U"1.25", U"2.0", U"5.5"});
    list.setCell(4, 20, U"3");
    list.updateNextFreeRow();
    EXPECT_EQ(list.nextFreeRow(), 5) << "only columns 1 to 3 are looked at";
    list.setCell(1, 1000, U"last");
    list.updateNextFreeRow();
    EXPECT_EQ(list.nextFreeRow(), 1001);
    EXPECT_EQ(list.lineCount(), 1000);
    list.clearRow(1000);
    EXPECT_EQ(list.cell(0, 1000), U"1000") << "clearing keeps the row number";
}

TEST_F(ListTest, FullWidthFlagIsRecomputedAtPaintFromTheFirstHundredLines) {
    struct Case {
        Text line;
        bool fullWidth;
    };
    const Case cases[] = {{U"【1】A", false}, {U"【1】あ", false}, {U"【1】Aあ", true}, {U"漢字", true}};
    for (const Case& c : cases) {
        list.setCell(1, 1, c.line);
        list.updateNextFreeRow();
        repaint();
        EXPECT_EQ(list.fullWidth(), c.fullWidth);
        EXPECT_EQ(window.SpeedButton51.visible(), c.fullWidth);
        EXPECT_EQ(window.N6.enabled(), !c.fullWidth);
        EXPECT_EQ(window.N9.enabled(), !c.fullWidth);
        driver.idle(); // the colour change repaints the list once more
        EXPECT_EQ(grid.paintedCell(2, 2)->background, c.fullWidth ? Yellowish : White);
    }
}

TEST_F(ListTest, ListFoundLongerByTheRefreshIsPaintedAgainWithItsFlag) {
    // Lines written where the next free row does not yet count them (a paste
    // into an empty list): the paint clears the flag, and the refresh that
    // finds the lines must bring it back without any other repaint.
    list.setCell(1, 2, U"テスト");
    repaint();
    EXPECT_FALSE(list.fullWidth());
    list.updateNextFreeRow();
    driver.idle();
    EXPECT_TRUE(list.fullWidth());
    EXPECT_TRUE(window.SpeedButton51.visible());
}

TEST_F(ListTest, FullWidthTextBelowRowHundredLeavesTheFlagClear) {
    fillLines(1, 100);
    list.setCell(1, 101, U"あ");
    list.updateNextFreeRow();
    list.setFullWidth(true); // as the entry sets it
    repaint();
    EXPECT_FALSE(list.fullWidth());
    EXPECT_FALSE(window.SpeedButton51.visible());
    list.setCell(1, 100, U"い");
    repaint();
    EXPECT_TRUE(list.fullWidth());
}

TEST_F(ListTest, EmptyListClearsTheFlagAndTextModeKeepsTheMarkItemsOff) {
    list.setCell(1, 1, U"あ");
    list.setFullWidth(true);
    repaint();
    EXPECT_FALSE(list.fullWidth()) << "next free row 1: the list counts as empty";

    list.setBoxMode(BoxMode::Text, {});
    window.N6.setEnabled(false);
    window.N9.setEnabled(false);
    list.updateNextFreeRow();
    list.setFullWidth(false);
    repaint();
    EXPECT_TRUE(list.fullWidth());
    list.clearRow(1);
    list.updateNextFreeRow();
    repaint();
    EXPECT_FALSE(list.fullWidth());
    EXPECT_FALSE(window.N6.enabled());
    EXPECT_FALSE(window.N9.enabled());
}

TEST_F(ListTest, NumberingPresentFollowsTheScannedLines) {
    fillLines(1, 3);
    repaint();
    EXPECT_FALSE(list.numberingPresent());
    list.setCell(1, 3, U"【1】-A");
    repaint();
    EXPECT_TRUE(list.numberingPresent());
    list.setCell(1, 3, U"3-A");
    repaint();
    EXPECT_FALSE(list.numberingPresent());
}

TEST_F(ListTest, PaintsSelectedCellsTintedAndTextTwoPixelsIn) {
    fillLines(1, 3);
    list.select({1, 2, 2, 2});
    driver.idle();
    const ui::PaintedCell* selected = grid.paintedCell(2, 2);
    EXPECT_EQ(selected->background, Selected);
    EXPECT_EQ(grid.paintedCell(1, 3)->background, White);
    const ui::PaintedCell* text = grid.paintedCell(1, 3);
    ASSERT_FALSE(text->texts.empty());
    EXPECT_EQ(text->texts.back().text, U"3-A");
    EXPECT_EQ(text->texts.back().position, (ui::Point{text->rect.left + 2, text->rect.top + 2}));
    EXPECT_EQ(text->texts.back().font.color, ui::colors::Black);
}

TEST_F(ListTest, PendingSnapshotIsWrittenOnceAtTheNextPaint) {
    list.setSnapshotPending();
    list.setSelectAllFollowUp();
    repaint();
    EXPECT_EQ(log, (std::vector<std::string>{"write snapshot", "select-all keys"}));
    repaint();
    EXPECT_EQ(log.size(), 2u);
    EXPECT_FALSE(list.snapshotPending());
}

TEST_F(ListTest, RowNumberPressSelectsTheLineAndReleaseLeavesItsText) {
    fillLines(1, 5);
    window.Timer1.start();
    driver.press(grid, ui::MouseButton::Left, cellCentre(grid, 0, 3));
    EXPECT_FALSE(window.Timer1.enabled()) << "any press stops the selection-follows-end timer";
    EXPECT_TRUE(grid.option(ui::GridOption::RowSelect));
    EXPECT_EQ(list.selection().top, 3);
    EXPECT_EQ(list.selection().bottom, 3);
    driver.release(grid, ui::MouseButton::Left, cellCentre(grid, 0, 3));
    EXPECT_FALSE(grid.option(ui::GridOption::RowSelect));
    EXPECT_EQ(list.selection(), (GridRect{1, 3, 1, 3}));

    driver.click(grid, 2, 4);
    EXPECT_EQ(list.selection(), (GridRect{2, 4, 2, 4}));
    EXPECT_FALSE(grid.option(ui::GridOption::RowSelect));
}

TEST_F(ListTest, RightPressSelectsOutsideCellAndPreparesTheMenu) {
    list.select({1, 1, 1, 1});
    driver.rightClick(grid, 1, 4);
    EXPECT_EQ(list.selection(), (GridRect{1, 4, 1, 4}));
    EXPECT_FALSE(window.Del1.enabled()) << "an empty list offers no line commands";
    EXPECT_FALSE(window.Cut1.enabled());
    EXPECT_TRUE(list.contextMenuPending());
    driver.application().closeMenu();

    fillLines(1, 5);
    list.select({1, 2, 2, 3});
    driver.rightClick(grid, 2, 3);
    EXPECT_EQ(list.selection(), (GridRect{1, 2, 2, 3})) << "a cell inside the selection keeps it";
    EXPECT_TRUE(window.Del1.enabled());
    EXPECT_TRUE(window.Ins1.enabled());
    EXPECT_TRUE(window.Copy1.enabled());
    driver.application().closeMenu();

    driver.click(grid, 1, 2);
    EXPECT_FALSE(list.contextMenuPending()) << "a click clears it";
}

TEST_F(ListTest, EditModeCellKeyFiltersFollowTheColumnAndBoxMode) {
    struct Case {
        BoxMode mode;
        int col;
        Text typed;
        Text kept;
    };
    const Case cases[] = {
        {BoxMode::OneBox, 2, U"a1B2", U"12"},   {BoxMode::OneBox, 3, U"A9fF", U"A9F"},
        {BoxMode::OneBox, 1, U"aあ-", U"aあ-"}, {BoxMode::ThreeBox, 2, U"A12", U"12"},
        {BoxMode::ThreeBox, 3, U"A3", U"3"},    {BoxMode::ThreeBox, 4, U"E4", U"4"},
        {BoxMode::ThreeBox, 5, U"E5x", U"E5"},  {BoxMode::Text, 2, U"abc", U"abc"},
    };
    for (const Case& c : cases) {
        list.setBoxMode(c.mode, {U"1.25", U"2.0", U"5.5"});
        list.modes().edit = true;
        grid.setFocus();
        grid.setCurrent(c.col, 7);
        driver.type(c.typed);
        driver.press(ui::Key::Enter);
        EXPECT_EQ(list.cell(c.col, 7), c.kept) << "column " << c.col << " case " << (&c - cases);
        list.setCell(c.col, 7, {});
    }
}

TEST_F(ListTest, CompletedCellEditEnablesUndoAndEndsEditing) {
    fillLines(1, 3);
    window.N26.setEnabled(true);
    list.modes().edit = true;
    grid.setFocus();
    grid.setCurrent(2, 2);
    driver.type(U"7");
    EXPECT_TRUE(grid.editorOpen());
    EXPECT_FALSE(window.Button9.visible()) << "the last entry can no longer be cancelled";
    EXPECT_EQ(list.editorImeMode(), ui::ImeMode::Disabled) << "a count column takes no input method";
    driver.press(ui::Key::Enter);
    EXPECT_EQ(list.cell(2, 2), U"7");
    EXPECT_FALSE(list.editing());
    EXPECT_TRUE(window.N25.enabled());
    EXPECT_FALSE(window.N26.enabled());
    EXPECT_EQ(log.front(), "undo snapshot");
    EXPECT_EQ(log.back(), "write snapshot") << "the next paint writes the pending snapshot";
}

TEST_F(ListTest, DoubleClickOpensTheEditorAndASingleClickOnlySelects) {
    fillLines(1, 3);
    list.modes().edit = true;
    driver.doubleClick(grid, 1, 2);
    EXPECT_TRUE(grid.editorOpen());
    EXPECT_EQ(list.editorImeMode(), ui::ImeMode::DontCare);
    driver.click(grid, 1, 3);
    EXPECT_FALSE(list.editing());
    EXPECT_FALSE(grid.editorOpen());
}

TEST_F(ListTest, HeaderClickInEditModeSelectsTheColumnOfTheLines) {
    fillLines(1, 6);
    list.modes().edit = true;
    driver.click(grid, 2, 0);
    EXPECT_EQ(list.selection(), (GridRect{2, 1, 2, 6}));
}

TEST_F(ListTest, DraggingARowRenumbersAndEnablesUndo) {
    fillLines(1, 6);
    driver.dragRow(grid, 5, 2);
    for (int row = 1; row <= 1000; ++row) {
        const std::string number = std::to_string(row);
        ASSERT_EQ(list.cell(0, row), Text(number.begin(), number.end())) << row;
    }
    EXPECT_EQ(list.lineText(2), U"5-A");
    EXPECT_EQ(list.lineText(3), U"2-A");
    EXPECT_TRUE(window.N25.enabled());
    EXPECT_FALSE(window.Button9.visible());
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0], "undo snapshot");
    EXPECT_EQ(log[1], "write snapshot");
}

TEST_F(ListTest, SelectionFollowsTheEndAndStaysOnRowThousandWhenFull) {
    fillLines(1, 40);
    window.Timer1.start();
    driver.advance(100);
    EXPECT_EQ(list.selection(), (GridRect{1, 41, 1, 41}));
    EXPECT_LE(grid.topRow(), 41);
    EXPECT_GT(grid.topRow() + grid.visibleRowCount(), 41) << "the end of the list is scrolled into view";

    const std::uint64_t revision = app.revision();
    driver.advance(300);
    EXPECT_EQ(app.revision(), revision) << "an unchanged selection changes nothing";
    EXPECT_FALSE(app.needsPaint());

    fillLines(41, 1000);
    driver.advance(100);
    EXPECT_EQ(list.nextFreeRow(), 1001);
    EXPECT_EQ(list.selection(), (GridRect{1, 1000, 1, 1000}));
}

} // namespace
} // namespace lumitag::marking::test
