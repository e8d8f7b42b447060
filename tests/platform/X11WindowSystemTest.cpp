#include "platform/linux/X11WindowSystem.h"

#include "TestXClient.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

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

// An Xvfb server of its own for the tests of this suite. Xvfb picks a free
// display number and reports it through -displayfd once it accepts
// connections, so there is neither a guessed number nor a wait loop;
// -noreset keeps it from restarting (and refusing connections for a moment)
// whenever its last client leaves.
class XvfbServer {
public:
    explicit XvfbServer(const char* program = "Xvfb") {
        int channel[2];
        if (pipe2(channel, O_CLOEXEC) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        // dup2 to another number clears close-on-exec on the copy.
        posix_spawn_file_actions_adddup2(&actions, channel[1], 3);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        std::string arguments[] = {"Xvfb", "-displayfd", "3", "-nolisten",
                                   "tcp",  "-screen",    "0", "1024x768x24"};
        char* argv[std::size(arguments) + 1] = {};
        for (std::size_t i = 0; i < std::size(arguments); ++i)
            argv[i] = arguments[i].data();
        const int error = posix_spawnp(&pid_, program, &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        close(channel[1]);
        installed_ = error != ENOENT;
        if (error != 0) {
            pid_ = -1;
            close(channel[0]);
            return;
        }
        std::string number;
        pollfd ready{channel[0], POLLIN, 0};
        char c = 0;
        while (poll(&ready, 1, 15000) == 1 && read(channel[0], &c, 1) == 1 && c != '\n')
            number.push_back(c);
        close(channel[0]);
        if (!number.empty())
            display_ = ":" + number;
    }
    ~XvfbServer() {
        if (pid_ <= 0)
            return;
        kill(pid_, SIGTERM);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        int status = 0;
        while (waitpid(pid_, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                kill(pid_, SIGKILL);
                waitpid(pid_, &status, 0);
                break;
            }
            usleep(10000);
        }
    }
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // Whether the program was found at all.
    bool installed() const { return installed_; }
    // Empty when the server could not be started.
    const std::string& display() const { return display_; }

private:
    bool installed_ = false;
    pid_t pid_ = -1;
    std::string display_;
};

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
