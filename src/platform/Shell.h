#pragma once

#include "platform/Result.h"

#include <filesystem>

namespace lumitag::platform {

enum class WindowShow { Normal, Maximised };

// The desktop's "open" of a file with the program associated with its type,
// and the folders the desktop knows.
class Shell {
public:
    virtual ~Shell() = default;

    // Asks the desktop to open the file. Success means the request was handed
    // over; the opening program runs on its own.
    virtual Status openFile(const std::filesystem::path& path, WindowShow show) = 0;

    // The user's desktop folder; the home folder when there is none.
    virtual std::filesystem::path desktopFolder() = 0;
};

} // namespace lumitag::platform
