#pragma once

#include "platform/FileSystem.h"

namespace lumitag::platform {

// The real file system through POSIX calls.
class LocalFileSystem : public FileSystem {
public:
    Result<std::string> readFile(const std::filesystem::path& path) override;
    bool fileExists(const std::filesystem::path& path) override;
    Status writeFileAtomically(const std::filesystem::path& path, std::string_view bytes) override;
    Status removeFile(const std::filesystem::path& path) override;
};

} // namespace lumitag::platform
