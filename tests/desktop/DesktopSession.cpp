#include "DesktopSession.h"

#include "XQueries.h"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace lumitag::desktop {

std::optional<std::string> DesktopSession::missingPrograms(WindowManager manager) {
    std::string missing;
    for (const char* program : {"Xvfb", "xdotool", "openbox"}) {
        if (manager == WindowManager::None && std::string(program) == "openbox")
            continue;
        if (!onPath(program))
            missing += (missing.empty() ? "" : ", ") + std::string(program);
    }
    if (missing.empty())
        return std::nullopt;
    return missing;
}

DesktopSession::DesktopSession(WindowManager manager, const std::filesystem::path& logFolder)
    : manager_(manager) {
    if (startServer(logFolder) && manager == WindowManager::Openbox)
        startWindowManager(logFolder);
}

DesktopSession::~DesktopSession() {
    // The window manager first: without its server it would only complain.
    windowManager_.reset();
    server_.reset();
}

bool DesktopSession::startServer(const std::filesystem::path& logFolder) {
    int channel[2];
    if (pipe2(channel, O_CLOEXEC) != 0) {
        failure_ = "no pipe for Xvfb";
        return false;
    }
    // -displayfd: Xvfb takes a free display number and writes it once it
    // accepts connections; -noreset keeps it up when the last client leaves.
    server_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"Xvfb", "-displayfd", "3", "-nolisten", "tcp", "-noreset", "-screen", "0",
                                 "1366x768x24"},
        ChildProcess::Options{.logFile = (logFolder / "xvfb.log").string(), .descriptor3 = channel[1]});
    close(channel[1]);
    std::string number;
    pollfd ready{channel[0], POLLIN, 0};
    char c = 0;
    while (poll(&ready, 1, 20000) == 1 && read(channel[0], &c, 1) == 1 && c != '\n')
        number.push_back(c);
    close(channel[0]);
    if (number.empty()) {
        failure_ = "Xvfb did not start (see xvfb.log)";
        return false;
    }
    display_ = ":" + number;
    // Everything started from here on (the window manager, Qt, the office,
    // xdotool) works on this display.
    setenv("DISPLAY", display_.c_str(), 1);
    return true;
}

bool DesktopSession::startWindowManager(const std::filesystem::path& logFolder) {
    windowManager_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"openbox", "--sm-disable"},
        ChildProcess::Options{.logFile = (logFolder / "openbox.log").string()});
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        if (!windowManager_->running()) {
            failure_ = "openbox ended at once (see openbox.log)";
            return false;
        }
        if (windowManagerRuns(display_))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    failure_ = "openbox did not take the display within 20 s";
    return false;
}

} // namespace lumitag::desktop
