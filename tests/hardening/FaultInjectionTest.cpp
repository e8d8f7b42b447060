// Every file the program writes, with each way a write can fail: the file
// that was there before stays byte for byte, and the user is told which file
// could not be written.
#include "app/ProgramFixture.h"
#include "platform/Paths.h"

#include <array>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>

namespace lumitag::app::test {
namespace {

using platform::Answer;
using Failure = platform::FakeFileSystem::WriteFailure;

const std::filesystem::path SavedPath = "/home/user/out.cta";
const std::filesystem::path MarkPath = "/opt/lumitag/lumitagr.cta";

struct WriteCase {
    const char* name;
    std::filesystem::path path;
    TextView message; // the start of the box's text; the path follows
    std::function<void(platform::FakeDialogs&, ui::testing::Driver&, TForm2&)> write;
};

const WriteCase writeCases[] = {
    {"SettingsAtClose", SettingsPath, U"設定ファイルを保存できませんでした。",
     [](platform::FakeDialogs& dialogs, ui::testing::Driver& driver, TForm2& w) {
         dialogs.queueAnswer(Answer::Yes);
         driver.click(w.Button5);
     }},
    {"TableFile", TablePath, U"テーブルファイルを書き込めませんでした",
     [](platform::FakeDialogs&, ui::testing::Driver&, TForm2& w) { w.Button1.click(); }},
    {"SavedMarkerData", SavedPath, U"ファイルを保存できませんでした",
     [](platform::FakeDialogs& dialogs, ui::testing::Driver& driver, TForm2&) {
         dialogs.queueAnswer(Answer::Yes);
         dialogs.queueFile(platform::textFromPath(SavedPath));
         driver.press("F8");
     }},
    {"MarkFile", MarkPath, U"マーキングファイルを書き込めませんでした",
     [](platform::FakeDialogs& dialogs, ui::testing::Driver& driver, TForm2&) {
         dialogs.queueAnswer(Answer::Yes);
         driver.press("F10");
     }},
};

void PrintTo(const WriteCase& write, std::ostream* out) {
    *out << write.name;
}

const Failure failures[] = {Failure::DiskFull, Failure::PermissionDenied, Failure::RenameFails};

class FailingWrite : public ProgramTest,
                     public ::testing::WithParamInterface<std::tuple<WriteCase, Failure>> {
protected:
    void SetUp() override {
        std::ifstream table(LUMITAG_TABLE_FILE_SEED, std::ios::binary);
        files.setFile(TablePath, {std::istreambuf_iterator<char>(table), std::istreambuf_iterator<char>()});
        writeSettings({U"盤A", U"", U"keep"});
        start();
        orange().list().setCell(1, 1, U"W-1");
        orange().list().setCell(2, 1, U"2");
        orange().list().updateNextFreeRow();
        driver.advance(100);
    }
};

TEST_P(FailingWrite, LeavesThePreviousFileAndNamesIt) {
    const auto& [write, failure] = GetParam();
    const std::string previous = "previous content\r\n\x82\xa0\r\n";
    files.setFile(write.path, previous);
    files.failWritesTo(write.path, failure);

    write.write(dialogs, driver, orange());

    EXPECT_EQ(files.file(write.path), previous);
    EXPECT_EQ(files.writeAttempts().back(), write.path) << "the write was tried";
    const platform::MessageRequest box = dialogs.lastMessage();
    EXPECT_EQ(box.caption, U"ルミタグ");
    EXPECT_TRUE(box.text.starts_with(write.message)) << platform::toUtf8(box.text);
    EXPECT_NE(box.text.find(platform::textFromPath(write.path)), Text::npos) << "names the file";
    EXPECT_FALSE(app.terminated());
    EXPECT_EQ(orange().list().lineCount(), 1) << "the list is as it was";
    EXPECT_TRUE(shell.openRequests().empty()) << "a mark file that was not written is not opened";
}

std::string caseName(const ::testing::TestParamInfo<FailingWrite::ParamType>& info) {
    constexpr std::array<const char*, 3> failureNames{"DiskFull", "PermissionDenied", "RenameFails"};
    return std::string(std::get<0>(info.param).name) + "_" +
           failureNames[static_cast<std::size_t>(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(EveryFile, FailingWrite,
                         ::testing::Combine(::testing::ValuesIn(writeCases), ::testing::ValuesIn(failures)),
                         caseName);

} // namespace
} // namespace lumitag::app::test
