#pragma once

#include "batch/ConvertArguments.h"
#include "batch/ConvertRequest.h"
#include "batch/Language.h"
#include "batch/WorkbookOpener.h"
#include "platform/FileSystem.h"
#include "platform/ProgramDirectory.h"

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace lumitag::batch {

// The exit codes a script can rely on.
inline constexpr int kExitWritten = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;

// The outside of one `lumitag convert`.
struct ConvertEnvironment {
    platform::FileSystem& files;
    std::ostream& out; // --dry-run's lines
    std::ostream& err; // messages and progress
    Say say;
    // The program folder used when no --settings is given; may be null.
    platform::ProgramDirectory* programDirectory = nullptr;
    // Makes the opener of workbook files for a run; null where the program
    // was built without an office.
    std::function<std::unique_ptr<WorkbookOpener>(const ConvertRequest&)> office;
};

// Converts the request's file and writes its marker data files (or prints
// the lines). Returns the exit code; every refusal says why on `err` and
// leaves no output file behind.
int runConvert(const ConvertRequest& request, ConvertEnvironment& environment);

// Reads a conversion settings file for --settings; one that is not `required`
// (looked for beside a settings file) may be missing.
SettingsFromFile readConversionSettings(ConvertEnvironment& environment, const std::filesystem::path& path,
                                        bool required);

// `lumitag convert ARGUMENTS…`: the arguments after "convert".
int convertMain(const std::vector<std::string>& arguments, ConvertEnvironment& environment);

} // namespace lumitag::batch
