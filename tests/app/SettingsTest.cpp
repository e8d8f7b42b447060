#include "ProgramFixture.h"
#include "platform/LocalFileSystem.h"
#include "platform/TemporaryFolder.h"
#include "platform/Unprivileged.h"

#include <fstream>
#include <functional>
#include <sys/stat.h>

namespace lumitag::app::test {
namespace {

// --- The store on its own ----------------------------------------------------------------

class SettingsStoreTest : public ::testing::Test {
protected:
    platform::FakeFileSystem files;
    SettingsStore store{files, SettingsPath};
};

TEST_F(SettingsStoreTest, ShortFilesArePaddedTo51LinesAndFiftyLinesAreKept) {
    struct Case {
        int lines;
        std::size_t loaded;
    };
    for (const Case c : {Case{0, 51}, Case{3, 51}, Case{49, 51}, Case{50, 50}, Case{60, 60}}) {
        std::vector<Text> lines(static_cast<std::size_t>(c.lines), U"x");
        files.setFile(SettingsPath, platform::encodeCp932Lines(lines));
        store.load();
        EXPECT_EQ(store.lines().size(), c.loaded) << c.lines << " lines";
    }
}

TEST_F(SettingsStoreTest, EnsureWritesFiftyOneEmptyCp932LinesOnlyWhenMissing) {
    EXPECT_EQ(store.ensureFile().state, SettingsStore::FileState::Created);
    std::string fresh;
    for (int i = 0; i < 51; ++i)
        fresh += "\r\n";
    EXPECT_EQ(files.file(SettingsPath), fresh);
    files.setFile(SettingsPath, "keep\r\n");
    EXPECT_EQ(store.ensureFile().state, SettingsStore::FileState::Read);
    EXPECT_EQ(files.file(SettingsPath), "keep\r\n");

    files.failNextWrite(platform::FakeFileSystem::WriteFailure::PermissionDenied);
    SettingsStore elsewhere{files, "/opt/other/lumitagr.ini"};
    const SettingsStore::FileCheck notMade = elsewhere.ensureFile();
    EXPECT_EQ(notMade.state, SettingsStore::FileState::Missing);
    EXPECT_NE(notMade.reason.find("Permission denied"), std::string::npos) << notMade.reason;
}

// A file that is there but cannot be read holds the user's presets and texts:
// neither the start-up step nor a later save may replace it.
TEST(SettingsStoreFile, FileThatIsThereButUnreadableIsNeverWrittenOver) {
    using ReadFailure = platform::FakeFileSystem::ReadFailure;
    const std::function<void(platform::FakeFileSystem&)> makeUnreadable[] = {
        [](platform::FakeFileSystem& disk) { disk.failReadsOf(SettingsPath, ReadFailure::PermissionDenied); },
        [](platform::FakeFileSystem& disk) { disk.failReadsOf(SettingsPath, ReadFailure::InputOutputError); },
        [](platform::FakeFileSystem& disk) { disk.makeFolder(SettingsPath); },
    };
    for (const auto& unreadable : makeUnreadable) {
        platform::FakeFileSystem disk;
        disk.setFile(SettingsPath, "presets\r\n");
        unreadable(disk);
        const std::optional<std::string> before = disk.file(SettingsPath);
        SettingsStore store{disk, SettingsPath};

        const SettingsStore::FileCheck ensured = store.ensureFile();
        EXPECT_EQ(ensured.state, SettingsStore::FileState::Unreadable);
        EXPECT_NE(ensured.reason.find(SettingsPath.string()), std::string::npos) << ensured.reason;
        EXPECT_EQ(store.load().state, SettingsStore::FileState::Unreadable);
        EXPECT_TRUE(store.keepsOffUnreadFile());
        EXPECT_EQ(store.lines(), std::vector<Text>(51)) << "runs on empty settings";

        store.put(20, U"typed this run");
        disk.clearFailures(); // readable again: still not written in this run
        EXPECT_FALSE(store.save());
        EXPECT_EQ(disk.file(SettingsPath), before);
        EXPECT_TRUE(disk.writeAttempts().empty());
    }
}

TEST_F(SettingsStoreTest, ReadsByteOrderMarkedFilesAndWritesCp932) {
    const std::vector<Text> lines{U"釦", U"線番Ａ", U"Table 3"};
    for (const std::string& bytes : {platform::encodeUtf8BomLines(lines), std::string("\xFF\xFE") + [] {
                                         // UTF-16 LE of "釦\r\n線番Ａ\r\nTable 3\r\n"
                                         std::string s;
                                         for (char32_t c : Text(U"釦\r\n線番Ａ\r\nTable 3\r\n")) {
                                             s += static_cast<char>(c & 0xFF);
                                             s += static_cast<char>(c >> 8);
                                         }
                                         return s;
                                     }()}) {
        files.setFile(SettingsPath, bytes);
        store.load();
        EXPECT_EQ(store.get(0), U"釦");
        EXPECT_EQ(store.get(1), U"線番Ａ");
        EXPECT_EQ(store.get(2), U"Table 3");
    }
    ASSERT_TRUE(store.save());
    const std::string written = *files.file(SettingsPath);
    EXPECT_EQ(written.substr(0, 4), platform::encodeCp932Lines({U"釦"}))
        << "CP932, CR LF, no byte-order mark";
    EXPECT_EQ(platform::decodeTextFile(written).lines.size(), 51u);
}

TEST_F(SettingsStoreTest, GetAndPutAddressLinesByIndex) {
    store.load();
    EXPECT_EQ(store.get(200), U"");
    EXPECT_EQ(store.get(-1), U"");
    store.put(5, U"AB");
    EXPECT_EQ(store.get(5), U"AB");
    store.put(60, U"far");
    EXPECT_EQ(store.lines().size(), 61u);
    EXPECT_FALSE(files.file(SettingsPath)) << "put does not touch the disk";
}

// --- On the real file system --------------------------------------------------------------

std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(SettingsStoreOnDisk, FolderOfThatNameIsLeftAlone) {
    platform::TemporaryFolder folder;
    platform::LocalFileSystem disk;
    const std::filesystem::path path = folder / "lumitagr.ini";
    std::filesystem::create_directory(path);
    SettingsStore store{disk, path};
    EXPECT_EQ(store.ensureFile().state, SettingsStore::FileState::Unreadable);
    EXPECT_EQ(store.load().state, SettingsStore::FileState::Unreadable);
    EXPECT_FALSE(store.save());
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1)
        << "no file left beside it";
}

// Root reads a mode-000 file, so the case runs as a user the permissions apply
// to. The folder is open to everyone: that user could replace the file by a
// rename, which is exactly what must not happen.
TEST(SettingsStoreOnDisk, FileTheUserMayNotReadIsNeitherReplacedAtStartNorAtSave) {
    platform::TemporaryFolder folder;
    const std::filesystem::path path = folder / "lumitagr.ini";
    const std::string presets = "K-\r\n1-\r\n";
    std::ofstream(path, std::ios::binary) << presets;
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    ASSERT_EQ(::chmod(folder.path().c_str(), 0777), 0);

    const int result = platform::runUnprivileged([&path] {
        platform::LocalFileSystem disk;
        SettingsStore store{disk, path};
        if (store.ensureFile().state != SettingsStore::FileState::Unreadable)
            return 1;
        if (store.load().state != SettingsStore::FileState::Unreadable)
            return 2;
        store.put(20, U"typed this run");
        return store.save() ? 3 : 0;
    });
    if (result == platform::CannotDropPrivileges)
        GTEST_SKIP() << "no unprivileged user to run as";
    EXPECT_EQ(result, 0);
    EXPECT_EQ(fileBytes(path), presets);
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::none);
}

// --- Through the program -------------------------------------------------------------------

TEST_F(ProgramTest, MissingSettingsFileIsCreatedWith51EmptyLines) {
    start();
    EXPECT_EQ(settingsOnDisk(), std::vector<Text>(51));
    EXPECT_EQ(orange().ComboBox3.text(), U"Table 0");
    EXPECT_FALSE(orange().CheckBox8.checked());
    for (const auto& button : orange().presetButtons)
        EXPECT_FALSE(button->visible());
}

TEST_F(ProgramTest, SettingsLinesFillTheWindowAtStartUp) {
    std::vector<Text> lines(51);
    lines[5] = U"K-";
    lines[0] = U"1-";
    lines[20] = U"[1-3]A[]B[]"; // EditA
    lines[45] = U"Z text";      // EditZ
    lines[46] = U"Table 7";
    lines[47] = U"CHECK8";
    lines[48] = U"CHECK35";
    writeSettings(lines);
    start();
    TForm2& w = orange();
    EXPECT_EQ(w.presetButtons[5]->name(), "SpeedButton14");
    EXPECT_EQ(w.presetButtons[5]->caption(), U"K-");
    EXPECT_TRUE(w.presetButtons[5]->visible());
    EXPECT_EQ(w.presetButtons[0]->name(), "SpeedButton2");
    EXPECT_FALSE(w.presetButtons[1]->visible());
    EXPECT_EQ(w.letterBoxes[0]->text(), U"[1-3]A[]B[]");
    EXPECT_EQ(w.letterBoxes[25]->text(), U"Z text");
    EXPECT_EQ(w.ComboBox3.text(), U"Table 7");
    EXPECT_TRUE(w.CheckBox8.checked());
    EXPECT_TRUE(w.CheckBox35.checked());
}

TEST_F(ProgramTest, MarkersAreComparedExactly) {
    std::vector<Text> lines(51);
    lines[47] = U"check8";
    lines[48] = U"CHECK35 ";
    writeSettings(lines);
    start();
    EXPECT_FALSE(orange().CheckBox8.checked());
    EXPECT_FALSE(orange().CheckBox35.checked());
}

TEST_F(ProgramTest, ThreeLineFileIsWrittenBackWith51LinesAndTheStoresAtClose) {
    writeSettings({U"a", U"b", U"c"});
    start();
    orange().letterBoxes[2]->setText(U"stored C");
    orange().CheckBox8.setChecked(true);
    driver.answer(platform::Answer::Yes);
    driver.click(orange().Button5);
    const std::vector<Text> lines = settingsOnDisk();
    ASSERT_EQ(lines.size(), 51u);
    EXPECT_EQ(lines[0], U"a");
    EXPECT_EQ(lines[22], U"stored C");
    EXPECT_EQ(lines[46], U"Table 0");
    EXPECT_EQ(lines[47], U"CHECK8");
    EXPECT_EQ(lines[48], U"");
}

TEST_F(ProgramTest, LinesBeyond48AreCarriedThroughUnchanged) {
    std::vector<Text> lines = numberedLines(70);
    lines[47] = U"";
    lines[48] = U"";
    writeSettings(lines);
    start();
    driver.answer(platform::Answer::Yes);
    driver.click(orange().Button5);
    const std::vector<Text> written = settingsOnDisk();
    ASSERT_EQ(written.size(), 70u);
    for (int i = 49; i < 70; ++i)
        EXPECT_EQ(written[static_cast<std::size_t>(i)], lines[static_cast<std::size_t>(i)]);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(written[static_cast<std::size_t>(i)], lines[static_cast<std::size_t>(i)]);
}

} // namespace
} // namespace lumitag::app::test

namespace lumitag::app::test {
namespace {

using ReadFailure = platform::FakeFileSystem::ReadFailure;

// Each way a settings file can be there and unreadable: told once at start-up,
// the program runs on empty settings, and the file is not written in the run.
TEST_F(ProgramTest, UnreadableSettingsFileIsReportedOnceAndKeptThroughTheRun) {
    writeSettings({U"K-", U"", U""});
    files.failReadsOf(SettingsPath, ReadFailure::InputOutputError);
    const std::string before = *files.file(SettingsPath);
    start();

    ASSERT_EQ(dialogs.messageCount(), 1u);
    const platform::MessageRequest box = dialogs.lastMessage();
    EXPECT_EQ(box.caption, U"ルミタグ");
    EXPECT_TRUE(
        box.text.starts_with(U"設定ファイルを読み込めませんでした。\r\n/opt/lumitag/lumitagr.ini\r\n"))
        << platform::toUtf8(box.text);
    EXPECT_NE(box.text.find(U"Input/output error"), Text::npos) << "says why";
    EXPECT_FALSE(orange().presetButtons[0]->visible()) << "runs on empty settings";
    EXPECT_EQ(orange().ComboBox3.text(), U"Table 0");

    // The preset panel saves when it closes, the close saves: neither writes.
    orange().CheckBox2.setChecked(true);
    orange().CheckBox2.setChecked(false);
    orange().letterBoxes[0]->setText(U"typed this run");
    driver.answer(platform::Answer::Yes);
    driver.click(orange().Button5);
    EXPECT_TRUE(app.terminated());
    EXPECT_EQ(dialogs.messageCount(), 2u) << "only the closing question follows";
    EXPECT_TRUE(files.writeAttempts().empty());
    files.clearFailures();
    EXPECT_EQ(files.file(SettingsPath), before);
}

TEST_F(ProgramTest, SettingsFolderInsteadOfAFileIsReportedAndLeftAlone) {
    files.makeFolder(SettingsPath);
    start();
    driver.expectMessage(U"設定ファイルを読み込めませんでした。\r\n/opt/lumitag/lumitagr.ini\r\n"
                         U"cannot read /opt/lumitag/lumitagr.ini: Is a directory\r\n\r\n"
                         U"初期設定で起動します（設定ファイルには書き込みません）");
    driver.answer(platform::Answer::Yes);
    driver.click(orange().Button5);
    EXPECT_TRUE(app.terminated());
    EXPECT_TRUE(files.writeAttempts().empty());
}

} // namespace
} // namespace lumitag::app::test
