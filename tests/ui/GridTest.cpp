#include "TestWindow.h"

namespace lumitag::ui::test {
namespace {

using Log = std::vector<std::string>;

// The test grid: columns 35, 150, 40, 60 px wide, rows 19 px high, grid lines of 1 px,
// 210 px high: the header row and 9 list rows fit whole, a tenth shows in part.
class Grid : public UiTest {
protected:
    Grid() {
        for (int row = 1; row <= 1000; ++row)
            form.Grid.setCell(0, row, Text(1, U'0' + row % 10));
        form.Grid.setFocus();
        driver.idle();
    }
    StringGrid& grid = form.Grid;
};

TEST_F(Grid, PixelsMapToCellsFromWidthsRowHeightAndTopRow) {
    struct Case {
        Point point;
        GridCoord cell;
    };
    const Case cases[] = {
        {{0, 0}, {0, 0}},    {{35, 19}, {0, 0}},  {{36, 20}, {1, 1}},
        {{186, 20}, {1, 1}}, {{187, 39}, {2, 1}}, {{228, 40}, {3, 2}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(grid.cellAt(c.point), std::optional<GridCoord>(c.cell)) << c.point.x << "," << c.point.y;
    EXPECT_FALSE(grid.cellAt({290, 50})) << "right of the last column";
    grid.setTopRow(11);
    EXPECT_EQ(grid.cellAt({40, 25}), std::optional<GridCoord>(GridCoord{1, 11}));
    EXPECT_EQ(grid.cellAt({40, 5}), std::optional<GridCoord>(GridCoord{1, 0})) << "the header stays";
    EXPECT_EQ(grid.cellRect(1, 12), std::optional<Rect>(Rect{36, 40, 150, 19}));
    EXPECT_FALSE(grid.cellRect(1, 1)) << "scrolled out of view";
}

TEST_F(Grid, PaintsOnlyTheVisibleCellsOfAThousandRows) {
    int calls = 0;
    grid.onDrawCell = [&](int, int, const Rect&, GridDrawState) { ++calls; };
    grid.invalidate();
    driver.idle();
    EXPECT_EQ(grid.visibleRowCount(), 9);
    EXPECT_EQ(calls, 4 * 11) << "the header, nine whole rows and one partly visible";
    EXPECT_EQ(grid.paintRecord().size(), 44u);
    EXPECT_EQ(grid.paintedCell(0, 10)->text(), U"0");
    EXPECT_EQ(grid.paintedCell(0, 11), nullptr);
}

TEST_F(Grid, DrawCellHandlerDrawsOverTheDefaultAndIsRecorded) {
    grid.setCell(1, 1, U"1-A");
    grid.setSelection({1, 2, 1, 2});
    grid.onDrawCell = [this](int col, int row, const Rect& rect, GridDrawState state) {
        if (state.fixed)
            return;
        CellCanvas& canvas = grid.canvas();
        canvas.brushColor = state.selected ? Color{221, 244, 247} : Color{255, 255, 202};
        canvas.fillRect(rect);
        canvas.font.color = colors::Black;
        canvas.textOut(rect.left + 2, rect.top + 2, grid.cell(col, row));
    };
    driver.idle();
    const PaintedCell* first = grid.paintedCell(1, 1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->background, (Color{255, 255, 202}));
    EXPECT_EQ(first->text(), U"1-A") << "the fill hides the default text, the handler draws it again";
    EXPECT_EQ(first->texts.size(), 1u);
    EXPECT_EQ(grid.paintedCell(1, 2)->background, (Color{221, 244, 247}));
    EXPECT_EQ(grid.paintedCell(0, 0)->background, grid.fixedColor());
}

TEST_F(Grid, ClickSelectsTheCellAndThenRunsClick) {
    grid.onMouseDown = [this](const MouseEvent&) {
        log.push_back("down at row " + std::to_string(grid.row()));
    };
    grid.onClick = [this] { log.push_back("click at row " + std::to_string(grid.row())); };
    grid.onMouseUp = [this](const MouseEvent&) { log.push_back("up"); };
    driver.click(grid, 2, 3);
    EXPECT_EQ(grid.selection(), (GridRect{2, 3, 2, 3}));
    EXPECT_EQ(log, (Log{"down at row 3", "click at row 3", "up"}));
    driver.click(grid, 1, 5, Modifiers::Shift);
    EXPECT_EQ(grid.selection(), (GridRect{1, 3, 2, 5})) << "Shift extends a range";
}

TEST_F(Grid, ClickOnAFixedCellSelectsNothing) {
    grid.setCurrent(1, 4);
    driver.click(grid, 0, 2);
    driver.click(grid, 2, 0);
    EXPECT_EQ(grid.selection(), (GridRect{1, 4, 1, 4}));
}

TEST_F(Grid, SelectCellHandlerCanRefuse) {
    grid.onSelectCell = [](int col, int, bool& canSelect) { canSelect = col != 3; };
    grid.setCurrent(2, 2);
    driver.click(grid, 3, 2);
    EXPECT_EQ(grid.col(), 2);
    driver.press(Key::Right);
    EXPECT_EQ(grid.col(), 2);
}

TEST_F(Grid, ArrowsAndPagingMoveTheSelectionAndScroll) {
    grid.setCurrent(1, 1);
    driver.press(Key::Up);
    EXPECT_EQ(grid.row(), 1) << "fixed rows cannot be selected";
    for (int i = 0; i < 9; ++i)
        driver.press(Key::Down);
    EXPECT_EQ(grid.row(), 10);
    EXPECT_EQ(grid.topRow(), 2) << "the current row scrolled into view";
    driver.press(Key::PageDown);
    EXPECT_EQ(grid.row(), 19);
    driver.press("Ctrl+End");
    EXPECT_EQ(grid.row(), 1000);
    EXPECT_EQ(grid.topRow(), 992);
    driver.press("Shift+Up");
    EXPECT_EQ(grid.selection(), (GridRect{1, 999, 1, 1000}));
    driver.press(Key::PageUp);
    EXPECT_EQ(grid.row(), 990);
}

TEST_F(Grid, WheelMovesTheCurrentRow) {
    grid.setCurrent(1, 5);
    driver.wheel(-1);
    EXPECT_EQ(grid.row(), 6);
    driver.wheel(1);
    driver.wheel(1);
    EXPECT_EQ(grid.row(), 4);
}

TEST_F(Grid, WheelUnusedByTheFocusedControlReachesTheWindow) {
    form.Edit1.setFocus();
    int delta = 0;
    form.onMouseWheel = [&](WheelEvent& e) {
        delta = e.delta;
        e.handled = true;
    };
    driver.wheel(1);
    EXPECT_EQ(delta, 120);
}

TEST_F(Grid, EditingWithF2TypingEnterAndEscape) {
    form.N1.setEnabled(false); // its shortcut would take Esc first
    std::vector<Text> reports;
    grid.onSetEditText = [&](int, int, const Text& text) { reports.push_back(text); };
    grid.setCell(1, 1, U"AB");
    grid.setCurrent(1, 1);
    driver.press(Key::F2);
    EXPECT_FALSE(grid.editorOpen()) << "editing is off";
    grid.setOption(GridOption::Editing, true);
    driver.press(Key::F2);
    ASSERT_TRUE(grid.editorOpen());
    driver.press(Key::End);
    driver.type(U"C");
    EXPECT_EQ(grid.cell(1, 1), U"ABC");
    driver.press(Key::Enter);
    EXPECT_FALSE(grid.editorOpen());
    EXPECT_EQ(reports, (std::vector<Text>{U"ABC", U"ABC"})) << "each change, then the closing report";

    reports.clear();
    driver.type(U"xy");
    EXPECT_TRUE(grid.editorOpen()) << "typing on a cell starts an edit that replaces its text";
    EXPECT_EQ(grid.cell(1, 1), U"xy");
    driver.press(Key::Escape);
    EXPECT_FALSE(grid.editorOpen());
    EXPECT_EQ(grid.cell(1, 1), U"ABC") << "Esc puts the old text back";
    EXPECT_EQ(reports.back(), U"ABC");
}

TEST_F(Grid, KeyPressHandlerFiltersTheEditor) {
    grid.setOption(GridOption::Editing, true);
    grid.setCurrent(2, 1);
    grid.onKeyPress = [this](char32_t& c) {
        if (grid.col() == 2 && !(c >= U'0' && c <= U'9') && c != chars::Backspace && c != chars::Enter)
            c = 0;
    };
    driver.type(U"1a2");
    EXPECT_EQ(grid.cell(2, 1), U"12");
    driver.press(Key::Enter);
    EXPECT_FALSE(grid.editorOpen());
}

TEST_F(Grid, DoubleClickOpensTheEditorWhenEditing) {
    grid.setOption(GridOption::Editing, true);
    grid.onDblClick = note("double click");
    driver.doubleClick(grid, 1, 2);
    EXPECT_TRUE(grid.editorOpen());
    EXPECT_EQ(log, (Log{"double click"}));
    grid.setOption(GridOption::Editing, false);
    EXPECT_FALSE(grid.editorOpen()) << "turning editing off closes the editor";
}

TEST_F(Grid, DraggingARowMovesItAndReports) {
    grid.setOption(GridOption::RowMoving, true);
    for (int row = 1; row <= 5; ++row)
        grid.setCell(1, row, Text(1, U'A' + row - 1));
    std::pair<int, int> moved;
    grid.onRowMoved = [&](int from, int to) { moved = {from, to}; };
    driver.dragRow(grid, 5, 2);
    EXPECT_EQ(moved, std::make_pair(5, 2));
    const Text expected[] = {U"A", U"E", U"B", U"C", U"D"};
    for (int row = 1; row <= 5; ++row)
        EXPECT_EQ(grid.cell(1, row), expected[row - 1]);
}

TEST_F(Grid, ShapeChangesKeepCellsAndClampTheSelection) {
    grid.setCell(1, 999, U"keep");
    grid.setCurrent(1, 1000);
    grid.setRowCount(1000);
    EXPECT_EQ(grid.cell(1, 999), U"keep");
    EXPECT_EQ(grid.row(), 999);
    grid.setRowCount(1005);
    EXPECT_EQ(grid.cell(1, 1004), U"");
    EXPECT_EQ(grid.cell(9, 9999), U"") << "reading outside the grid is harmless";
    grid.setCell(9, 9999, U"ignored");
}

TEST_F(Grid, RowSelectCoversWholeRows) {
    grid.setOption(GridOption::RowSelect, true);
    driver.click(grid, 2, 4);
    EXPECT_EQ(grid.selection(), (GridRect{1, 4, 3, 4}));
}

// --- Popup menus ------------------------------------------------------------------------

TEST_F(Grid, RightClickOpensTheAttachedMenuAfterTheMouseHandlers) {
    grid.setPopupMenu(&form.PopupMenu1);
    grid.onMouseDown = [this](const MouseEvent& e) {
        if (e.button == MouseButton::Right)
            log.push_back("right down");
    };
    form.PopupMenu1.onPopup = note("popup");
    form.N4.onClick = note("undo");
    driver.rightClick(grid, 1, 3);
    EXPECT_TRUE(driver.menuOpen());
    EXPECT_EQ(app.openMenu()->menu, &form.PopupMenu1);
    driver.chooseMenuItem(form.N4);
    EXPECT_FALSE(driver.menuOpen());
    EXPECT_EQ(log, (Log{"right down", "popup", "undo"}));
}

TEST_F(Grid, WindowMenuOpensOnlyWhereNoEditLies) {
    form.setPopupMenu(&form.PopupMenu1);
    driver.rightClick(form.Edit1);
    EXPECT_FALSE(driver.menuOpen());
    driver.rightClick(form.Label1);
    EXPECT_TRUE(driver.menuOpen());
    driver.press(Key::Escape);
    EXPECT_FALSE(driver.menuOpen());
}

TEST_F(Grid, AnItemWithASubMenuOpensItWhereItsMenuWasOpen) {
    PopupMenu layouts{form, "Layouts"};
    MenuItem seal{layouts, "Seal", U"シール"};
    seal.onClick = note("seal");
    form.N4.setSubMenu(&layouts);
    form.N4.onClick = note("N4");
    grid.setPopupMenu(&form.PopupMenu1);
    driver.rightClick(grid, 1, 3);
    const Point where = app.openMenu()->position;
    driver.chooseMenuItem(form.N4);
    ASSERT_TRUE(driver.menuOpen());
    EXPECT_EQ(app.openMenu()->menu, &layouts);
    EXPECT_EQ(app.openMenu()->position, where);
    EXPECT_TRUE(log.empty()) << "choosing the item only opens its sub-menu";
    driver.chooseMenuItem(seal);
    EXPECT_FALSE(driver.menuOpen());
    EXPECT_EQ(log, (Log{"seal"}));

    // A disabled item opens nothing.
    form.N4.setEnabled(false);
    driver.rightClick(grid, 1, 3);
    driver.chooseMenuItem(form.N4);
    EXPECT_FALSE(driver.menuOpen());
    form.N4.setSubMenu(nullptr);
}

TEST_F(Grid, DisabledOrSeparatorItemsDoNothingWhenChosen) {
    grid.setPopupMenu(&form.PopupMenu1);
    form.N1.onClick = note("N1");
    form.N1.setEnabled(false);
    EXPECT_TRUE(form.N3.isSeparator());
    driver.rightClick(grid, 1, 1);
    driver.chooseMenuItem(form.N1);
    form.N1.click();
    EXPECT_TRUE(log.empty());
}

} // namespace
} // namespace lumitag::ui::test
