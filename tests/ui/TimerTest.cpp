#include "TestWindow.h"

#include <memory>
#include <string>
#include <vector>

namespace lumitag::ui::test {
namespace {

class Timers : public UiTest {
protected:
    Timers() {
        form.Timer1.onTimer = [this] { fired.push_back(app.now().count()); };
        form.Timer1.setInterval(Milliseconds{100});
    }
    std::vector<long long> fired;
};

TEST_F(Timers, FiresOnlyWhenTheClockPassesItsIntervalWhileEnabled) {
    driver.advance(500);
    EXPECT_TRUE(fired.empty()) << "stopped timers never fire";
    form.Timer1.start();
    driver.advance(99);
    EXPECT_TRUE(fired.empty());
    driver.advance(1);
    EXPECT_EQ(fired, (std::vector<long long>{600}));
    driver.advance(250);
    EXPECT_EQ(fired, (std::vector<long long>{600, 700, 800}));
    form.Timer1.stop();
    driver.advance(1000);
    EXPECT_EQ(fired.size(), 3u);
}

TEST_F(Timers, EnablingAgainOrChangingTheIntervalStartsANewCount) {
    form.Timer1.start();
    driver.advance(80);
    form.Timer1.start(); // restarts the count, like the classic component
    driver.advance(80);
    EXPECT_TRUE(fired.empty());
    form.Timer1.setInterval(Milliseconds{1500});
    driver.advance(1499);
    EXPECT_TRUE(fired.empty());
    driver.advance(1);
    EXPECT_EQ(fired, (std::vector<long long>{1660}));
}

TEST_F(Timers, SeveralTimersFireInTimeOrderAndCanStopEachOther) {
    Timer fast{form, "fast"};
    fast.setInterval(Milliseconds{30});
    std::vector<std::string> order;
    fast.onTimer = [&] {
        order.push_back("fast " + std::to_string(app.now().count()));
        if (app.now() >= Milliseconds{90})
            fast.stop();
    };
    form.Timer1.onTimer.clear(); // this test's handler replaces the fixture's
    form.Timer1.onTimer = [&] { order.push_back("slow " + std::to_string(app.now().count())); };
    form.Timer1.start();
    driver.advance(200);
    EXPECT_EQ(order, (std::vector<std::string>{"fast 30", "fast 60", "fast 90", "slow 100", "slow 200"}));
}

TEST_F(Timers, PaintingRunsBetweenTicks) {
    int paints = 0;
    form.Grid.onDrawCell = [&](int, int, const Rect&, GridDrawState) { ++paints; };
    driver.idle();
    paints = 0;
    std::vector<int> paintsSeenAtTick;
    form.Timer1.onTimer.clear(); // this test's handler replaces the fixture's
    form.Timer1.onTimer = [&] {
        paintsSeenAtTick.push_back(paints);
        form.Grid.setCell(1, 1, Text(1, U'a' + static_cast<char32_t>(paintsSeenAtTick.size())));
    };
    form.Timer1.start();
    driver.advance(300);
    ASSERT_EQ(paintsSeenAtTick.size(), 3u);
    EXPECT_EQ(paintsSeenAtTick[0], 0);
    EXPECT_GT(paintsSeenAtTick[1], 0) << "the change of the first tick was painted before the second";
}

// One wake of the event loop after a stall (a slow file dialog, an fsync, a
// spreadsheet call waiting for its timeout) fires each due timer once, not
// once per period missed, and the next period counts from the wake.
TEST_F(Timers, AStallFiresEachDueTimerOnceAndCountsOnFromTheWake) {
    Timer synchroniser{form, "synchroniser"};
    synchroniser.setInterval(Milliseconds{1});
    int synchronisations = 0;
    synchroniser.onTimer = [&] { ++synchronisations; };
    form.Timer1.start();

    app.advance(Milliseconds{5000});
    EXPECT_EQ(fired, (std::vector<long long>{5000}));
    EXPECT_EQ(synchronisations, 1);
    EXPECT_EQ(form.Timer1.due(), Milliseconds{5100});
    EXPECT_EQ(synchroniser.due(), Milliseconds{5001});

    app.advance(Milliseconds{10});
    EXPECT_EQ(synchronisations, 2) << "a late wake still fires the 1 ms timer only once";
    EXPECT_EQ(fired.size(), 1u);
    app.advance(Milliseconds{90});
    EXPECT_EQ(fired, (std::vector<long long>{5000, 5100}));
}

TEST_F(Timers, OneWakeFiresTheDueTimersEarliestFirstAndPaintsAfterEach) {
    Timer later{form, "later"};
    later.setInterval(Milliseconds{50});
    form.Timer1.start(); // due at 100
    later.start();       // due at 50
    std::vector<std::string> order;
    form.Grid.onDrawCell = [&](int, int, const Rect&, GridDrawState) {
        if (order.empty() || order.back() != "paint")
            order.push_back("paint");
    };
    driver.idle();
    order.clear();
    later.onTimer = [&] {
        order.push_back("later");
        form.Grid.setCell(1, 1, U"x");
    };
    form.Timer1.onTimer.clear(); // this test's handler replaces the fixture's
    form.Timer1.onTimer = [&] { order.push_back("Timer1"); };
    app.advance(Milliseconds{300});
    EXPECT_EQ(order, (std::vector<std::string>{"later", "paint", "Timer1"}));
}

TEST_F(Timers, HandlersThatStopStartOrDestroyOtherTimersInTheSameWake) {
    auto doomed = std::make_unique<Timer>(form, "doomed");
    Timer stopped{form, "stopped"};
    Timer started{form, "started"};
    for (Timer* timer : {doomed.get(), &stopped, &started})
        timer->setInterval(Milliseconds{100});
    form.Timer1.setInterval(Milliseconds{50});
    started.stop();
    form.Timer1.start();
    std::vector<std::string> order;
    // Timer1 is due first and rearranges the others before they get their turn.
    form.Timer1.onTimer.clear(); // this test's handler replaces the fixture's
    form.Timer1.onTimer = [&] {
        order.push_back("Timer1");
        if (!doomed)
            return;
        doomed.reset();
        stopped.stop();
        started.start();
    };
    stopped.onTimer = [&] { order.push_back("stopped"); };
    started.onTimer = [&] { order.push_back("started " + std::to_string(app.now().count())); };

    app.advance(Milliseconds{1000});
    EXPECT_EQ(order, (std::vector<std::string>{"Timer1"})) << "a timer started in this wake counts from now";
    EXPECT_EQ(started.due(), Milliseconds{1100});
    app.advance(Milliseconds{100});
    EXPECT_EQ(order, (std::vector<std::string>{"Timer1", "Timer1", "started 1100"}));
}

TEST_F(Timers, TheDriverLetsTimePassTickByTick) {
    Timer fast{form, "fast"};
    fast.setInterval(Milliseconds{1});
    int ticks = 0;
    fast.onTimer = [&] { ++ticks; };
    form.Timer1.start();
    driver.advance(1000);
    EXPECT_EQ(ticks, 1000);
    EXPECT_EQ(fired.size(), 10u);
    EXPECT_EQ(app.now(), Milliseconds{1000});
}

TEST_F(Timers, TimersOfHiddenWindowsRun) {
    form.Timer1.start();
    form.hide();
    driver.advance(100);
    EXPECT_EQ(fired.size(), 1u);
}

} // namespace
} // namespace lumitag::ui::test
