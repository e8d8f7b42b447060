#include "OrangeListTest.h"

namespace lumitag::marking::test {
namespace {

using Texts = std::vector<Text>;

TEST_F(OrangeListTest, UndoRightAfterAnEntryCancelsItAndRedoBringsTheLinesBackButNotTheFields) {
    enter({U"1-A", U"2-A"});
    w().Edit3.setText(U"-B");
    enter({U"1-B"});
    EXPECT_EQ(lines(), (Texts{U"1-A", U"2-A", U"1-B"}));
    EXPECT_TRUE(w().N25.enabled());

    driver.press("Ctrl+Z");
    EXPECT_EQ(lines(), (Texts{U"1-A", U"2-A"}));
    EXPECT_EQ(w().Edit3.text(), U"-B") << "the entry fields come back";
    EXPECT_FALSE(w().Button9.visible());
    EXPECT_FALSE(w().N25.enabled());
    EXPECT_TRUE(w().N26.enabled());
    EXPECT_TRUE(w().Edit3.focused());

    w().Edit3.setText(U"typed since");
    driver.press("Ctrl+Shift+Z");
    driver.advance(100);
    EXPECT_EQ(lines(), (Texts{U"1-A", U"2-A", U"1-B"}));
    EXPECT_EQ(w().Edit3.text(), U"typed since");
    EXPECT_TRUE(w().N25.enabled());
    EXPECT_FALSE(w().N26.enabled());
}

TEST_F(OrangeListTest, CancelPutsSequenceModesAndTheOrderBoxBack) {
    LastEntryRecord& record = undo().lastEntry();
    enter({U"A"});
    record.sequenceModes = {entry::SequenceMode::ThreeValues, entry::SequenceMode::Pair,
                            entry::SequenceMode::Range};
    record.middleTexts = {U"5", U"x", U"y"};
    record.orderBox = LastEntryRecord::OrderBox::Ticked;
    w().Label17.show(); // sequence 3 was turned to pair mode since
    driver.click(w().Button9);
    EXPECT_TRUE(w().Edit11.visible());
    EXPECT_EQ(w().Edit11.text(), U"5");
    EXPECT_FALSE(w().Tilde1.visible());
    EXPECT_FALSE(w().Label15.visible());
    EXPECT_FALSE(w().Edit12.visible());
    EXPECT_EQ(w().Edit12.text(), U"");
    EXPECT_FALSE(w().Tilde2.visible());
    EXPECT_TRUE(w().Label16.visible());
    EXPECT_TRUE(w().Tilde3.visible());
    EXPECT_FALSE(w().Label17.visible());
    EXPECT_TRUE(w().CheckBox36.visible());
    EXPECT_TRUE(w().CheckBox36.checked());
    EXPECT_TRUE(list().empty());
}

TEST_F(OrangeListTest, SecondUndoRestoresTheSameStateAgain) {
    fill({U"A", U"B", U"C"});
    undo().WriteSnapshot(1);
    driver.click(w().Button16); // delete the last line
    driver.advance(100);
    EXPECT_EQ(lines(), (Texts{U"A", U"B"}));
    undo().N25Click();
    driver.advance(100);
    EXPECT_EQ(lines(), (Texts{U"A", U"B", U"C"}));
    list().setCell(1, 2, U"changed without a snapshot");
    undo().N25Click();
    driver.advance(100);
    EXPECT_EQ(lines(), (Texts{U"A", U"B", U"C"})) << "one step only: the same state again";
}

TEST_F(OrangeListTest, UndoWithoutAnUndoTextEmptiesTheListAndRedoBringsItBack) {
    fill({U"漢字", U"B"});
    EXPECT_TRUE(list().fullWidth());
    w().N1.click(); // string insert mode
    ASSERT_TRUE(list().modes().stringInsert);
    ASSERT_TRUE(undo().undoText().empty());

    undo().N25Click();
    driver.advance(100);
    EXPECT_TRUE(list().empty());
    EXPECT_FALSE(list().fullWidth());
    EXPECT_FALSE(list().modes().stringInsert);
    EXPECT_EQ(list().cell(1, 0), U"\u3000\u3000\u3000  マーキングデータ");
    EXPECT_TRUE(w().N26.enabled());

    w().N26.click();
    driver.advance(100);
    EXPECT_EQ(lines(), (Texts{U"漢字", U"B"}));
}

TEST_F(OrangeListTest, ASnapshotWithoutLineBreaksRestoresIntoOneCell) {
    fill({U"A", U"B"});
    list().clearAllRows();
    undo().RestoreSnapshot(U"1\r\nno line break at all");
    EXPECT_EQ(list().cell(2, 1), U"no line break at all");
    EXPECT_EQ(list().cell(1, 1), U"");
    EXPECT_EQ(list().cell(1, 2), U"");
}

TEST_F(OrangeListTest, RestoreSelectsLineOnesRowAndScrollsItIntoView) {
    fillNumbered(1, 200);
    undo().WriteSnapshot(150);
    list().clearAllRows();
    undo().RestoreSnapshot(undo().memo());
    EXPECT_EQ(list().lineText(200), U"200");
    EXPECT_EQ(list().nextFreeRow(), 201);
    EXPECT_EQ(list().selection(), (ui::GridRect{1, 150, 1, 150}));
    EXPECT_EQ(list().topRow(), 136) << "row 150 shows as the last visible row";
}

TEST_F(OrangeListTest, AToolPanelsCancelUndoesWithoutOfferingRedo) {
    fill({U"A", U"B"});
    undo().WriteSnapshot(1);
    undo().TakeUndoSnapshot();
    list().setCell(1, 1, U"A|"); // what a bulk tool does
    for (ui::SpeedButton* button :
         {&w().SpeedButton33, &w().SpeedButton35, &w().SpeedButton37, &w().SpeedButton39})
        button->setEnabled(true);
    w().SpeedButton33.click();
    driver.advance(100);
    EXPECT_EQ(lines(), (Texts{U"A", U"B"}));
    EXPECT_FALSE(w().N26.enabled());
    EXPECT_FALSE(undo().toolCancel());
    EXPECT_FALSE(w().SpeedButton39.enabled());
    EXPECT_EQ(list().selection().top, 3) << "the next free row is selected";
}

} // namespace
} // namespace lumitag::marking::test
