#pragma once

#include "platform/Result.h"

#include <filesystem>

namespace lumitag::platform {

// The folder of the program's executable, where the program keeps its files.
class ProgramDirectory {
public:
    virtual ~ProgramDirectory() = default;

    // The folder with a trailing separator ("/opt/lumitag/"), so that a file
    // name can be appended as text.
    virtual Result<std::filesystem::path> directory() = 0;
};

} // namespace lumitag::platform
