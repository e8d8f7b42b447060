// The numbering brackets and the multi-line mark: in 線番１ and 線番２, in the
// end value box, and clicked into the list in the two mark modes.
#include "entry/EntryPanelFixture.h"
#include "ui/Application.h"

namespace lumitag::entry::test {
namespace {

using ui::Key;

constexpr TextView StartValueMessage = U"始値は数字・英大文字A～Fのみ入力できます";
constexpr TextView EndValueMessage = U"終値は数字・英大文字A～Fのみ入力できます";

class MarksTest : public EntryPanelTest {
protected:
    void clickBracket() { driver.click(w().SpeedButton22); }
    void clickClose() { driver.click(w().SpeedButton23); }
    void clickBar() { driver.click(w().SpeedButton24); }

    // Lines for the list, then a refresh that offers the mark modes.
    void lines(std::initializer_list<TextView> texts) {
        int row = 1;
        for (TextView text : texts)
            list().setCell(1, row++, Text(text));
        // The refresh finds the lines, the list follows its end and repaints.
        driver.advance(200);
    }
    // A left click into the marking text of `row`, right after `characters` characters.
    void clickInText(int row, int characters) {
        ui::StringGrid& grid = w().StringGrid1;
        const std::optional<ui::Rect> cell = grid.cellRect(1, row);
        ASSERT_TRUE(cell);
        const TextView text = list().cell(1, row);
        const int x = cell->left + 2 + app.textMetrics().width(text.substr(0, characters), grid.font());
        driver.clickAt(grid, {x, cell->top + cell->height / 2});
    }
};

TEST_F(MarksTest, NumberingInAWireBoxFromBracketToEndValue) {
    driver.click(w().Edit3);
    clickBracket();
    EXPECT_EQ(w().Edit3.text(), U"【");
    EXPECT_EQ(focused(), &w().Edit3); // the button never takes the focus
    EXPECT_EQ(w().Edit3.imeMode(), ui::ImeMode::Disabled);
    driver.type(U"1");
    driver.press(Key::Enter); // one character: the bracket stays open, so does the box
    EXPECT_EQ(w().Edit3.text(), U"【1");
    EXPECT_EQ(focused(), &w().Edit3);
    driver.type(U"G");
    driver.expectMessage(StartValueMessage);
    driver.type(U"2");
    driver.press(Key::Enter);
    EXPECT_EQ(w().Edit3.text(), U"【12】");
    EXPECT_EQ(focused(), &w().Edit16);
    EXPECT_EQ(w().Edit3.imeMode(), ui::ImeMode::DontCare); // leaving gives Japanese input back
    EXPECT_EQ(w().Edit3.hint(), U"【12】");

    driver.type(U"G");
    driver.expectMessage(EndValueMessage);
    driver.type(U"12");
    driver.click(w().Edit6); // the end value equals the start value
    EXPECT_EQ(w().Edit16.text(), U"");
    EXPECT_EQ(focused(), &w().Edit16);
    driver.type(U"20");
    driver.press(Key::Enter);
    EXPECT_EQ(focused(), &w().Edit3);
    EXPECT_EQ(w().Edit3.selStart(), 4);
    driver.press(Key::Enter); // the numbering is done: Enter moves on again
    EXPECT_EQ(focused(), &w().Edit9);
    driver.press(Key::Enter);
    EXPECT_EQ(column(1), (std::vector<Text>{U"【12】"}));
    EXPECT_EQ(column(3), (std::vector<Text>{U"20"}));
}

TEST_F(MarksTest, BracketButtonsRefuseFullWidthAndWorkAtTheCaret) {
    typeInto(w().Edit3, U"AB");
    clickBracket();
    EXPECT_EQ(w().Edit3.text(), U"AB【");
    clickBracket(); // one numbering only
    EXPECT_EQ(w().Edit3.text(), U"AB【");
    driver.type(U"1");
    clickClose(); // one character after 【 is not enough
    EXPECT_EQ(w().Edit3.text(), U"AB【1");
    driver.type(U"0");
    clickClose();
    EXPECT_EQ(w().Edit3.text(), U"AB【10】");
    EXPECT_EQ(focused(), &w().Edit16);
    driver.expectNoMessage();

    w().Edit3.setText(U"あ");
    driver.click(w().Edit3);
    clickBracket();
    driver.expectMessage(U"線番１か線番２に全角文字（全角英数字、漢字、ひらがな等）がある時、”ナンバーリング"
                         U"【】”は入力できません");
    EXPECT_EQ(w().Edit3.text(), U"あ");

    lines({U"漢字"});
    driver.click(w().Edit3);
    clickBracket();
    driver.expectMessage(U"グリッド内に全角文字（全角英数字、漢字、ひらがな等）がある時、”ナンバーリング【】”"
                         U"は入力できません");
    clickBar();
    driver.expectMessage(
        U"グリッド内に全角文字（全角英数字、漢字、ひらがな等）がある時、”多段改行｜”は入力できません");
}

TEST_F(MarksTest, MultiLineMarkRulesInTheWireBoxes) {
    driver.click(w().Edit3);
    clickBar(); // at the start of an empty 線番１ with no 連番１
    EXPECT_EQ(w().Edit3.text(), U"");
    driver.type(U"A");
    driver.press("F5");
    EXPECT_EQ(w().Edit3.text(), U"A|");
    clickBar(); // directly after a mark
    EXPECT_EQ(w().Edit3.text(), U"A|");
    driver.type(U"B");
    clickBar();
    EXPECT_EQ(w().Edit3.text(), U"A|B|");
    driver.type(U"C");
    clickBar(); // a third mark
    EXPECT_EQ(w().Edit3.text(), U"A|B|C");

    // 線番２ counts 線番１ before it: directly after the mark of 線番１ "X|" nothing goes in.
    w().Edit3.setText(U"X|");
    driver.click(w().Edit6);
    clickBar();
    EXPECT_EQ(w().Edit6.text(), U"");
    driver.type(U"Y");
    clickBar();
    EXPECT_EQ(w().Edit6.text(), U"Y|");

    // No mark inside a numbering.
    w().Edit6.setText(U"【12");
    driver.click(w().Edit6);
    driver.press(Key::End);
    clickBar();
    EXPECT_EQ(w().Edit6.text(), U"【12");
    driver.expectNoMessage();
}

TEST_F(MarksTest, F6OpensOrClosesTheNumbering) {
    driver.click(w().Edit6);
    driver.press("F6");
    driver.type(U"AB");
    driver.press("F6");
    EXPECT_EQ(w().Edit6.text(), U"【AB】");
    EXPECT_EQ(focused(), &w().Edit16);
}

TEST_F(MarksTest, MultiLineMarkModeClicksAddAndRemoveMarks) {
    lines({U"A|B", U"ABC", U"XY"});
    driver.press("F3");
    ASSERT_TRUE(list().modes().multiLineMark);
    clickInText(1, 2); // right after the mark
    EXPECT_EQ(list().cell(1, 1), U"AB");
    clickInText(2, 2); // between B and C
    EXPECT_EQ(list().cell(1, 2), U"AB|C");
    EXPECT_FALSE(w().StringGrid1.editorOpen());
    EXPECT_FALSE(list().editing());
    clickInText(3, 0); // at the start: nothing
    EXPECT_EQ(list().cell(1, 3), U"XY");

    // At the end the editor stays open; full-width typing there is refused.
    clickInText(3, 2);
    EXPECT_EQ(list().cell(1, 3), U"XY|");
    ASSERT_TRUE(w().StringGrid1.editorOpen());
    driver.type(U"あ");
    driver.expectMessage(U"全角文字（漢字、ひらがな等）の入力はできません");
    EXPECT_EQ(list().cell(1, 3), U"XY");
}

TEST_F(MarksTest, NumberingMarkModeBracketsThenCountAndEndValue) {
    lines({U"A12", U"B"});
    driver.press("F3");
    driver.advance(100); // the refresh offers numbering mark mode
    driver.press("F3");
    ASSERT_TRUE(list().modes().numberingMark);
    clickInText(1, 1); // between A and 1
    EXPECT_EQ(list().cell(1, 1), U"A【12");
    EXPECT_FALSE(w().StringGrid1.editorOpen());
    clickInText(1, 4); // after 2
    EXPECT_EQ(list().cell(1, 1), U"A【12】");
    ASSERT_TRUE(w().StringGrid1.editorOpen());
    EXPECT_EQ(w().StringGrid1.col(), 2); // the count is typed next
    driver.type(U"3x");
    driver.press(Key::Enter);
    EXPECT_EQ(w().StringGrid1.col(), 3);
    ASSERT_TRUE(w().StringGrid1.editorOpen());
    driver.type(U"1F");
    driver.press(Key::Enter);
    EXPECT_FALSE(w().StringGrid1.editorOpen());
    EXPECT_FALSE(list().editing());
    EXPECT_EQ(list().rowsText(1, 1)[0], (marking::RowFields{U"A【12】", U"3", U"1F"}));

    // Taking both brackets away empties the end value.
    clickInText(1, 3); // one after the position of 【
    EXPECT_EQ(list().cell(1, 1), U"A12】");
    clickInText(1, 3); // one before the position of 】
    EXPECT_EQ(list().cell(1, 1), U"A12");
    EXPECT_EQ(list().cell(3, 1), U"");

    // At the end "【" keeps the editor open; only start value characters go
    // in, and Enter closes the bracket and goes on to the count.
    clickInText(2, 1);
    EXPECT_EQ(list().cell(1, 2), U"B【");
    driver.type(U"0g1A");
    driver.press(Key::Enter);
    EXPECT_EQ(list().cell(1, 2), U"B【01A】");
    EXPECT_EQ(w().StringGrid1.col(), 2);
    driver.press(Key::Up); // abandons the step
    EXPECT_FALSE(list().editing());
}

TEST_F(MarksTest, LeavingTheListEndsNumberingMarkMode) {
    lines({U"A12"});
    driver.press("F3");
    driver.advance(100); // the refresh offers numbering mark mode
    driver.press("F3");
    ASSERT_TRUE(list().modes().numberingMark);
    driver.advance(100);
    EXPECT_FALSE(w().N9.enabled());
    driver.click(w().Edit6);
    EXPECT_FALSE(list().modes().numberingMark);
    EXPECT_TRUE(w().N9.enabled());
    EXPECT_TRUE(w().N5.enabled());
    EXPECT_EQ(w().StringGrid1.fixedColor(), ui::colors::ButtonFace);
}

} // namespace
} // namespace lumitag::entry::test
