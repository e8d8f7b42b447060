#pragma once

#include "platform/ProgramDirectory.h"

#include <optional>
#include <string>
#include <vector>

namespace lumitag::platform {

// Where the program keeps its files on Linux. A copy the user may write beside
// (a portable copy in a folder of its own) keeps them beside the executable;
// an installed one (/usr/bin, /opt/…/bin) cannot, and keeps them in
// $XDG_DATA_HOME/lumitag (~/.local/share/lumitag when the variable is unset),
// made on first use. A data folder that holds none of the program's files yet
// gets a copy of the files the installation ships (the table file), taken
// from beside the executable or from the installation's data folder.
class LinuxProgramDirectory : public ProgramDirectory {
public:
    // Where to look.
    struct Locations {
        std::filesystem::path executable;    // empty when unknown
        std::string dataHome;                // $XDG_DATA_HOME as set; empty when unset
        std::string home;                    // $HOME, else the user's home from the password database
        std::filesystem::path installedData; // the installation's data folder (…/share/lumitag)
    };
    // The program's own files in the folder.
    struct OwnFiles {
        // Their presence shows the folder is in use (the settings file, the table file).
        std::vector<std::filesystem::path> names;
        // Copied into a data folder that holds none of `names` yet.
        std::vector<std::filesystem::path> shipped;
    };

    // This process's executable and environment.
    explicit LinuxProgramDirectory(OwnFiles files);
    LinuxProgramDirectory(Locations locations, OwnFiles files);

    // The folder with a trailing separator. It is chosen (and made, and
    // given its copies) at the first call; later calls return the same.
    Result<std::filesystem::path> directory() override;

    static Locations locationsOfThisProcess();

private:
    Result<std::filesystem::path> choose();
    void copyShippedFilesInto(const std::filesystem::path& folder);

    Locations locations_;
    OwnFiles files_;
    std::optional<Result<std::filesystem::path>> chosen_;
};

} // namespace lumitag::platform
