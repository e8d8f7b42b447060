#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace lumitag::platform {

// An Xvfb server of its own for a test program. Xvfb picks a free display
// number and reports it through -displayfd once it accepts connections, so
// there is neither a guessed number nor a wait loop; the server ends with
// the object (SIGTERM, then SIGKILL after five seconds).
class XvfbServer {
public:
    // `extraArguments` go after the screen ("-extension", "RECORD").
    explicit XvfbServer(const char* program = "Xvfb", std::vector<std::string> extraArguments = {},
                        const std::string& screen = "1024x768x24");
    ~XvfbServer();
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

// Ends a child process: SIGTERM, then SIGKILL when it is still there after
// the grace time; reaps it either way.
void endProcess(pid_t pid, int graceMilliseconds = 5000);

} // namespace lumitag::platform
