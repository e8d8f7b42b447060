#include "platform/linux/LockFileSingleInstance.h"

#include "platform/Encoding.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace lumitag::platform {

namespace {

std::filesystem::path runtimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/') {
        std::error_code error;
        if (std::filesystem::is_directory(runtime, error))
            return runtime;
    }
    return {};
}

} // namespace

LockFileSingleInstance::LockFileSingleInstance() : folder_(runtimeFolder()) {
    if (folder_.empty()) {
        folder_ = "/tmp";
        perUserName_ = true;
    }
}

LockFileSingleInstance::LockFileSingleInstance(std::filesystem::path folder) : folder_(std::move(folder)) {}

LockFileSingleInstance::~LockFileSingleInstance() {
    if (fd_ >= 0)
        ::close(fd_);
}

std::filesystem::path LockFileSingleInstance::lockFile(TextView name) const {
    std::string fileName = toUtf8(name);
    for (char& c : fileName)
        if (c == '/')
            c = '_';
    if (perUserName_)
        fileName += "-" + std::to_string(::getuid());
    return folder_ / (fileName + ".lock");
}

SingleInstance::Attempt LockFileSingleInstance::acquire(TextView name) {
    if (fd_ >= 0)
        return {Outcome::FirstCopy, {}};

    const std::filesystem::path path = lockFile(name);
    // Close-on-exec: a program started from this one (the marker software
    // through "open") must not inherit the lock and keep it after we end.
    // No-follow: in a shared /tmp a planted symbolic link must not redirect us.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return {Outcome::Unavailable, "cannot open " + path.string() + ": " + std::strerror(errno)};

    int result;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK)
            return {Outcome::AnotherCopyRuns, {}};
        return {Outcome::Unavailable, "cannot lock " + path.string() + ": " + std::strerror(error)};
    }
    fd_ = fd;
    return {Outcome::FirstCopy, {}};
}

} // namespace lumitag::platform
