#include "XvfbServer.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace lumitag::platform {

XvfbServer::XvfbServer(const char* program, std::vector<std::string> extraArguments,
                       const std::string& screen) {
    int channel[2];
    if (pipe2(channel, O_CLOEXEC) != 0)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // dup2 to another number clears close-on-exec on the copy.
    posix_spawn_file_actions_adddup2(&actions, channel[1], 3);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    // -noreset keeps the server from restarting (and refusing connections for
    // a moment) whenever its last client leaves.
    std::vector<std::string> arguments = {"Xvfb",     "-displayfd", "3", "-nolisten", "tcp",
                                          "-noreset", "-screen",    "0", screen};
    arguments.insert(arguments.end(), extraArguments.begin(), extraArguments.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const int error = posix_spawnp(&pid_, program, &actions, nullptr, argv.data(), environ);
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

XvfbServer::~XvfbServer() {
    endProcess(pid_);
}

void endProcess(pid_t pid, int graceMilliseconds) {
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(graceMilliseconds);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return;
        }
        usleep(10000);
    }
}

} // namespace lumitag::platform
