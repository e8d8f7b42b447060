#include "TestWindow.h"

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

TEST_F(Timers, TimersOfHiddenWindowsRun) {
    form.Timer1.start();
    form.hide();
    driver.advance(100);
    EXPECT_EQ(fired.size(), 1u);
}

} // namespace
} // namespace lumitag::ui::test
