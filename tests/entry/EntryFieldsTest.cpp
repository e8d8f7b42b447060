// The entry fields: input rules, leaving a range box, focus movement with the
// arrow keys, Enter and Tab, the sequence modes, the fix boxes, colours and クリア.
#include "entry/EntryPanelFixture.h"

namespace lumitag::entry::test {
namespace {

using ui::Key;

TEST_F(EntryPanelTest, EachFieldTakesOnlyItsCharacters) {
    const struct {
        const char* what;
        ui::Edit& (*box)(app::TForm2&);
        TextView typed;
        TextView kept;
    } cases[] = {
        {"range start", [](app::TForm2& w) -> ui::Edit& { return w.Edit1; }, U"1-a B", U"1aB"},
        {"range end holds 3", [](app::TForm2& w) -> ui::Edit& { return w.Edit8; }, U"12345", U"123"},
        {"count 1BOX", [](app::TForm2& w) -> ui::Edit& { return w.Edit9; }, U"1a2-", U"12"},
        {"線番 takes anything", [](app::TForm2& w) -> ui::Edit& { return w.Edit3; }, U"A-1 あ", U"A-1 あ"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ui::Edit& box = c.box(w());
        typeInto(box, c.typed);
        EXPECT_EQ(box.text(), c.kept);
        box.clear();
    }
    // Pair mode lets everything but the space through.
    driver.click(w().Tilde2);
    typeInto(w().Edit4, U"+ -");
    EXPECT_EQ(w().Edit4.text(), U"+-");
    // The count box holds a free text in TEXT box mode.
    driver.click(w().RadioButton18);
    typeInto(w().Edit9, U"盤A-1");
    EXPECT_EQ(w().Edit9.text(), U"盤A-1");
}

TEST_F(EntryPanelTest, LeavingARangeBoxEmptiesAnInvalidTextAndKeepsTheFocus) {
    const struct {
        TextView text;
        bool kept;
    } cases[] = {{U"7", true},   {U"z", true},   {U"1F", true},   {U"100", true},
                 {U"1G", false}, {U"1a", false}, {U"10F", false}, {U"AB", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        typeInto(w().Edit2, c.text);
        driver.click(w().Edit6);
        EXPECT_EQ(w().Edit2.text(), c.kept ? Text(c.text) : Text());
        EXPECT_EQ(focused(), c.kept ? static_cast<ui::Control*>(&w().Edit6) : &w().Edit2);
        w().Edit2.clear();
    }
    driver.expectNoMessage();
    // In pair mode the texts are not checked.
    driver.click(w().Tilde1);
    typeInto(w().Edit2, U"1G");
    driver.click(w().Edit6);
    EXPECT_EQ(w().Edit2.text(), U"1G");
}

TEST_F(EntryPanelTest, ArrowKeysMoveAlongTheRingAtTheEdgesOfTheText) {
    typeInto(w().Edit1, U"12");
    driver.press(Key::Left);
    driver.press(Key::Left);
    EXPECT_EQ(focused(), &w().Edit1); // caret at the start now
    driver.press(Key::Left);
    EXPECT_EQ(focused(), &w().Edit9); // the ring wraps; 1BOX has no second count
    driver.press(Key::Right);         // empty: at its end
    EXPECT_EQ(focused(), &w().Edit1);
    EXPECT_EQ(w().Edit1.selText(), U"12");

    // A shown middle box is part of the ring; leaving it selects nothing.
    driver.click(w().Tilde1);
    driver.click(w().Label15);
    w().Edit2.setText(U"9");
    driver.click(w().Edit11);
    driver.press(Key::Right);
    EXPECT_EQ(focused(), &w().Edit2);
    EXPECT_EQ(w().Edit2.selLength(), 0);
    driver.press(Key::Left);
    EXPECT_EQ(focused(), &w().Edit11);

    // 3BOX adds the two count boxes before the ring closes.
    driver.click(w().RadioButton17);
    driver.click(w().Edit9);
    driver.press(Key::Right);
    EXPECT_EQ(focused(), &w().Edit46);
    driver.press(Key::Right);
    EXPECT_EQ(focused(), &w().Edit49);
    driver.press(Key::Right);
    EXPECT_EQ(focused(), &w().Edit1);
}

TEST_F(EntryPanelTest, RightWhereTheCaretStayedGoesToTheEndFirst) {
    typeInto(w().Edit3, U"ABC");
    driver.press(Key::Home);
    driver.press(Key::Right); // caret 0 → 1
    driver.type(U"x");        // the caret moves with the typed character
    driver.press(Key::Shift); // a key that leaves the caret where it was
    EXPECT_EQ(w().Edit3.text(), U"AxBC");
    driver.press(Key::Right);
    EXPECT_EQ(focused(), &w().Edit4);

    // Without such a key in between, Right only moves the caret.
    typeInto(w().Edit6, U"AB");
    driver.press(Key::Home);
    driver.press(Key::Right);
    EXPECT_EQ(focused(), &w().Edit6);
    EXPECT_EQ(w().Edit6.caret(), 1);
}

TEST_F(EntryPanelTest, EnterMovesAsTheTableSays) {
    driver.click(w().Edit1);
    driver.press(Key::Enter);
    EXPECT_EQ(focused(), &w().Edit1); // empty: nothing
    driver.click(w().Tilde1);
    driver.click(w().Label15); // three values
    driver.type(U"R");
    driver.press(Key::Enter);
    EXPECT_EQ(focused(), &w().Edit11); // the empty middle box first
    driver.type(U"S");
    driver.press(Key::Enter);
    EXPECT_EQ(focused(), &w().Edit2); // end box still empty
    driver.press(Key::Enter);
    EXPECT_EQ(focused(), &w().Edit2); // incomplete: nothing
    driver.type(U"T");
    driver.press(Key::Enter);
    EXPECT_EQ(focused(), &w().Edit3);
    driver.click(w().Edit11);
    driver.press(Key::Enter);
    EXPECT_EQ(focused(), &w().Edit9); // the end box holds text

    // 線番１ in 3BOX goes to the count box that holds text.
    driver.click(w().RadioButton17);
    w().Edit3.setText(U"A");
    w().Edit49.setText(U"4");
    driver.click(w().Edit3);
    driver.press(Key::Enter);
    EXPECT_EQ(focused(), &w().Edit49);
    w().Edit49.clear();
    driver.click(w().Edit3);
    driver.press(Key::Enter);
    EXPECT_EQ(focused(), &w().Edit9);

    // 線番２ needs something to enter.
    driver.press("F11");
    driver.click(w().Edit6);
    driver.press(Key::Enter);
    EXPECT_EQ(focused(), &w().Edit6);
}

TEST_F(EntryPanelTest, TabGoesRoundItsOwnRingAndNowhereElse) {
    driver.click(w().Edit3);
    for (ui::Edit* next : {&w().Edit1, &w().Edit4, &w().Edit6, &w().Edit7, &w().Edit9, &w().Edit3}) {
        driver.press(Key::Tab);
        EXPECT_EQ(focused(), next) << next->name();
    }
    driver.click(w().Edit2);
    driver.press(Key::Tab);
    EXPECT_EQ(focused(), &w().Edit2);
}

TEST_F(EntryPanelTest, SequenceModesCycleByTheIndicatorsAndByAlt) {
    driver.click(w().Tilde2);
    EXPECT_FALSE(w().Tilde2.visible());
    EXPECT_TRUE(w().Label16.visible());
    driver.click(w().Label16);
    EXPECT_FALSE(w().Label16.visible());
    EXPECT_TRUE(w().Edit12.visible());
    EXPECT_EQ(w().entryPanel().sequenceMode(1), SequenceMode::ThreeValues);

    // Alt in the middle box: back to range, the middle box emptied and hidden.
    typeInto(w().Edit12, U"S");
    w().Edit4.setText(U"R");
    driver.press(Key::Alt);
    EXPECT_FALSE(w().Edit12.visible());
    EXPECT_EQ(w().Edit12.text(), U"");
    EXPECT_TRUE(w().Tilde2.visible());
    EXPECT_EQ(focused(), &w().Edit4);
    EXPECT_EQ(w().Edit4.selText(), U"R");

    // Alt held down steps once.
    driver.keyDown(Key::Alt);
    driver.keyDown(Key::Alt, ui::Modifiers::Alt);
    driver.keyUp(Key::Alt);
    EXPECT_EQ(w().entryPanel().sequenceMode(1), SequenceMode::Pair);

    // Alt with another key is a chord for a button: the mode stays.
    driver.press("Alt+Q");
    EXPECT_EQ(w().entryPanel().sequenceMode(1), SequenceMode::Pair);

    // A fixed sequence keeps its mode.
    w().Edit5.setText(U"T");
    driver.click(w().CheckBox5);
    driver.click(w().Label16);
    EXPECT_EQ(w().entryPanel().sequenceMode(1), SequenceMode::Pair);
}

TEST_F(EntryPanelTest, AltOutsideTheSequencesFocusesTheEntryField) {
    driver.click(w().Edit9);
    w().Timer1.stop();
    driver.press(Key::Alt);
    EXPECT_EQ(focused(), &w().Edit3);
    EXPECT_TRUE(w().Timer1.enabled());
    EXPECT_EQ(w().entryPanel().sequenceMode(0), SequenceMode::Range);
}

TEST_F(EntryPanelTest, SequenceFixBoxNeedsBothEndsAndEmptiesWhenUnticked) {
    typeInto(w().Edit1, U"1");
    driver.click(w().CheckBox3);
    EXPECT_FALSE(w().CheckBox3.checked());
    EXPECT_EQ(w().Edit1.text(), U"1"); // a refused tick leaves the text alone
    EXPECT_EQ(focused(), &w().Edit3);

    w().Edit2.setText(U"5");
    driver.click(w().CheckBox3);
    EXPECT_TRUE(w().CheckBox3.checked());
    EXPECT_TRUE(w().Edit2.readOnly());
    driver.click(w().Edit1);
    EXPECT_EQ(w().Edit1.color(), EntryPanel::FixedColor); // kept while focused
    driver.type(U"9");
    EXPECT_EQ(w().Edit1.text(), U"1");

    driver.press("F7"); // unticks the fix box of the focused field
    EXPECT_FALSE(w().CheckBox3.checked());
    EXPECT_FALSE(w().Edit1.readOnly());
    EXPECT_EQ(w().Edit1.text(), U"");
    EXPECT_EQ(w().Edit2.text(), U"");
    EXPECT_EQ(w().Edit2.color(), ui::colors::Window);
}

TEST_F(EntryPanelTest, WireFixBoxesExcludeEachOther) {
    driver.click(w().CheckBox4);
    EXPECT_FALSE(w().CheckBox4.checked()); // 線番１ is empty

    w().Edit3.setText(U"MC");
    driver.click(w().CheckBox4);
    EXPECT_TRUE(w().CheckBox4.checked());
    EXPECT_TRUE(w().Edit3.readOnly());
    EXPECT_EQ(focused(), &w().Edit6);
    w().Edit6.setText(U"-1");
    driver.click(w().CheckBox6);
    EXPECT_FALSE(w().CheckBox6.checked()); // not both at once
    EXPECT_EQ(w().Edit6.text(), U"-1");

    driver.click(w().CheckBox4);
    EXPECT_FALSE(w().Edit3.readOnly());
    EXPECT_EQ(focused(), &w().Edit3);
    driver.click(w().CheckBox6);
    EXPECT_TRUE(w().CheckBox6.checked());
    EXPECT_EQ(focused(), &w().Edit3);
    driver.click(w().Edit6);
    EXPECT_EQ(focused(), &w().Edit3); // a fixed 線番２ sends the click to 線番１
    driver.click(w().CheckBox6);
    EXPECT_EQ(w().Edit6.text(), U"");
    EXPECT_EQ(focused(), &w().Edit3);
}

TEST_F(EntryPanelTest, FieldsShowTheFocusColourWhileFocused) {
    driver.click(w().Edit4);
    EXPECT_EQ(w().Edit4.color(), EntryPanel::FocusColor);
    driver.click(w().Edit9);
    EXPECT_EQ(w().Edit4.color(), ui::colors::Window);
    EXPECT_EQ(w().Edit9.color(), EntryPanel::FocusColor);
}

TEST_F(EntryPanelTest, ClearEmptiesTheEntryAndKeepsTheCount) {
    w().Edit1.setText(U"1");
    w().Edit2.setText(U"2");
    driver.click(w().CheckBox3);
    driver.click(w().Tilde2);
    driver.click(w().Label16);
    w().Edit12.setText(U"M");
    w().Edit3.setText(U"A");
    w().Edit6.setText(U"B");
    w().Edit9.setText(U"3");
    w().Edit16.setText(U"9");
    driver.press("F11");
    for (ui::Edit* box : {&w().Edit1, &w().Edit2, &w().Edit3, &w().Edit6, &w().Edit12})
        EXPECT_EQ(box->text(), U"") << box->name();
    EXPECT_FALSE(w().CheckBox3.checked());
    EXPECT_FALSE(w().Edit1.readOnly());
    EXPECT_FALSE(w().Edit12.visible());
    EXPECT_TRUE(w().Tilde2.visible());
    EXPECT_FALSE(w().Label16.visible());
    EXPECT_EQ(w().Edit9.text(), U"3");
    EXPECT_EQ(w().Edit16.text(), U"9");
    EXPECT_EQ(focused(), &w().Edit3);
}

} // namespace
} // namespace lumitag::entry::test
