#include "TestWindow.h"

namespace lumitag::ui::test {
namespace {

using Log = std::vector<std::string>;
using platform::Answer;
using platform::Buttons;
using platform::MessageKind;

class EventRules : public UiTest {};

// Rule 1: setting checked or selection in code runs the click handler when the value changes.
TEST_F(EventRules, CheckedInCodeRunsClickOnlyWhenTheValueChanges) {
    form.CheckBox1.onClick = note("click");
    form.CheckBox1.setChecked(true);
    form.CheckBox1.setChecked(true);
    form.CheckBox1.setChecked(false);
    EXPECT_EQ(log, (Log{"click", "click"}));
}

TEST_F(EventRules, MouseReleaseHandlerRunsOnlyForTheUsersRelease) {
    form.CheckBox1.onMouseUp = [this](const MouseEvent&) { log.push_back("release"); };
    form.CheckBox1.setChecked(true);
    EXPECT_TRUE(log.empty());
    driver.click(form.CheckBox1);
    EXPECT_FALSE(form.CheckBox1.checked());
    EXPECT_EQ(log, (Log{"release"}));
}

TEST_F(EventRules, RadioButtonsAndGroupsRunClickWhenSelectedInCode) {
    form.RadioButton1.onClick = note("radio 1");
    form.RadioButton2.onClick = note("radio 2");
    form.RadioButton1.setChecked(true);
    form.RadioButton2.setChecked(true);
    EXPECT_FALSE(form.RadioButton1.checked()) << "siblings are unchecked";
    form.RadioButton2.setChecked(true);
    form.RadioGroup1.onClick = note("group");
    form.RadioGroup1.setItemIndex(1);
    form.RadioGroup1.setItemIndex(1);
    driver.choose(form.RadioGroup1, 2);
    EXPECT_EQ(form.RadioGroup1.itemIndex(), 2);
    EXPECT_EQ(log, (Log{"radio 1", "radio 2", "group", "group"}));
}

// Rule 2: an edit's text in code runs its change handler; a combo box's index or text does not.
TEST_F(EventRules, EditTextInCodeRunsChange) {
    form.Edit1.onChange = note("change");
    form.Edit1.setText(U"A");
    form.Edit1.setText(U"A");
    form.Edit1.clear();
    EXPECT_EQ(log, (Log{"change", "change"}));
}

TEST_F(EventRules, ComboBoxChangesInCodeAreSilentButTheUsersChoiceIsNot) {
    form.ComboBox1.setItems({U"Table 0", U"Table 1", U"Table 2"});
    form.ComboBox1.onChange = note("change");
    form.ComboBox1.setItemIndex(1);
    EXPECT_EQ(form.ComboBox1.text(), U"Table 1");
    form.ComboBox1.setText(U"Table 2");
    EXPECT_EQ(form.ComboBox1.itemIndex(), 2);
    EXPECT_TRUE(log.empty());
    form.ComboBox1.onDropDown = note("drop down");
    form.ComboBox1.onCloseUp = note("close up");
    driver.choose(form.ComboBox1, 0);
    EXPECT_EQ(form.ComboBox1.itemIndex(), 0);
    EXPECT_EQ(log, (Log{"drop down", "change", "close up"}));
    log.clear();
    driver.press(Key::Down);
    EXPECT_EQ(form.ComboBox1.text(), U"Table 1");
    EXPECT_EQ(log, (Log{"change"}));
}

// A combo box's click is the user's choice of an item, never a click on the box itself.
TEST_F(EventRules, ComboBoxClickRunsOnlyForAChoice) {
    form.ComboBox1.setItems({U"Sheet1", U"Sheet2"});
    form.ComboBox1.onClick = note("click");
    form.ComboBox1.onChange = note("change");
    driver.clickAt(form.ComboBox1, {5, 5});
    driver.type(U"x");
    EXPECT_EQ(log, (Log{"change"})) << "a click into the text and typing choose nothing";
    log.clear();
    driver.choose(form.ComboBox1, 1);
    driver.press(Key::Up);
    EXPECT_EQ(log, (Log{"click", "change", "click", "change"}));
}

// Rule 3: max length limits typing only; read-only takes focus but inserts nothing.
TEST_F(EventRules, MaxLengthLimitsTypingNotCode) {
    form.Edit1.setMaxLength(3);
    form.Edit1.setFocus();
    driver.type(U"12345");
    EXPECT_EQ(form.Edit1.text(), U"123");
    form.Edit1.setText(U"123456");
    EXPECT_EQ(form.Edit1.text(), U"123456");
    clipboard.setText(U"99");
    form.Edit1.setText(U"1");
    form.Edit1.setSelStart(1);
    driver.press("Ctrl+V");
    EXPECT_EQ(form.Edit1.text(), U"199");
    driver.press("Ctrl+V");
    EXPECT_EQ(form.Edit1.text(), U"199") << "a paste is cut to the room left";
}

TEST_F(EventRules, ReadOnlyBoxTakesTheFocusAndCaretButInsertsNothing) {
    form.Edit2.setText(U"abc");
    form.Edit2.setReadOnly(true);
    driver.click(form.Edit2);
    EXPECT_TRUE(form.Edit2.focused());
    driver.press(Key::End);
    EXPECT_EQ(form.Edit2.caret(), 3);
    driver.type(U"x");
    driver.press(Key::Backspace);
    driver.press(Key::Delete);
    driver.press("Ctrl+A");
    driver.press("Ctrl+X");
    EXPECT_EQ(form.Edit2.text(), U"abc");
    driver.press("Ctrl+C");
    EXPECT_EQ(clipboard.text(), U"abc") << "copying from a read-only box works";
}

// Rule 7: a button's click in code runs whether or not it is shown.
TEST_F(EventRules, ButtonClickInCodeRunsEvenWhenHiddenOrDisabled) {
    form.Button1.onClick = note("click");
    form.Button1.hide();
    form.Button1.click();
    form.Button1.show();
    form.Button1.setEnabled(false);
    form.Button1.click();
    driver.click(form.Button1); // the user cannot click a disabled button
    EXPECT_EQ(log, (Log{"click", "click"}));
}

// Rule 8: modal dialogs are synchronous; the clock and painting stop meanwhile.
TEST_F(EventRules, ModalDialogStopsTheClockAndPainting) {
    form.Timer1.setInterval(Milliseconds{100});
    form.Timer1.start();
    int ticks = 0;
    int paints = 0;
    form.Timer1.onTimer = [&] { ++ticks; };
    form.Grid.onDrawCell = [&](int, int, const Rect&, GridDrawState) { ++paints; };
    dialogs.setOnMessage([&](const platform::MessageRequest&) {
        EXPECT_TRUE(app.modal());
        form.Grid.setCell(1, 1, U"changed");
        app.advance(Milliseconds{1000});
        app.idle();
    });
    driver.answer(Answer::Yes);
    const Answer answer =
        app.showMessage(MessageKind::Question, U"ルミタグ", U"よろしいですか？", Buttons::YesCancel);
    EXPECT_EQ(answer, Answer::Yes);
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(paints, 0);
    EXPECT_EQ(app.now(), Milliseconds{0});
    EXPECT_FALSE(app.modal());
    driver.expectMessage(U"よろしいですか？", Buttons::YesCancel);
    driver.idle();
    EXPECT_GT(paints, 0) << "the change made meanwhile paints afterwards";
}

// Rule 9: paint handlers run only in the idle step.
TEST_F(EventRules, DrawCellRunsOnlyInTheIdleStep) {
    driver.idle();
    int paints = 0;
    form.Grid.onDrawCell = [&](int, int, const Rect&, GridDrawState) { ++paints; };
    form.Grid.setCell(1, 1, U"x");
    EXPECT_EQ(paints, 0);
    EXPECT_TRUE(app.needsPaint());
    app.idle();
    EXPECT_GT(paints, 0);
    EXPECT_FALSE(app.needsPaint());
    paints = 0;
    app.idle();
    EXPECT_EQ(paints, 0) << "nothing changed, nothing painted";
}

TEST_F(EventRules, HiddenControlsAreNotPaintedUntilShown) {
    driver.idle();
    int paints = 0;
    form.Grid.onDrawCell = [&](int, int, const Rect&, GridDrawState) { ++paints; };
    form.Grid.hide();
    form.Grid.setCell(1, 1, U"x");
    driver.idle();
    EXPECT_EQ(paints, 0);
    form.Grid.show();
    driver.idle();
    EXPECT_GT(paints, 0);
}

// Rule 10: hints.
TEST_F(EventRules, ShowHintFollowsTheParentUnlessSetOnTheControl) {
    form.Edit1.setHint(U"線番");
    form.Edit2.setHint(U"個数");
    driver.hover(form.Edit1);
    EXPECT_FALSE(app.currentHint()) << "a window's hints are off at first";
    form.setShowHint(true);
    ASSERT_TRUE(app.currentHint());
    EXPECT_EQ(app.currentHint()->text, U"線番");
    form.Edit2.setShowHint(false);
    driver.hover(form.Edit2);
    EXPECT_FALSE(app.currentHint());
    form.setShowHint(false);
    form.Edit2.setShowHint(true);
    ASSERT_TRUE(app.currentHint()) << "a control that always shows its hint";
    EXPECT_EQ(app.currentHint()->text, U"個数");
    form.Edit2.setParentShowHint(true);
    EXPECT_FALSE(app.currentHint());
}

TEST_F(EventRules, EnterHandlerCanChangeHintTimingAndColour) {
    form.setShowHint(true);
    form.Edit1.setHint(U"long text");
    form.Edit1.onMouseEnter = [this] {
        app.setHintColor({220, 220, 248});
        app.setHintHidePause(Milliseconds{3000});
    };
    form.Edit1.onMouseLeave = [this] {
        app.setHintColor(colors::InfoBackground);
        app.setHintHidePause(Milliseconds{10000});
    };
    driver.hover(form.Edit1);
    ASSERT_TRUE(app.currentHint());
    EXPECT_EQ(app.currentHint()->color, (Color{220, 220, 248}));
    EXPECT_EQ(app.currentHint()->hidePause, Milliseconds{3000});
    driver.hover(form.Edit2);
    EXPECT_EQ(app.hintColor(), colors::InfoBackground);
    EXPECT_EQ(app.hintHidePause(), Milliseconds{10000});
}

// --- Cursor and redraw -------------------------------------------------------------------

TEST_F(EventRules, WaitCursorRestoresTheCursorItFound) {
    {
        WaitCursor outer{app};
        {
            WaitCursor inner{app};
            EXPECT_EQ(app.cursor(), Cursor::Wait);
        }
        EXPECT_EQ(app.cursor(), Cursor::Wait);
    }
    EXPECT_EQ(app.cursor(), Cursor::Default);
}

TEST_F(EventRules, EveryVisibleChangeBumpsTheRevision) {
    auto bumps = [this](const std::function<void()>& change) {
        const auto before = app.revision();
        change();
        return app.revision() > before;
    };
    EXPECT_TRUE(bumps([&] { form.Edit1.setText(U"x"); }));
    EXPECT_TRUE(bumps([&] { form.Label1.setCaption(U"y"); }));
    EXPECT_TRUE(bumps([&] { form.N1.setEnabled(false); }));
    EXPECT_TRUE(bumps([&] { form.Grid.setTopRow(5); }));
    EXPECT_TRUE(bumps([&] { app.setCursor(Cursor::Wait); }));
    EXPECT_FALSE(bumps([&] { form.Edit1.setText(U"x"); }));
}

} // namespace
} // namespace lumitag::ui::test
