#include "TemporaryFolder.h"
#include "platform/linux/LockFileSingleInstance.h"

#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace lumitag::platform {
namespace {

using Outcome = SingleInstance::Outcome;
const Text lockName = U"ルミタグ";

// A child process that takes the lock and then waits to be killed.
class LockHolder {
public:
    explicit LockHolder(const std::filesystem::path& folder) {
        int channel[2];
        if (pipe(channel) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            close(channel[0]);
            LockFileSingleInstance lock(folder);
            const char answer = lock.acquire(lockName).outcome == Outcome::FirstCopy ? 'y' : 'n';
            if (write(channel[1], &answer, 1) != 1)
                _exit(1);
            for (;;)
                pause();
        }
        close(channel[1]);
        pollfd ready{channel[0], POLLIN, 0};
        char answer = 0;
        if (pid_ > 0 && poll(&ready, 1, 10000) == 1 && read(channel[0], &answer, 1) == 1)
            holds_ = answer == 'y';
        close(channel[0]);
    }
    ~LockHolder() { kill(); }

    bool holds() const { return holds_; }
    void kill() {
        if (pid_ <= 0)
            return;
        ::kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    bool holds_ = false;
};

TEST(LockFileSingleInstance, SecondCopyIsRefusedUntilTheFirstIsKilled) {
    TemporaryFolder folder;
    LockHolder first(folder.path());
    ASSERT_TRUE(first.holds());

    LockFileSingleInstance second(folder.path());
    EXPECT_EQ(second.acquire(lockName).outcome, Outcome::AnotherCopyRuns);

    first.kill();
    const SingleInstance::Attempt attempt = second.acquire(lockName);
    EXPECT_EQ(attempt.outcome, Outcome::FirstCopy) << attempt.reason;
    EXPECT_EQ(second.acquire(lockName).outcome, Outcome::FirstCopy);

    // Another name is another lock.
    LockFileSingleInstance other(folder.path());
    EXPECT_EQ(other.acquire(U"別の名前").outcome, Outcome::FirstCopy);
    LockFileSingleInstance third(folder.path());
    EXPECT_EQ(third.acquire(lockName).outcome, Outcome::AnotherCopyRuns);
}

// A program started by the first copy (the marker software) must not keep
// the lock alive after the first copy has ended.
TEST(LockFileSingleInstance, ProgramsStartedByTheHolderDoNotInheritTheLock) {
    TemporaryFolder folder;
    auto first = std::make_unique<LockFileSingleInstance>(folder.path());
    ASSERT_EQ(first->acquire(lockName).outcome, Outcome::FirstCopy);

    pid_t child = 0;
    char sleepProgram[] = "sleep";
    char seconds[] = "30";
    char* argv[] = {sleepProgram, seconds, nullptr};
    ASSERT_EQ(posix_spawnp(&child, "sleep", nullptr, nullptr, argv, environ), 0);

    first.reset();
    LockFileSingleInstance next(folder.path());
    EXPECT_EQ(next.acquire(lockName).outcome, Outcome::FirstCopy);

    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

TEST(LockFileSingleInstance, LockFileLiesInTheRuntimeFolderOrPerUserInTmp) {
    TemporaryFolder runtime;
    const char* saved = std::getenv("XDG_RUNTIME_DIR");
    const std::string savedValue = saved ? saved : "";

    setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    EXPECT_EQ(LockFileSingleInstance().lockFile(lockName), runtime / "ルミタグ.lock");
    unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(LockFileSingleInstance().lockFile(U"a/b"),
              std::filesystem::path("/tmp/a_b-" + std::to_string(getuid()) + ".lock"));

    if (saved)
        setenv("XDG_RUNTIME_DIR", savedValue.c_str(), 1);
}

TEST(LockFileSingleInstance, MissingFolderMakesTheLockUnavailableWithAReason) {
    TemporaryFolder folder;
    LockFileSingleInstance lock(folder / "missing");
    const SingleInstance::Attempt attempt = lock.acquire(lockName);
    EXPECT_EQ(attempt.outcome, Outcome::Unavailable);
    EXPECT_NE(attempt.reason.find("missing"), std::string::npos);
}

} // namespace
} // namespace lumitag::platform
