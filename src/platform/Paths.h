#pragma once

#include "platform/Text.h"

#include <filesystem>
#include <string>

namespace lumitag::platform {

// File names are UTF-8 on Linux. A path that holds bytes that are no UTF-8
// shows U+FFFD in their place, so such a path does not survive the trip
// through Text; paths the program builds and the dialogs return are UTF-8.
std::filesystem::path pathFromText(TextView text);
Text textFromPath(const std::filesystem::path& path);

// The file's extension with its dot (".xlsx"), ASCII letters in lower case:
// file types are told apart whatever case the name uses.
std::string lowerCaseExtension(const std::filesystem::path& path);

} // namespace lumitag::platform
