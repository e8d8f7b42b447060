#include "ProgramFixture.h"

namespace lumitag::app::test {
namespace {

TEST_F(ProgramTest, SecondCopyReportsAndEndsWithoutAWindow) {
    singleInstance.setAnotherCopyRuns(true);
    EXPECT_EQ(start(), Program::Start::AnotherCopyRuns);
    driver.expectMessage(U"すでに起動されています。", platform::Buttons::Ok);
    EXPECT_EQ(dialogs.lastMessage().caption, U"") << "the system's default caption";
    EXPECT_TRUE(app.forms().empty());
    EXPECT_FALSE(files.file(SettingsPath)) << "nothing was written";
    EXPECT_EQ(singleInstance.requestedNames(), std::vector<Text>{U"ルミタグ"});
}

TEST_F(ProgramTest, ScreenHeightBelow768IsRefused) {
    screen.setScreenRect({0, 0, 1366, 767});
    EXPECT_EQ(start(), Program::Start::ScreenTooLow);
    driver.expectMessage(U"ルミタグは画面の解像度が縦方向で768ピクセルに最適化されています\r\n\r\n"
                         U"(画面の解像度を変更してください)");
    EXPECT_TRUE(app.forms().empty());
}

TEST_F(ProgramTest, LockThatCannotBeMadeDoesNotKeepTheProgramFromStarting) {
    singleInstance.setUnavailable("no runtime folder");
    EXPECT_EQ(start(), Program::Start::Running);
}

TEST_F(ProgramTest, StartsWithTheOrangeWindowAtTheRightEdgeAndTheMainFormHidden) {
    ASSERT_EQ(start(), Program::Start::Running);
    driver.expectNoMessage();
    EXPECT_EQ(app.title(), U"ルミタグ");
    ASSERT_EQ(app.forms().size(), 4u);
    EXPECT_EQ(app.mainForm(), program.mainForm()) << "the hidden main form is created first";
    EXPECT_FALSE(program.mainForm()->visible());
    EXPECT_FALSE(blue().visible());
    EXPECT_FALSE(program.columnSettingsWindow()->visible());
    EXPECT_TRUE(orange().visible());
    EXPECT_EQ(app.activeForm(), &orange());
    EXPECT_EQ(orange().caption(), U"ルミタグ Ver3.50");
    EXPECT_EQ(orange().color(), (ui::Color{221, 179, 79}));
    EXPECT_EQ(orange().bounds(), (ui::Rect{1366 - 554, 0, 554, 729}));
    EXPECT_EQ(blue().caption(), U"ルミタグ");
    EXPECT_EQ(blue().color(), ui::colors::SkyBlue);
    EXPECT_EQ(blue().bounds(), (ui::Rect{1366 - 190, 0, 205, 738}));
    EXPECT_EQ(blue().Panel4.caption(), U"オレンジモード");

    EXPECT_EQ(app.focusedControl(), &orange().Edit3) << "the entry field has the focus";
    EXPECT_TRUE(orange().Timer2.enabled()) << "the watcher runs";
    EXPECT_EQ(windows.capsLockToggles(), 1) << "Caps Lock was off and is switched on";
    EXPECT_EQ(app.hintPause(), ui::Milliseconds{0});
    EXPECT_EQ(app.hintHidePause(), ui::Milliseconds{10000});
}

TEST_F(ProgramTest, PointerRestsOnTheBlueModeSwitchAfterStartUp) {
    start();
    const ui::Rect panel = orange().Panel4.bounds();
    const platform::ScreenPoint expected{1366 - 554 + panel.left + 30, panel.top + 10};
    ASSERT_FALSE(windows.pointerMoves().empty());
    EXPECT_EQ(windows.pointerMoves().back(), expected);
    EXPECT_EQ(*windows.pointerPosition(), expected);
    EXPECT_EQ(orange().programPointer(), (platform::ScreenPoint{1366 - 554 + 10, 380}));
    EXPECT_EQ(orange().spreadsheetPointer(), (platform::ScreenPoint{1366 - 554 - 10, 380}));
}

TEST_F(ProgramTest, CapsLockAlreadyOnIsLeftAlone) {
    windows.setCapsLock(true);
    start();
    EXPECT_EQ(windows.capsLockToggles(), 0);
}

TEST_F(ProgramTest, ControlsStandAtTheirDesignBounds) {
    start();
    TForm2& w = orange();
    const struct {
        ui::Control& control;
        ui::Rect bounds;
        bool visible;
    } cases[] = {
        {w.Edit1, {4, 48, 30, 23}, true},
        {w.Edit3, {101, 48, 80, 23}, true},
        {w.Edit6, {283, 48, 80, 23}, true},
        {w.Edit9, {465, 48, 50, 23}, true},
        {w.Edit46, {492, 48, 25, 23}, false},
        {w.Edit11, {35, 48, 30, 23}, false},
        {w.Button7, {494, 80, 45, 25}, true},
        {w.Button9, {494, 109, 45, 25}, false},
        {w.Button8, {494, 138, 45, 25}, true},
        {w.Panel1, {4, 75, 478, 53}, true},
        {w.Panel5, {4, 128, 478, 238}, true},
        {w.Panel3, {4, 128, 478, 238}, false},
        {w.Panel14, {482, 275, 64, 91}, true},
        {w.Panel13, {482, 275, 64, 91}, false},
        {w.StringGrid1, {6, 365, 401, 324}, true},
        {w.Panel2, {406, 366, 140, 199}, true},
        {w.Panel8, {406, 366, 140, 199}, false},
        {w.Button16, {413, 569, 60, 25}, true},
        {w.Button5, {477, 629, 60, 25}, true},
        {w.SpeedButton51, {413, 629, 60, 25}, false},
        {w.SpeedButton27, {416, 659, 35, 30}, true},
        {w.Panel4, {462, 659, 75, 23}, true},
        {w.SpeedButton22, {386, 5, 15, 20}, true},
        {w.Edit16, {422, 4, 35, 20}, true},
        {w.Edit10, {187, 4, 35, 20}, false},
        {w.CheckBox36, {464, 6, 84, 17}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.control.bounds(), c.bounds) << c.control.name();
        EXPECT_EQ(c.control.visible(), c.visible) << c.control.name();
    }
    EXPECT_EQ(w.Label6.left(), 479);
    EXPECT_EQ(w.SpeedButton27.caption(), U"ヒント\r\n表示");
    EXPECT_EQ(w.SpeedButton1.caption(), U"線番\r\nコピー");
    EXPECT_EQ(w.Panel4.caption(), U"ブルーモード");
    EXPECT_FALSE(w.ComboBox2.visible()) << "no table file: the table controls are hidden";
    EXPECT_FALSE(w.CheckBox1.visible());
}

TEST_F(ProgramTest, TableFileKeepsTheTableControlsShown) {
    files.setFile(TablePath, "table\r\n");
    start();
    EXPECT_TRUE(orange().ComboBox2.visible());
    EXPECT_TRUE(orange().CheckBox1.visible());
    EXPECT_EQ(blue().settingsCopy().size(), 51u) << "the blue window keeps its copy of the settings";
}

TEST_F(ProgramTest, IdleProgramDoesNoWork) {
    start();
    driver.advance(500);
    const std::uint64_t revision = app.revision();
    driver.advance(2000);
    EXPECT_EQ(app.revision(), revision) << "nothing changes while nothing happens";
    EXPECT_FALSE(app.needsPaint());
}

TEST_F(ProgramTest, PowerNoticesStopTheTimersAndResumeStartsTheWatcher) {
    start();
    orange().PowerNotice(0);
    for (ui::Timer* timer : {&orange().Timer1, &orange().Timer2, &orange().Timer5})
        EXPECT_FALSE(timer->enabled()) << timer->name();
    orange().PowerNotice(4);
    EXPECT_FALSE(orange().Timer2.enabled()) << "other notices change nothing";
    orange().PowerNotice(7);
    EXPECT_TRUE(orange().Timer2.enabled());
}

TEST_F(ProgramTest, MinimisingStopsTheSelectionFollower) {
    start();
    app.minimize();
    EXPECT_FALSE(orange().Timer1.enabled());
}

} // namespace
} // namespace lumitag::app::test
