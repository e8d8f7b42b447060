#pragma once

#include "platform/Result.h"

#include <filesystem>

namespace lumitag::platform {

// The folder where the program keeps its files: the settings file, the table
// file and the mark files. For a portable copy it is the executable's folder;
// an installed program, which may not write there, keeps a folder of the user's.
class ProgramDirectory {
public:
    virtual ~ProgramDirectory() = default;

    // The folder with a trailing separator ("/opt/lumitag/"), so that a file
    // name can be appended as text. The same folder at every call.
    virtual Result<std::filesystem::path> directory() = 0;
};

} // namespace lumitag::platform
