#include "platform/spreadsheet/calc/OfficeProcess.h"

#include "platform/linux/ChildEnvironment.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <rtl/digest.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace lumitag::platform::calc {

namespace {

// The URL form soffice expects for -env:UserInstallation.
std::string profileUrl(const std::string& folder) {
    std::string url = "file://";
    for (unsigned char c : folder) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                           c == '/' || c == '-' || c == '_' || c == '.' || c == '~';
        if (plain) {
            url.push_back(static_cast<char>(c));
        } else {
            static const char hex[] = "0123456789ABCDEF";
            url.push_back('%');
            url.push_back(hex[c >> 4]);
            url.push_back(hex[c & 15]);
        }
    }
    return url;
}

} // namespace

std::optional<OfficeProcess> OfficeProcess::start(const OfficeStart& how) {
    std::vector<std::string> args = {
        how.program,
        "-env:UserInstallation=" + profileUrl(how.profileFolder),
        "--accept=pipe,name=" + how.pipeName + ";urp;",
        "--norestore",
        "--nologo",
        "--nodefault",
        "--nolockcheck",
    };
    if (how.headless) {
        args.push_back("--headless");
    }
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    // Without a UTF-8 locale the office cannot read or write a Japanese file
    // name (nor use a profile folder under such a name): it gets one.
    ChildEnvironment environment = ChildEnvironment::current();
    if (!how.temporaryFolder.empty()) {
        environment.set("TMPDIR", how.temporaryFolder);
    }

    if (how.endWithStarter) {
        const pid_t parent = getpid();
        const pid_t child = fork();
        if (child < 0) {
            return std::nullopt;
        }
        if (child == 0) {
            // Only async-signal-safe calls between fork and exec.
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (getppid() != parent) {
                _exit(127);
            }
            setsid();
            const int null = open("/dev/null", O_RDWR);
            if (null >= 0) {
                dup2(null, 0);
                dup2(null, 1);
                dup2(null, 2);
            }
            execve(how.program.c_str(), argv.data(), environment.data());
            _exit(127);
        }
        return OfficeProcess(child);
    }

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // A session of its own: a Ctrl+C or hang-up of our terminal does not end the
    // user's spreadsheet, and our signal mask and handlers are not inherited.
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGINT);
    sigaddset(&defaults, SIGTERM);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    // The office must not hold our terminal or the pipes of whoever started
    // us (a shell pipeline or a test runner waits for every writer to end).
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int error =
        posix_spawn(&pid, how.program.c_str(), &files, &attributes, argv.data(), environment.data());
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) {
        return std::nullopt;
    }
    return OfficeProcess(pid);
}

std::optional<int> OfficeProcess::exitCode() {
    if (exitCode_ || pid_ <= 0) {
        return exitCode_;
    }
    int status = 0;
    const pid_t reaped = waitpid(pid_, &status, WNOHANG);
    if (reaped == pid_) {
        exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    } else if (reaped < 0 && errno == ECHILD) {
        exitCode_ = -1; // reaped elsewhere: gone all the same
    }
    return exitCode_;
}

bool OfficeProcess::hasEnded(pid_t pid) {
    if (pid <= 0) {
        return false;
    }
    siginfo_t info{};
    if (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0) {
        return errno == ECHILD; // reaped already, or never ours: not running as our office
    }
    return info.si_pid == pid;
}

void OfficeProcess::kill() {
    if (pid_ <= 0 || exitCode()) {
        return;
    }
    ::kill(pid_, SIGKILL);
    int status = 0;
    if (waitpid(pid_, &status, 0) == pid_) {
        exitCode_ = 128 + SIGKILL;
    }
}

void removePipesOfKilledOffice(const std::string& profileFolder, const std::string& pipeName) {
    // The office names its single-instance pipe after the MD5 of its profile
    // URL in UTF-16, each byte in hexadecimal without a leading zero.
    const std::string url = profileUrl(profileFolder);
    std::vector<sal_uInt8> utf16;
    for (const char c : url) {
        utf16.push_back(static_cast<sal_uInt8>(c));
        utf16.push_back(0);
    }
    sal_uInt8 digest[RTL_DIGEST_LENGTH_MD5];
    std::string hash;
    if (rtl_digest_MD5(utf16.data(), static_cast<sal_uInt32>(utf16.size()), digest, sizeof digest) ==
        rtl_Digest_E_None) {
        static const char hex[] = "0123456789abcdef";
        for (const sal_uInt8 byte : digest) {
            if (byte >= 16) {
                hash.push_back(hex[byte >> 4]);
            }
            hash.push_back(hex[byte & 15]);
        }
    }
    const std::string prefix = "/tmp/OSL_PIPE_" + std::to_string(getuid()) + "_";
    std::vector<std::string> pipes = {prefix + pipeName};
    if (!hash.empty()) {
        pipes.push_back(prefix + "SingleOfficeIPC_" + hash);
    }
    for (const std::string& pipe : pipes) {
        std::error_code ignored;
        if (std::filesystem::is_socket(pipe, ignored)) {
            std::filesystem::remove(pipe, ignored);
        }
    }
}

void seedProfile(const std::string& profileFolder) {
    namespace fs = std::filesystem;
    const fs::path user = fs::path(profileFolder) / "user";
    const fs::path settings = user / "registrymodifications.xcu";
    std::error_code error;
    if (fs::exists(settings, error)) {
        return;
    }
    fs::create_directories(user, error);
    std::ofstream out(settings);
    // No tip-of-the-day dialog, no what's-new or donation bar, no recovery
    // offers: the office comes up ready for the program. Everything else keeps
    // the office's defaults.
    out << R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="ShowTipOfTheDay" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="FirstRun" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Setup/Product"><prop oor:name="ooSetupLastVersion" oor:op="fuse"><value>99.0</value></prop></item>
<item oor:path="/org.openoffice.Office.Recovery/AutoSave"><prop oor:name="Enabled" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Recovery/RecoveryInfo"><prop oor:name="Enabled" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="UseOpenCL" oor:op="fuse"><value>false</value></prop></item>
</oor:items>
)";
}

} // namespace lumitag::platform::calc
