#include "platform/linux/XdgShell.h"

#include "platform/linux/ChildEnvironment.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <time.h>
#include <unistd.h>

namespace lumitag::platform {

namespace {

std::string describeExit(const std::string& opener, int status) {
    if (WIFSIGNALED(status))
        return opener + " was ended by signal " + std::to_string(WTERMSIG(status));
    const int code = WEXITSTATUS(status);
    // The exit codes xdg-open documents.
    switch (code) {
    case 1:
        return opener + ": error in the command line";
    case 2:
        return opener + ": the file does not exist";
    case 3:
        return opener + ": a required tool could not be found";
    case 4:
        return opener + ": the action failed";
    default:
        return opener + " ended with code " + std::to_string(code);
    }
}

void pause(std::chrono::milliseconds duration) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(duration);
    timespec pauseTime{};
    pauseTime.tv_sec = static_cast<time_t>(seconds.count());
    pauseTime.tv_nsec = static_cast<long>(std::chrono::nanoseconds(duration - seconds).count());
    nanosleep(&pauseTime, nullptr);
}

std::filesystem::path homeFolder() {
    const char* home = std::getenv("HOME");
    return home && *home ? std::filesystem::path(home) : std::filesystem::path("/");
}

bool isFolder(const std::filesystem::path& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

} // namespace

Status XdgShell::openFile(const std::filesystem::path& path, WindowShow) {
    // An absolute path can never be taken for an option of the opener.
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error)
        return Status::failure("cannot resolve " + path.string() + ": " + error.message());

    std::string opener = options_.opener;
    std::string file = absolute.string();
    char* argv[] = {opener.data(), file.data(), nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // The opener and what it starts get no terminal input and write no output
    // into ours; error messages still reach our standard error.
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    // The opener and the program it starts read the file name as UTF-8 even
    // when this program was started without a locale.
    const ChildEnvironment environment = ChildEnvironment::current();
    pid_t pid = 0;
    const int spawnError = posix_spawnp(&pid, opener.c_str(), &actions, nullptr, argv, environment.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawnError != 0)
        return Status::failure("cannot start " + opener + ": " + std::strerror(spawnError));

    const auto deadline = std::chrono::steady_clock::now() + options_.answerTimeout;
    for (;;) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
                return Status::success();
            return Status::failure(describeExit(opener, status));
        }
        if (done < 0 && errno != EINTR)
            return Status::failure("lost track of " + opener + ": " + std::strerror(errno));
        if (std::chrono::steady_clock::now() >= deadline)
            break;
        pause(std::chrono::milliseconds(10));
    }
    // Still running: the opener waits for the opened program. Collect its exit
    // in the background so that it does not stay a zombie.
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return Status::success();
}

std::filesystem::path XdgShell::desktopFolder() {
    const std::filesystem::path home = homeFolder();
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    const std::filesystem::path config =
        configHome && *configHome ? std::filesystem::path(configHome) : home / ".config";
    std::ifstream file(config / "user-dirs.dirs");
    if (file) {
        std::stringstream content;
        content << file.rdbuf();
        const std::filesystem::path desktop = desktopFromUserDirs(content.str(), home);
        if (isFolder(desktop))
            return desktop;
    }
    if (isFolder(home / "Desktop"))
        return home / "Desktop";
    return home;
}

std::filesystem::path XdgShell::desktopFromUserDirs(std::string_view content,
                                                    const std::filesystem::path& home) {
    constexpr std::string_view key = "XDG_DESKTOP_DIR=";
    std::filesystem::path result;
    while (!content.empty()) {
        const std::size_t end = content.find('\n');
        std::string_view line = content.substr(0, end);
        content = end == std::string_view::npos ? std::string_view() : content.substr(end + 1);

        const std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string_view::npos)
            continue;
        line.remove_prefix(start);
        if (line.substr(0, key.size()) != key)
            continue;
        line.remove_prefix(key.size());
        // The value is quoted: "$HOME/Desktop" or "/absolute/path".
        if (line.size() < 2 || line.front() != '"')
            continue;
        const std::size_t closing = line.find('"', 1);
        if (closing == std::string_view::npos)
            continue;
        std::string value(line.substr(1, closing - 1));
        if (value.rfind("$HOME", 0) == 0) {
            std::string rest = value.substr(5);
            while (!rest.empty() && rest.front() == '/')
                rest.erase(0, 1);
            result = rest.empty() ? home : home / rest;
        } else if (!value.empty() && value.front() == '/') {
            result = value;
        }
    }
    return result;
}

} // namespace lumitag::platform
