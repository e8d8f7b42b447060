#include "platform/linux/X11InputRecorder.h"

#include "XvfbServer.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace lumitag::platform {
namespace {

using namespace std::chrono_literals;

// Runs xdotool on the display and waits for it: the events it makes are the
// X server's real input, as a person's would be.
bool xdotool(const std::string& display, std::vector<std::string> arguments) {
    std::vector<std::string> environment{"DISPLAY=" + display};
    for (char** variable = environ; *variable != nullptr; ++variable) {
        if (std::string_view(*variable).substr(0, 8) != "DISPLAY=")
            environment.emplace_back(*variable);
    }
    std::vector<char*> envp;
    for (std::string& variable : environment)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    arguments.insert(arguments.begin(), "xdotool");
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, "xdotool", nullptr, nullptr, argv.data(), envp.data()) != 0)
        return false;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool xdotoolInstalled() {
    for (const char* folder : {"/usr/bin/xdotool", "/usr/local/bin/xdotool", "/bin/xdotool"}) {
        if (access(folder, X_OK) == 0)
            return true;
    }
    return false;
}

// Takes events until the last one taken satisfies `done`, for at most five seconds.
std::vector<InputEvent> takeUntil(InputHook& hook, const std::function<bool(const InputEvent&)>& done) {
    std::vector<InputEvent> taken;
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (std::chrono::steady_clock::now() < deadline) {
        for (const InputEvent& event : hook.takeEvents()) {
            taken.push_back(event);
            if (done(event))
                return taken;
        }
        std::this_thread::sleep_for(5ms);
    }
    return taken;
}

bool movedTo(const InputEvent& event, ScreenPoint point) {
    return event.kind == InputEventKind::MouseMove && event.pointer == point;
}

class X11InputRecorderOnXvfb : public testing::Test {
protected:
    static void SetUpTestSuite() { server = new XvfbServer; }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }

    void SetUp() override {
        if (!server->installed() || !xdotoolInstalled())
            GTEST_SKIP() << "Xvfb or xdotool is not installed";
        ASSERT_FALSE(server->display().empty()) << "Xvfb is installed but did not start";
        recorder = std::make_unique<X11InputRecorder>(server->display(), diagnostics);
    }

    bool act(std::vector<std::string> arguments) { return xdotool(server->display(), std::move(arguments)); }

    static XvfbServer* server;
    std::ostringstream diagnostics;
    std::unique_ptr<X11InputRecorder> recorder;
};

XvfbServer* X11InputRecorderOnXvfb::server = nullptr;

TEST_F(X11InputRecorderOnXvfb, RecordsKeysPointerAndButtonsWhereTheyHappened) {
    ASSERT_TRUE(recorder->install().ok());
    EXPECT_TRUE(recorder->installed());
    EXPECT_TRUE(recorder->install().ok()) << "installing again does nothing";

    ASSERT_TRUE(act({"mousemove", "200", "150"}));
    ASSERT_TRUE(act({"key", "F1", "a"}));
    ASSERT_TRUE(act({"mousemove", "300", "250", "click", "3", "click", "1", "click", "2"}));
    ASSERT_TRUE(act({"mousemove", "7", "9"}));
    std::vector<InputEvent> events = takeUntil(*recorder, [](const InputEvent& e) {
        return movedTo(e, {7, 9});
    });

    // Moves along the way may add MouseMove events; what matters is what
    // happened, in order, and where the pointer was.
    std::erase_if(events, [](const InputEvent& e) { return e.kind == InputEventKind::MouseMove; });
    const std::vector<InputEvent> expected = {
        {InputEventKind::KeyDown, RecordedKey::F1, {200, 150}},
        {InputEventKind::KeyDown, RecordedKey::Other, {200, 150}},
        {InputEventKind::RightButtonDown, RecordedKey::Other, {300, 250}},
        {InputEventKind::RightButtonUp, RecordedKey::Other, {300, 250}},
        {InputEventKind::LeftButtonDown, RecordedKey::Other, {300, 250}},
        {InputEventKind::LeftButtonUp, RecordedKey::Other, {300, 250}},
    };
    EXPECT_EQ(events, expected) << "key releases and the middle button are not recorded";
    EXPECT_EQ(diagnostics.str(), "");
}

TEST_F(X11InputRecorderOnXvfb, RemoveStopsRecordingAndDropsWhatWasNotTaken) {
    ASSERT_TRUE(recorder->install().ok());
    ASSERT_TRUE(act({"mousemove", "11", "12"}));
    ASSERT_FALSE(takeUntil(*recorder, [](const InputEvent& e) { return movedTo(e, {11, 12}); }).empty());
    ASSERT_TRUE(act({"mousemove", "21", "22"}));

    const auto before = std::chrono::steady_clock::now();
    recorder->remove();
    EXPECT_LT(std::chrono::steady_clock::now() - before, 1s);
    EXPECT_FALSE(recorder->installed());
    ASSERT_TRUE(act({"mousemove", "31", "32", "click", "1"}));
    std::this_thread::sleep_for(100ms);
    EXPECT_TRUE(recorder->takeEvents().empty());

    // Installed again, it records again.
    ASSERT_TRUE(recorder->install().ok());
    ASSERT_TRUE(act({"mousemove", "41", "42"}));
    const std::vector<InputEvent> again = takeUntil(*recorder, [](const InputEvent& e) {
        return movedTo(e, {41, 42});
    });
    ASSERT_FALSE(again.empty());
    EXPECT_TRUE(movedTo(again.back(), {41, 42}));
}

TEST_F(X11InputRecorderOnXvfb, KeepsTheNewestEventsWhenNobodyTakesThem) {
    ASSERT_TRUE(recorder->install().ok());
    // A second recording on the same server tells when the last event has
    // been sent out, without taking anything from the first one's queue.
    X11InputRecorder witness(server->display(), diagnostics);
    ASSERT_TRUE(witness.install().ok());
    // 2 200 clicks are 4 400 button events, more than the queue keeps.
    ASSERT_TRUE(act({"mousemove", "50", "60", "click", "--repeat", "2200", "--delay", "0", "1"}));
    ASSERT_TRUE(act({"mousemove", "70", "80"}));
    ASSERT_FALSE(takeUntil(witness, [](const InputEvent& e) { return movedTo(e, {70, 80}); }).empty());
    std::this_thread::sleep_for(300ms);

    const std::vector<InputEvent> events = recorder->takeEvents();
    EXPECT_EQ(events.size(), X11InputRecorder::MaxQueuedEvents);
    ASSERT_FALSE(events.empty());
    EXPECT_TRUE(movedTo(events.back(), {70, 80})) << "the newest are kept";
    EXPECT_TRUE(events.front().kind == InputEventKind::LeftButtonDown ||
                events.front().kind == InputEventKind::LeftButtonUp)
        << "the oldest are dropped";
}

TEST(X11InputRecorder, ServerWithoutRecordRefusesWithTheReasonSaidOnce) {
    const XvfbServer plain("Xvfb", {"-extension", "RECORD"});
    if (!plain.installed())
        GTEST_SKIP() << "Xvfb is not installed";
    ASSERT_FALSE(plain.display().empty());
    std::ostringstream diagnostics;
    X11InputRecorder recorder(plain.display(), diagnostics);

    testing::internal::CaptureStderr();
    const Status refused = recorder.install();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "nothing but the program's own line";
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.reason().find("RECORD"), std::string::npos) << refused.reason();
    EXPECT_FALSE(recorder.installed());
    EXPECT_TRUE(recorder.takeEvents().empty());
    recorder.remove();
    EXPECT_FALSE(recorder.install().ok()) << "every activation tries again";

    const std::string said = diagnostics.str();
    EXPECT_EQ(said.rfind("ルミタグ: ", 0), 0u) << said;
    EXPECT_NE(said.find(refused.reason()), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << "said once: " << said;
}

TEST(X11InputRecorder, DesktopsWithoutAnXDisplayRefuseWithTheirReason) {
    struct Case {
        const char* display;        // nullptr: DISPLAY unset
        const char* waylandDisplay; // nullptr: WAYLAND_DISPLAY unset
        const char* reasonHolds;
    };
    const Case cases[] = {
        {nullptr, nullptr, "DISPLAY is not set"},
        {"", "wayland-0", "Wayland"},
        {":64999", nullptr, "cannot open the X display :64999"},
    };
    const char* savedDisplay = std::getenv("DISPLAY");
    const char* savedWayland = std::getenv("WAYLAND_DISPLAY");
    const std::string displayValue = savedDisplay ? savedDisplay : "";
    const std::string waylandValue = savedWayland ? savedWayland : "";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reasonHolds);
        c.display ? setenv("DISPLAY", c.display, 1) : unsetenv("DISPLAY");
        c.waylandDisplay ? setenv("WAYLAND_DISPLAY", c.waylandDisplay, 1) : unsetenv("WAYLAND_DISPLAY");
        X11InputRecorder recorder; // from the environment, saying it on standard error
        testing::internal::CaptureStderr();
        const Status refused = recorder.install();
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_FALSE(refused.ok());
        EXPECT_NE(refused.reason().find(c.reasonHolds), std::string::npos) << refused.reason();
        EXPECT_EQ(said, "ルミタグ: the desktop's key and mouse events cannot be recorded (" +
                            refused.reason() +
                            "); F1 and the pointer inside the spreadsheet are not followed\n");
    }
    savedDisplay ? setenv("DISPLAY", displayValue.c_str(), 1) : unsetenv("DISPLAY");
    savedWayland ? setenv("WAYLAND_DISPLAY", waylandValue.c_str(), 1) : unsetenv("WAYLAND_DISPLAY");
}

} // namespace
} // namespace lumitag::platform
