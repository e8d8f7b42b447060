#include "qt/TipWindow.h"

#include <gtest/gtest.h>

namespace lumitag::qtfront {
namespace {

// A 1280 × 1024 screen with a 30-pixel task bar at the bottom, a tip of
// 200 × 34 and controls of the program's sizes.
const QRect kScreen(0, 0, 1280, 994);
const QSize kTip(200, 34);

struct Placement {
    const char* what;
    QRect control;
    QPoint pointer;
    QPoint expectedTopLeft;
};

TEST(TipPlacement, GoesBesideTheControlAndInsideTheScreen) {
    const Placement cases[] = {
        {"room below: under the control at the pointer's column", {400, 300, 60, 25}, {420, 310}, {420, 330}},
        {"a tall control: under the pointer's arrow at least", {400, 300, 60, 25}, {420, 320}, {420, 340}},
        {"no room below: above the control, not over what is below it",
         {462, 950, 75, 23},
         {480, 960},
         {480, 914}},
        {"at the right edge: pulled back into the screen", {1240, 300, 40, 25}, {1270, 310}, {1080, 330}},
        {"a control as tall as the screen: the side with more room, inside the screen",
         {400, 20, 60, 960},
         {420, 30},
         {420, 0}},
    };
    for (const Placement& c : cases) {
        SCOPED_TRACE(c.what);
        const QRect tip = placeTip(kTip, c.control, c.pointer, kScreen);
        EXPECT_EQ(tip.topLeft(), c.expectedTopLeft);
        EXPECT_EQ(tip.size(), kTip);
        EXPECT_TRUE(kScreen.contains(tip));
    }
}

TEST(TipPlacement, NeverCoversTheControlWhereverItIsOnTheScreen) {
    const QSize control(75, 23);
    for (int top = 0; top + control.height() <= kScreen.height(); top += 7) {
        for (int left : {0, 600, 1205}) {
            const QRect rect(QPoint(left, top), control);
            const QRect tip = placeTip(kTip, rect, rect.center(), kScreen);
            ASSERT_FALSE(tip.intersects(rect)) << "control at " << left << "," << top;
            ASSERT_TRUE(kScreen.contains(tip)) << "control at " << left << "," << top;
        }
    }
}

} // namespace
} // namespace lumitag::qtfront
