// OK (Button7): the entry expands into the list, with its limits, clean-up,
// undo snapshot and string insert mode.
#include "entry/EntryPanelFixture.h"
#include "marking/Snapshot.h"

namespace lumitag::entry::test {
namespace {

using marking::LastEntryRecord;
using ui::Key;

constexpr TextView ListFull = U"マーキングデータが１０００行入力されています";
constexpr TextView ListBecameFull = U"マーキングデータが1000行になりました";

TEST_F(EntryPanelTest, TheRoadOfOneMarkingJobEntersTenLinesFromTheKeyboard) {
    typeInto(w().Edit1, U"1");
    driver.press(Key::Enter);
    EXPECT_EQ(focused(), &w().Edit2);
    driver.type(U"10");
    driver.press(Key::Enter);
    EXPECT_EQ(focused(), &w().Edit3);
    driver.type(U"-A");
    driver.press(Key::Enter);
    EXPECT_EQ(focused(), &w().Edit9);
    driver.type(U"2");
    driver.press(Key::Enter);

    EXPECT_EQ(column(1), numbers(1, 10, U"-A"));
    EXPECT_EQ(column(2), std::vector<Text>(10, U"2"));
    EXPECT_EQ(list().nextFreeRow(), 11);
    // The sequence is emptied; 線番１ and the count stay, 線番１ selected for the next entry.
    EXPECT_EQ(w().Edit1.text(), U"");
    EXPECT_EQ(w().Edit2.text(), U"");
    EXPECT_EQ(w().Edit9.text(), U"2");
    EXPECT_EQ(focused(), &w().Edit3);
    EXPECT_EQ(w().Edit3.selText(), U"-A");
    // The entry can be cancelled and undone; the snapshot holds the ten lines.
    EXPECT_TRUE(w().Button9.visible());
    EXPECT_TRUE(w().N25.enabled());
    EXPECT_EQ(marking::splitSnapshot(w().undo().memo()).selectRow, 11);
    EXPECT_EQ(marking::parseLines(marking::splitSnapshot(w().undo().memo()).body).size(), 10u);
    driver.expectNoMessage();
}

TEST_F(EntryPanelTest, WritesTheCountsAndNumberingOfEachBoxMode) {
    w().Edit16.setText(U"5");
    w().Edit3.setText(U"X");
    w().Edit9.setText(U"3");
    driver.click(w().Button7);
    EXPECT_EQ(list().rowsText(1, 1), (std::vector<marking::RowFields>{{U"X", U"3", U"5"}}));
    EXPECT_EQ(w().Edit16.text(), U""); // the numbering end value goes with one entry

    driver.answer(platform::Answer::Yes);
    driver.press("F12");
    driver.advance(100);
    driver.click(w().RadioButton17); // 3BOX
    w().Edit3.setText(U"Y");
    w().Edit9.setText(U"5");
    w().Edit46.setText(U"3");
    w().Edit16.setText(U"7");
    driver.click(w().Button7);
    EXPECT_EQ(list().rowsText(1, 1), (std::vector<marking::RowFields>{{U"Y", U"5", U"3", U"", U"7"}}));
    // With a first count the others are emptied; the first stays for the next entry.
    EXPECT_EQ(w().Edit9.text(), U"5");
    EXPECT_EQ(w().Edit46.text(), U"");
}

TEST_F(EntryPanelTest, LineOrderFollowsTheOrderBoxWhileItIsShown) {
    EXPECT_FALSE(w().CheckBox36.visible());
    w().Edit1.setText(U"1");
    w().Edit2.setText(U"2");
    EXPECT_FALSE(w().CheckBox36.visible());
    w().Edit7.setText(U"A");
    w().Edit8.setText(U"B");
    EXPECT_TRUE(w().CheckBox36.visible()); // two sequences have both ends
    w().Edit3.setText(U"-");
    driver.click(w().Button7);
    EXPECT_EQ(column(1), (std::vector<Text>{U"1-A", U"1-B", U"2-A", U"2-B"}));
    EXPECT_FALSE(w().CheckBox36.visible());

    w().Edit1.setText(U"1");
    w().Edit2.setText(U"2");
    w().Edit7.setText(U"A");
    w().Edit8.setText(U"B");
    driver.click(w().CheckBox36);
    EXPECT_EQ(focused(), &w().Button7);
    driver.click(w().Button7);
    EXPECT_EQ(column(1), (std::vector<Text>{U"1-A", U"1-B", U"2-A", U"2-B", U"1-A", U"2-A", U"1-B", U"2-B"}));
}

TEST_F(EntryPanelTest, PairsAndThreeValuesListTheirBoxes) {
    driver.click(w().Tilde1); // range → pair
    w().Edit1.setText(U"R");
    w().Edit2.setText(U"T");
    driver.click(w().Tilde3);
    driver.click(w().Label17); // 連番３: pair → three values
    w().Edit7.setText(U"1");
    w().Edit13.setText(U"2");
    w().Edit8.setText(U"3");
    driver.click(w().Button7);
    EXPECT_EQ(column(1), (std::vector<Text>{U"R1", U"R2", U"R3", U"T1", U"T2", U"T3"}));
    // The modes survive the entry.
    EXPECT_TRUE(w().Label15.visible());
    EXPECT_TRUE(w().Edit13.visible());
}

TEST_F(EntryPanelTest, IncompleteSequencesAreEmptiedAndNothingElseIsEntered) {
    w().Edit1.setText(U"1"); // no end
    driver.click(w().Tilde2);
    driver.click(w().Label16);
    w().Edit4.setText(U"A"); // three values without a middle
    w().Edit5.setText(U"C");
    w().Edit9.setText(U"4");
    driver.click(w().Button7);
    EXPECT_EQ(list().nextFreeRow(), 1);
    EXPECT_EQ(w().Edit1.text(), U"");
    EXPECT_EQ(w().Edit4.text(), U"");
    EXPECT_EQ(w().Edit5.text(), U"");
    EXPECT_EQ(w().Edit9.text(), U"4");
    EXPECT_EQ(focused(), &w().Edit3);
    EXPECT_FALSE(w().Button9.visible());
}

TEST_F(EntryPanelTest, StartEqualToEndStopsWithFocusInTheEndBox) {
    w().Edit3.setText(U"W");
    w().Edit4.setText(U"5");
    w().Edit5.setText(U"5");
    w().Edit7.setText(U"1"); // incomplete: emptied before the stop
    driver.click(w().Button7);
    EXPECT_EQ(list().nextFreeRow(), 1);
    EXPECT_EQ(focused(), &w().Edit5);
    EXPECT_EQ(w().Edit5.selText(), U"5");
    EXPECT_EQ(w().Edit7.text(), U"");
    EXPECT_EQ(w().Edit3.text(), U"W");
    // The record was written, so a later cancel knows the fields.
    EXPECT_EQ(w().undo().lastEntry().fields[LastEntryRecord::Edit7], U"1");
}

TEST_F(EntryPanelTest, AListThatBecomesFullKeepsTheLinesUpToRow1000) {
    fillRows(1, 995);
    w().Edit1.setText(U"1");
    w().Edit2.setText(U"10");
    driver.click(w().Button7);
    driver.expectMessage(ListBecameFull);
    EXPECT_EQ(list().nextFreeRow(), 1001);
    EXPECT_EQ(list().cell(1, 996), U"1");
    EXPECT_EQ(list().cell(1, 1000), U"5");
    EXPECT_TRUE(w().Button9.visible());
    EXPECT_EQ(w().Edit1.text(), U""); // the clean-up ran

    // A full list takes nothing more; the fields keep their texts.
    driver.clearMessages();
    w().Edit1.setText(U"1");
    w().Edit2.setText(U"3");
    driver.click(w().Button7);
    driver.expectMessage(ListFull);
    EXPECT_EQ(list().cell(1, 1000), U"5");
    EXPECT_EQ(w().Edit1.text(), U"1");
    EXPECT_EQ(w().Edit2.text(), U"3");
}

TEST_F(EntryPanelTest, AFullWidthCharacterSetsTheFlagAtOkTime) {
    w().Edit3.setText(U"あ");
    driver.click(w().Button7);
    EXPECT_TRUE(list().fullWidth());
    EXPECT_TRUE(w().SpeedButton51.visible());
}

TEST_F(EntryPanelTest, AFixedSequenceRepeatsOnTheNextEntry) {
    w().Edit1.setText(U"1");
    w().Edit2.setText(U"3");
    driver.click(w().CheckBox3);
    EXPECT_TRUE(w().Edit1.readOnly());
    EXPECT_EQ(w().Edit2.color(), entry::EntryPanel::FixedColor);
    w().Edit3.setText(U"A");
    driver.click(w().Button7);
    w().Edit3.setText(U"B");
    driver.click(w().Button7);
    EXPECT_EQ(column(1), (std::vector<Text>{U"1A", U"2A", U"3A", U"1B", U"2B", U"3B"}));
    EXPECT_EQ(w().Edit1.text(), U"1");
}

TEST_F(EntryPanelTest, CancellingTheEntryPutsTheFieldsAndModesBack) {
    fillRows(1, 2);
    driver.click(w().Tilde3);
    w().Edit7.setText(U"R");
    w().Edit8.setText(U"S");
    w().Edit3.setText(U"P");
    w().Edit6.setText(U"-");
    w().Edit9.setText(U"2");
    driver.click(w().Button7);
    EXPECT_EQ(column(1), (std::vector<Text>{U"1", U"2", U"P-R", U"P-S"}));
    EXPECT_EQ(w().Edit6.text(), U"");

    driver.click(w().Button9);
    EXPECT_EQ(column(1), (std::vector<Text>{U"1", U"2"}));
    EXPECT_EQ(w().Edit7.text(), U"R");
    EXPECT_EQ(w().Edit8.text(), U"S");
    EXPECT_EQ(w().Edit6.text(), U"-");
    EXPECT_TRUE(w().Label17.visible()); // still a pair
}

TEST_F(EntryPanelTest, StringInsertModeInsertsAtTheSelectedRow) {
    fillRows(1, 5);
    driver.press("F4");
    driver.click(w().StringGrid1, 1, 3);
    w().Edit1.setText(U"A");
    w().Edit2.setText(U"C");
    driver.click(w().Button7);
    EXPECT_EQ(column(1), (std::vector<Text>{U"1", U"2", U"A", U"B", U"C", U"3", U"4", U"5"}));
    EXPECT_EQ(list().selection().top, 6);
    const LastEntryRecord& record = w().undo().lastEntry();
    EXPECT_EQ(record.insertionRow, 3);
    EXPECT_EQ(record.endRow, 6);
    // The snapshot holds every line, the pushed-down ones included.
    EXPECT_EQ(marking::parseLines(marking::splitSnapshot(w().undo().memo()).body).size(), 8u);

    driver.click(w().Button9);
    driver.advance(100);
    EXPECT_EQ(column(1), numbers(1, 5));
}

TEST_F(EntryPanelTest, StringInsertModeStopsAt1000LinesWithoutLosingOne) {
    fillRows(1, 998);
    driver.press("F4");
    list().setTopRow(1);
    driver.click(w().StringGrid1, 1, 2);
    w().Edit1.setText(U"A");
    w().Edit2.setText(U"E");
    driver.click(w().Button7);
    driver.expectMessage(ListBecameFull);
    driver.advance(100);
    EXPECT_EQ(list().nextFreeRow(), 1001);
    EXPECT_EQ(list().cell(1, 2), U"A");
    EXPECT_EQ(list().cell(1, 3), U"B");
    EXPECT_EQ(list().cell(1, 4), U"2");
    EXPECT_EQ(list().cell(1, 1000), U"998");

    driver.clearMessages();
    w().Edit3.setText(U"Z");
    driver.click(w().Button7);
    driver.expectMessage(ListFull);
}

} // namespace
} // namespace lumitag::entry::test
