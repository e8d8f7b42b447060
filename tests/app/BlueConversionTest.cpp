// The blue window's conversions, save, marking and table, driven as the user
// drives them: the buttons, the orange window's list they fill, the files they
// write, and what Shift+F1 carries between the windows.
#include "ProgramFixture.h"
#include "conversion/BlueMarkerFile.h"
#include "markerfile/ConditionHeader.h"
#include "platform/Paths.h"

#include <functional>
#include <string>

namespace lumitag::app::test {
namespace {

using markerfile::headerEntry::tableFontHosei;
using markerfile::headerEntry::tableFontWorkLength;
using markerfile::headerEntry::tableFontWorkMode;
using markerfile::headerEntry::windowsFontHosei;
using platform::Answer;

constexpr TextView HostBusy = U"エクセルが編集中です(またはエクセルシートがその他のウィンドウに隠れています)";
const std::filesystem::path MarkFile = "/opt/lumitag/lumitagr.cta";
const std::filesystem::path HeaderlessMarkFile = "/opt/lumitag/lumitagr.ctk";

Text text(std::string_view ascii) {
    return Text(ascii.begin(), ascii.end());
}

// One table line; the value columns hold their column number except those named.
Text tableLine(int number, std::string_view name, int workMode, std::string_view hosei) {
    const std::string n = std::to_string(number);
    return text("0,SP3P,0," + n + "," + std::string(name) + "," + std::to_string(workMode) + ",6,7,8,5,10," +
                std::string(hosei) + ",12,13,55,15,16,17,18,19,20,21,22,1");
}

std::string utf8(TextView t) {
    return platform::toUtf8(t);
}

// Rows 5 to 9 of column B: row 7 hidden, B6 empty.
class BlueRun : public ProgramTest {
protected:
    void startBlue(bool withTable = true) {
        if (withTable) {
            files.setFile(TablePath, platform::encodeCp932Lines({
                                         tableLine(1, "TUBE", 3, "100"),
                                         tableLine(2, "LABEL", 2, "98.5"),
                                         tableLine(3, "PLATE", 1, "100"),
                                     }));
        }
        spreadsheet.userStartsSpreadsheet();
        spreadsheet.connect();
        spreadsheet.userCreatesWorkbook(U"wires.xlsx");
        start();
        connectWorker.complete();
        driver.press("Shift+F1");
        ASSERT_TRUE(blue().visible());
        put(U"B5", U"W-1");
        put(U"B7", U"hidden");
        put(U"B8", U"W-3");
        put(U"B9", U"W-4");
        sheet().setRowHidden(7, true);
        singleColumn(U"B", U"5", U"9");
    }
    platform::FakeSheetContent& sheet() { return spreadsheet.activeSheetContent(); }
    void put(TextView address, Text value) { sheet().setValue(address, std::move(value)); }
    // Setting 1 in 一列のみ連続 over the rows of one column, count 3.
    void singleColumn(TextView column, TextView first, TextView last) {
        blue().RadioGroup1.setItemIndex(0);
        blue().Edit1.setText(Text(column));
        blue().Edit21.setText(Text(first));
        blue().Edit26.setText(Text(last));
        blue().Edit31.setText(U"3");
    }
    // The list rows 1 to n as "text|count|number", for readable failures.
    std::vector<std::string> listRows(int n) {
        std::vector<std::string> rows;
        for (int row = 1; row <= n; ++row) {
            const marking::MarkingList& list = orange().list();
            rows.push_back(utf8(list.cell(1, row) + U"|" + list.cell(2, row) + U"|" + list.cell(3, row)));
        }
        return rows;
    }
    std::vector<std::string> bufferLines() {
        std::vector<std::string> lines;
        for (const conversion::ResultLine& line : blue().conversionState().buffer)
            lines.push_back(utf8(line.joined()));
        return lines;
    }
    void convert(ui::Button& button) {
        driver.click(button);
        driver.idle();
    }
    // The bytes after the header lines of a written file, in UTF-8.
    std::string dataOf(const std::filesystem::path& path, std::size_t headerLines) {
        const std::optional<std::string> bytes = files.file(path);
        if (!bytes)
            return "<no file>";
        std::size_t at = 0;
        for (std::size_t i = 0; i < headerLines && at != std::string::npos; ++i) {
            at = bytes->find("\r\n", at);
            if (at != std::string::npos)
                at += 2;
        }
        return at == std::string::npos ? "<short>" : utf8(platform::fromCp932(bytes->substr(at)));
    }
    std::string firstLine(const std::filesystem::path& path) {
        const std::optional<std::string> bytes = files.file(path);
        return bytes ? bytes->substr(0, bytes->find("\r\n")) : "<no file>";
    }
};

TEST_F(BlueRun, ANewConversionFillsTheListAndShowsTheSaveAndMarkButtons) {
    startBlue();
    EXPECT_TRUE(blue().Button2.visible());
    EXPECT_FALSE(blue().Button3.visible());
    EXPECT_FALSE(blue().Button9.visible());
    convert(blue().Button2);
    driver.expectMessage(
        U"終わりました(マーキングデータ合計4個)\r\n\r\n　　　　　　　(変換結果はオレンジモード)");
    EXPECT_EQ(listRows(5), (std::vector<std::string>{"W-1|3|", "|3|", "W-3|3|", "W-4|3|", "||"}));
    EXPECT_EQ(orange().list().nextFreeRow(), 5);
    EXPECT_FALSE(blue().Button2.visible());
    for (ui::Control* shown : std::initializer_list<ui::Control*>{&blue().Button5, &blue().Button6,
                                                                  &blue().Button3, &blue().Button9})
        EXPECT_TRUE(shown->visible()) << shown->name();
    EXPECT_FALSE(blue().SpeedButton6.visible()) << "only an add conversion can be taken back";
    EXPECT_EQ(app.focusedControl(), &blue().Button3);
    // The list's undo goes back to the list before the conversion.
    EXPECT_EQ(orange().undo().memo(), U"4\r\nW-1\t3\t\r\n\t3\t\r\nW-3\t3\t\r\nW-4\t3\t\r\n");
    EXPECT_TRUE(orange().N25.enabled());
    EXPECT_TRUE(orange().N7.enabled());
    EXPECT_FALSE(orange().N26.enabled());

    // F9 is a new conversion again: the list holds the same four lines, not eight.
    driver.press("F9");
    EXPECT_EQ(blue().conversionState().resultLineCount(), 4);
    EXPECT_EQ(listRows(5).back(), "||");
}

TEST_F(BlueRun, AnAddConversionAndItsUndoChangeExactlyTheAddedLines) {
    startBlue();
    convert(blue().Button2);
    singleColumn(U"B", U"8", U"9");
    convert(blue().Button6);
    driver.expectMessage(
        U"終わりました(マーキングデータ合計6個)\r\n\r\n　　　　　　　(変換結果はオレンジモード)");
    EXPECT_EQ(listRows(7),
              (std::vector<std::string>{"W-1|3|", "|3|", "W-3|3|", "W-4|3|", "W-3|3|", "W-4|3|", "||"}));
    EXPECT_TRUE(blue().SpeedButton6.visible());

    // The add button's hint tells the running total while the hints are off.
    blue().Button6.onMouseEnter();
    EXPECT_EQ(blue().Button6.hint(), U"マーキングデータ合計6個変換済");
    EXPECT_TRUE(blue().Button6.ownShowHint());

    // Edits in the orange list are overwritten by the rebuild from the buffer.
    orange().list().setCell(1, 1, U"edited");
    driver.click(blue().SpeedButton6);
    EXPECT_EQ(listRows(7), (std::vector<std::string>{"W-1|3|", "|3|", "W-3|3|", "W-4|3|", "||", "||", "||"}));
    EXPECT_EQ(bufferLines().size(), 4U);
    EXPECT_EQ(orange().list().nextFreeRow(), 5);
    EXPECT_FALSE(blue().SpeedButton6.visible());
}

TEST_F(BlueRun, TheAddButtonsHintFollowsTheHintSwitch) {
    startBlue();
    convert(blue().Button2);
    const auto pointedHint = [this] {
        driver.hover(blue().Button3); // the pointer comes to the add button afresh
        driver.hover(blue().Button6);
        const std::optional<ui::HintState> hint = app.currentHint();
        return hint ? hint->text : Text{};
    };
    EXPECT_EQ(pointedHint(), U"マーキングデータ合計4個変換済") << "shown with hints off";
    driver.click(blue().SpeedButton27);
    EXPECT_EQ(pointedHint(), U"前回変換したデータに追加変換します（１０００行まで変換できます）");
}

TEST_F(BlueRun, AStopLeavesTheListEmptyAfterANewConversionAndAHostFailureLeavesEverything) {
    startBlue();
    convert(blue().Button2);
    const std::vector<std::string> before = listRows(5);

    // The spreadsheet fails part-way: the busy message, nothing changed.
    spreadsheet.failOperation("Range.values");
    convert(blue().Button5);
    driver.expectMessage(HostBusy);
    EXPECT_EQ(listRows(5), before);
    EXPECT_EQ(bufferLines().size(), 4U);
    EXPECT_TRUE(blue().Button3.visible());
    EXPECT_TRUE(blue().Button9.visible());
    spreadsheet.clearFailures();

    // The count box emptied: the list and the buffer are emptied before the stop.
    blue().Edit31.setText({});
    convert(blue().Button5);
    driver.expectMessage(U"未入力箇所があります");
    EXPECT_EQ(listRows(2), (std::vector<std::string>{"||", "||"}));
    EXPECT_EQ(orange().list().nextFreeRow(), 1);
    EXPECT_TRUE(bufferLines().empty());
    EXPECT_FALSE(blue().Button3.visible());
    EXPECT_FALSE(blue().Button9.visible());
    EXPECT_TRUE(blue().Button5.visible()) << "the buttons of the last finished conversion stay";
}

TEST_F(BlueRun, TheLimitStopsAtTheThousandthLineAndHidesTheAddButton) {
    startBlue();
    for (int row = 1; row <= 1200; ++row)
        put(text("C" + std::to_string(row)), text(std::to_string(row)));
    singleColumn(U"C", U"1", U"1200");
    convert(blue().Button2);
    driver.expectMessage(U"マーキングデータが1000個になりました");
    EXPECT_EQ(blue().conversionState().resultLineCount(), 1000);
    EXPECT_EQ(orange().list().cell(1, 1000), U"1001") << "row 7 is hidden";
    EXPECT_EQ(orange().list().topRow(), 986);
    EXPECT_FALSE(blue().Button6.visible());
    EXPECT_TRUE(blue().Button3.visible());
}

TEST_F(BlueRun, SavedFilesFollowTheTableTheFontAndTheWorkMode) {
    startBlue();
    convert(blue().Button2);
    driver.clearMessages();

    // Table 1 has work mode 3: an empty line, then the trailer without a line break.
    driver.answer(Answer::Yes);
    dialogs.queueFile(U"/home/user/out.cta");
    driver.press("F8");
    driver.expectMessage(U"テーブル設定 [ TUBE (Table1) ] でCTK保存しますか？", platform::Buttons::YesCancel);
    EXPECT_EQ(dialogs.lastFileDialog()->file.filter, U"CTKファイル.cta|*.cta");
    EXPECT_EQ(dataOf("/home/user/out.cta", 29), "W-1\t3\t\r\n\t3\t\r\nW-3\t3\t\r\nW-4\t3\t\r\n\r\n \t1\t");
    EXPECT_EQ(firstLine("/home/user/out.cta"), "[Condition]");

    // A full-width text makes it a Windows-font file and hides 追加 変換.
    put(U"B9", U"線Ａ");
    convert(blue().Button5);
    EXPECT_TRUE(blue().conversionState().resultFullWidth);
    driver.answer(Answer::Yes);
    dialogs.queueFile(U"/home/user/wide.cta");
    driver.click(blue().Button9);
    const std::string eight(8, '\t');
    EXPECT_EQ(dataOf("/home/user/wide.cta", 34), "3\tW-1" + eight + "\r\n3\t" + eight + "\r\n3\tW-3" + eight +
                                                     "\r\n3\t線Ａ" + eight + "\r\n\r\n1\t　" + eight);
    EXPECT_FALSE(blue().Button6.visible());

    // Cancel at the question writes nothing.
    driver.answer(Answer::Cancel);
    driver.click(blue().Button9);
    EXPECT_FALSE(files.file("/home/user/never.cta"));
}

TEST_F(BlueRun, WithoutTheTableFileTheSaveIsHeaderlessAndTheWindowsFontIsRefused) {
    startBlue(false);
    EXPECT_FALSE(blue().ComboBox2.visible());
    EXPECT_FALSE(blue().CheckBox3.visible());
    convert(blue().Button2);
    driver.answer(Answer::Yes);
    dialogs.queueFile(U"/home/user/out.ctk");
    driver.click(blue().Button9);
    driver.expectMessage(U"CTK保存しますか？", platform::Buttons::YesCancel);
    EXPECT_EQ(dialogs.lastFileDialog()->file.filter, U"CTKファイル.ctk|*.ctk");
    EXPECT_EQ(dataOf("/home/user/out.ctk", 0), "W-1\t3\t\r\n\t3\t\r\nW-3\t3\t\r\nW-4\t3\t\r\n\r\n");

    put(U"B5", U"Ａ");
    convert(blue().Button5);
    driver.answer(Answer::Yes);
    driver.click(blue().Button9);
    driver.expectMessage(
        U"テーブルファイル(lumitagr.sp3)がありませんので\r\nWindows フォントでの保存はできません");
    driver.answer(Answer::Yes);
    driver.click(blue().Button3);
    driver.expectMessage(
        U"テーブルファイル(lumitagr.sp3)がありませんので\r\nWindows フォントでのマーキングはできません");
    EXPECT_FALSE(files.file(HeaderlessMarkFile));
}

TEST_F(BlueRun, MarkingWritesExactlyTheConvertedRowsOfTheList) {
    startBlue();
    convert(blue().Button2);
    // The marking reads the list, where the user may have corrected a line.
    orange().list().setCell(1, 2, U"W-2");
    orange().list().setCell(1, 6, U"beyond the result");
    blue().Timer1.start();
    driver.answer(Answer::Yes);
    driver.press("F10");
    driver.expectMessage(U"テーブル設定 [ TUBE (Table1) ] でマーキングしますか？",
                         platform::Buttons::YesCancel);
    EXPECT_EQ(dataOf(MarkFile, 29), "W-1\t3\t\r\nW-2\t3\t\r\nW-3\t3\t\r\nW-4\t3\t\r\n \t1\t\r\n");
    ASSERT_EQ(shell.openRequests().size(), 1U);
    EXPECT_EQ(shell.openRequests()[0].path, MarkFile);
    EXPECT_FALSE(blue().Timer1.enabled());

    // The marker software is running: said so, and nothing asked.
    windows.addWindow(U"CTKPCMS for Windows Ver3.0", U"TApplication");
    driver.clearMessages();
    driver.click(blue().Button3);
    driver.expectMessage(U"CTKPCMS for Windowsを閉じてください");
    EXPECT_EQ(dialogs.messageCount(), 1U);
}

TEST_F(BlueRun, AFailedWriteKeepsThePreviousFileAndNamesIt) {
    startBlue();
    convert(blue().Button2);
    using Failure = platform::FakeFileSystem::WriteFailure;
    const std::filesystem::path saved = "/home/user/out.cta";
    const struct {
        const char* name;
        std::filesystem::path path;
        TextView message;
        std::function<void()> write;
    } cases[] = {
        {"save", saved, U"ファイルを保存できませんでした",
         [&] {
             driver.answer(Answer::Yes);
             dialogs.queueFile(platform::textFromPath(saved));
             driver.click(blue().Button9);
         }},
        {"mark file", MarkFile, U"マーキングファイルを書き込めませんでした",
         [&] {
             driver.answer(Answer::Yes);
             driver.click(blue().Button3);
         }},
    };
    const std::string previous = "previous content\r\n\x82\xa0\r\n";
    for (const auto& c : cases) {
        for (const Failure failure : {Failure::DiskFull, Failure::PermissionDenied, Failure::RenameFails}) {
            SCOPED_TRACE(c.name);
            files.clearFailures();
            files.setFile(c.path, previous);
            files.failWritesTo(c.path, failure);
            c.write();
            EXPECT_EQ(files.file(c.path), previous);
            EXPECT_EQ(dialogs.lastMessage().text, Text(c.message) + U"\r\n" + platform::textFromPath(c.path));
        }
    }
    EXPECT_TRUE(shell.openRequests().empty()) << "a mark file that was not written is not opened";
    EXPECT_EQ(bufferLines().size(), 4U);
}

TEST_F(BlueRun, CharactersCp932CannotHoldAreAskedAboutBeforeTheFileIsWritten) {
    startBlue();
    put(U"B5", U"𠮷");
    convert(blue().Button2);
    driver.answers({Answer::Yes, Answer::Cancel});
    driver.click(blue().Button3);
    EXPECT_NE(driver.messageCount(), 0U);
    EXPECT_NE(dialogs.lastMessage().text.find(U"このままマーキングしますか？"), Text::npos);
    EXPECT_FALSE(files.file(MarkFile)) << "declined";
}

TEST_F(BlueRun, ChoosingABlueTableRebuildsItsHeaderAndOffersTheFeedCorrectionForWorkModesTwoAndThree) {
    startBlue();
    EXPECT_EQ(blue().filledHeader().entry(tableFontWorkMode), U"WorkMode=3");
    EXPECT_TRUE(blue().CheckBox4.visible());
    driver.click(blue().ComboBox2);
    driver.choose(blue().ComboBox2, 2);
    EXPECT_EQ(blue().filledHeader().entry(tableFontWorkMode), U"WorkMode=1");
    EXPECT_FALSE(blue().CheckBox4.visible());
    EXPECT_EQ(orange().filledHeader().entry(tableFontWorkMode), U"WorkMode=3")
        << "the orange window is not touched";
    EXPECT_EQ(app.focusedControl(), &blue().Button2) << "setting 1 has a column: the conversion starts next";
}

TEST_F(BlueRun, TheFeedCorrectionIsComputedFromTheMeasuredLengths) {
    startBlue();
    driver.click(blue().CheckBox4);
    EXPECT_TRUE(blue().Edit51.visible());
    EXPECT_EQ(blue().Edit51.text(), U"100") << "the table's own value to start with";
    EXPECT_EQ(app.focusedControl(), &blue().Edit35);
    driver.type(U"250");
    driver.press(ui::Key::Enter);
    EXPECT_EQ(app.focusedControl(), &blue().Edit39);
    driver.type(U"252");
    driver.press(ui::Key::Enter);
    EXPECT_EQ(blue().Edit51.text(), U"99.2");
    EXPECT_EQ(blue().filledHeader().entry(tableFontHosei), U"Hosei=99.2");
    EXPECT_EQ(blue().filledHeader().entry(windowsFontHosei), U"Hosei=99.2");
    EXPECT_EQ(orange().markerState().feedCorrectionPercentage, U"99.2");
    EXPECT_EQ(app.focusedControl(), &blue().Button2)
        << "the last shown of the conversion and marking buttons";

    // Out of range: said so, the plate length dropped, the header keeps its value.
    driver.click(blue().Edit35);
    driver.type(U"300");
    driver.click(blue().Edit39);
    driver.type(U"240");
    driver.press(ui::Key::Enter);
    driver.expectMessage(U"送り補正の範囲を超えています（長さ設定を変更してください）");
    EXPECT_EQ(blue().Edit39.text(), U"");
    EXPECT_EQ(blue().filledHeader().entry(tableFontHosei), U"Hosei=99.2");

    driver.click(blue().CheckBox4);
    EXPECT_FALSE(blue().Edit51.visible());
    EXPECT_FALSE(blue().Edit35.visible());
    EXPECT_EQ(blue().filledHeader().entry(tableFontHosei), U"Hosei=100");
    EXPECT_FALSE(orange().markerState().feedCorrectionOn);
    EXPECT_EQ(orange().markerState().feedCorrectionPercentage, U"");
}

TEST_F(BlueRun, BothWindowsReadTheTableFileAlike) {
    // A run of five blanks before a name: one field in both windows, so that
    // the columns after it give both headers the same values.
    files.setFile(TablePath,
                  platform::encodeCp932Lines({text("0,SP3P,0,1,     TUBE,3,6,7,8,5,10,100,12,13,55,15,16,"
                                                   "17,18,19,20,21,22,1")}));
    start();
    EXPECT_EQ(blue().ComboBox2.items(), orange().ComboBox2.items());
    EXPECT_EQ(blue().filledHeader(), orange().filledHeader());
    EXPECT_EQ(blue().filledHeader().entry(tableFontWorkMode), U"WorkMode=3");
}

TEST_F(BlueRun, ShiftF1CarriesTheTableWorkLengthAndFeedCorrectionBothWays) {
    startBlue();
    driver.press("Shift+F1");
    driver.advance(200);
    ASSERT_TRUE(orange().visible());

    // Orange: table 2 (work mode 2, correction 98.5), feed correction 250 / 252.
    driver.click(orange().ComboBox2);
    driver.choose(orange().ComboBox2, 1);
    EXPECT_EQ(blue().filledHeader().entry(tableFontHosei), U"Hosei=98.5") << "copied at once";
    driver.click(orange().CheckBox37);
    driver.type(U"250");
    driver.press(ui::Key::Enter);
    driver.type(U"252");
    driver.press(ui::Key::Enter);
    EXPECT_EQ(orange().Edit51.text(), U"97.7");

    driver.press("Shift+F1");
    ASSERT_TRUE(blue().visible());
    EXPECT_EQ(blue().ComboBox2.itemIndex(), 1);
    EXPECT_TRUE(blue().CheckBox4.checked());
    EXPECT_EQ(blue().Edit51.text(), U"97.7");
    EXPECT_EQ(blue().Edit35.text(), U"250");
    EXPECT_EQ(blue().filledHeader().entry(tableFontHosei), U"Hosei=97.7");
    EXPECT_EQ(blue().filledHeader().entry(windowsFontHosei), U"Hosei=97.7");

    // Blue: a new percentage typed, and a work length of 60.
    driver.click(blue().Edit51);
    driver.type(U"105");
    driver.press(ui::Key::Enter);
    EXPECT_EQ(app.focusedControl(), &blue().CheckBox4);
    EXPECT_EQ(blue().filledHeader().entry(tableFontHosei), U"Hosei=105");
    driver.advance(300);
    driver.press("Shift+F1");
    driver.advance(200);
    ASSERT_TRUE(orange().visible());
    EXPECT_EQ(orange().ComboBox2.itemIndex(), 1);
    EXPECT_TRUE(orange().CheckBox37.checked());
    EXPECT_EQ(orange().Edit51.text(), U"105");
    EXPECT_EQ(orange().filledHeader().entry(tableFontHosei), U"Hosei=105");

    // The work length goes over and comes back.
    driver.press("Shift+F1");
    driver.click(blue().CheckBox3);
    EXPECT_EQ(blue().Edit34.text(), U"55");
    driver.type(U"60");
    driver.press(ui::Key::Enter);
    EXPECT_EQ(blue().filledHeader().entry(tableFontWorkLength), U"WorkLength=60");
    EXPECT_FALSE(blue().CheckBox4.checked()) << "a new work length drops the feed correction";
    EXPECT_EQ(app.focusedControl(), &blue().Button2);
    driver.advance(300);
    driver.press("Shift+F1");
    driver.advance(200);
    ASSERT_TRUE(orange().visible());
    EXPECT_EQ(orange().filledHeader().entry(tableFontWorkLength), U"WorkLength=60");
    EXPECT_TRUE(orange().CheckBox1.checked());
    EXPECT_EQ(orange().Edit10.text(), U"60");
    EXPECT_FALSE(orange().CheckBox37.checked());
    EXPECT_EQ(orange().filledHeader().entry(tableFontHosei), U"Hosei=98.5");
}

} // namespace
} // namespace lumitag::app::test
