// The orange window's table box, work length, feed correction, count labels
// and its save, mark and import commands, driven as the user drives them.
#include "ProgramFixture.h"
#include "markerfile/ConditionHeader.h"
#include "markerfile/MarkerData.h"

#include <algorithm>

namespace lumitag::app::test {
namespace {

using markerfile::headerEntry::tableFontHosei;
using markerfile::headerEntry::tableFontTableNumber;
using markerfile::headerEntry::tableFontWorkLength;
using markerfile::headerEntry::windowsFontHosei;
using markerfile::headerEntry::windowsFontWorkLength;
using marking::BoxMode;
using platform::Answer;

constexpr TextView OutOfRange = U"送り補正の範囲を超えています（長さ設定を変更してください）";
const std::filesystem::path MarkFile = "/opt/lumitag/lumitagr.cta";
const std::filesystem::path HeaderlessMarkFile = "/opt/lumitag/lumitagr.ctk";

Text text(std::string_view ascii) {
    return Text(ascii.begin(), ascii.end());
}

// One table line: the value columns hold their column number except those named.
Text tableLine(int number, std::string_view name, int workMode, std::string_view hosei,
               std::string_view workLength) {
    const std::string n = std::to_string(number);
    return text("0,SP3P,0," + n + "," + std::string(name) + "," + std::to_string(workMode) + ",6,7,8,5,10," +
                std::string(hosei) + ",12,13," + std::string(workLength) + ",15,16,17,18,19,20,21,22,1");
}

std::vector<Text> decodedLines(const std::string& bytes) {
    return platform::decodeTextFile(bytes).lines;
}

class MarkerFiles : public ProgramTest {
protected:
    void startWithTable(std::vector<Text> settings = {}) {
        files.setFile(TablePath, platform::encodeCp932Lines({
                                     tableLine(1, "     ", 1, "100", "55"),
                                     tableLine(2, "TUBE", 3, "100", "30"),
                                     tableLine(3, "LABEL", 2, "98.5", "40"),
                                     tableLine(4, "PLATE", 1, "abc", "20"),
                                     tableLine(5, "SPARE", 1, "100", "25"),
                                 }));
        if (!settings.empty())
            writeSettings(settings);
        start();
    }
    const Text& header(std::size_t entry) { return orange().filledHeader().entry(entry); }
    void addLines(std::initializer_list<std::array<Text, 3>> lines) {
        int row = 1;
        for (const auto& line : lines) {
            for (int col = 0; col < 3; ++col)
                orange().list().setCell(col + 1, row, line[static_cast<std::size_t>(col)]);
            ++row;
        }
        orange().list().updateNextFreeRow();
        driver.advance(100); // the periodic refresh finds them
    }
    // The user ticks 設定; the panel of the presets and the table settings opens.
    void openSettingsPanel() {
        driver.click(orange().CheckBox2);
        ASSERT_TRUE(orange().Panel3.visible());
    }
    void chooseTable(int index) {
        driver.click(orange().ComboBox2);
        driver.choose(orange().ComboBox2, index);
    }
    void typeInto(ui::Edit& box, TextView typed) {
        driver.click(box);
        driver.type(typed);
    }
};

TEST_F(MarkerFiles, StartUpFillsTheTableBoxAndTheHeaderFromTheFirstTable) {
    startWithTable();
    TForm2& w = orange();
    ASSERT_EQ(w.ComboBox2.items().size(), 5U);
    EXPECT_EQ(w.ComboBox2.items()[0], U"_ (Table1)");
    EXPECT_EQ(w.ComboBox2.items()[2], U"LABEL (Table3)");
    EXPECT_EQ(w.ComboBox2.itemIndex(), 0);
    EXPECT_EQ(w.ComboBox2.color(), (ui::Color{170, 255, 213}));
    EXPECT_EQ(w.Edit55.text(), U"SP3P");
    EXPECT_EQ(header(tableFontWorkLength), U"WorkLength=55");
    EXPECT_EQ(header(tableFontTableNumber), U"TableNo=1");
    EXPECT_FALSE(w.CheckBox37.visible()) << "work mode 1 offers no feed correction";
}

TEST_F(MarkerFiles, WithoutTableFileEveryTableControlIsHidden) {
    start();
    TForm2& w = orange();
    for (ui::Control* control :
         {static_cast<ui::Control*>(&w.ComboBox2), static_cast<ui::Control*>(&w.CheckBox1),
          static_cast<ui::Control*>(&w.CheckBox37), static_cast<ui::Control*>(&w.ComboBox3),
          static_cast<ui::Control*>(&w.Label39), static_cast<ui::Control*>(&w.Label13),
          static_cast<ui::Control*>(&w.Edit37), static_cast<ui::Control*>(&w.Edit38),
          static_cast<ui::Control*>(&w.Label65), static_cast<ui::Control*>(&w.Edit55),
          static_cast<ui::Control*>(&w.Button1), static_cast<ui::Control*>(&blue().ComboBox2)})
        EXPECT_FALSE(control->visible()) << control->name();
    driver.click(w.RadioButton17);
    EXPECT_FALSE(w.ComboBox2.visible()) << "a box-mode change keeps the table box hidden";
}

TEST_F(MarkerFiles, SelectingTheThirdTableWithDestinationTable5TakesOnlyTheTableNumberFromTheFifthLine) {
    std::vector<Text> settings(51);
    settings[46] = U"Table 5";
    startWithTable(settings);
    chooseTable(2);
    EXPECT_EQ(header(tableFontTableNumber), U"TableNo=5");
    EXPECT_EQ(header(markerfile::headerEntry::tableFontComment), U"Comment=LABEL");
    EXPECT_EQ(header(tableFontHosei), U"Hosei=98.5");
    EXPECT_EQ(orange().ComboBox2.color(), (ui::Color{255, 170, 255}));
    EXPECT_TRUE(orange().CheckBox37.visible()) << "work mode 2";
    EXPECT_TRUE(orange().Edit3.focused());
}

TEST_F(MarkerFiles, AnUnknownDestinationIsEmptiedAndKeepsTheFocus) {
    startWithTable();
    openSettingsPanel();
    driver.click(orange().ComboBox3);
    orange().ComboBox3.setText(U"Table 21");
    driver.click(orange().Edit55);
    EXPECT_EQ(orange().ComboBox3.text(), U"");
    EXPECT_TRUE(orange().ComboBox3.focused());
}

TEST_F(MarkerFiles, SettingTheVersionWritesTwentyQuotedLinesOrNamesTheFileItCouldNotWrite) {
    startWithTable();
    orange().Edit55.setText(U"SP3X");
    orange().Button1.click();
    const std::vector<Text> written = decodedLines(*files.file(TablePath));
    ASSERT_EQ(written.size(), 20U);
    EXPECT_EQ(written[1].substr(0, 24), U"\"0\",\"SP3X\",\"0\",\"2\",\"TUBE");
    Text unreadRow = U"\"\",\"SP3X\""; // rows the file did not have carry the version only
    for (int column = 2; column < 24; ++column)
        unreadRow += U",\"\"";
    EXPECT_EQ(written[19], unreadRow);

    files.failWritesTo(TablePath, platform::FakeFileSystem::WriteFailure::PermissionDenied);
    orange().Button1.click();
    driver.expectMessage(U"テーブルファイルを書き込めませんでした\r\n/opt/lumitag/lumitagr.sp3");
}

// A table file that is there but cannot be read is not written over by the
// settings panel's save: the store holds no tables, only what it would destroy.
TEST_F(MarkerFiles, UnreadableTableFileIsNeverWrittenBack) {
    files.setFile(TablePath, platform::encodeCp932Lines({tableLine(1, "TUBE", 3, "100", "30")}));
    files.failReadsOf(TablePath);
    start();
    driver.expectMessage(U"テーブルファイルを読み込めませんでした\r\n/opt/lumitag/lumitagr.sp3");
    EXPECT_FALSE(orange().Button1.visible());
    orange().Edit55.setText(U"SP3X");
    orange().Button1.click();
    EXPECT_TRUE(std::none_of(files.writeAttempts().begin(), files.writeAttempts().end(),
                             [](const std::filesystem::path& path) { return path == TablePath; }));
}

TEST_F(MarkerFiles, WorkLengthBoxOverridesBothHeadersUntilItCloses) {
    startWithTable();
    TForm2& w = orange();
    driver.click(w.CheckBox1);
    ASSERT_TRUE(w.Edit10.visible());
    EXPECT_EQ(w.Edit10.text(), U"55");
    EXPECT_TRUE(w.Edit10.focused());
    driver.type(U"6a0"); // letters are dropped
    driver.press(ui::Key::Enter);
    EXPECT_EQ(header(tableFontWorkLength), U"WorkLength=60");
    EXPECT_EQ(header(windowsFontWorkLength), U"WorkLength=60");
    EXPECT_EQ(w.markerState().customWorkLength, U"60");
    EXPECT_TRUE(w.Edit3.focused());

    driver.click(w.Edit10);
    driver.press(ui::Key::Backspace);
    driver.press(ui::Key::Backspace);
    driver.click(w.Edit3);
    EXPECT_EQ(w.Edit10.text(), U"55") << "an emptied box gets the loaded work length back";

    driver.click(w.CheckBox1);
    EXPECT_FALSE(w.Edit10.visible());
    EXPECT_EQ(header(tableFontWorkLength), U"WorkLength=55");
    EXPECT_EQ(w.markerState().customWorkLength, U"");
}

class FeedCorrection : public MarkerFiles {
protected:
    FeedCorrection() {
        startWithTable();
        chooseTable(1); // TUBE: work mode 3, correction value 100
        driver.click(orange().CheckBox37);
    }
    void measure(TextView terminalBlock, TextView testPlate) {
        orange().Edit37.clear();
        typeInto(orange().Edit37, terminalBlock);
        driver.press(ui::Key::Enter);
        driver.type(testPlate);
        driver.press(ui::Key::Enter);
    }
};

TEST_F(FeedCorrection, TickingShowsTheBoxesWithTheTablesValue) {
    TForm2& w = orange();
    EXPECT_TRUE(w.Edit37.visible() && w.Edit38.visible() && w.Edit51.visible() && w.Label59.visible());
    EXPECT_TRUE(w.Edit37.focused());
    EXPECT_EQ(w.Edit51.text(), U"100");
    EXPECT_EQ(w.CheckBox37.caption(), U"%");
    EXPECT_TRUE(w.markerState().feedCorrectionOn);
}

TEST_F(FeedCorrection, MeasuredLengthsGiveThePercentageCutToOneDecimal) {
    measure(U"250", U"252");
    driver.expectNoMessage();
    EXPECT_EQ(orange().Edit51.text(), U"99.2");
    EXPECT_EQ(header(tableFontHosei), U"Hosei=99.2");
    EXPECT_EQ(header(windowsFontHosei), U"Hosei=99.2");
    EXPECT_EQ(orange().markerState().feedCorrectionPercentage, U"99.2");
    EXPECT_TRUE(orange().Edit3.focused());

    measure(U"240", U"300");
    EXPECT_EQ(header(tableFontHosei), U"Hosei=80");
}

TEST_F(FeedCorrection, OutOfRangeOrEqualLengthsEmptyTheTestPlateAndKeepTheHosei) {
    measure(U"300", U"240");
    driver.expectMessage(OutOfRange);
    EXPECT_EQ(orange().Edit38.text(), U"");
    EXPECT_TRUE(orange().Edit38.focused());
    EXPECT_EQ(header(tableFontHosei), U"Hosei=100");

    driver.clearMessages();
    measure(U"250", U"250");
    driver.expectNoMessage();
    EXPECT_EQ(orange().Edit38.text(), U"");
    EXPECT_EQ(header(tableFontHosei), U"Hosei=100");
}

TEST_F(FeedCorrection, TypedPercentageIsAcceptedFrom80To120AndANonNumberIsNamed) {
    TForm2& w = orange();
    const auto typePercentage = [&](TextView typed) {
        driver.click(w.Edit51);
        w.Edit51.selectAll();
        driver.type(typed);
        driver.press(ui::Key::Enter);
    };
    typePercentage(U"120");
    driver.expectNoMessage();
    EXPECT_EQ(header(tableFontHosei), U"Hosei=120");
    typePercentage(U"120.1");
    driver.expectMessage(OutOfRange);
    EXPECT_EQ(w.Edit51.text(), U"120");
    EXPECT_TRUE(w.Edit51.focused());
    typePercentage(U"1..2");
    driver.expectMessage(U"送り補正の数値「1..2」が正しくありません\r\n（80～120の数値を入力してください）");
    EXPECT_EQ(header(tableFontHosei), U"Hosei=120");
    EXPECT_EQ(w.Edit51.text(), U"120");
}

TEST_F(FeedCorrection, UntickingOrApplyingAWorkLengthReturnsToTheTablesHosei) {
    measure(U"250", U"252");
    driver.click(orange().CheckBox1);
    driver.type(U"35");
    driver.press(ui::Key::Enter);
    EXPECT_FALSE(orange().CheckBox37.checked());
    EXPECT_FALSE(orange().Edit51.visible());
    EXPECT_EQ(header(tableFontHosei), U"Hosei=100");
    EXPECT_EQ(orange().markerState().feedCorrectionPercentage, U"");
    EXPECT_FALSE(orange().markerState().feedCorrectionOn);
}

TEST_F(MarkerFiles, ATableValueThatIsNotANumberIsNamedAndTheHeaderKeepsItsValue) {
    startWithTable();
    chooseTable(3); // PLATE: correction value "abc", work mode 1
    orange().CheckBox37.show();
    driver.click(orange().CheckBox37);
    typeInto(orange().Edit37, U"250");
    driver.press(ui::Key::Enter);
    driver.type(U"252");
    driver.press(ui::Key::Enter);
    driver.expectMessage(
        U"テーブルの送り補正値「abc」が数値ではありません\r\n（テーブルファイルを確認してください）");
    EXPECT_EQ(header(tableFontHosei), U"Hosei=abc");
}

TEST_F(MarkerFiles, CountLabelsRenameTheThreeBoxColumnsOnly) {
    startWithTable();
    openSettingsPanel();
    const Text oneBoxHeader = orange().StringGrid1.cell(3, 0);
    driver.click(orange().ComboBox5);
    driver.choose(orange().ComboBox5, 2); // 3.5
    EXPECT_EQ(orange().StringGrid1.cell(3, 0), oneBoxHeader) << "1BOX: nothing visible changes";
    EXPECT_EQ(orange().RadioButton11.caption(), U"");

    driver.click(orange().RadioButton17);
    driver.click(orange().ComboBox5);
    driver.choose(orange().ComboBox5, 2);
    EXPECT_EQ(orange().StringGrid1.cell(3, 0), U" 3.5");
    EXPECT_EQ(orange().RadioButton11.caption(), U"3.5");
    EXPECT_EQ(orange().Label56.caption(), U"3.5");
    EXPECT_EQ(orange().Label56.left(), 496);
}

// --- Save, mark, import -------------------------------------------------------------------

TEST_F(MarkerFiles, SaveWithoutTableAsksPlainlyAndWritesAHeaderlessFile) {
    start();
    addLines({{U"1-A", U"2", U""}, {U"2-A", U"1", U"5"}});
    ASSERT_TRUE(orange().Button18.visible());
    driver.answer(Answer::Yes);
    dialogs.queueFile(U"/home/user/out.ctk");
    driver.press("F8");
    EXPECT_EQ(dialogs.messages().front().text, U"CTK保存しますか？");
    const auto dialog = dialogs.lastFileDialog();
    ASSERT_TRUE(dialog.has_value());
    EXPECT_EQ(dialog->file.defaultExtension, U"ctk");
    EXPECT_EQ(dialog->file.filter, U"CTKファイル.ctk|*.ctk");
    EXPECT_TRUE(dialog->file.promptOverwrite);
    EXPECT_EQ(*files.file("/home/user/out.ctk"), "1-A\t2\t\r\n2-A\t1\t5\r\n\t\t\r\n");
    EXPECT_TRUE(orange().Edit3.focused());
}

TEST_F(MarkerFiles, SaveInThreeBoxNamesTheCountColumnAndWritesItsCounts) {
    startWithTable();
    driver.click(orange().RadioButton17);
    orange().list().setCell(1, 1, U"X1");
    orange().list().setCell(2, 1, U"1");
    orange().list().setCell(3, 1, U"7");
    orange().list().setCell(5, 1, U"9");
    driver.advance(100);
    driver.click(orange().RadioButton11);
    driver.answer(Answer::Yes);
    dialogs.queueFile(U"/home/user/out.cta");
    driver.click(orange().Button18);
    EXPECT_EQ(dialogs.messages().front().text,
              U"個数列:[ 2.0 ]\r\nテーブル設定 [ _ (Table1) ] でCTK保存しますか？");
    EXPECT_EQ(dialogs.lastFileDialog()->file.defaultExtension, U"cta");
    const std::vector<Text> lines = decodedLines(*files.file("/home/user/out.cta"));
    ASSERT_EQ(lines.size(), 31U);
    EXPECT_EQ(lines[6], U"Comment=");
    EXPECT_EQ(lines[29], U"X1\t7\t9");
}

TEST_F(MarkerFiles, SaveRefusalsAndFailuresWriteNothing) {
    start();
    addLines({{U"A", U"1", U""}});
    driver.click(orange().CheckBox2);
    driver.press("F8");
    driver.expectMessage(U"設定を閉じてください");
    driver.click(orange().CheckBox2);

    driver.answer(Answer::Cancel);
    driver.press("F8");
    EXPECT_FALSE(dialogs.lastFileDialog().has_value());

    orange().list().setCell(1, 1, U"漢字");
    driver.advance(100);
    ASSERT_TRUE(orange().list().fullWidth());
    driver.answer(Answer::Yes);
    driver.press("F8");
    driver.expectMessage(
        U"テーブルファイル(lumitagr.sp3)がありませんので\r\nWindows フォントでの保存はできません");
    EXPECT_FALSE(dialogs.lastFileDialog().has_value());

    orange().list().setCell(1, 1, U"A");
    driver.advance(100);
    files.failWritesTo("/home/user/locked.ctk", platform::FakeFileSystem::WriteFailure::PermissionDenied);
    driver.answer(Answer::Yes);
    dialogs.queueFile(U"/home/user/locked.ctk");
    driver.press("F8");
    driver.expectMessage(U"ファイルを保存できませんでした\r\n/home/user/locked.ctk");
    EXPECT_FALSE(files.file("/home/user/locked.ctk").has_value());
}

TEST_F(MarkerFiles, EmptyListHidesTheButtonsAndTheKeysDoNothing) {
    start();
    EXPECT_FALSE(orange().Button18.visible());
    EXPECT_FALSE(orange().Button4.visible());
    driver.press("F8");
    driver.press("F10");
    driver.expectNoMessage();
}

TEST_F(MarkerFiles, MarkingWritesTheMarkFileAndHandsItToTheMarkerSoftware) {
    startWithTable();
    addLines({{U"1-A", U"2", U""}});
    chooseTable(1);
    // The work length box still shows a changed value: the marking applies it.
    driver.click(orange().CheckBox1);
    driver.type(U"33");
    driver.answer(Answer::Yes);
    driver.press("F10");
    EXPECT_EQ(dialogs.messages().front().text, U"テーブル設定 [ TUBE (Table2) ] でマーキングしますか？");
    const std::vector<Text> lines = decodedLines(*files.file(MarkFile));
    ASSERT_EQ(lines.size(), 31U);
    EXPECT_EQ(lines[9], U"WorkLength=33");
    EXPECT_EQ(lines[30], U" \t1\t") << "work mode 3 ends with the trailer";
    ASSERT_EQ(shell.openRequests().size(), 1U);
    EXPECT_EQ(shell.openRequests()[0].path, MarkFile);
    EXPECT_EQ(shell.openRequests()[0].show, platform::WindowShow::Maximised);
    EXPECT_FALSE(orange().CTK2.enabled());
    EXPECT_FALSE(orange().Timer2.enabled());
    EXPECT_TRUE(orange().Edit3.focused());
}

TEST_F(MarkerFiles, MarkingRefusesWhileTheMarkerSoftwareRunsOrWithoutTableForFullWidth) {
    start();
    addLines({{U"漢字", U"1", U""}});
    const platform::WindowId marker = windows.addWindow(U"CTKPCMS for Windows Ver3.0", U"Wine");
    driver.press("F10");
    driver.expectMessage(U"CTKPCMS for Windowsを閉じてください");
    EXPECT_EQ(dialogs.messageCount(), 1U) << "no confirmation";
    windows.removeWindow(marker);

    orange().Button9.show();
    driver.answer(Answer::Yes);
    driver.press("F10");
    driver.expectMessage(
        U"テーブルファイル(lumitagr.sp3)がありませんので\r\nWindows フォントでのマーキングはできません");
    EXPECT_TRUE(orange().Button9.visible());
    EXPECT_FALSE(files.file(HeaderlessMarkFile).has_value());
    EXPECT_TRUE(shell.openRequests().empty());
}

TEST_F(MarkerFiles, AFailedMarkFileWriteOpensNothing) {
    start();
    addLines({{U"A", U"1", U""}});
    files.failWritesTo(HeaderlessMarkFile, platform::FakeFileSystem::WriteFailure::DiskFull);
    driver.answer(Answer::Yes);
    driver.press("F10");
    driver.expectMessage(U"マーキングファイルを書き込めませんでした\r\n/opt/lumitag/lumitagr.ctk");
    EXPECT_TRUE(shell.openRequests().empty());
    EXPECT_TRUE(orange().Timer2.enabled());
}

class Import : public MarkerFiles {
protected:
    Import() { start(); }
    void import(const std::string& bytes) {
        files.setFile("/home/user/Desktop/in.cta", bytes);
        dialogs.queueFile(U"/home/user/Desktop/in.cta");
        driver.rightClick(orange().StringGrid1, 1, 1);
        driver.chooseMenuItem(orange().CTK2);
        driver.advance(100);
    }
};

TEST_F(Import, ASavedFileComesBackLineForLineWithTheTrailerAsAFourthLine) {
    addLines({{U"1-A", U"2", U""}, {U"2-A", U"2", U""}, {U"3-A", U"1", U"5"}});
    driver.answer(Answer::Yes);
    dialogs.queueFile(U"/home/user/Desktop/in.cta");
    driver.press("F8");
    const std::string written = *files.file("/home/user/Desktop/in.cta");
    orange().list().clearRow(1);
    orange().list().clearRow(2);
    orange().list().clearRow(3);
    driver.advance(100);
    ASSERT_TRUE(orange().CTK2.enabled());

    import(written);
    EXPECT_EQ(orange().list().lineCount(), 3);
    EXPECT_EQ(orange().list().cell(3, 3), U"5");
    EXPECT_TRUE(orange().N25.enabled());
    EXPECT_FALSE(orange().N26.enabled());
    const auto dialog = dialogs.lastFileDialog();
    EXPECT_EQ(dialog->file.initialFolder, U"/home/user/Desktop");
    EXPECT_EQ(dialog->file.filter, U"CTKPCMS　データファイル|*.ctk;*.cta");

    for (int row = 1; row <= 3; ++row)
        orange().list().clearRow(row);
    driver.advance(100);
    import(written.substr(0, written.size() - 4) + " \t1\t\r\n");
    EXPECT_EQ(orange().list().lineCount(), 4);
    EXPECT_EQ(orange().list().cell(1, 4), U" ");
    EXPECT_EQ(orange().list().cell(2, 4), U"1");
}

TEST_F(Import, HeaderlessFilesStopAtOneThousandLines) {
    std::string bytes;
    for (int i = 1; i <= 1001; ++i)
        bytes += "L" + std::to_string(i) + "\\[1\\]\t1\t\r\n";
    import(bytes);
    driver.expectMessage(U"インポート出来るのは1000行までになります");
    EXPECT_EQ(orange().list().lineCount(), 1000);
    EXPECT_EQ(orange().list().lineText(1), U"L1【1】");
}

TEST_F(Import, WindowsFontFilesStopAtOneHundredLinesAndLeaveTheNumberingEmpty) {
    std::vector<Text> lines = orange().filledHeader().windowsFontLines();
    lines[6] = U"Column=1";
    for (int i = 1; i <= 101; ++i)
        lines.push_back(U"3\t線" + text(std::to_string(i)) + U"\t\t\t\t\t\t\t\t\t\t");
    import(platform::encodeCp932Lines(lines));
    driver.expectMessage(U"インポート出来るのは100行までになります");
    EXPECT_EQ(orange().list().lineCount(), 100);
    EXPECT_EQ(orange().list().lineText(1), U"線1");
    EXPECT_EQ(orange().list().cell(2, 1), U"3");
    EXPECT_EQ(orange().list().cell(3, 1), U"");
}

TEST_F(Import, RefusedAndUnreadableFilesLeaveTheListAlone) {
    std::vector<Text> lines = orange().filledHeader().windowsFontLines();
    lines[6] = U"Column=2";
    lines.push_back(U"1\tA\t\t\t\t\t\t\t\t\t\t");
    import(platform::encodeCp932Lines(lines));
    driver.expectMessage(
        U"このファイルはWindowsフォント用で、段改行が\r\n設定されていますのでインポートできません。");
    EXPECT_EQ(orange().list().lineCount(), 0);

    files.failReadsOf("/home/user/Desktop/in.cta");
    driver.clearMessages();
    import("A\t1\t\r\n");
    driver.expectMessage(U"ファイルを読み込めませんでした\r\n/home/user/Desktop/in.cta");
    EXPECT_EQ(orange().list().lineCount(), 0);
}

TEST_F(MarkerFiles, TheSwitchToBlueModeAppliesTheWorkLengthAndTheReturnKeepsIt) {
    startWithTable();
    driver.click(orange().CheckBox1);
    driver.type(U"77");
    driver.press(ui::Key::Enter);
    driver.press("Shift+F1");
    EXPECT_EQ(header(tableFontWorkLength), U"WorkLength=77");
    ASSERT_TRUE(blue().visible());
    driver.advance(300);                             // the watcher sees the blue window
    orange().markerState().customWorkLength = U"66"; // as the blue window's box would
    driver.press("Shift+F1");
    driver.advance(200);
    ASSERT_TRUE(orange().visible());
    EXPECT_EQ(header(tableFontWorkLength), U"WorkLength=66");
    EXPECT_EQ(orange().Edit10.text(), U"66");
}

} // namespace
} // namespace lumitag::app::test
