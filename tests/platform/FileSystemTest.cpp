#include "TemporaryFolder.h"
#include "Unprivileged.h"
#include "platform/LocalFileSystem.h"
#include "platform/Paths.h"
#include "platform/TextFiles.h"
#include "platform/fake/FakeFileSystem.h"

#include <clocale>
#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <locale>
#include <sys/resource.h>
#include <sys/stat.h>

namespace lumitag::platform {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class LocalFileSystemTest : public testing::Test {
protected:
    TemporaryFolder folder;
    LocalFileSystem files;
};

TEST_F(LocalFileSystemTest, WritesReadsAndReplacesWholeFilesLeavingNoTemporaryFiles) {
    const fs::path path = folder / "lumitagr.ini";
    const std::string bytes("a\0b\r\n\xFF", 6);
    ASSERT_TRUE(files.writeFileAtomically(path, bytes).ok());
    EXPECT_TRUE(files.fileExists(path));
    const Result<std::string> read = files.readFile(path);
    ASSERT_TRUE(read.ok()) << read.reason();
    EXPECT_EQ(read.value(), bytes);

    // A replaced file keeps its permissions; a shorter content leaves no tail.
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(files.writeFileAtomically(path, "x").ok());
    EXPECT_EQ(files.readFile(path).value(), "x");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    ASSERT_TRUE(files.writeFileAtomically(folder / "empty", "").ok());
    EXPECT_EQ(files.readFile(folder / "empty").value(), "");
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"empty", "lumitagr.ini"}));
}

TEST_F(LocalFileSystemTest, ReadingWhatIsNoFileFailsWithTheReason) {
    const Result<std::string> missing = files.readFile(folder / "missing.sp3");
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.reason().find("missing.sp3"), std::string::npos);
    EXPECT_NE(missing.reason().find("No such file"), std::string::npos);

    EXPECT_FALSE(files.readFile(folder.path()).ok());
    EXPECT_FALSE(files.fileExists(folder.path()));
    EXPECT_FALSE(files.fileExists(folder / "missing.sp3"));
}

// Only "nothing there" may be treated as a file to create; a folder of that
// name or a file the user may not read is something to keep.
TEST_F(LocalFileSystemTest, ReadFailuresTellAMissingFileFromOneThatIsThere) {
    EXPECT_TRUE(isMissingFile(files.readFile(folder / "missing.ini").error()));
    EXPECT_TRUE(isMissingFile(files.readFile(folder / "no" / "such" / "folder.ini").error()));
    std::ofstream(folder / "file") << "x";
    EXPECT_TRUE(isMissingFile(files.readFile(folder / "file" / "below.ini").error())) << "ENOTDIR";

    const Result<std::string> isFolder = files.readFile(folder.path());
    EXPECT_EQ(isFolder.error(), std::errc::is_a_directory);
    EXPECT_FALSE(isMissingFile(isFolder.error()));

    const fs::path locked = folder / "locked.ini";
    std::ofstream(locked) << "presets";
    ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
    ASSERT_EQ(::chmod(folder.path().c_str(), 0755), 0);
    const int result = runUnprivileged([&] {
        const Result<std::string> read = LocalFileSystem().readFile(locked);
        return read.ok()                                                                      ? 1
               : read.error() == std::errc::permission_denied && !isMissingFile(read.error()) ? 0
                                                                                              : 2;
    });
    if (result == CannotDropPrivileges)
        GTEST_SKIP() << "no unprivileged user to run as";
    EXPECT_EQ(result, 0);
}

TEST_F(LocalFileSystemTest, FailedReplaceReportsAndLeavesNoTemporaryFile) {
    // The target is a folder: the final rename is refused.
    fs::create_directory(folder / "taken");
    const Status renameRefused = files.writeFileAtomically(folder / "taken", "data");
    EXPECT_FALSE(renameRefused.ok());
    EXPECT_NE(renameRefused.reason().find("taken"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(folder / "taken"));

    const Status noFolder = files.writeFileAtomically(folder / "no" / "such" / "file", "data");
    EXPECT_FALSE(noFolder.ok());
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"taken"}));
}

// A file size limit makes write() fail part way, as a full disk does.
TEST_F(LocalFileSystemTest, WriteFailingPartWayKeepsThePreviousFileWhole) {
    const fs::path path = folder / "lumitagr.sp3";
    ASSERT_TRUE(files.writeFileAtomically(path, "previous content\r\n").ok());

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const Status status = files.writeFileAtomically(path, std::string(4096, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.reason().find("cannot write"), std::string::npos);
    EXPECT_EQ(files.readFile(path).value(), "previous content\r\n");
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"lumitagr.sp3"}));
}

TEST_F(LocalFileSystemTest, ReplacingThroughALinkWritesTheLinkedFile) {
    fs::create_directory(folder / "real");
    ASSERT_TRUE(files.writeFileAtomically(folder / "real" / "lumitagr.ini", "old").ok());
    fs::create_symlink(fs::path("real") / "lumitagr.ini", folder / "link.ini");

    ASSERT_TRUE(files.writeFileAtomically(folder / "link.ini", "new").ok());
    EXPECT_TRUE(fs::is_symlink(folder / "link.ini"));
    EXPECT_EQ(files.readFile(folder / "real" / "lumitagr.ini").value(), "new");
    EXPECT_EQ(namesIn(folder / "real"), (std::vector<std::string>{"lumitagr.ini"}));
}

TEST_F(LocalFileSystemTest, RemovingAMissingFileIsNoFailure) {
    const fs::path path = folder / "lumitagr.cta";
    ASSERT_TRUE(files.writeFileAtomically(path, "x").ok());
    EXPECT_TRUE(files.removeFile(path).ok());
    EXPECT_FALSE(files.fileExists(path));
    EXPECT_TRUE(files.removeFile(path).ok());

    fs::create_directory(folder / "sub");
    EXPECT_FALSE(files.removeFile(folder / "sub").ok());
}

TEST(Paths, TextAndPathConvertThroughUtf8) {
    const Text text = U"/home/利用者/ルミタグ/lumitagr.ini";
    const fs::path path = pathFromText(text);
    EXPECT_EQ(path.native(), "/home/\xE5\x88\xA9\xE7\x94\xA8\xE8\x80\x85/\xE3\x83\xAB\xE3\x83\x9F\xE3\x82\xBF"
                             "\xE3\x82\xB0/lumitagr.ini");
    EXPECT_EQ(textFromPath(path), text);
    EXPECT_EQ(textFromPath(fs::path("/tmp/\xFF.ctk")), U"/tmp/\uFFFD.ctk");
}

TEST(Paths, ExtensionsCompareInLowerCaseLeavingOtherBytesAlone) {
    for (const auto& [path, extension] :
         std::vector<std::pair<fs::path, std::string>>{{"/in/WIRES.XLSX", ".xlsx"},
                                                       {"/in/配線表.Csv", ".csv"},
                                                       {"/in/.hidden", ""},
                                                       {"/in/no-extension", ""},
                                                       {"/in/table.ÄB", ".Äb"}})
        EXPECT_EQ(lowerCaseExtension(path), extension) << path;
}

TEST(Paths, JapaneseFileNamesAreUtf8OnDiskWhateverTheLocale) {
    const std::string before = setlocale(LC_ALL, nullptr);
    // The front end sets the locale from the environment; LANG may be unset.
    for (const char* locale : {"C", "POSIX", "C.UTF-8"}) {
        ASSERT_NE(setlocale(LC_ALL, locale), nullptr) << locale;
        std::locale::global(std::locale(setlocale(LC_ALL, nullptr)));
        TemporaryFolder folder;
        const Text name = U"線番 一覧.ctk";
        const fs::path path = pathFromText(textFromPath(folder.path()) + U"/" + name);
        std::ofstream(path) << "x";
        EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"\xE7\xB7\x9A\xE7\x95\xAA \xE4\xB8\x80"
                                                                   "\xE8\xA6\xA7.ctk"})
            << locale;
        for (const auto& entry : fs::directory_iterator(folder.path()))
            EXPECT_EQ(textFromPath(entry.path().filename()), name) << locale;
    }
    setlocale(LC_ALL, before.c_str());
    std::locale::global(std::locale::classic());
}

TEST(FakeFileSystem, FailuresPerPathOrForTheNextWriteKeepThePreviousContent) {
    FakeFileSystem files;
    files.setFile("/p/a", "old");

    files.failNextWrite(FakeFileSystem::WriteFailure::DiskFull);
    const Status full = files.writeFileAtomically("/p/a", "new");
    EXPECT_FALSE(full.ok());
    EXPECT_NE(full.reason().find("No space"), std::string::npos);
    EXPECT_EQ(files.file("/p/a"), "old");
    // Only the next write failed.
    EXPECT_TRUE(files.writeFileAtomically("/p/a", "new").ok());
    EXPECT_EQ(files.file("/p/a"), "new");

    files.failWritesTo("/p/a", FakeFileSystem::WriteFailure::RenameFails);
    EXPECT_FALSE(files.writeFileAtomically("/p/a", "newer").ok());
    EXPECT_FALSE(files.writeFileAtomically("/p/a", "newer").ok());
    EXPECT_EQ(files.file("/p/a"), "new");
    EXPECT_TRUE(files.writeFileAtomically("/p/b", "b").ok());

    files.failWritesTo("/p/c", FakeFileSystem::WriteFailure::PermissionDenied);
    EXPECT_FALSE(files.writeFileAtomically("/p/c", "c").ok());
    EXPECT_FALSE(files.fileExists("/p/c"));

    files.clearFailures();
    EXPECT_TRUE(files.writeFileAtomically("/p/a", "newer").ok());
    EXPECT_EQ(files.writeAttempts().size(), 7u);
}

TEST(FakeFileSystem, ReadsRemovalsAndTheirFailures) {
    FakeFileSystem files;
    EXPECT_FALSE(files.readFile("/p/x").ok());
    files.setFile("/p/x", "bytes");
    EXPECT_EQ(files.readFile("/p/x").value(), "bytes");

    EXPECT_TRUE(isMissingFile(files.readFile("/p/missing").error()));
    files.failReadsOf("/p/x");
    EXPECT_EQ(files.readFile("/p/x").error(), std::errc::permission_denied);
    EXPECT_TRUE(files.fileExists("/p/x"));
    files.failReadsOf("/p/x", FakeFileSystem::ReadFailure::InputOutputError);
    EXPECT_EQ(files.readFile("/p/x").error(), std::errc::io_error);

    // A folder is neither read nor replaced.
    files.makeFolder("/p/folder");
    EXPECT_EQ(files.readFile("/p/folder").error(), std::errc::is_a_directory);
    EXPECT_FALSE(files.fileExists("/p/folder"));
    EXPECT_FALSE(files.writeFileAtomically("/p/folder", "x").ok());
    EXPECT_FALSE(files.file("/p/folder"));

    files.failRemovalsOf("/p/x");
    EXPECT_FALSE(files.removeFile("/p/x").ok());
    files.clearFailures();
    EXPECT_TRUE(files.removeFile("/p/x").ok());
    EXPECT_TRUE(files.removeFile("/p/x").ok());
    EXPECT_TRUE(files.paths().empty());
}

TEST(TextFiles, WriteAndReadLinesInBothFileEncodings) {
    FakeFileSystem files;
    const std::vector<Text> lines{U"1-A", U"髙①", U""};
    ASSERT_TRUE(writeCp932TextFile(files, "/p/lumitagr.ini", lines).ok());
    EXPECT_EQ(files.file("/p/lumitagr.ini"), "1-A\r\n\xFB\xFC\x87\x40\r\n\r\n");
    ASSERT_TRUE(writeUtf8BomTextFile(files, "/p/lumitagr.sp3", lines).ok());

    for (const char* path : {"/p/lumitagr.ini", "/p/lumitagr.sp3"}) {
        const Result<DecodedTextFile> read = readTextFile(files, path);
        ASSERT_TRUE(read.ok());
        EXPECT_EQ(read.value().lines, lines);
    }
    EXPECT_EQ(readTextFile(files, "/p/lumitagr.sp3").value().encoding, TextFileEncoding::Utf8WithBom);

    const Result<DecodedTextFile> missing = readTextFile(files, "/p/missing");
    EXPECT_FALSE(missing.ok());
    EXPECT_NE(missing.reason().find("/p/missing"), std::string::npos);
    EXPECT_TRUE(isMissingFile(missing.error())) << "the kind of failure reaches the reader";

    files.failNextWrite(FakeFileSystem::WriteFailure::DiskFull);
    EXPECT_FALSE(writeCp932TextFile(files, "/p/lumitagr.ini", {U"x"}).ok());
    EXPECT_EQ(readTextFile(files, "/p/lumitagr.ini").value().lines, lines);
}

} // namespace
} // namespace lumitag::platform
