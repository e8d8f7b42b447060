#include "platform/linux/LinuxProgramDirectory.h"

#include "platform/LocalFileSystem.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#ifndef LUMITAG_DATA_FROM_BINARY
// The installation's data folder, relative to the executable's folder.
#define LUMITAG_DATA_FROM_BINARY "../share/lumitag"
#endif

namespace lumitag::platform {

namespace fs = std::filesystem;

namespace {

// Write and search permission for this process's effective user, which is
// what creating and renaming files in the folder needs. A read-only mount
// counts as not writable.
bool mayWriteIn(const fs::path& folder) {
    return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

// Anything at the path, a dangling link included: such a name is the user's.
bool somethingAt(const fs::path& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 || errno != ENOENT;
}

// Makes the folder and the missing folders above it, with mode 0700 as the
// base-directory rules ask for new folders of user data.
Status makeFolders(const fs::path& folder) {
    fs::path made;
    for (const fs::path& part : folder) {
        made /= part;
        if (part.empty() || ::mkdir(made.c_str(), 0700) == 0 || errno == EEXIST)
            continue;
        return Status::failure("cannot make the folder " + made.string() + ": " + std::strerror(errno));
    }
    struct stat status {};
    if (::stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode))
        return Status::failure("cannot use the folder " + folder.string() + ": not a folder");
    return Status::success();
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string homeFromPasswordDatabase() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(static_cast<std::size_t>(size > 0 ? size : 16384));
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir)
        return found->pw_dir;
    return "";
}

} // namespace

LinuxProgramDirectory::LinuxProgramDirectory(OwnFiles files)
    : LinuxProgramDirectory(locationsOfThisProcess(), std::move(files)) {}

LinuxProgramDirectory::LinuxProgramDirectory(Locations locations, OwnFiles files)
    : locations_(std::move(locations)), files_(std::move(files)) {}

LinuxProgramDirectory::Locations LinuxProgramDirectory::locationsOfThisProcess() {
    Locations locations;
    std::error_code error;
    locations.executable = fs::read_symlink("/proc/self/exe", error);
    if (error)
        locations.executable.clear();
    locations.dataHome = environment("XDG_DATA_HOME");
    locations.home = environment("HOME");
    if (locations.home.empty())
        locations.home = homeFromPasswordDatabase();
    if (!locations.executable.empty())
        locations.installedData =
            (locations.executable.parent_path() / LUMITAG_DATA_FROM_BINARY).lexically_normal();
    return locations;
}

Result<fs::path> LinuxProgramDirectory::directory() {
    if (!chosen_)
        chosen_ = choose();
    return *chosen_;
}

Result<fs::path> LinuxProgramDirectory::choose() {
    const fs::path executableFolder = locations_.executable.parent_path();
    if (!executableFolder.empty() && mayWriteIn(executableFolder))
        // Appending an empty element adds the trailing separator: "/opt/lumitag/".
        return Result<fs::path>::success(executableFolder / "");

    // A relative $XDG_DATA_HOME is invalid and is ignored, as the
    // base-directory rules say.
    fs::path dataHome = locations_.dataHome;
    if (!dataHome.is_absolute())
        dataHome = locations_.home.empty() ? fs::path() : fs::path(locations_.home) / ".local" / "share";
    const std::string why = executableFolder.empty()
                                ? "the executable's folder is unknown"
                                : "the program may not write in " + executableFolder.string();
    if (!dataHome.is_absolute())
        return Result<fs::path>::failure(why + ", and there is no home folder");
    const fs::path folder = dataHome / "lumitag";
    if (const Status made = makeFolders(folder); !made) {
        // Without a folder of its own the program still reads its files
        // beside the executable; what it cannot write there it reports.
        if (!executableFolder.empty())
            return Result<fs::path>::success(executableFolder / "");
        return Result<fs::path>::failure(why + "; " + made.reason());
    }
    copyShippedFilesInto(folder);
    return Result<fs::path>::success(folder / "");
}

void LinuxProgramDirectory::copyShippedFilesInto(const fs::path& folder) {
    for (const fs::path& name : files_.names)
        if (somethingAt(folder / name))
            return;
    LocalFileSystem files;
    const fs::path sources[] = {locations_.executable.parent_path(), locations_.installedData};
    for (const fs::path& name : files_.shipped) {
        for (const fs::path& source : sources) {
            if (source.empty())
                continue;
            const Result<std::string> bytes = files.readFile(source / name);
            // A copy that fails leaves the program without the file, as a
            // missing one would; the program says so where it needs it.
            if (bytes) {
                (void)files.writeFileAtomically(folder / name, bytes.value());
                break;
            }
        }
    }
}

} // namespace lumitag::platform
