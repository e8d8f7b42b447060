#include "ProgramFixture.h"

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

TEST_F(SettingsStoreTest, EnsureWritesFiftyOneEmptyCp932LinesOnlyWhenUnreadable) {
    ASSERT_TRUE(store.ensureFile());
    std::string fresh;
    for (int i = 0; i < 51; ++i)
        fresh += "\r\n";
    EXPECT_EQ(files.file(SettingsPath), fresh);
    files.setFile(SettingsPath, "keep\r\n");
    ASSERT_TRUE(store.ensureFile());
    EXPECT_EQ(files.file(SettingsPath), "keep\r\n");
    files.failReadsOf(SettingsPath);
    ASSERT_TRUE(store.ensureFile());
    files.clearFailures();
    EXPECT_EQ(files.file(SettingsPath)->size(), 102u) << "an unreadable file is replaced";
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
