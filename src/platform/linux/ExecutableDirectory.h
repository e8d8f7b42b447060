#pragma once

#include "platform/ProgramDirectory.h"

namespace lumitag::platform {

// The folder of the running executable, read from /proc/self/exe.
class ExecutableDirectory : public ProgramDirectory {
public:
    Result<std::filesystem::path> directory() override;
};

} // namespace lumitag::platform
