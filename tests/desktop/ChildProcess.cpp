#include "ChildProcess.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sstream>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lumitag::desktop {

ChildProcess::ChildProcess(std::vector<std::string> arguments, Options options) {
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    // Opened before the fork: the child only calls what is safe after it.
    const int log = options.logFile.empty()
                        ? open("/dev/null", O_WRONLY | O_CLOEXEC)
                        : open(options.logFile.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    const int input = open("/dev/null", O_RDONLY | O_CLOEXEC);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(127); // the test program has gone already
        if (input >= 0)
            dup2(input, STDIN_FILENO);
        if (log >= 0) {
            dup2(log, STDOUT_FILENO);
            dup2(log, STDERR_FILENO);
        }
        if (options.descriptor3 >= 0)
            dup2(options.descriptor3, 3); // dup2 clears close-on-exec on the copy
        // Its own process group: a signal meant for the test's terminal is not its.
        setpgid(0, 0);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    if (log >= 0)
        close(log);
    if (input >= 0)
        close(input);
    pid_ = pid;
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept : pid_(other.pid_), status_(other.status_) {
    other.pid_ = -1;
}

ChildProcess::~ChildProcess() {
    end();
}

bool ChildProcess::running() {
    if (pid_ <= 0 || status_)
        return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        status_ = status;
        return false;
    }
    return true;
}

std::optional<int> ChildProcess::wait(int timeoutMilliseconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMilliseconds);
    while (running()) {
        if (std::chrono::steady_clock::now() > deadline) {
            end(0);
            return std::nullopt;
        }
        usleep(2000);
    }
    if (!status_ || !WIFEXITED(*status_))
        return std::nullopt;
    return WEXITSTATUS(*status_);
}

void ChildProcess::end(int graceMilliseconds) {
    if (!running())
        return;
    kill(pid_, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(graceMilliseconds);
    while (running()) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid_, SIGKILL);
            int status = 0;
            waitpid(pid_, &status, 0);
            status_ = status;
            return;
        }
        usleep(5000);
    }
}

bool onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "/usr/bin:/bin");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const std::string candidate = (folder.empty() ? "." : folder) + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0)
            return true;
    }
    return false;
}

} // namespace lumitag::desktop
