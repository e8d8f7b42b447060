#pragma once

// What a test sees of an office process through /proc: signals take effect
// asynchronously, so the tests wait (a real process, so with a deadline)
// until the office has stopped or ended.
#include <chrono>
#include <fstream>
#include <string>
#include <sys/types.h>
#include <thread>

namespace lumitag::sheet {

// The state letter of a process in /proc ('T' stopped, 'Z' ended and not yet
// reaped), or 0 when it is gone altogether.
inline char processState(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    const auto end = line.rfind(')');
    return end != std::string::npos && end + 2 < line.size() ? line[end + 2] : 0;
}

// How many threads of the process still run; 0 when it is gone.
inline int threadCount(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("Threads:", 0) == 0)
            return std::stoi(line.substr(8));
    return 0;
}

inline bool waitForState(pid_t pid, bool (*reached)(pid_t pid)) {
    using namespace std::chrono_literals;
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (std::chrono::steady_clock::now() < deadline) {
        if (reached(pid))
            return true;
        std::this_thread::sleep_for(10ms);
    }
    return false;
}

inline bool waitUntilStopped(pid_t pid) {
    return waitForState(pid, [](pid_t process) { return processState(process) == 'T'; });
}

// Its first thread turns zombie before the others have ended, and with them
// the pipe it listens on: ended means no thread but that zombie is left.
inline bool waitUntilEnded(pid_t pid) {
    return waitForState(pid, [](pid_t process) {
        const char state = processState(process);
        return state == 0 || (state == 'Z' && threadCount(process) <= 1);
    });
}

} // namespace lumitag::sheet
