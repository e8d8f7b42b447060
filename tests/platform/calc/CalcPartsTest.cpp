#include "platform/spreadsheet/calc/CalcRange.h"
#include "platform/spreadsheet/calc/CalcUnits.h"
#include "platform/spreadsheet/calc/CalcWorksheet.h"
#include "platform/spreadsheet/calc/CallGate.h"
#include "platform/spreadsheet/calc/EventQueue.h"
#include "platform/spreadsheet/calc/OfficeProcess.h"
#include "platform/spreadsheet/calc/UnoText.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace lumitag::platform::calc {
namespace {

using namespace std::chrono_literals;

TEST(CalcUnits, ColumnWidthsRoundTripThroughHundredthsOfAMillimetre) {
    for (const double characters : {0.0, 0.5, 1.0, 2.5, 8.43, 10.0, 12.75, 40.0, 255.0}) {
        SCOPED_TRACE(characters);
        EXPECT_NEAR(columnWidthFromHundredthMm(columnWidthToHundredthMm(characters)), characters, 0.01);
    }
    // A character is 5.5 points with 0.7 of a character of padding: a column
    // of 9.607 characters prints 20 mm wide, one character 1.7 * 5.5 points.
    EXPECT_EQ(columnWidthToHundredthMm(20 / 25.4 * 72 / 5.5 - 0.7), 2000);
    EXPECT_EQ(columnWidthToHundredthMm(8.43), 1771);
    EXPECT_EQ(columnWidthToHundredthMm(1.0), 330);
    EXPECT_EQ(columnWidthToHundredthMm(-3.0), 0);
}

TEST(CalcUnits, RowHeightsReadBackInWholeTwips) {
    for (const double points : {0.0, 9.75, 13.5, 15.0, 18.75, 30.0, 409.5}) {
        SCOPED_TRACE(points);
        EXPECT_DOUBLE_EQ(rowHeightFromHundredthMm(pointsToHundredthMm(points)), points);
    }
    EXPECT_EQ(pointsToHundredthMm(72.0), 2540); // one inch
}

TEST(CalcUnits, NumbersReadAsTheSpreadsheetWritesThem) {
    const struct {
        double value;
        const char32_t* text;
    } cases[] = {
        {12, U"12"},       {-3, U"-3"},        {1.5, U"1.5"},    {0.1 + 0.2, U"0.3"},
        {-0.0, U"0"},      {1e20, U"1E+20"},   {1e-7, U"1E-07"}, {123456789012345, U"123456789012345"},
        {0.125, U"0.125"}, {1234.5, U"1234.5"}};
    for (const auto& c : cases) {
        EXPECT_EQ(numberAsText(c.value), c.text) << c.value;
    }
}

TEST(CalcCellValues, TextNumberAndEmptyCells) {
    EXPECT_EQ(cellValueText(css::uno::Any(toUno(U"線番"))), U"線番");
    EXPECT_EQ(cellValueText(css::uno::Any(42.0)), U"42");
    EXPECT_EQ(cellValueText(css::uno::Any()), U"");
}

TEST(CalcCellValues, OnlyPlainDecimalTextsBecomeNumbers) {
    const struct {
        TextView text;
        std::optional<double> number;
    } cases[] = {
        {U"12", 12.0},
        {U"007", 7.0},
        {U"-3", -3.0},
        {U"1.50", 1.5},
        {U"0.5", 0.5},
        {U"", std::nullopt},
        {U"-", std::nullopt},
        {U".", std::nullopt},
        {U"1/2", std::nullopt},
        {U"=1+1", std::nullopt},
        {U"1e3", std::nullopt},
        {U" 1", std::nullopt},
        {U"1.2.3", std::nullopt},
        {U"5%", std::nullopt},
        {U"１２", std::nullopt},
        {U"+1", std::nullopt},
        {U"1-2", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(plainDecimalNumber(c.text), c.number) << fromUno(toUno(c.text)).size();
}

TEST(UnoText, CodePointsSurviveUtf16BothWays) {
    const Text samples[] = {U"", U"線番", U"【1】", U"ＡＢ１", U"a\tb", U"\U0001F600 \U00020B9F"};
    for (const Text& text : samples) {
        EXPECT_EQ(fromUno(toUno(text)), text);
    }
    EXPECT_EQ(toUno(U"\U0001F600").getLength(), 2);
    // A value that is no scalar, and a lone surrogate coming back, become U+FFFD.
    EXPECT_EQ(fromUno(toUno(Text(1, char32_t{0xD800}))), U"\uFFFD");
    const sal_Unicode lone[] = {0xDC00, u'x'};
    EXPECT_EQ(fromUno(rtl::OUString(lone, 2)), U"\uFFFDx");
}

TEST(UnoText, FileUrlsEncodeEachPathSegment) {
    EXPECT_EQ(fileUrl("/tmp/a b/線番.xlsx"), "file:///tmp/a%20b/%E7%B7%9A%E7%95%AA.xlsx");
    EXPECT_TRUE(fileUrl("relative.xlsx").isEmpty());
}

TEST(SheetNames, AllowedAndForbidden) {
    for (const Text name : {U"Sheet1", U"線番表", U"a'b", U"1234567890123456789012345678901"}) {
        EXPECT_TRUE(isAllowedSheetName(name));
    }
    for (const Text name : {U"", U"a:b", U"a\\b", U"a/b", U"a?b", U"a*b", U"[a", U"a]", U"'ab", U"ab'",
                            U"12345678901234567890123456789012"}) {
        EXPECT_FALSE(isAllowedSheetName(name));
    }
}

TEST(ClipboardRows, TabsSplitCellsAndAnyLineBreakEndsARow) {
    using Rows = std::vector<std::vector<Text>>;
    EXPECT_EQ(splitClipboardText(U"1-A\t2\r\n2-A\t2\r\n"), (Rows{{U"1-A", U"2"}, {U"2-A", U"2"}}));
    EXPECT_EQ(splitClipboardText(U"a\nb"), (Rows{{U"a"}, {U"b"}}));
    EXPECT_EQ(splitClipboardText(U"a\t\tc\r"), (Rows{{U"a", U"", U"c"}}));
    EXPECT_EQ(splitClipboardText(U"\r\n\r\nx"), (Rows{{U""}, {U""}, {U"x"}}));
    EXPECT_TRUE(splitClipboardText(U"").empty());
}

TEST(EventQueue, KeepsOrderAndDropsARepeatOfTheLastWaitingEvent) {
    EventQueue queue;
    for (HostEvent e : {HostEvent::SelectionChanged, HostEvent::SelectionChanged, HostEvent::SheetChanged,
                        HostEvent::SelectionChanged, HostEvent::SheetActivated, HostEvent::SheetActivated}) {
        queue.push(e);
    }
    const auto taken = queue.takeAll();
    EXPECT_EQ(std::vector<HostEvent>(taken.begin(), taken.end()),
              (std::vector<HostEvent>{HostEvent::SelectionChanged, HostEvent::SheetChanged,
                                      HostEvent::SelectionChanged, HostEvent::SheetActivated}));
    EXPECT_EQ(queue.size(), 0u);
    // After a take, the same event is new again.
    queue.push(HostEvent::SheetActivated);
    EXPECT_EQ(queue.size(), 1u);
}

TEST(CallGate, RunsWorkOnItsOwnThreadAndPassesErrorsBack) {
    CallGate gate([] {}, 1s);
    std::thread::id ran;
    gate.run([&] { ran = std::this_thread::get_id(); }, 1s);
    EXPECT_NE(ran, std::this_thread::get_id());
    EXPECT_THROW(gate.run([] { throw std::logic_error("refused"); }, 1s), std::logic_error);
    // A call made from inside a call runs directly instead of deadlocking.
    int inner = 0;
    gate.run([&] { gate.run([&] { inner = 1; }, 1s); }, 1s);
    EXPECT_EQ(inner, 1);
}

TEST(CallGate, AnOverrunAbortsTheStuckCallAndFails) {
    std::mutex mutex;
    std::condition_variable released;
    bool aborted = false;
    CallGate gate(
        [&] {
            std::lock_guard lock(mutex);
            aborted = true;
            released.notify_all();
        },
        5s);
    const auto start = std::chrono::steady_clock::now();
    // The work stands for a call into a frozen office: it only returns once
    // the abort action cut it loose.
    EXPECT_THROW(gate.run(
                     [&] {
                         std::unique_lock lock(mutex);
                         released.wait(lock, [&] { return aborted; });
                     },
                     100ms),
                 std::runtime_error);
    EXPECT_TRUE(aborted);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_FALSE(gate.leftCallBehind());
    // The gate still serves later calls.
    int later = 0;
    gate.run([&] { later = 1; }, 1s);
    EXPECT_EQ(later, 1);
}

TEST(CallGate, ACallFromAnotherThreadWaitsForTheRunningOneAtMostItsTimeout) {
    std::mutex mutex;
    std::condition_variable changed;
    bool running = false;
    bool letGo = false;
    CallGate gate([] {}, 1s);
    // A long call on another thread: it ends by itself after 5 s at the latest.
    std::thread first([&] {
        gate.run(
            [&] {
                std::unique_lock lock(mutex);
                running = true;
                changed.notify_all();
                changed.wait_for(lock, 5s, [&] { return letGo; });
            },
            30s);
    });
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return running; });
    }
    bool ran = false;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(gate.run([&] { ran = true; }, 100ms), std::runtime_error);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s) << "the wait for the other call has a bound";
    EXPECT_FALSE(ran);
    {
        std::lock_guard lock(mutex);
        letGo = true;
    }
    changed.notify_all();
    first.join();
    gate.run([&] { ran = true; }, 1s);
    EXPECT_TRUE(ran);
}

TEST(CallGate, ACallTheAbortCannotCutLooseIsLeftBehindAfterTheGrace) {
    // Outlive the gate: the call left behind still uses them.
    std::mutex mutex;
    std::condition_variable changed;
    bool letGo = false;
    std::atomic<bool> sawAbort = false;
    CallGate gate([] {}, 200ms);
    // The work stands for a call stuck where the abort cannot reach it; it
    // notices the abort but goes on waiting.
    const auto stuck = [&] {
        std::unique_lock lock(mutex);
        while (!changed.wait_for(lock, 10ms, [&] { return letGo; })) {
            sawAbort = sawAbort || gate.aborted();
        }
    };
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(gate.run(stuck, 100ms), std::runtime_error);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s) << "the wait after the abort has a bound";
    EXPECT_TRUE(gate.leftCallBehind());
    EXPECT_TRUE(sawAbort);

    // While it runs, every call fails at once instead of queueing behind it.
    bool ran = false;
    const auto refused = std::chrono::steady_clock::now();
    EXPECT_THROW(gate.run([&] { ran = true; }, 5s), std::runtime_error);
    EXPECT_LT(std::chrono::steady_clock::now() - refused, 1s);
    EXPECT_FALSE(ran);

    // Once it has ended, the gate serves calls again.
    {
        std::lock_guard lock(mutex);
        letGo = true;
    }
    changed.notify_all();
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!ran && std::chrono::steady_clock::now() < deadline) {
        try {
            gate.run([&] { ran = true; }, 1s);
        } catch (const std::runtime_error&) {
            std::this_thread::sleep_for(10ms);
        }
    }
    EXPECT_TRUE(ran);
}

// Asked from the program's thread while the gate thread may reap the office:
// the question must not reap it itself, or the reaper would lose its exit code.
TEST(OfficeProcess, HasEndedLeavesTheEndedChildToItsReaper) {
    int go[2];
    ASSERT_EQ(::pipe(go), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(go[1]); // else its own write end keeps the read waiting
        char byte = 0;
        (void)::read(go[0], &byte, 1);
        ::_exit(7);
    }
    EXPECT_FALSE(OfficeProcess::hasEnded(child)) << "running";
    ::close(go[1]); // lets it end
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!OfficeProcess::hasEnded(child) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    EXPECT_TRUE(OfficeProcess::hasEnded(child)) << "ended, not reaped";
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child) << "still there to be reaped";
    EXPECT_EQ(WEXITSTATUS(status), 7);
    EXPECT_TRUE(OfficeProcess::hasEnded(child)) << "reaped";
    EXPECT_FALSE(OfficeProcess::hasEnded(-1)) << "no office of our own";
    ::close(go[0]);
}

} // namespace
} // namespace lumitag::platform::calc
