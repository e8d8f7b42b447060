#include "platform/linux/ExecutableDirectory.h"

namespace lumitag::platform {

Result<std::filesystem::path> ExecutableDirectory::directory() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return Result<std::filesystem::path>::failure("cannot find the executable: " + error.message());
    // Appending an empty element adds the trailing separator: "/opt/lumitag/".
    return Result<std::filesystem::path>::success(executable.parent_path() / "");
}

} // namespace lumitag::platform
