// Characters the CP932 files cannot hold are never dropped silently: saving,
// marking and writing the settings file name them and write only after Yes.
#include "app/CharacterLoss.h"

#include "app/ProgramFixture.h"
#include "platform/Paths.h"

#include <fstream>
#include <iterator>

namespace lumitag::app::test {
namespace {

using platform::Answer;

const std::filesystem::path MarkFile = "/opt/lumitag/lumitagr.cta";
const Text SavedFile = U"/home/user/out.cta";

std::string seedTableFile() {
    std::ifstream in(LUMITAG_TABLE_FILE_SEED, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CharacterLoss : public ProgramTest {
protected:
    void SetUp() override {
        files.setFile(TablePath, seedTableFile());
        start();
    }
    void addLines(std::initializer_list<Text> texts) {
        int row = 1;
        for (const Text& text : texts) {
            orange().list().setCell(1, row, text);
            orange().list().setCell(2, row++, U"1");
        }
        orange().list().updateNextFreeRow();
        driver.advance(100); // the periodic refresh shows the save and mark buttons
    }
    std::optional<std::string> saved() { return files.file(platform::pathFromText(SavedFile)); }
};

TEST_F(CharacterLoss, SaveNamesEachLinesCharactersAndWritesOnlyAfterYes) {
    addLines({U"髙①Ⅲ♯", U"𠮷田😀", U"OK", U"café𠮷"});
    dialogs.queueAnswers({Answer::Yes, Answer::Cancel});
    dialogs.queueFile(SavedFile);
    driver.press("F8");
    ASSERT_EQ(dialogs.messageCount(), 2u);
    const platform::MessageRequest question = dialogs.lastMessage();
    EXPECT_EQ(question.text, U"次の文字はCTKファイルに保存できません(「?」に置き換わります)\r\n"
                             U"\r\n2行目: 𠮷 😀"
                             U"\r\n4行目: é 𠮷"
                             U"\r\n\r\nこのままCTK保存しますか？");
    EXPECT_EQ(question.buttons, platform::Buttons::YesCancel);
    EXPECT_FALSE(dialogs.lastFileDialog().has_value()) << "no save dialog after Cancel";
    EXPECT_FALSE(saved().has_value());

    dialogs.queueAnswers({Answer::Yes, Answer::Yes});
    driver.press("F8");
    ASSERT_TRUE(saved().has_value());
    const Text written = platform::fromCp932(*saved());
    EXPECT_NE(written.find(U"\r\n1\t?田?\t"), Text::npos) << "Yes writes as before";
    EXPECT_NE(written.find(U"\r\n1\t髙①Ⅲ♯\t"), Text::npos);
}

TEST_F(CharacterLoss, RepresentableCharactersPassSilently) {
    for (const Text text : {U"髙", U"①", U"Ⅲ", U"♯", U"ｶﾅ", U"～"}) {
        SCOPED_TRACE(platform::toUtf8(text));
        orange().list().clearAllRows();
        addLines({text});
        dialogs.clear();
        dialogs.queueAnswer(Answer::Yes);
        dialogs.queueFile(SavedFile);
        driver.press("F8");
        EXPECT_EQ(dialogs.messageCount(), 1u) << "only the usual confirmation";
        ASSERT_TRUE(saved().has_value());
        EXPECT_EQ(platform::charactersChangedByCp932(platform::fromCp932(*saved())), U"");
        EXPECT_NE(platform::fromCp932(*saved()).find(text), Text::npos);
    }
}

TEST_F(CharacterLoss, MarkDeclinedWritesNoMarkFileAndOpensNothing) {
    addLines({U"A", U"B😀"});
    dialogs.queueAnswers({Answer::Yes, Answer::Cancel});
    driver.press("F10");
    EXPECT_TRUE(dialogs.lastMessage().text.starts_with(U"次の文字はCTKファイルに保存できません"));
    EXPECT_TRUE(dialogs.lastMessage().text.ends_with(U"2行目: 😀\r\n\r\nこのままマーキングしますか？"));
    EXPECT_FALSE(files.file(MarkFile).has_value());
    EXPECT_TRUE(shell.openRequests().empty());
}

TEST_F(CharacterLoss, ClosingWithAnUnrepresentableLetterBoxAsksBeforeWritingTheSettings) {
    const std::string before = *files.file(SettingsPath);
    orange().letterBoxes[2]->setText(U"盤😀é");
    dialogs.queueAnswers({Answer::Yes, Answer::Cancel});
    driver.click(orange().Button5);
    EXPECT_EQ(dialogs.lastMessage().text,
              U"次の文字は設定ファイル(lumitagr.ini)に保存できません(「?」に置き換わります)\r\n"
              U"\r\n23行目: 😀 é\r\n\r\nこのまま保存しますか？");
    EXPECT_EQ(files.file(SettingsPath), before) << "anything but Yes writes nothing";
    EXPECT_FALSE(app.terminated()) << "the program stays, so the text is not lost either";

    dialogs.queueAnswers({Answer::Yes, Answer::Yes});
    driver.click(orange().Button5);
    EXPECT_TRUE(app.terminated());
    EXPECT_EQ(settingsOnDisk().at(22), U"盤??");
}

TEST(CharacterLossQuestion, ListsTenLinesAndCountsTheRest) {
    std::vector<Text> lines(15, U"😀");
    lines[3] = U"plain";
    const Text text = characterLossQuestion(
        U"X", charactersLostInCp932(lines), [](std::size_t i) { return lineNumberName(i + 1); }, U"Q");
    EXPECT_NE(text.find(U"\r\n11行目: 😀\r\nほか4行\r\n\r\nQ"), Text::npos) << platform::toUtf8(text);
    EXPECT_EQ(text.find(U"4行目"), Text::npos);
}

} // namespace
} // namespace lumitag::app::test
