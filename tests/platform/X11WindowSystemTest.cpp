#include "platform/linux/X11WindowSystem.h"

#include "TestXClient.h"
#include "XvfbServer.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace lumitag::platform {
namespace {

TEST(X11WindowSystem, WithoutADisplayEverythingDegradesQuietly) {
    const char* saved = std::getenv("DISPLAY");
    const std::string savedValue = saved ? saved : "";
    unsetenv("DISPLAY");
    X11WindowSystem fromEnvironment;
    if (saved)
        setenv("DISPLAY", savedValue.c_str(), 1);
    X11WindowSystem unreachable(":64999");

    for (X11WindowSystem* windows : {&fromEnvironment, &unreachable}) {
        EXPECT_FALSE(windows->connected());
        EXPECT_EQ(windows->findTopLevelWindow(U"ルミタグ", U""), std::nullopt);
        EXPECT_EQ(windows->foregroundWindow(), std::nullopt);
        EXPECT_FALSE(windows->bringToForeground(WindowId{42}).ok());
        EXPECT_EQ(windows->windowRect(WindowId{42}), std::nullopt);
        EXPECT_FALSE(windows->placeWindow(WindowId{42}, {0, 0, 10, 10}).ok());
        EXPECT_FALSE(windows->restoreWindow(WindowId{42}).ok());
        EXPECT_EQ(windows->pointerPosition(), std::nullopt);
        const Status moved = windows->movePointer({1, 2});
        EXPECT_EQ(moved.reason(), "no X display");
        EXPECT_EQ(windows->capsLockOn(), std::nullopt);
        EXPECT_FALSE(windows->toggleCapsLock().ok());
    }
}

class X11WindowSystemOnXvfb : public testing::Test {
protected:
    static void SetUpTestSuite() { server = new XvfbServer; }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }

    void SetUp() override {
        // Only a machine without Xvfb skips these tests; an Xvfb that is
        // there and does not start is a fault of the machine the tests report.
        if (!server->installed())
            GTEST_SKIP() << "Xvfb is not installed";
        ASSERT_FALSE(server->display().empty()) << "Xvfb is installed but did not start";
        client = std::make_unique<TestXClient>(server->display());
        ASSERT_TRUE(client->connected());
        windows = std::make_unique<X11WindowSystem>(server->display());
        ASSERT_TRUE(windows->connected());
    }
    void TearDown() override {
        windows.reset();
        client.reset();
    }

    static XvfbServer* server;
    std::unique_ptr<TestXClient> client;
    std::unique_ptr<X11WindowSystem> windows;
};

XvfbServer* X11WindowSystemOnXvfb::server = nullptr;

TEST(XvfbServer, TellsAMissingServerFromOneThatDoesNotStart) {
    const XvfbServer missing("lumitag-no-such-xvfb");
    EXPECT_FALSE(missing.installed());
    EXPECT_TRUE(missing.display().empty());
    // Runs, and ends without ever reporting a display.
    const XvfbServer failing("false");
    EXPECT_TRUE(failing.installed());
    EXPECT_TRUE(failing.display().empty());
}

TEST_F(X11WindowSystemOnXvfb, FindsWindowsByExactCaptionAndClass) {
    const unsigned long marker =
        client->createWindow("CTKPCMS for Windows Ver3.0", "TApplication", TestXClient::Caption::WmNameOnly);
    const unsigned long japanese =
        client->createWindow("ルミタグ", "Lumitag", TestXClient::Caption::NetWmName);

    EXPECT_EQ(windows->findTopLevelWindow(U"CTKPCMS for Windows Ver3.0", U"TApplication"), WindowId{marker});
    EXPECT_EQ(windows->findTopLevelWindow(U"CTKPCMS for Windows Ver3.0", U""), WindowId{marker});
    EXPECT_EQ(windows->findTopLevelWindow(U"CTKPCMS for Windows Ver3.0", U"XLMAIN"), std::nullopt);
    EXPECT_EQ(windows->findTopLevelWindow(U"CTKPCMS for Windows", U""), std::nullopt);
    EXPECT_EQ(windows->findTopLevelWindow(U"ルミタグ", U"Lumitag"), WindowId{japanese});

    client->destroyWindow(marker);
    EXPECT_EQ(windows->findTopLevelWindow(U"CTKPCMS for Windows Ver3.0", U""), std::nullopt);
}

TEST_F(X11WindowSystemOnXvfb, BringsPlacesAndRestoresWindows) {
    const unsigned long first = client->createWindow("first", "A", TestXClient::Caption::NetWmName);
    const unsigned long second = client->createWindow("second", "B", TestXClient::Caption::NetWmName);

    ASSERT_TRUE(windows->bringToForeground(WindowId{first}).ok());
    EXPECT_EQ(windows->foregroundWindow(), WindowId{first});
    ASSERT_TRUE(windows->bringToForeground(WindowId{second}).ok());
    EXPECT_EQ(windows->foregroundWindow(), WindowId{second});

    ASSERT_TRUE(windows->placeWindow(WindowId{first}, {100, 50, 300, 200}).ok());
    EXPECT_EQ(windows->windowRect(WindowId{first}), (ScreenRect{100, 50, 300, 200}));
    client->unmapWindow(first);
    EXPECT_FALSE(client->isViewable(first));
    ASSERT_TRUE(windows->restoreWindow(WindowId{first}).ok());
    EXPECT_TRUE(client->isViewable(first));
}

TEST_F(X11WindowSystemOnXvfb, WindowThatIsGoneGivesFailuresNotACrash) {
    const unsigned long window = client->createWindow("short-lived", "A", TestXClient::Caption::NetWmName);
    client->destroyWindow(window);

    EXPECT_FALSE(windows->bringToForeground(WindowId{window}).ok());
    EXPECT_FALSE(windows->placeWindow(WindowId{window}, {0, 0, 10, 10}).ok());
    EXPECT_FALSE(windows->restoreWindow(WindowId{window}).ok());
    EXPECT_EQ(windows->windowRect(WindowId{window}), std::nullopt);
    // The connection still works afterwards.
    EXPECT_TRUE(windows->movePointer({3, 4}).ok());
}

TEST_F(X11WindowSystemOnXvfb, MovesThePointer) {
    ASSERT_TRUE(windows->movePointer({123, 456}).ok());
    EXPECT_EQ(windows->pointerPosition(), (ScreenPoint{123, 456}));
    ASSERT_TRUE(windows->movePointer({0, 0}).ok());
    EXPECT_EQ(windows->pointerPosition(), (ScreenPoint{0, 0}));
}

TEST_F(X11WindowSystemOnXvfb, TogglesCapsLockWithAKeyPress) {
    const std::optional<bool> before = windows->capsLockOn();
    ASSERT_TRUE(before.has_value());
    ASSERT_TRUE(windows->toggleCapsLock().ok());
    EXPECT_EQ(windows->capsLockOn(), !*before);
    ASSERT_TRUE(setCapsLock(*windows, *before).ok());
    EXPECT_EQ(windows->capsLockOn(), *before);
}

} // namespace
} // namespace lumitag::platform
