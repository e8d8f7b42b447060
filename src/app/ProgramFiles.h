#pragma once

#include "platform/ProgramDirectory.h"
#include "platform/Text.h"

#include <filesystem>

namespace lumitag::app {

// The program's own files, all in the program directory.
inline constexpr TextView SettingsFileName = U"lumitagr.ini";
inline constexpr TextView TableFileName = U"lumitagr.sp3";
// The blue window's last conversion settings, for `lumitag convert --settings`.
inline constexpr TextView ConversionSettingsFileName = U"lumitagr.cnv";

// The path of one of the program's files. When the program directory cannot
// be found the file is looked for in the working directory.
std::filesystem::path programFile(platform::ProgramDirectory& directory, TextView name);

} // namespace lumitag::app
