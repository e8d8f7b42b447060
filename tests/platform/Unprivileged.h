#pragma once

#include <functional>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lumitag::platform {

// The exit code of a child that could not give up root's rights.
inline constexpr int CannotDropPrivileges = 250;

// Runs `body` in a child process that is subject to file permissions: as root
// (as in CI), which reads a mode-000 file and writes in any folder, the child
// first becomes the user nobody (65534). Returns what `body` returned (0 to
// 249), CannotDropPrivileges, or -1 when the child could not run or died.
// Paths the body uses must be open to others (the test's folder 0755 or 0777).
inline int runUnprivileged(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(CannotDropPrivileges);
        ::_exit(body());
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace lumitag::platform
