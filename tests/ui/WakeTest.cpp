// When the loop next has work: a front end that sleeps between wakes arms one
// timer for Application::nextWake and re-arms when onWakeChange says so.
#include "TestWindow.h"

#include <array>
#include <map>
#include <optional>
#include <vector>

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

// A front end that wakes at coalescedWake() and nowhere else, for the given
// time: each tick is at most a twentieth of its interval late, and the wakes
// of the last second are counted.
class CoalescedWakes : public Wakes {
protected:
    struct Run {
        Milliseconds latest{0}; // the latest tick, late by a share of its interval
        int lastSecondWakes = 0;
    };
    Run runFor(Milliseconds length, std::vector<Timer*> timers) {
        Run run;
        std::map<const Timer*, Milliseconds> dueBefore;
        for (Timer* timer : timers) {
            timer->onTimer = [this, timer, &run, &dueBefore] {
                const Milliseconds late = app.now() - dueBefore[timer];
                EXPECT_LE(late * 20, timer->interval())
                    << timer->name() << " ticked " << late.count() << " ms late";
                run.latest = std::max(run.latest, late);
            };
        }
        const Milliseconds end = app.now() + length;
        while (const std::optional<Milliseconds> wake = app.coalescedWake()) {
            if (*wake > end)
                break;
            for (Timer* timer : timers)
                dueBefore[timer] = timer->due();
            app.advance(*wake - app.now());
            if (app.now() > end - 1000ms)
                ++run.lastSecondWakes;
        }
        for (Timer* timer : timers)
            timer->onTimer = nullptr;
        return run;
    }
};

TEST_F(CoalescedWakes, TimersOfRelatedIntervalsFallIntoStepWithinAFewPeriods) {
    // Three 100 ms timers started at odd moments, alone and beside a 50 ms
    // one: each on its own would wake the loop, 30 or 50 wakes a second.
    struct Case {
        const char* what;
        std::array<int, 3> startGaps; // ms between the starts
        bool pump;                    // a 50 ms timer starts last
        int wakesPerSecond;
    };
    const Case cases[] = {
        {"half a period apart", {50, 23, 0}, false, 10},
        {"close together", {3, 1, 0}, false, 10},
        {"two of them half a period after the third", {50, 0, 0}, false, 10},
        {"spread out", {33, 33, 0}, false, 10},
        {"with a 50 ms timer", {50, 23, 14}, true, 20},
        {"with a 50 ms timer between them", {25, 50, 12}, true, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Timer refresh{form, "refresh"}, watcher{form, "watcher"}, follow{form, "follow"}, pump{form, "pump"};
        pump.stop();
        refresh.setInterval(100ms);
        driver.advance(c.startGaps[0]);
        watcher.setInterval(100ms);
        driver.advance(c.startGaps[1]);
        follow.setInterval(100ms);
        std::vector<Timer*> timers{&refresh, &watcher, &follow};
        if (c.pump) {
            driver.advance(c.startGaps[2]);
            pump.setInterval(50ms);
            pump.start();
            timers.push_back(&pump);
        }
        const Run run = runFor(5000ms, timers);
        EXPECT_EQ(run.lastSecondWakes, c.wakesPerSecond);
        if (!c.pump) {
            EXPECT_EQ(refresh.due(), watcher.due());
            EXPECT_EQ(watcher.due(), follow.due());
        }
        // In step, every tick comes on time.
        EXPECT_EQ(runFor(1000ms, timers).latest, 0ms);
    }
}

TEST_F(CoalescedWakes, ATimerWaitsOnlyItsShareAndOnlyForWhatItCanFollow) {
    // A 100 ms timer due first, and a second timer started a little later.
    struct Case {
        const char* what;
        Milliseconds other;            // the second timer's interval; none when zero
        Milliseconds otherStartsAfter; // after the first
        bool otherMadeBefore;          // the second timer was made before the first
        Milliseconds late;             // how late the first fires
    };
    const Case cases[] = {
        {"alone", 0ms, 0ms, false, 0ms},
        {"a wake 4 ms later takes it along", 60ms, 44ms, false, 4ms},
        {"one 6 ms later is too far", 60ms, 46ms, false, 0ms},
        {"a 50 ms timer 30 ms later: it waits its share", 50ms, 80ms, false, 5ms},
        {"a 100 ms timer made before it, 30 ms later: it waits its share", 100ms, 30ms, true, 5ms},
        {"a 100 ms timer made after it: on time", 100ms, 30ms, false, 0ms},
        {"a 200 ms timer: on time", 200ms, 0ms, false, 0ms},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::optional<Timer> madeBefore, madeAfter;
        if (c.other > 0ms && c.otherMadeBefore)
            madeBefore.emplace(form, "other");
        Timer first{form, "first"};
        first.setInterval(100ms);
        if (c.other > 0ms && !c.otherMadeBefore)
            madeAfter.emplace(form, "other");
        if (Timer* other = madeBefore ? &*madeBefore : madeAfter ? &*madeAfter : nullptr) {
            other->stop();
            app.moveClock(c.otherStartsAfter);
            other->setInterval(c.other);
            other->start();
        }
        ASSERT_EQ(app.nextWake(), first.due());
        EXPECT_EQ(*app.coalescedWake() - first.due(), c.late);
    }

    // The caret blink waits a little for a timer, the hint pause never.
    form.Timer1.setInterval(100ms);
    form.Edit1.setFocus();
    driver.press(Key::End); // the caret blinks in 530 ms
    driver.advance(40);
    form.Timer1.start(); // due 10 ms after the blink, at its sixth tick
    driver.advance(410);
    EXPECT_EQ(app.nextWake(), after(80ms));
    EXPECT_EQ(app.coalescedWake(), after(90ms));
    form.SpeedButton1.setHint(U"ヒント");
    form.SpeedButton1.setShowHint(true);
    app.setHintPause(75ms);
    driver.hover(form.SpeedButton1);
    EXPECT_EQ(app.coalescedWake(), after(75ms));
    form.Timer1.stop();
}

} // namespace
} // namespace lumitag::ui::test
