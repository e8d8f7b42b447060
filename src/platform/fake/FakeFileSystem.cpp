#include "platform/fake/FakeFileSystem.h"

namespace lumitag::platform {

namespace {

std::string reasonFor(FakeFileSystem::WriteFailure failure, const std::filesystem::path& path) {
    switch (failure) {
    case FakeFileSystem::WriteFailure::DiskFull:
        return "cannot write " + path.string() + ": No space left on device";
    case FakeFileSystem::WriteFailure::PermissionDenied:
        return "cannot create a temporary file for " + path.string() + ": Permission denied";
    case FakeFileSystem::WriteFailure::RenameFails:
        return "cannot replace " + path.string() + ": Device or resource busy";
    }
    return "cannot write " + path.string();
}

Result<std::string> readFailure(const char* what, const std::filesystem::path& path, std::errc error) {
    const std::error_code code = std::make_error_code(error);
    return Result<std::string>::failure(std::string(what) + " " + path.string() + ": " + code.message(),
                                        code);
}

} // namespace

Result<std::string> FakeFileSystem::readFile(const std::filesystem::path& path) {
    if (const auto failure = readFailures_.find(path); failure != readFailures_.end())
        return failure->second == ReadFailure::PermissionDenied
                   ? readFailure("cannot open", path, std::errc::permission_denied)
                   : readFailure("cannot read", path, std::errc::io_error);
    if (folders_.count(path))
        return readFailure("cannot read", path, std::errc::is_a_directory);
    const auto it = files_.find(path);
    if (it == files_.end())
        return readFailure("cannot open", path, std::errc::no_such_file_or_directory);
    return Result<std::string>::success(it->second);
}

bool FakeFileSystem::fileExists(const std::filesystem::path& path) {
    return files_.count(path) != 0;
}

Status FakeFileSystem::writeFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    writeAttempts_.push_back(path);
    std::optional<WriteFailure> failure;
    if (nextWriteFailure_) {
        failure = nextWriteFailure_;
        nextWriteFailure_.reset();
    } else if (const auto it = writeFailures_.find(path); it != writeFailures_.end()) {
        failure = it->second;
    }
    if (failure)
        return Status::failure(reasonFor(*failure, path));
    if (folders_.count(path))
        return Status::failure("cannot replace " + path.string() + ": Is a directory");
    files_[path] = std::string(bytes);
    return Status::success();
}

Status FakeFileSystem::removeFile(const std::filesystem::path& path) {
    if (removeFailures_.count(path))
        return Status::failure("cannot remove " + path.string() + ": Permission denied");
    files_.erase(path);
    return Status::success();
}

void FakeFileSystem::setFile(const std::filesystem::path& path, std::string bytes) {
    files_[path] = std::move(bytes);
}

std::optional<std::string> FakeFileSystem::file(const std::filesystem::path& path) const {
    const auto it = files_.find(path);
    if (it == files_.end())
        return std::nullopt;
    return it->second;
}

std::vector<std::filesystem::path> FakeFileSystem::paths() const {
    std::vector<std::filesystem::path> result;
    for (const auto& [path, bytes] : files_)
        result.push_back(path);
    return result;
}

void FakeFileSystem::failWritesTo(const std::filesystem::path& path, WriteFailure failure) {
    writeFailures_[path] = failure;
}

void FakeFileSystem::makeFolder(const std::filesystem::path& path) {
    files_.erase(path);
    folders_.insert(path);
}

void FakeFileSystem::failReadsOf(const std::filesystem::path& path, ReadFailure failure) {
    readFailures_[path] = failure;
}

void FakeFileSystem::failRemovalsOf(const std::filesystem::path& path) {
    removeFailures_.insert(path);
}

void FakeFileSystem::clearFailures() {
    nextWriteFailure_.reset();
    writeFailures_.clear();
    readFailures_.clear();
    removeFailures_.clear();
}

} // namespace lumitag::platform
