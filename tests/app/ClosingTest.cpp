#include "ProgramFixture.h"

namespace lumitag::app::test {
namespace {

using platform::Answer;

TEST_F(ProgramTest, CancelAtTheQuestionKeepsRunningAndFocusesTheEntryField) {
    start();
    orange().Edit3.setText(U"W");
    orange().CheckBox4.setChecked(true); // 線番１ fixed: the entry field is 線番２
    orange().Edit6.setText(U"abc");
    files.setFile(SettingsPath, "old\r\n");
    driver.answer(Answer::Cancel);
    driver.click(orange().Button5);
    driver.expectMessage(U"ルミタグを終了しますか？", platform::Buttons::YesCancel);
    EXPECT_FALSE(app.terminated());
    EXPECT_TRUE(orange().visible());
    EXPECT_EQ(app.focusedControl(), &orange().Edit6);
    EXPECT_EQ(orange().Edit6.selLength(), 3);
    EXPECT_EQ(files.file(SettingsPath), "old\r\n") << "nothing is written";
}

TEST_F(ProgramTest, YesSavesSwitchesCapsLockOffAndEndsTheProgram) {
    start();
    const std::size_t writes = files.writeAttempts().size();
    driver.answer(Answer::Yes);
    driver.click(orange().Button5);
    EXPECT_EQ(files.writeAttempts().size(), writes + 1);
    EXPECT_TRUE(app.terminated());
    EXPECT_FALSE(orange().visible());
    EXPECT_EQ(windows.capsLockOn(), std::optional<bool>(false));
    EXPECT_FALSE(orange().Timer2.enabled());
}

TEST_F(ProgramTest, AltF4AndTheCloseBoxAskTheSameQuestion) {
    start();
    driver.answer(Answer::Cancel);
    driver.press("Alt+F4");
    driver.expectMessage(U"ルミタグを終了しますか？");
    EXPECT_FALSE(app.terminated());
    driver.answer(Answer::Yes);
    orange().close(); // the window manager's close box
    EXPECT_TRUE(app.terminated());
}

// A settings file that cannot be written must not trap the user: the box says
// why and asks whether to end without saving; anything but Yes stays, and the
// next close asks again.
TEST_F(ProgramTest, FailedSaveAsksWhetherToEndWithoutSaving) {
    writeSettings({U"keep me"});
    start();
    const std::string before = *files.file(SettingsPath);
    files.failWritesTo(SettingsPath, platform::FakeFileSystem::WriteFailure::DiskFull);
    orange().Edit3.setText(U"W");
    orange().CheckBox4.setChecked(true); // 線番１ fixed: the entry field is 線番２
    orange().Edit6.setText(U"W-1");

    driver.answers({Answer::Yes, Answer::Cancel});
    driver.click(orange().Button5);
    const platform::MessageRequest box = dialogs.lastMessage();
    EXPECT_EQ(box.kind, platform::MessageKind::Question);
    EXPECT_EQ(box.buttons, platform::Buttons::YesCancel);
    EXPECT_EQ(box.caption, U"ルミタグ");
    EXPECT_EQ(box.text, U"設定ファイルを保存できませんでした。\r\n/opt/lumitag/lumitagr.ini\r\n"
                        U"cannot write /opt/lumitag/lumitagr.ini: No space left on device\r\n\r\n"
                        U"設定を保存せずに終了しますか？");
    EXPECT_FALSE(app.terminated());
    EXPECT_TRUE(orange().visible());
    EXPECT_TRUE(orange().Timer2.enabled()) << "the watcher runs on";
    EXPECT_EQ(app.focusedControl(), &orange().Edit6) << "the entry field has the focus";
    EXPECT_EQ(orange().Edit6.selLength(), 3);

    driver.answers({Answer::Yes, Answer::Yes});
    driver.click(orange().Button5);
    EXPECT_EQ(dialogs.messageCount(), 4u) << "asked again, with the reason again";
    EXPECT_TRUE(app.terminated());
    EXPECT_EQ(windows.capsLockOn(), std::optional<bool>(false)) << "the program ended as after a save";
    EXPECT_EQ(files.file(SettingsPath), before) << "the old file is untouched";
}

TEST_F(ProgramTest, OpenPresetSettingRefusesToClose) {
    start();
    driver.click(orange().CheckBox2);
    driver.click(orange().Button5);
    driver.expectMessage(U"設定を閉じてください");
    EXPECT_EQ(dialogs.messageCount(), 1u) << "no closing question";
    EXPECT_FALSE(app.terminated());
}

TEST_F(ProgramTest, VisibleSpreadsheetIsClosedAndQuitWithErrorsIgnored) {
    spreadsheet.userStartsSpreadsheet();
    spreadsheet.connect();
    spreadsheet.userCreatesWorkbook(U"wires.xlsx");
    start();
    connectWorker.complete(); // the start's background connect finds it
    driver.answer(Answer::Yes);
    driver.click(orange().Button5);
    EXPECT_EQ(spreadsheet.closedWorkbooks(), std::vector<Text>{U"wires.xlsx"});
    EXPECT_EQ(spreadsheet.quitCount(), 1);
    EXPECT_TRUE(app.terminated());
}

TEST_F(ProgramTest, BusySpreadsheetDoesNotStopTheProgramFromEnding) {
    spreadsheet.userStartsSpreadsheet();
    spreadsheet.connect();
    spreadsheet.userCreatesWorkbook(U"wires.xlsx");
    start();
    connectWorker.complete(); // the start's background connect finds it
    spreadsheet.failOperation("Workbook.close");
    driver.answer(Answer::Yes);
    driver.click(orange().Button5);
    EXPECT_TRUE(app.terminated());
    EXPECT_EQ(windows.capsLockOn(), std::optional<bool>(false));
}

TEST_F(ProgramTest, BlueWindowRefusesAltF4) {
    start();
    driver.press("Shift+F1");
    ASSERT_TRUE(blue().visible());
    driver.press("Alt+F4");
    const platform::MessageRequest box = dialogs.lastMessage();
    EXPECT_EQ(box.text, U"ブルーモードでは閉じることができません\r\n\r\nオレンジモードで閉じてください");
    EXPECT_EQ(box.kind, platform::MessageKind::Error);
    EXPECT_EQ(box.caption, U"ルミタグ");
    EXPECT_TRUE(blue().visible());
    EXPECT_FALSE(app.terminated());
}

} // namespace
} // namespace lumitag::app::test
