#include "TemporaryFolder.h"
#include "Unprivileged.h"
#include "platform/linux/LinuxProgramDirectory.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>

namespace lumitag::platform {
namespace {

namespace fs = std::filesystem;

const LinuxProgramDirectory::OwnFiles ownFiles{.names = {"lumitagr.ini", "lumitagr.sp3"},
                                               .shipped = {"lumitagr.sp3"}};

void writeFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// An executable in a folder that does not exist stands for one the program
// may not write in; the unprivileged test below uses a real read-only folder.
class LinuxProgramDirectoryTest : public testing::Test {
protected:
    LinuxProgramDirectory::Locations installed() const {
        return {.executable = "/nonexistent/lumitag/bin/lumitag",
                .dataHome = (folder / "data").string(),
                .home = (folder / "home").string(),
                .installedData = folder / "share" / "lumitag"};
    }
    static fs::path chosen(LinuxProgramDirectory::Locations locations) {
        const Result<fs::path> directory = LinuxProgramDirectory(std::move(locations), ownFiles).directory();
        EXPECT_TRUE(directory.ok()) << directory.reason();
        return directory ? directory.value() : fs::path();
    }

    TemporaryFolder folder;
};

TEST(LinuxProgramDirectory, ThisWritableTestFolderIsKeptWithATrailingSeparator) {
    const Result<fs::path> directory = LinuxProgramDirectory(ownFiles).directory();
    ASSERT_TRUE(directory.ok()) << directory.reason();
    const std::string text = directory.value().string();
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '/');
    EXPECT_TRUE(fs::exists(text + "platform_tests"));
}

TEST_F(LinuxProgramDirectoryTest, WritableExecutableFolderIsThePortableCopysFolder) {
    writeFile(folder / "portable" / "lumitag", "");
    LinuxProgramDirectory::Locations locations = installed();
    locations.executable = folder / "portable" / "lumitag";
    EXPECT_EQ(chosen(locations), folder / "portable" / "");
    EXPECT_FALSE(fs::exists(folder / "data")) << "no data folder is made";
}

TEST_F(LinuxProgramDirectoryTest, InstalledProgramMakesItsFolderInTheUsersDataHome) {
    const struct {
        std::string dataHome;
        fs::path expected;
    } cases[] = {
        {(folder / "data").string(), folder / "data" / "lumitag" / ""},
        {"", folder / "home" / ".local" / "share" / "lumitag" / ""},
        {"relative/data", folder / "home" / ".local" / "share" / "lumitag" / ""}, // ignored, as the rules say
    };
    for (const auto& c : cases) {
        LinuxProgramDirectory::Locations locations = installed();
        locations.dataHome = c.dataHome;
        EXPECT_EQ(chosen(locations), c.expected) << "XDG_DATA_HOME=" << c.dataHome;
        EXPECT_TRUE(fs::is_directory(c.expected));
        EXPECT_EQ(fs::status(c.expected).permissions() & fs::perms::all, fs::perms::owner_all);
    }
}

TEST_F(LinuxProgramDirectoryTest, ShippedTableFileIsCopiedOnlyIntoAFolderNotYetInUse) {
    writeFile(folder / "share" / "lumitag" / "lumitagr.sp3", "shipped tables");
    const fs::path copy = folder / "data" / "lumitag" / "lumitagr.sp3";
    chosen(installed());
    EXPECT_EQ(readFile(copy), "shipped tables");

    // The user's own table is never replaced, and a folder with settings
    // but no table (the user removed it) stays without one.
    writeFile(copy, "the user's tables");
    chosen(installed());
    EXPECT_EQ(readFile(copy), "the user's tables");
    fs::remove(copy);
    writeFile(folder / "data" / "lumitag" / "lumitagr.ini", "\r\n");
    chosen(installed());
    EXPECT_FALSE(fs::exists(copy));

    // Not even a dangling link of that name is written through.
    fs::remove(folder / "data" / "lumitag" / "lumitagr.ini");
    fs::create_symlink(folder / "elsewhere", copy);
    chosen(installed());
    EXPECT_FALSE(fs::exists(folder / "elsewhere"));
}

TEST_F(LinuxProgramDirectoryTest, NoDataFolderFallsBackToReadingBesideTheExecutable) {
    writeFile(folder / "data", "a file where the folder should be");
    EXPECT_EQ(chosen(installed()), fs::path("/nonexistent/lumitag/bin/"));

    LinuxProgramDirectory::Locations unknown = installed();
    unknown.executable.clear();
    const Result<fs::path> none = LinuxProgramDirectory(unknown, ownFiles).directory();
    EXPECT_FALSE(none.ok());
    EXPECT_NE(none.reason().find("data"), std::string::npos) << none.reason();
}

// A real installation: the executable's folder is read-only for the user
// (root writes anywhere, so the case runs as an unprivileged user). The table
// file beside the executable comes before the installation's data folder.
TEST_F(LinuxProgramDirectoryTest, ReadOnlyExecutableFolderIsLeftForTheDataHome) {
    writeFile(folder / "bin" / "lumitag", "");
    writeFile(folder / "bin" / "lumitagr.sp3", "tables beside the program");
    writeFile(folder / "share" / "lumitag" / "lumitagr.sp3", "shipped tables");
    fs::create_directory(folder / "data");
    ASSERT_EQ(::chmod(folder.path().c_str(), 0755), 0);
    ASSERT_EQ(::chmod((folder / "bin").c_str(), 0555), 0);
    ASSERT_EQ(::chmod((folder / "data").c_str(), 0777), 0);

    LinuxProgramDirectory::Locations locations = installed();
    locations.executable = folder / "bin" / "lumitag";
    const fs::path expected = folder / "data" / "lumitag" / "";
    const int result = runUnprivileged([&] {
        const Result<fs::path> directory = LinuxProgramDirectory(locations, ownFiles).directory();
        return directory && directory.value() == expected ? 0 : 1;
    });
    ::chmod((folder / "bin").c_str(), 0755); // so that a user who is not root can remove it
    if (result == CannotDropPrivileges)
        GTEST_SKIP() << "no unprivileged user to run as";
    ASSERT_EQ(result, 0);
    EXPECT_EQ(readFile(expected / "lumitagr.sp3"), "tables beside the program");
}

} // namespace
} // namespace lumitag::platform
