// `lumitag convert --settings` repeats what a user set up in the blue window:
// the window converts and saves (F8) through its own code, the command reads
// the conversion settings the window kept and converts the same cells from a
// CSV file and from the workbook, and the three files are the same bytes.
#include "app/ProgramFiles.h"
#include "app/ProgramFixture.h"
#include "batch/BatchTestFiles.h"
#include "batch/ConvertCommand.h"
#include "batch/FakeWorkbookOpener.h"
#include "conversion/ConversionSettingsFile.h"

#include <functional>
#include <gmock/gmock.h>
#include <sstream>

namespace lumitag::batch {
namespace {

using test::csvOf;
using test::Rows;
using test::testTableFile;
using ::testing::HasSubstr;

const std::filesystem::path Conversion = "/opt/lumitag/lumitagr.cnv";

const Rows wireList = {
    {U"No", U"線番", U"個数", U"連番", U"行先"},  {U"1", U"R-101", U"2", U"", U"TB1-1"},
    {U"2", U"端子台 TB1", U"1", U"12", U"TB1-2"}, {U"3", U"", U"3", U"", U""},
    {U"4", U"X,1", U"1", U"4", U"盤 2"},          {U"5", U"R-105", U"2", U"7", U"TB2-1"},
};

class ConvertMatchesWindow : public app::test::ProgramTest {
protected:
    void startBlue() {
        files.setFile(app::test::TablePath, testTableFile());
        // The transfer destination "Table 4" goes into both headers.
        std::vector<Text> settings(46);
        settings.push_back(U"Table 4");
        writeSettings(settings);
        spreadsheet.userStartsSpreadsheet();
        spreadsheet.connect();
        spreadsheet.userCreatesWorkbook(U"wires.xlsx", {U"配線", U"Sheet2"});
        start();
        connectWorker.complete();
        driver.press("Shift+F1");
        ASSERT_TRUE(blue().visible());
        for (std::size_t r = 0; r < wireList.size(); ++r) {
            for (std::size_t c = 0; c < wireList[r].size(); ++c)
                spreadsheet.activeSheetContent().setValue({static_cast<int>(r + 1), static_cast<int>(c + 1)},
                                                          wireList[r][c]);
        }
    }

    // The window's save of its last conversion, through F8's question and file dialog.
    std::string windowSaves() {
        driver.answer(platform::Answer::Yes);
        dialogs.queueFile(U"/home/user/window.cta");
        driver.press("F8");
        return files.file("/home/user/window.cta").value_or("<not saved>");
    }

    int command(std::vector<std::string> arguments) {
        err.str({});
        std::ostringstream out;
        ConvertEnvironment environment{files, out, err, Say(Language::English), &programDirectory, {}};
        environment.office = [this](const ConvertRequest&) {
            return std::make_unique<test::FakeWorkbookOpener>(spreadsheet);
        };
        return convertMain(arguments, environment);
    }

    std::ostringstream err;
};

TEST_F(ConvertMatchesWindow, TheCommandSavesWhatTheWindowSavesForItsSettings) {
    struct Case {
        const char* name;
        std::function<void(app::TForm1&)> arrange;
    };
    const std::vector<Case> cases = {
        {"wire numbers with count and numbering columns",
         [](app::TForm1& w) {
             w.RadioGroup1.setItemIndex(3);
             w.Edit1.setText(U"B");
             w.Edit21.setText(U"2");
             w.Edit26.setText(U"6");
             w.Edit31.setText(U"C");
             w.Edit36.setText(U"D");
         }},
        {"columns on one line with a remark and a replacement",
         [](app::TForm1& w) {
             w.RadioGroup1.setItemIndex(2);
             w.Edit1.setText(U"B");
             w.Edit6.setText(U"E");
             w.CheckBox8.setChecked(true);
             w.Edit11.setText(U"予備");
             w.Edit21.setText(U"2");
             w.Edit26.setText(U"6");
             w.Edit31.setText(U"2");
             w.CheckBox5.setChecked(true);
             w.Edit42.setText(U"-");
             w.Edit43.setText(U"_");
         }},
        {"one column, then setting 2 on another",
         [](app::TForm1& w) {
             w.RadioGroup1.setItemIndex(0);
             w.Edit1.setText(U"B");
             w.Edit21.setText(U"2");
             w.Edit26.setText(U"4");
             w.Edit31.setText(U"1");
             w.CheckBox1.setChecked(true);
             w.Edit2.setText(U"E");
             w.Edit22.setText(U"3");
             w.Edit27.setText(U"6");
             w.Edit32.setText(U"2");
         }},
    };
    startBlue();
    files.setFile("/in/wires.csv", csvOf(wireList));
    files.setFile("/in/wires.xlsx", "workbook bytes the fake office does not read");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange(blue());
        driver.click(blue().Button2.visible() ? blue().Button2 : blue().Button5);
        driver.idle();
        ASSERT_GT(blue().conversionState().resultLineCount(), 0);
        const std::string saved = windowSaves();
        ASSERT_TRUE(files.file(Conversion)) << "the window keeps the settings of its conversion";

        // The program folder's settings file finds the conversion file beside it;
        // the conversion file stands for its folder itself.
        EXPECT_EQ(command({"--settings", "/opt/lumitag/lumitagr.ini", "/in/wires.csv", "-o", "/out/csv.cta"}),
                  kExitWritten)
            << err.str();
        EXPECT_EQ(files.file("/out/csv.cta"), saved);
        EXPECT_EQ(command({"--settings", Conversion.string(), "/in/wires.xlsx", "-o", "/out/sheet.cta"}),
                  kExitWritten)
            << err.str();
        EXPECT_EQ(files.file("/out/sheet.cta"), saved);
    }
    EXPECT_THAT(platform::toUtf8(platform::fromCp932(*files.file("/out/csv.cta"))),
                HasSubstr("TableNo=4\r\n"));
}

TEST_F(ConvertMatchesWindow, TheWindowKeepsOnlyConversionsThatFinish) {
    startBlue();
    blue().RadioGroup1.setItemIndex(0);
    blue().Edit1.setText(U"B");
    blue().Edit21.setText(U"2");
    blue().Edit26.setText(U"6");
    // No count: the window says what is missing and keeps nothing.
    driver.click(blue().Button2);
    EXPECT_FALSE(files.file(Conversion));
    const std::vector<Text> settingsBefore = settingsOnDisk();

    blue().Edit31.setText(U"1");
    driver.click(blue().Button2);
    const std::optional<std::string> kept = files.file(Conversion);
    ASSERT_TRUE(kept);
    const conversion::ReadConversionSettings read = conversion::readConversionSettingsFile(*kept);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.saved->sheet, U"配線");
    EXPECT_EQ(read.saved->settings.settings[0].columns[0], U"B");
    EXPECT_EQ(read.saved->settings.settings[0].count, U"1");
    EXPECT_EQ(settingsOnDisk(), settingsBefore) << "the settings file stays as it is";

    // A folder that refuses the file changes nothing the user sees.
    files.failWritesTo(Conversion, platform::FakeFileSystem::WriteFailure::DiskFull);
    driver.clearMessages();
    blue().Edit31.setText(U"2");
    driver.click(blue().Button5);
    driver.expectMessage(
        U"終わりました(マーキングデータ合計5個)\r\n\r\n　　　　　　　(変換結果はオレンジモード)");
    EXPECT_EQ(files.file(Conversion), kept);
}

} // namespace
} // namespace lumitag::batch
