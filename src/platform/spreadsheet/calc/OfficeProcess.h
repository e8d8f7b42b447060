#pragma once

#include <optional>
#include <string>
#include <sys/types.h>

namespace lumitag::platform::calc {

// How the office process is started.
struct OfficeStart {
    std::string program;       // soffice.bin
    std::string profileFolder; // its own user profile folder (absolute path)
    std::string pipeName;      // the named pipe it accepts connections on
    bool headless = false;     // no windows at all (tests)
    // The office is killed when the thread that started it ends (tests: no
    // office outlives a crashed or timed-out test program).
    bool endWithStarter = false;
    // The office's TMPDIR; empty: the one this program has.
    std::string temporaryFolder;
};

// A soffice.bin process this program started. The process is not tied to this
// object: destroying the object leaves the office running (the user's work
// lives in it); kill() ends it on purpose.
class OfficeProcess {
public:
    // Starts the office; nothing when the program cannot be run.
    static std::optional<OfficeProcess> start(const OfficeStart& how);

    pid_t pid() const { return pid_; }
    // The exit code once the process has ended (reaping it), else nothing.
    std::optional<int> exitCode();
    // Sends SIGKILL and reaps the process.
    void kill();
    // Whether the child process `pid` has ended, without reaping it: safe from
    // any thread while another one may reap it (a reaped child has ended too).
    static bool hasEnded(pid_t pid);

    // The exit code soffice uses to ask for a restart (after it creates a fresh profile).
    static constexpr int kRestartRequested = 81;

private:
    explicit OfficeProcess(pid_t pid) : pid_(pid) {}
    pid_t pid_ = -1;
    std::optional<int> exitCode_;
};

// Removes the pipe sockets an office on this profile and accept pipe leaves
// in /tmp when it is killed instead of quitting: the one it accepts the
// program on and the one that keeps it a single instance per profile. Only
// for an office that is gone, and a profile that was this program's alone.
void removePipesOfKilledOffice(const std::string& profileFolder, const std::string& pipeName);

// Writes settings into a profile folder that does not exist yet so that the
// office skips its first-start work (tip of the day, what's-new bar, recovery).
void seedProfile(const std::string& profileFolder);

} // namespace lumitag::platform::calc
