#include "app/ProgramFiles.h"

#include "platform/Paths.h"

namespace lumitag::app {

std::filesystem::path programFile(platform::ProgramDirectory& directory, TextView name) {
    const platform::Result<std::filesystem::path> folder = directory.directory();
    const std::filesystem::path file = platform::pathFromText(name);
    return folder ? folder.value() / file : file;
}

} // namespace lumitag::app
