#pragma once

#include "platform/Result.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace lumitag::platform {

// The files the program reads and writes, as whole files of bytes.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The whole content, or why it could not be read (missing, a folder, no permission).
    virtual Result<std::string> readFile(const std::filesystem::path& path) = 0;

    // True for an existing file; false for a folder, a missing path or one that cannot be looked at.
    virtual bool fileExists(const std::filesystem::path& path) = 0;

    // Replaces the file with these bytes as one step: the bytes go to a
    // temporary file in the same folder, which is flushed to the disk and then
    // renamed over the file. On failure (disk full, no permission, the rename
    // refused) the previous file is left exactly as it was and the temporary
    // file is gone.
    virtual Status writeFileAtomically(const std::filesystem::path& path, std::string_view bytes) = 0;

    // Deletes the file. A path that does not exist is no failure.
    virtual Status removeFile(const std::filesystem::path& path) = 0;
};

} // namespace lumitag::platform
