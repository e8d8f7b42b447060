#pragma once

#include "platform/FileSystem.h"

#include <map>
#include <optional>
#include <set>
#include <vector>

namespace lumitag::platform {

// Files in memory, with failures a test switches on. A failed write leaves
// the previous content untouched, as the real atomic writer does.
class FakeFileSystem : public FileSystem {
public:
    enum class WriteFailure { DiskFull, PermissionDenied, RenameFails };
    // Ways a file that is there cannot be read.
    enum class ReadFailure { PermissionDenied, InputOutputError };

    Result<std::string> readFile(const std::filesystem::path& path) override;
    bool fileExists(const std::filesystem::path& path) override;
    Status writeFileAtomically(const std::filesystem::path& path, std::string_view bytes) override;
    Status removeFile(const std::filesystem::path& path) override;

    // Content.
    void setFile(const std::filesystem::path& path, std::string bytes);
    // Nothing when the file does not exist.
    std::optional<std::string> file(const std::filesystem::path& path) const;
    std::vector<std::filesystem::path> paths() const;
    // A folder at the path: reading it fails, and no write replaces it (as a
    // rename over a folder fails).
    void makeFolder(const std::filesystem::path& path);

    // Failures.
    void failNextWrite(WriteFailure failure) { nextWriteFailure_ = failure; }
    void failWritesTo(const std::filesystem::path& path, WriteFailure failure);
    void failReadsOf(const std::filesystem::path& path, ReadFailure failure = ReadFailure::PermissionDenied);
    void failRemovalsOf(const std::filesystem::path& path);
    void clearFailures();

    // Every write attempt in order, failed ones included.
    const std::vector<std::filesystem::path>& writeAttempts() const { return writeAttempts_; }

private:
    std::map<std::filesystem::path, std::string> files_;
    std::optional<WriteFailure> nextWriteFailure_;
    std::map<std::filesystem::path, WriteFailure> writeFailures_;
    std::set<std::filesystem::path> folders_;
    std::map<std::filesystem::path, ReadFailure> readFailures_;
    std::set<std::filesystem::path> removeFailures_;
    std::vector<std::filesystem::path> writeAttempts_;
};

} // namespace lumitag::platform
