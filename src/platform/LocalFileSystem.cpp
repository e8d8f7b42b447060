#include "platform/LocalFileSystem.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace lumitag::platform {

namespace {

std::string describe(const char* what, const std::filesystem::path& path, int error) {
    return std::string(what) + " " + path.string() + ": " + std::strerror(error);
}

// Closes a descriptor when it goes out of scope unless it was closed on purpose.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // close() reports the last write errors of some file systems (NFS), so its
    // result matters for a writer.
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

int openRetrying(const char* path, int flags, mode_t mode = 0) {
    int fd;
    do {
        fd = ::open(path, flags, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Creates a new temporary file beside the target, named after it so that a
// leftover (after a power cut) is recognisable. Mode 0666 lets the umask decide
// the permissions, as for any new file.
int createTemporaryBeside(const std::filesystem::path& path, std::filesystem::path& temporary) {
    thread_local std::mt19937 random{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = path;
        temporary += ".tmp" + std::to_string(random() % 1000000);
        const int fd = openRetrying(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

void syncFolderOf(const std::filesystem::path& path) {
    std::filesystem::path folder = path.parent_path();
    if (folder.empty())
        folder = ".";
    FileDescriptor fd(openRetrying(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // Best effort: the rename has happened; a folder that cannot be synced only
    // means the new name may need the file system's own flush to last.
    if (fd.valid())
        ::fsync(fd.get());
}

} // namespace

Result<std::string> LocalFileSystem::readFile(const std::filesystem::path& path) {
    const auto failure = [&path](const char* what, int error) {
        return Result<std::string>::failure(describe(what, path, error), {error, std::generic_category()});
    };
    FileDescriptor fd(openRetrying(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid())
        return failure("cannot open", errno);
    struct stat status {};
    if (::fstat(fd.get(), &status) == 0 && S_ISDIR(status.st_mode))
        return failure("cannot read", EISDIR);

    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(fd.get(), buffer, sizeof buffer);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return failure("cannot read", errno);
        }
        if (count == 0)
            break;
        content.append(buffer, static_cast<std::size_t>(count));
    }
    return Result<std::string>::success(std::move(content));
}

bool LocalFileSystem::fileExists(const std::filesystem::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
}

Status LocalFileSystem::writeFileAtomically(const std::filesystem::path& requested, std::string_view bytes) {
    // Renaming over a symbolic link would replace the link, not the file the
    // user pointed it at; write beside the file the link leads to instead.
    std::filesystem::path path = requested;
    std::error_code linkError;
    if (std::filesystem::is_symlink(requested, linkError)) {
        path = std::filesystem::weakly_canonical(requested, linkError);
        if (linkError)
            return Status::failure("cannot follow the link " + requested.string() + ": " +
                                   linkError.message());
    }

    std::filesystem::path temporary;
    FileDescriptor fd(createTemporaryBeside(path, temporary));
    if (!fd.valid())
        return Status::failure(describe("cannot create a temporary file for", path, errno));

    const auto fail = [&](const char* what) {
        const int error = errno;
        if (fd.valid())
            fd.close();
        ::unlink(temporary.c_str());
        return Status::failure(describe(what, path, error));
    };

    // A replaced file keeps its permissions.
    struct stat previous {};
    if (::stat(path.c_str(), &previous) == 0 && S_ISREG(previous.st_mode))
        ::fchmod(fd.get(), previous.st_mode & 07777);

    if (!writeAll(fd.get(), bytes))
        return fail("cannot write");
    if (::fsync(fd.get()) != 0)
        return fail("cannot flush");
    if (fd.close() != 0)
        return fail("cannot write");
    if (::rename(temporary.c_str(), path.c_str()) != 0)
        return fail("cannot replace");
    syncFolderOf(path);
    return Status::success();
}

Status LocalFileSystem::removeFile(const std::filesystem::path& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        return Status::failure(describe("cannot remove", path, errno));
    return Status::success();
}

} // namespace lumitag::platform
