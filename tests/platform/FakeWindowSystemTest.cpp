#include "platform/fake/FakeWindowSystem.h"

#include <gtest/gtest.h>

namespace lumitag::platform {
namespace {

TEST(FakeWindowSystem, FindsWindowsByExactTitleAndOptionalClass) {
    FakeWindowSystem windows;
    const WindowId marker = windows.addWindow(U"CTKPCMS for Windows Ver3.0", U"TApplication");
    const WindowId other = windows.addWindow(U"CTKPCMS for Windows Ver3.0", U"Other");

    EXPECT_EQ(windows.findTopLevelWindow(U"CTKPCMS for Windows Ver3.0", U"TApplication"), marker);
    EXPECT_EQ(windows.findTopLevelWindow(U"CTKPCMS for Windows Ver3.0", U"Other"), other);
    EXPECT_EQ(windows.findTopLevelWindow(U"CTKPCMS for Windows Ver3.0", U""), marker);
    EXPECT_EQ(windows.findTopLevelWindow(U"CTKPCMS for Windows", U""), std::nullopt);

    windows.removeWindow(marker);
    EXPECT_EQ(windows.findTopLevelWindow(U"CTKPCMS for Windows Ver3.0", U"TApplication"), std::nullopt);
}

TEST(FakeWindowSystem, RecordsWhatTheProgramDidButNotWhatTheTestSet) {
    FakeWindowSystem windows;
    const WindowId sheet = windows.addWindow(U"Book1", U"XLMAIN", {0, 0, 800, 600});
    windows.setPointer({5, 5});
    windows.setMinimised(sheet, true);

    ASSERT_TRUE(windows.movePointer({30, 40}).ok());
    ASSERT_TRUE(windows.placeWindow(sheet, {0, 0, 1374, 1040}).ok());
    ASSERT_TRUE(windows.restoreWindow(sheet).ok());
    ASSERT_TRUE(windows.bringToForeground(sheet).ok());

    EXPECT_EQ(windows.pointerPosition(), (ScreenPoint{30, 40}));
    EXPECT_EQ(windows.pointerMoves(), (std::vector<ScreenPoint>{{30, 40}}));
    EXPECT_EQ(windows.windowRect(sheet), (ScreenRect{0, 0, 1374, 1040}));
    EXPECT_EQ(windows.placements().size(), 1u);
    EXPECT_FALSE(windows.window(sheet)->minimised);
    EXPECT_EQ(windows.foregroundWindow(), sheet);

    windows.setForegroundRequestsFail(true);
    const WindowId own = windows.addWindow(U"ルミタグ", U"");
    EXPECT_FALSE(windows.bringToForeground(own).ok());
    EXPECT_EQ(windows.foregroundWindow(), sheet);
    EXPECT_EQ(windows.foregroundRequests(), (std::vector<WindowId>{sheet, own}));

    EXPECT_FALSE(windows.placeWindow(WindowId{1}, {}).ok());
    windows.clearRecord();
    EXPECT_TRUE(windows.pointerMoves().empty());
}

TEST(FakeWindowSystem, SetCapsLockPressesTheKeyOnlyWhenTheStateDiffers) {
    FakeWindowSystem windows;
    windows.setCapsLock(false);
    ASSERT_TRUE(setCapsLock(windows, true).ok());
    EXPECT_EQ(windows.capsLockOn(), true);
    EXPECT_EQ(windows.capsLockToggles(), 1);
    ASSERT_TRUE(setCapsLock(windows, true).ok());
    EXPECT_EQ(windows.capsLockToggles(), 1);
    ASSERT_TRUE(setCapsLock(windows, false).ok());
    EXPECT_EQ(windows.capsLockOn(), false);
    EXPECT_EQ(windows.capsLockToggles(), 2);

    windows.setCapsLock(std::nullopt);
    EXPECT_FALSE(setCapsLock(windows, true).ok());
    EXPECT_EQ(windows.capsLockToggles(), 2);
}

TEST(FakeWindowSystem, WithoutADesktopEverythingAnswersNothing) {
    FakeWindowSystem windows;
    const WindowId window = windows.addWindow(U"t", U"");
    windows.setForeground(window);
    windows.setAvailable(false);
    EXPECT_EQ(windows.findTopLevelWindow(U"t", U""), std::nullopt);
    EXPECT_EQ(windows.foregroundWindow(), std::nullopt);
    EXPECT_EQ(windows.windowRect(window), std::nullopt);
    EXPECT_EQ(windows.pointerPosition(), std::nullopt);
    EXPECT_EQ(windows.capsLockOn(), std::nullopt);
    EXPECT_FALSE(windows.movePointer({1, 1}).ok());
    EXPECT_FALSE(windows.toggleCapsLock().ok());
    EXPECT_FALSE(windows.bringToForeground(window).ok());
    EXPECT_TRUE(windows.pointerMoves().empty());
    EXPECT_EQ(windows.capsLockToggles(), 0);
}

} // namespace
} // namespace lumitag::platform
