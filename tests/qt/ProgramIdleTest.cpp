// The whole program left alone: only its 100 ms timers wake the front end,
// and a tick that changes nothing a window shows asks Qt for no repaint.
#include "app/TForm2.h"
#include "hardening/FakedProgram.h"
#include "qt/FormWindow.h"
#include "qt/FrontEnd.h"

#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace lumitag::qtfront {
namespace {

using namespace std::chrono_literals;

class ProgramIdle : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(faked.start());
        frontEnd = std::make_unique<FrontEnd>(faked.app);
        window = frontEnd->windowOf(faked.orange());
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }

    // Ten values with the count 2, Enter in the count box: ten lines.
    void fillTheList() {
        app::TForm2& w = faked.orange();
        w.Edit1.setText(U"1");
        w.Edit2.setText(U"10");
        w.Edit3.setText(U"-A");
        w.Edit9.setText(U"2");
        w.Edit9.setFocus();
        QTest::keyClick(window, Qt::Key_Return);
    }

    // A second of the model's clock, woken as the front end wakes: at each due time.
    void leaveAloneForASecond() {
        const ui::Milliseconds end = faked.app.now() + 1000ms;
        while (const std::optional<ui::Milliseconds> due = frontEnd->nextWake()) {
            if (*due > end)
                break;
            faked.app.advance(std::max(*due - faked.app.now(), 0ms));
            frontEnd->afterInput();
        }
    }

    hardening::FakedProgram faked;
    std::unique_ptr<FrontEnd> frontEnd;
    FormWindow* window = nullptr;
};

TEST_F(ProgramIdle, TicksThatChangeNothingRepaintNothing) {
    app::TForm2& w = faked.orange();
    for (const bool lines : {false, true}) {
        SCOPED_TRACE(lines ? "with lines" : "empty list");
        if (lines) {
            fillTheList();
            ASSERT_EQ(w.list().nextFreeRow(), 11);
        }
        // The first ticks may still bring the windows up to date.
        leaveAloneForASecond();
        ASSERT_TRUE(w.Timer5.enabled()) << "the periodic refresh runs while the program is idle";
        const std::uint64_t revision = faked.app.revision();
        const ui::Milliseconds before = faked.app.now();
        leaveAloneForASecond();
        EXPECT_GE(faked.app.now() - before, 900ms) << "the timers kept ticking";
        EXPECT_EQ(faked.app.revision(), revision) << "an idle tick changed what a window shows";
        EXPECT_FALSE(faked.app.needsPaint());
    }
}

} // namespace
} // namespace lumitag::qtfront
