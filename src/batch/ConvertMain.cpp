#include "batch/ConvertMain.h"

#include "app/ProgramFiles.h"
#include "batch/ConvertCommand.h"
#include "markerfile/TableFile.h"
#include "platform/LocalFileSystem.h"
#include "platform/Paths.h"
#include "platform/linux/LinuxProgramDirectory.h"

#ifdef LUMITAG_HAVE_CALC
#include "batch/office/OfficeWorkbookOpener.h"
#endif

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <string_view>

namespace lumitag::batch {

#ifdef LUMITAG_HAVE_CALC
namespace {

// The prepared office profile of the command, in the user's cache folder, one
// per office program (another installation may not read another's profile);
// none without a home.
std::filesystem::path officeProfileTemplate(const std::string& officeProgram) {
    std::filesystem::path cache;
    if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg != nullptr && xdg[0] == '/') {
        cache = xdg;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
        cache = std::filesystem::path(home) / ".cache";
    } else {
        return {};
    }
    char key[17];
    std::snprintf(key, sizeof key, "%016zx", std::hash<std::string>{}(officeProgram));
    return cache / "lumitag" / (std::string("convert-profile-") + key);
}

} // namespace
#endif

bool isConvertCommand(int argc, char* argv[]) {
    return argc >= 2 && std::string_view(argv[1]) == "convert";
}

int convertCommandMain(int argc, char* argv[]) {
    platform::LocalFileSystem files;
    // The same program folder the windows use: the settings and table file
    // a user set up there serve the command too.
    const std::filesystem::path settingsName = platform::pathFromText(app::SettingsFileName);
    const std::filesystem::path tableName = platform::pathFromText(app::TableFileName);
    platform::LinuxProgramDirectory programDirectory(
        {.names = {settingsName, tableName}, .shipped = {settingsName, tableName}});

    ConvertEnvironment environment{
        files, std::cout, std::cerr, Say(languageOfEnvironment()), &programDirectory, {}};
#ifdef LUMITAG_HAVE_CALC
    environment.office = [](const ConvertRequest& request) -> std::unique_ptr<WorkbookOpener> {
        OfficeWorkbookOpener::Options options;
        options.officeProgram = request.officeProgram.value_or(std::string());
        options.profileTemplate = officeProfileTemplate(options.officeProgram);
        return std::make_unique<OfficeWorkbookOpener>(options);
    };
#endif
    const std::vector<std::string> arguments(argv + 2, argv + argc);
    const int code = convertMain(arguments, environment);
    std::cout.flush();
    return code;
}

} // namespace lumitag::batch
