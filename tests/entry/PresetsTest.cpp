// The preset buttons, the count buttons and the settings panel of the presets.
#include "entry/EntryPanelFixture.h"

namespace lumitag::entry::test {
namespace {

class PresetsTest : public EntryPanelTest {
protected:
    // Lines 0 to 5: 釦1 … 釦6 on SpeedButton2, 12, 3, 13, 4, 14.
    PresetsTest() : EntryPanelTest({U"R S T", U"+ -", U"00-15", U"A-z", U"1-100", U"TOOLONG"}) {}
    void preset(int line) { driver.click(*w().presetButtons[static_cast<std::size_t>(line)]); }
};

TEST_F(PresetsTest, ButtonsShowTheirDefinitionsAndHideWithout) {
    EXPECT_EQ(w().presetButtons[0]->caption(), U"R S T");
    EXPECT_TRUE(w().presetButtons[4]->visible());
    EXPECT_FALSE(w().presetButtons[6]->visible());
}

TEST_F(PresetsTest, APresetFillsTheFocusedGroupOnly) {
    driver.click(w().Edit4);
    preset(0);
    EXPECT_EQ(w().Edit4.text(), U"R");
    EXPECT_TRUE(w().Edit12.visible());
    EXPECT_EQ(w().Edit12.text(), U"S");
    EXPECT_EQ(w().Edit5.text(), U"T");
    EXPECT_FALSE(w().Tilde2.visible());
    EXPECT_FALSE(w().Label16.visible());
    EXPECT_EQ(focused(), &w().Edit4); // the focus does not move

    // 線番１ belongs to 連番１; a pair replaces the three values.
    driver.click(w().Edit3);
    preset(1);
    EXPECT_EQ(w().Edit1.text(), U"+");
    EXPECT_EQ(w().Edit2.text(), U"-");
    EXPECT_TRUE(w().Label15.visible());
    preset(4);
    EXPECT_EQ(w().Edit1.text(), U"1");
    EXPECT_EQ(w().Edit2.text(), U"100");
    EXPECT_TRUE(w().Tilde1.visible());
    EXPECT_FALSE(w().Label15.visible());

    // A range that fits no shape says so and keeps the texts.
    preset(3);
    driver.expectMessage(U"連番ボタンの作成にエラーがあります");
    driver.clearMessages();
    EXPECT_EQ(w().Edit2.text(), U"100");
    preset(5); // six characters: nothing
    driver.expectNoMessage();
    EXPECT_EQ(w().Edit1.text(), U"1");

    // 線番２ and the count box belong to no group.
    for (ui::Edit* box : {&w().Edit6, &w().Edit9}) {
        driver.click(*box);
        preset(2);
    }
    EXPECT_EQ(w().Edit1.text(), U"1");
    EXPECT_EQ(w().Edit4.text(), U"R");
    EXPECT_EQ(w().Edit7.text(), U"");
}

TEST_F(PresetsTest, CountButtonsSetTheCountAndCommit) {
    typeInto(w().Edit1, U"1");
    typeInto(w().Edit2, U"2");
    driver.press("Alt+3");
    EXPECT_EQ(column(1), (std::vector<Text>{U"1", U"2"}));
    EXPECT_EQ(column(2), (std::vector<Text>{U"3", U"3"}));
    EXPECT_EQ(focused(), &w().Edit3);

    // With the focus in the list, &3 does nothing while &2 first moves the focus to 線番１.
    w().Edit3.setText(U"W");
    driver.click(w().StringGrid1, 1, 1);
    driver.click(*w().countButtons[2]);
    EXPECT_EQ(list().lineCount(), 2);
    driver.click(*w().countButtons[1]);
    EXPECT_EQ(column(1), (std::vector<Text>{U"1", U"2", U"W"}));
    EXPECT_EQ(list().cell(2, 3), U"2");
}

TEST_F(PresetsTest, TheSettingsPanelEditsAndStoresTheDefinitions) {
    driver.click(w().CheckBox2);
    EXPECT_TRUE(w().Panel3.visible());
    EXPECT_FALSE(w().Panel5.visible());
    ui::Edit& first = *w().definitionBoxes[0];
    EXPECT_EQ(first.name(), "Edit17");
    EXPECT_EQ(first.text(), U"R S T");
    EXPECT_EQ(w().definitionBoxes[1]->name(), "Edit27");

    // Leaving a box trims it; 釦5 emptied hides SpeedButton4.
    typeInto(*w().definitionBoxes[6], U" XY ");
    w().definitionBoxes[4]->clear();
    driver.click(*w().definitionBoxes[7]);
    EXPECT_EQ(w().definitionBoxes[6]->text(), U"XY");

    driver.click(w().CheckBox2);
    EXPECT_FALSE(w().Panel3.visible());
    EXPECT_TRUE(w().Panel5.visible());
    EXPECT_EQ(w().presetButtons[4]->name(), "SpeedButton4");
    EXPECT_FALSE(w().presetButtons[4]->visible());
    EXPECT_EQ(w().presetButtons[6]->caption(), U"XY");
    EXPECT_TRUE(w().presetButtons[6]->visible());
    const std::vector<Text> saved = settingsOnDisk();
    ASSERT_GE(saved.size(), 47u);
    EXPECT_EQ(saved[4], U"");
    EXPECT_EQ(saved[6], U"XY");
    EXPECT_EQ(saved[46], U"Table 0");
    EXPECT_EQ(focused(), &w().Edit3);
}

} // namespace
} // namespace lumitag::entry::test
