#include "OrangeListTest.h"

namespace lumitag::marking::test {
namespace {

constexpr ui::Color ButtonFace = ui::colors::ButtonFace;
constexpr ui::Color StringInsertGreen{128, 255, 128};
constexpr ui::Color EditYellow{255, 255, 128};
constexpr ui::Color MultiLineRed{255, 128, 128};
constexpr ui::Color NumberingBlue{155, 199, 242};

struct Look {
    Text header;
    ui::Color color;
    bool operator==(const Look&) const = default;
};

class ModeKeys : public OrangeListTest {
protected:
    Look look() { return {list().cell(1, 0), list().grid().fixedColor()}; }
};

TEST_F(ModeKeys, F3CyclesNormalMultiLineNumberingNormal) {
    fill({U"A"});
    driver.press("F3");
    EXPECT_TRUE(list().modes().multiLineMark);
    EXPECT_EQ(look(), (Look{U"\u3000\u3000多段改行記号挿入モード", MultiLineRed}));
    EXPECT_TRUE(w().Panel6.visible());
    EXPECT_FALSE(w().Panel2.visible());
    EXPECT_FALSE(w().N25.enabled());
    EXPECT_FALSE(w().Timer1.enabled());
    driver.advance(100);

    driver.press("F3");
    EXPECT_TRUE(list().modes().numberingMark);
    EXPECT_FALSE(list().modes().multiLineMark);
    EXPECT_EQ(look(), (Look{U" ナンバーリング記号挿入モード", NumberingBlue}));
    EXPECT_TRUE(w().Panel2.visible());
    driver.advance(100);

    driver.press("F3");
    EXPECT_FALSE(list().modes().gridMode());
    EXPECT_EQ(look(), (Look{U"\u3000\u3000\u3000  マーキングデータ", ButtonFace}));
    EXPECT_TRUE(w().Timer1.enabled());
    EXPECT_TRUE(w().Edit3.focused());
}

TEST_F(ModeKeys, F3InTextBoxModeDoesNothing) {
    driver.click(w().RadioButton18);
    fill({U"A"});
    driver.press("F3");
    driver.expectNoMessage();
    EXPECT_FALSE(list().modes().gridMode());
    EXPECT_FALSE(w().N6.enabled());
    EXPECT_FALSE(w().N9.enabled());
}

TEST_F(ModeKeys, F3WithFullWidthTextSaysSoAndEndsEditMode) {
    fill({U"漢字"});
    driver.press("F2");
    ASSERT_TRUE(list().modes().edit);
    driver.press("F3");
    driver.expectMessage(U"グリッド内に全角文字があります(この機能は使用できません)");
    EXPECT_FALSE(list().modes().edit);
    EXPECT_FALSE(list().modes().markMode());
}

TEST_F(ModeKeys, F2EntersAndLeavesEditModeInThreeBox) {
    driver.click(w().RadioButton17);
    fill({U"A"});
    driver.press("F2");
    EXPECT_TRUE(list().modes().edit);
    EXPECT_EQ(look(), (Look{U"\u3000\u3000 編\u3000集\u3000モ\u3000ー\u3000ド", EditYellow}));
    EXPECT_TRUE(w().Panel8.visible());
    EXPECT_FALSE(w().Panel2.visible());
    EXPECT_TRUE(w().StringGrid1.focused());
    EXPECT_FALSE(w().Timer1.enabled());
    driver.advance(100);
    EXPECT_FALSE(w().N5.enabled());

    driver.press("F2");
    EXPECT_FALSE(list().modes().edit);
    EXPECT_EQ(look(), (Look{U"\u3000   マーキングデータ", ButtonFace}));
    EXPECT_TRUE(w().Panel2.visible());
    EXPECT_FALSE(w().Panel8.visible());
    EXPECT_TRUE(w().Edit3.focused());
}

TEST_F(ModeKeys, FocusEnteringAnEntryFieldEndsEditModeAndTakesTheSnapshot) {
    fill({U"A", U"B"});
    driver.press("F2");
    list().setCell(1, 2, U"edited");
    driver.click(w().Edit9);
    EXPECT_FALSE(list().modes().edit);
    EXPECT_TRUE(w().Panel2.visible());
    EXPECT_NE(undo().memo().find(U"edited"), Text::npos);
    EXPECT_TRUE(w().Timer1.enabled());
}

TEST_F(ModeKeys, F4TogglesStringInsertMode) {
    fill({U"A"});
    driver.press("F4");
    EXPECT_TRUE(list().modes().stringInsert);
    EXPECT_EQ(look(), (Look{U"\u3000\u3000\u3000  文字列挿入モード", StringInsertGreen}));
    EXPECT_FALSE(w().N1.enabled());
    EXPECT_TRUE(w().N2.enabled());
    driver.advance(100);
    driver.press("F4");
    EXPECT_FALSE(list().modes().stringInsert);
    EXPECT_EQ(look(), (Look{U"\u3000\u3000\u3000  マーキングデータ", ButtonFace}));
    EXPECT_TRUE(w().N1.enabled());
    EXPECT_FALSE(w().N2.enabled());
}

TEST_F(ModeKeys, EditModeEndsIntoStringInsertModesLook) {
    fill({U"A"});
    driver.press("F4");
    driver.advance(100);
    driver.press("F2");
    driver.advance(100);
    driver.press("F2");
    EXPECT_TRUE(list().modes().stringInsert);
    EXPECT_EQ(look(), (Look{U"\u3000\u3000\u3000  文字列挿入モード", StringInsertGreen}));
    EXPECT_FALSE(w().Timer1.enabled()) << "the end of the list is not followed in string insert mode";
}

TEST_F(ModeKeys, F7TicksAndUnticksTheFixBoxOfTheFocusedField) {
    // A fix box can be ticked only over text, and each tick or untick sends
    // the focus back to the entry field.
    w().Edit4.setText(U"1");
    w().Edit5.setText(U"9");
    w().focusControl(&w().Edit4);
    driver.press("F7");
    EXPECT_TRUE(w().CheckBox5.checked());
    w().Edit6.setText(U"-");
    w().focusControl(&w().Edit6);
    driver.press("F7");
    EXPECT_TRUE(w().CheckBox6.checked());
    EXPECT_TRUE(w().CheckBox5.checked());
    w().focusControl(&w().Edit4);
    driver.press("F7");
    EXPECT_FALSE(w().CheckBox5.checked());
    EXPECT_TRUE(w().CheckBox6.checked());
}

TEST_F(ModeKeys, EscCancelsTheLastEntryFromAnEntryFieldAndUndoesInTheList) {
    enter({U"A"});
    enter({U"B"});
    driver.press("Escape");
    EXPECT_EQ(lines(), (std::vector<Text>{U"A"}));
    EXPECT_TRUE(w().Edit3.focused());

    fill({U"C"});
    driver.click(w().Button16); // delete the last line: a change undo can take back
    driver.click(w().StringGrid1, 1, 1);
    driver.press("Escape");
    driver.advance(100);
    EXPECT_EQ(lines(), (std::vector<Text>{U"A", U"C"}));
}

} // namespace
} // namespace lumitag::marking::test
