#pragma once

#include "platform/SingleInstance.h"

#include <filesystem>

namespace lumitag::platform {

// The single-instance lock as an exclusive flock() on a file named after the
// lock. The kernel drops the lock when the process ends in any way, SIGKILL
// included, so a crashed copy never blocks the next start.
//
// The file lies in the user's runtime folder ($XDG_RUNTIME_DIR, private to the
// user) or, without one, in /tmp with the user id in its name, so that the
// lock holds per user as a desktop session's named mutex does.
class LockFileSingleInstance : public SingleInstance {
public:
    LockFileSingleInstance();
    explicit LockFileSingleInstance(std::filesystem::path folder);
    ~LockFileSingleInstance() override;
    LockFileSingleInstance(const LockFileSingleInstance&) = delete;
    LockFileSingleInstance& operator=(const LockFileSingleInstance&) = delete;

    // Asking again after success keeps the lock and answers FirstCopy.
    Attempt acquire(TextView name) override;

    // The file that stands for the lock of this name.
    std::filesystem::path lockFile(TextView name) const;

private:
    std::filesystem::path folder_;
    bool perUserName_ = false;
    int fd_ = -1;
};

} // namespace lumitag::platform
