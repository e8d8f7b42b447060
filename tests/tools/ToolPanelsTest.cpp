#include "marking/OrangeListTest.h"

namespace lumitag::tools {
namespace {

using Texts = std::vector<Text>;

class ToolPanelsTest : public marking::test::OrangeListTest {
protected:
    EditToolPanel& editTools() { return w().editTools(); }
    MultiLineToolPanel& markTools() { return w().multiLineTools(); }

    void selectColumn(int col, int top, int bottom) { list().select({col, top, col, bottom}); }
    void typeInto(ui::Edit& box, TextView text) {
        driver.click(box);
        driver.type(text);
    }
    std::vector<bool> toolCancelsEnabled() {
        return {w().SpeedButton33.enabled(), w().SpeedButton35.enabled(), w().SpeedButton37.enabled(),
                w().SpeedButton39.enabled()};
    }
    static std::vector<bool> all(bool enabled) { return std::vector<bool>(4, enabled); }
};

// --- Replace, delete and insert in a selection --------------------------------------------

TEST_F(ToolPanelsTest, ReplaceByKeyboardChangesTheSelectedRowsCountsLinesAndCancelRestores) {
    fill({U"A-A-A", U"A-1", U"B-2", U"A-A"});
    driver.press("F2");
    ASSERT_TRUE(w().Panel8.showing());
    ASSERT_TRUE(editTools().Panel11.showing());
    selectColumn(1, 1, 3);
    w().Button9.show(); // an entry could still be cancelled

    typeInto(editTools().Edit42, U"A");
    driver.press("Enter");
    EXPECT_TRUE(editTools().Edit43.focused());
    driver.type(U"2");
    driver.press("Enter");
    EXPECT_TRUE(editTools().Edit44.focused());
    driver.type(U"B");
    driver.press("Enter");

    driver.expectMessage(U"2箇所：文字(列)の置換が終わりました");
    EXPECT_EQ(lines(), (Texts{U"A-B-A", U"B-1", U"B-2", U"A-A"})) << "row 4 lies outside the selection";
    EXPECT_EQ(toolCancelsEnabled(), all(true));
    EXPECT_FALSE(w().N25.enabled());
    EXPECT_FALSE(w().Button9.visible());

    driver.advance(100);
    driver.click(w().SpeedButton39);
    driver.advance(100);
    EXPECT_EQ(lines(), (Texts{U"A-A-A", U"A-1", U"B-2", U"A-A"}));
    EXPECT_FALSE(w().N25.enabled());
    EXPECT_FALSE(w().N26.enabled()) << "a tool's 取消 leaves redo off";
    EXPECT_EQ(toolCancelsEnabled(), all(false));
}

TEST_F(ToolPanelsTest, PreChecksRefuseWithAMessageAndChangeNothing) {
    fill({U"ABC", U"DEF"});
    driver.press("F2");
    selectColumn(1, 1, 2);
    const Text undoBefore = undo().undoText();
    EditToolPanel& tools = editTools();
    struct Case {
        int tool;
        std::function<void()> arrange;
        ui::SpeedButton& ok;
        Text message;
    };
    const Case cases[] = {
        {0,
         [&] {
             tools.Edit42.setText(U"Z");
             tools.Edit44.setText(U"Y");
         },
         tools.SpeedButton38, U"選択範囲内に置換対象文字(列)がありません"},
        {2, [&] { tools.Edit47.setText(U"Z"); }, tools.SpeedButton34,
         U"選択範囲内に削除対象文字(列)がありません"},
        {1,
         [&] {
             tools.Edit45.setText(U"*");
             tools.Edit50.setText(U"4");
         },
         tools.SpeedButton36, U"選択範囲内に指定文字数目がありません"},
        {1,
         [&] {
             tools.RadioButton14.setChecked(true);
             tools.Edit48.setText(U"Q");
         },
         tools.SpeedButton36, U"選択範囲内にキーワードがありません"},
    };
    for (const Case& c : cases) {
        driver.choose(tools.RadioGroup1, c.tool);
        c.arrange();
        driver.click(c.ok);
        driver.expectMessage(c.message);
        EXPECT_EQ(lines(), (Texts{U"ABC", U"DEF"}));
        EXPECT_EQ(undo().undoText(), undoBefore);
        EXPECT_EQ(toolCancelsEnabled(), all(false));
    }

    // Empty required boxes: nothing at all.
    driver.clearMessages();
    driver.choose(tools.RadioGroup1, 0);
    tools.Edit44.clear();
    driver.click(tools.SpeedButton38);
    driver.expectNoMessage();
}

TEST_F(ToolPanelsTest, ChoosingAToolShowsItsPanelAndCancelButton) {
    fill({U"A"});
    driver.press("F2");
    EditToolPanel& tools = editTools();
    const struct {
        ui::Panel& panel;
        ui::SpeedButton& cancel;
    } panels[] = {{tools.Panel11, w().SpeedButton39},
                  {tools.Panel10, w().SpeedButton37},
                  {tools.Panel9, w().SpeedButton35}};
    for (int chosen = 2; chosen >= 0; --chosen) {
        driver.choose(tools.RadioGroup1, chosen);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(panels[i].panel.showing(), i == chosen) << chosen << " " << i;
            EXPECT_EQ(panels[i].cancel.showing(), i == chosen) << chosen << " " << i;
        }
    }
}

TEST_F(ToolPanelsTest, DeleteAndPositionInsertThroughTheirPanels) {
    fill({U"1-2-3", U"", U"ABC"});
    driver.press("F2");
    selectColumn(1, 1, 3);
    EditToolPanel& tools = editTools();

    driver.choose(tools.RadioGroup1, 2);
    typeInto(tools.Edit47, U"-");
    driver.press("Down");
    EXPECT_TRUE(tools.Edit52.focused());
    driver.type(U"2");
    driver.press("Enter");
    driver.expectMessage(U"1箇所：文字(列)の削除が終わりました");
    EXPECT_EQ(lines(), (Texts{U"1-23", U"", U"ABC"}));

    // An empty position box puts the text at the start of every cell, empty ones too.
    driver.choose(tools.RadioGroup1, 1);
    typeInto(tools.Edit45, U"*");
    driver.press("Enter");
    driver.expectMessage(U"3箇所：文字(列)の挿入が終わりました");
    EXPECT_EQ(lines(), (Texts{U"*1-23", U"*", U"*ABC"}));

    tools.Edit50.setText(U"2");
    driver.click(tools.RadioButton15); // 後に挿入
    driver.click(tools.SpeedButton36);
    EXPECT_EQ(lines(), (Texts{U"*1*-23", U"*", U"*A*BC"})) << "a cell shorter than 2 stays";
}

TEST_F(ToolPanelsTest, KeywordInsertModeSwapsTheBoxesAndInsertsAtTheChosenOccurrence) {
    fill({U"R1R2", U"1R2", U"12"});
    driver.press("F2");
    selectColumn(1, 1, 3);
    EditToolPanel& tools = editTools();
    driver.choose(tools.RadioGroup1, 1);
    typeInto(tools.Edit45, U"-");
    driver.press("Down");
    EXPECT_TRUE(tools.Edit50.focused());

    driver.press("Down"); // to the keyword mode
    EXPECT_TRUE(tools.RadioButton14.checked());
    EXPECT_TRUE(tools.Edit48.focused());
    EXPECT_FALSE(tools.Edit50.visible());
    EXPECT_FALSE(tools.Label49.visible());
    EXPECT_TRUE(tools.Edit53.visible());
    EXPECT_TRUE(tools.Label63.visible());

    driver.type(U"R");
    driver.press("Right");
    EXPECT_TRUE(tools.Edit53.focused());
    driver.type(U"2");
    driver.click(tools.RadioButton15);
    driver.click(tools.Edit53);
    driver.press("Enter");
    driver.expectMessage(U"2箇所：文字(列)の挿入が終わりました");
    EXPECT_EQ(lines(), (Texts{U"R1R-2", U"1R-2", U"12"}));

    driver.press("Home");
    driver.press("Left");
    EXPECT_TRUE(tools.Edit48.focused());
    driver.press("Up");
    EXPECT_TRUE(tools.RadioButton9.checked());
    EXPECT_TRUE(tools.Edit50.focused());
}

TEST_F(ToolPanelsTest, StringBoxesAcceptWhatTheWorkColumnHolds) {
    struct Case {
        marking::BoxMode mode;
        int col;
        Text accepted; // of "A1G"
    };
    const Case cases[] = {
        {marking::BoxMode::ThreeBox, 1, U"A1G"}, {marking::BoxMode::ThreeBox, 2, U"1"},
        {marking::BoxMode::ThreeBox, 3, U"1"},   {marking::BoxMode::ThreeBox, 4, U"1"},
        {marking::BoxMode::ThreeBox, 5, U"A1"},  {marking::BoxMode::OneBox, 2, U"1"},
        {marking::BoxMode::OneBox, 3, U"A1"},    {marking::BoxMode::Text, 2, U"A1G"},
    };
    for (const Case& c : cases) {
        // The box mode changes only while the list is empty.
        driver.press("F12");
        w().ApplyBoxMode(c.mode);
        fill({U"X"});
        driver.press("F2");
        selectColumn(c.col, 1, 1);
        EditToolPanel& tools = editTools();
        driver.choose(tools.RadioGroup1, 0);
        for (ui::Edit* box : {&tools.Edit42, &tools.Edit44}) {
            box->clear();
            typeInto(*box, U"A1G");
            EXPECT_EQ(box->text(), c.accepted) << "case " << (&c - cases) << " " << box->name();
        }
    }
    // Occurrence boxes take one of 1 to 5.
    typeInto(editTools().Edit43, U"7");
    EXPECT_EQ(editTools().Edit43.text(), U"");
    driver.type(U"34");
    EXPECT_EQ(editTools().Edit43.text(), U"3");
}

TEST_F(ToolPanelsTest, ToolCancelInTextBoxModeRestoresBothColumnsOfEveryLine) {
    w().ApplyBoxMode(marking::BoxMode::Text);
    for (int row = 1; row <= 3; ++row) {
        list().setCell(1, row, U"L" + Text(1, U'0' + static_cast<char32_t>(row)));
        list().setCell(2, row, U"free A");
    }
    settle();
    driver.press("F2");
    selectColumn(2, 2, 3);
    editTools().Edit42.setText(U"A");
    editTools().Edit44.setText(U"B");
    driver.click(editTools().SpeedButton38);
    driver.expectMessage(U"2箇所：文字(列)の置換が終わりました");
    EXPECT_EQ(list().cell(2, 1), U"free A");
    EXPECT_EQ(list().cell(2, 3), U"free B");

    driver.advance(100);
    driver.click(w().SpeedButton39);
    driver.advance(100);
    for (int row = 1; row <= 3; ++row) {
        EXPECT_EQ(list().cell(1, row), U"L" + Text(1, U'0' + static_cast<char32_t>(row)));
        EXPECT_EQ(list().cell(2, row), U"free A");
    }
}

TEST_F(ToolPanelsTest, AnOpenCellEditorCommitsBeforeTheToolSoItsTextIsNotLost) {
    fill({U"A-1", U"A-2"});
    driver.press("F2");
    driver.doubleClick(w().StringGrid1, 1, 1);
    ASSERT_TRUE(w().StringGrid1.editorOpen());
    driver.press("End");
    driver.type(U"A"); // the cell reads A-1A once the editor commits
    editTools().Edit42.setText(U"A");
    editTools().Edit43.setText(U"2");
    editTools().Edit44.setText(U"B");
    driver.click(editTools().SpeedButton38); // a speed button leaves the focus in the list
    driver.expectMessage(U"1箇所：文字(列)の置換が終わりました");
    EXPECT_FALSE(w().StringGrid1.editorOpen());
    driver.press("Enter");
    driver.advance(100);
    EXPECT_EQ(lines(), (Texts{U"A-1B", U"A-2"}));
}

TEST_F(ToolPanelsTest, BoxesTakeTheFocusColourWhileFocused) {
    fill({U"A"});
    driver.press("F2");
    driver.click(editTools().Edit42);
    EXPECT_EQ(editTools().Edit42.color(), (ui::Color{182, 254, 236}));
    driver.press("Enter"); // empty: stays
    driver.type(U"A");
    driver.press("Down");
    EXPECT_EQ(editTools().Edit42.color(), ui::colors::Window);
    EXPECT_EQ(editTools().Edit43.color(), (ui::Color{182, 254, 236}));
}

// --- Multi-line bulk insertion -----------------------------------------------------------------

TEST_F(ToolPanelsTest, MarkInsertionByPositionCountsChangedLinesAndCancelRestores) {
    fill({U"ABCDEF", U"AB|CDEF", U"ABC", U"A|B|C", U"ABCD"});
    driver.press("F3");
    ASSERT_TRUE(list().modes().multiLineMark);
    ASSERT_TRUE(w().Panel6.showing());
    list().select({1, 1, 1, 5});
    MultiLineToolPanel& tools = markTools();

    typeInto(tools.Edit39, U"4");
    driver.press("Enter");
    EXPECT_TRUE(tools.Edit40.focused());
    driver.type(U"3");
    driver.press("Enter");
    driver.expectMessage(U"2箇所：多段改行の一括挿入が終わりました");
    EXPECT_EQ(lines(), (Texts{U"AB|CDEF", U"AB|CDEF", U"ABC", U"A|B|C", U"AB|CD"}))
        << "too short, a mark in the gap, two marks";
    EXPECT_EQ(toolCancelsEnabled(), all(true));
    EXPECT_FALSE(w().N25.enabled());

    driver.advance(100);
    driver.click(w().SpeedButton33);
    driver.advance(100);
    EXPECT_EQ(lines(), (Texts{U"ABCDEF", U"AB|CDEF", U"ABC", U"A|B|C", U"ABCD"}));
    EXPECT_FALSE(w().N26.enabled());
    EXPECT_EQ(toolCancelsEnabled(), all(false));
}

TEST_F(ToolPanelsTest, MarkInsertionByKeywordAfterTheSecondOccurrence) {
    fill({U"R1R2", U"1R2", U"12R", U"R1R2R3"});
    driver.press("F3");
    list().select({1, 1, 1, 4});
    MultiLineToolPanel& tools = markTools();
    tools.Edit39.setText(U"1");
    tools.Edit40.setText(U"3");

    driver.click(tools.Edit41); // chooses the keyword mode
    EXPECT_TRUE(tools.RadioButton8.checked());
    EXPECT_EQ(tools.Edit40.text(), U"");
    driver.type(U"R");
    driver.press("Right");
    EXPECT_TRUE(tools.Edit54.focused());
    driver.type(U"2");
    driver.click(tools.RadioButton6);
    driver.click(tools.SpeedButton32);
    driver.expectMessage(U"3箇所：多段改行の一括挿入が終わりました");
    EXPECT_EQ(lines(), (Texts{U"R1R|2", U"1R|2", U"12R", U"R1R|2R3"}));

    // Back to the position mode: the keyword goes.
    driver.click(tools.Edit54);
    driver.press("Left");
    driver.press("Up");
    EXPECT_TRUE(tools.RadioButton7.checked());
    EXPECT_EQ(tools.Edit41.text(), U"");
    EXPECT_TRUE(tools.Edit40.focused());
}

TEST_F(ToolPanelsTest, MarkInsertionPreCheckAndAZeroCount) {
    fill({U"ABC", U"1R|2R"});
    driver.press("F3");
    MultiLineToolPanel& tools = markTools();
    tools.Edit39.setText(U"1");

    // Nothing to do without a position: no message.
    driver.click(tools.SpeedButton32);
    driver.expectNoMessage();

    list().select({1, 1, 1, 1});
    tools.Edit40.setText(U"1");
    const Text undoBefore = undo().undoText();
    driver.click(tools.SpeedButton32);
    driver.expectMessage(U"選択範囲内に多段改行を挿入できる箇所がありません");
    EXPECT_EQ(lines(), (Texts{U"ABC", U"1R|2R"}));
    EXPECT_EQ(undo().undoText(), undoBefore);
    EXPECT_EQ(toolCancelsEnabled(), all(false));

    // The pre-check's second chance lets the run go on; the second R ends the text.
    list().select({1, 2, 1, 2});
    tools.RadioButton8.setChecked(true);
    tools.Edit41.setText(U"R");
    tools.Edit54.setText(U"2");
    tools.RadioButton6.setChecked(true);
    driver.click(tools.SpeedButton32);
    driver.expectMessage(U"0箇所：多段改行の一括挿入が終わりました");
    EXPECT_EQ(toolCancelsEnabled(), all(true));
}

// --- Half-width conversion -------------------------------------------------------------------------

TEST_F(ToolPanelsTest, HalfWidthConversionMapsTheListAndUndoAndRedoTakeItBackAndForth) {
    fill({U"ＡＢＣ１２３", U"テスト", U"ガ", U"漢字"});
    ASSERT_TRUE(w().SpeedButton51.visible());
    const Texts before = lines();

    driver.click(w().SpeedButton51);
    driver.advance(100);
    EXPECT_EQ(lines(), (Texts{U"ABC123", U"ﾃｽﾄ", U"ｶﾞ", U"漢字"}));
    EXPECT_TRUE(list().fullWidth()) << "kanji keep the flag";
    EXPECT_TRUE(w().SpeedButton51.visible());
    EXPECT_TRUE(w().N25.enabled());
    EXPECT_FALSE(w().N26.enabled());
    EXPECT_TRUE(w().Edit3.focused());
    driver.expectNoMessage();

    w().N25.click();
    driver.advance(100);
    EXPECT_EQ(lines(), before);
    w().N26.click();
    driver.advance(100);
    EXPECT_EQ(lines(), (Texts{U"ABC123", U"ﾃｽﾄ", U"ｶﾞ", U"漢字"}));
}

TEST_F(ToolPanelsTest, HalfWidthConversionLeavesTheCountColumnsOf3BoxAlone) {
    w().ApplyBoxMode(marking::BoxMode::ThreeBox);
    const Texts row1{U"１", U"Ａ１", U"２", U"３", U"４", U"Ｆ"};
    for (int col = 1; col <= 5; ++col)
        list().setCell(col, 1, row1[static_cast<std::size_t>(col)]);
    settle();
    ASSERT_TRUE(w().SpeedButton51.visible());
    driver.click(w().SpeedButton51);
    driver.advance(100);
    EXPECT_EQ(row(1), (Texts{U"1", U"A1", U"2", U"3", U"４", U"Ｆ"}));
    EXPECT_FALSE(list().fullWidth());
    EXPECT_FALSE(w().SpeedButton51.visible()) << "nothing full-width is left in the marking texts";
}

} // namespace
} // namespace lumitag::tools
