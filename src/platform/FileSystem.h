#pragma once

#include "platform/Result.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace lumitag::platform {

// The files the program reads and writes, as whole files of bytes.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The whole content, or why it could not be read (missing, a folder, no
    // permission). The failure carries the system's error code: see isMissingFile.
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

// True when a read failed because there is nothing at the path (or a folder on
// the way is missing). Any other failure — no permission, an I/O error, a
// folder of that name — means something is there that must not be written over
// as if it were new.
inline bool isMissingFile(const std::error_code& readError) {
    return readError == std::errc::no_such_file_or_directory || readError == std::errc::not_a_directory;
}

} // namespace lumitag::platform
