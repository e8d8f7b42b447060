#pragma once

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace lumitag::desktop {

// A program the desktop checks start: Xvfb, the window manager, xdotool.
// The kernel ends it when the test program dies (a crash or a CTest
// timeout), so nothing outlives a failed run; the destructor ends it too.
class ChildProcess {
public:
    struct Options {
        // Its standard output and error go here (appended); empty: /dev/null.
        std::string logFile;
        // This descriptor of ours becomes its descriptor 3 (Xvfb's -displayfd).
        int descriptor3 = -1;
    };

    // Starts the program found on PATH; started() tells whether it runs.
    ChildProcess(std::vector<std::string> arguments, Options options);
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&&) = delete;
    ~ChildProcess();

    bool started() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }
    bool running();
    // Waits for the end; the exit code, or nothing when a signal ended it
    // or it was still running after the timeout (it is killed then).
    std::optional<int> wait(int timeoutMilliseconds);
    // SIGTERM, then SIGKILL after the grace time.
    void end(int graceMilliseconds = 3000);

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

// Whether a program of this name is on PATH.
bool onPath(const std::string& program);

} // namespace lumitag::desktop
