// When the loop next has work: a front end that sleeps between wakes arms one
// timer for Application::nextWake and re-arms when onWakeChange says so.
#include "TestWindow.h"

#include <optional>

namespace lumitag::ui::test {
namespace {

using namespace std::chrono_literals;

class Wakes : public UiTest {
protected:
    Wakes() {
        app.onWakeChange = [this] { ++wakeChanges; };
        form.Button1.setFocus(); // no caret: only what a test starts is due
    }
    // The handlers point into this test; the window's timers outlive it.
    ~Wakes() override {
        app.onWakeChange.clear();
        app.onClockNeeded.clear();
    }
    std::optional<Milliseconds> after(Milliseconds wait) const { return app.now() + wait; }
    int wakeChanges = 0;
};

TEST_F(Wakes, NextWakeIsTheEarliestRunningTimerAndFollowsStartsAndStops) {
    EXPECT_EQ(app.nextWake(), std::nullopt) << "nothing runs: the program sleeps until input";
    driver.advance(40);

    auto expectChange = [this](const char* what, std::optional<Milliseconds> wake) {
        SCOPED_TRACE(what);
        EXPECT_GT(wakeChanges, 0) << "the front end was not told";
        EXPECT_EQ(app.nextWake(), wake);
        wakeChanges = 0;
    };
    form.Timer1.setInterval(100ms);
    form.Timer1.start();
    expectChange("a timer starts", after(100ms));
    {
        Timer fast{form, "fast"}; // made enabled
        fast.setInterval(30ms);
        expectChange("an earlier one starts", after(30ms));
        driver.advance(30); // a front end arms again after every advance
        EXPECT_EQ(app.nextWake(), after(30ms)) << "it fired and counts on";
        fast.setInterval(200ms);
        expectChange("its interval changes", after(70ms));
        fast.stop();
        expectChange("it stops", after(70ms));
        fast.start();
    }
    expectChange("a running one is destroyed", after(70ms));
    form.Timer1.stop();
    expectChange("the last one stops", std::nullopt);
}

TEST_F(Wakes, TheCaretBlinksOnTheClockAndKeysRestartIt) {
    form.Edit1.setFocus();
    ASSERT_EQ(app.caretOwner(), &form.Edit1);
    EXPECT_TRUE(app.caretVisible());
    driver.press(Key::End);
    EXPECT_EQ(app.nextWake(), after(Application::CaretBlink));
    driver.advance(529);
    EXPECT_TRUE(app.caretVisible());
    driver.advance(1);
    EXPECT_FALSE(app.caretVisible());
    driver.advance(530);
    EXPECT_TRUE(app.caretVisible());
    driver.advance(530);
    ASSERT_FALSE(app.caretVisible());
    driver.press(Key::Left); // a key shows the caret and starts a whole phase
    EXPECT_TRUE(app.caretVisible());
    EXPECT_EQ(app.nextWake(), after(Application::CaretBlink));

    // Controls without a caret do not blink, and nothing wakes for them.
    struct Case {
        const char* what;
        Control* control;
    };
    const Case cases[] = {{"button", &form.Button1}, {"grid without its editor", &form.Grid}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.control->setFocus();
        EXPECT_EQ(app.caretOwner(), nullptr);
        EXPECT_EQ(app.nextWake(), std::nullopt);
    }
    // A caret that appears without input (an editable combo box focused in
    // code) starts shown, for at least a whole phase: the old box's phase
    // does not carry over.
    driver.advance(300);
    form.ComboBox1.setFocus();
    EXPECT_EQ(app.caretOwner(), &form.ComboBox1);
    ASSERT_TRUE(app.nextWake().has_value());
    EXPECT_GE(*app.nextWake(), after(Application::CaretBlink));
    driver.advance(530);
    EXPECT_TRUE(app.caretVisible());
    driver.advance(530);
    EXPECT_FALSE(app.caretVisible());

    // A click that puts the focus into a box shows the caret there at once.
    driver.click(form.Edit2);
    EXPECT_TRUE(app.caretVisible());
    EXPECT_EQ(app.nextWake(), after(Application::CaretBlink));
}

TEST_F(Wakes, TheHintPauseIsAWakeUntilItEnds) {
    form.SpeedButton1.setHint(U"ヒント");
    form.SpeedButton1.setShowHint(true);
    app.setHintPause(500ms);
    driver.advance(20);
    driver.hover(form.SpeedButton1);
    EXPECT_EQ(app.hintDue(), after(500ms));
    EXPECT_EQ(app.nextWake(), after(500ms));
    EXPECT_GT(wakeChanges, 0);
    driver.advance(500);
    EXPECT_EQ(app.hintDue(), app.now()) << "the hint shows now";
    EXPECT_EQ(app.nextWake(), std::nullopt) << "a hint that is due wakes nobody again";
    driver.hover(form.Button1); // no hint there
    EXPECT_EQ(app.hintDue(), std::nullopt);
}

TEST_F(Wakes, PeriodsStartAtThePresentOfAFrontEndThatSleeps) {
    // The front end's real clock has moved on since its last wake: it brings
    // the model's clock to the present whenever the model asks.
    Milliseconds sinceWake{0};
    app.onClockNeeded = [&] {
        app.moveClock(sinceWake);
        sinceWake = 0ms;
    };
    int fired = 0;
    form.Timer1.onTimer = [&] { ++fired; };
    form.Timer1.setInterval(100ms);
    sinceWake = 70ms;
    form.Timer1.start();
    EXPECT_EQ(app.now(), 70ms);
    EXPECT_EQ(form.Timer1.due(), 170ms);

    // A clock moved past a due time fires it at the next advance, also one
    // that adds no time; once.
    app.moveClock(100ms);
    EXPECT_EQ(fired, 0);
    app.advance(0ms);
    EXPECT_EQ(fired, 1);
    app.advance(0ms);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(form.Timer1.due(), 270ms);

    // The time a modal dialog is open does not count.
    form.Button1.onClick = [&] {
        sinceWake = 30ms; // before the box opens: counts
        app.showMessage(platform::MessageKind::Information, U"ルミタグ", U"ok", platform::Buttons::Ok);
    };
    dialogs.setOnMessage([&](const platform::MessageRequest&) { sinceWake = 4000ms; }); // the box is open
    dialogs.queueAnswer(platform::Answer::Ok);
    form.Button1.click();
    EXPECT_EQ(app.now(), 200ms);
    app.moveClock(5000ms);
    EXPECT_EQ(app.now(), 5200ms) << "outside a dialog the clock moves";
}

} // namespace
} // namespace lumitag::ui::test
