// The two programs sharing the screen: the watcher, F1, the input hook, and
// the program's activation, minimising and restoring.
#include "sheet/WindowCoupling.h"

#include "sheet/SheetLinkFixture.h"

#include <algorithm>

namespace lumitag::sheet::test {
namespace {

using platform::InputEvent;
using platform::InputEventKind;
using platform::RecordedKey;
using platform::ScreenPoint;
using Placement = platform::FakeWindowSystem::Placement;

// The orange window is 554 wide at the right of a 1366 x 768 screen whose
// work area ends at 728; the spreadsheet's area is left of it.
constexpr int OrangeLeft = 1366 - 554;
constexpr platform::ScreenRect SpreadsheetArea{0, 0, OrangeLeft, 728};
constexpr ScreenPoint OverSpreadsheet{400, 300};
constexpr ScreenPoint OverProgram{900, 300};

const std::vector<Text> SwitchedOffKeys{U"{BS}", U"{DELETE}", U"{F1}", U"{F2}", U"{F3}",  U"{F4}",  U"{F5}",
                                        U"{F6}", U"{F7}",     U"{F8}", U"{F9}", U"{F10}", U"{F11}", U"{F12}"};

class WindowCouplingTest : public SheetLinkTest {
protected:
    WindowCouplingTest() {
        // The desktop knows both main windows by their captions.
        programWindow = windows.addWindow(w().caption(), U"", {OrangeLeft, 0, 554, 729});
        blueWindow = windows.addWindow(blue().caption(), U"", {1366 - 190, 0, 205, 738});
    }

    WindowCoupling& coupling() { return w().coupling(); }
    CouplingState& state() { return coupling().state(); }
    // 新規作成: the spreadsheet docked, this program in front.
    void dockedWorkbook() {
        windows.setForeground(programWindow);
        newWorkbook();
        driver.clearMessages();
        spreadsheet.clearCalls();
        windows.clearRecord();
    }
    // The user comes back to the program from another one.
    void reactivate() {
        app.deactivate();
        app.activate();
    }
    void recordEvent(InputEventKind kind, ScreenPoint pointer, RecordedKey key = RecordedKey::Other) {
        inputHook.record({kind, key, pointer});
    }

    platform::WindowId programWindow;
    platform::WindowId blueWindow;
};

// --- The watcher -------------------------------------------------------------------------------

TEST_F(WindowCouplingTest, WithoutAConnectedSpreadsheetTheWatcherAsksNothing) {
    ASSERT_TRUE(w().Timer2.enabled()) << "it runs from the first show";
    driver.advance(1000);
    EXPECT_TRUE(spreadsheet.calls().empty()) << spreadsheet.calls().front();
    EXPECT_TRUE(windows.foregroundRequests().empty());

    // A connected spreadsheet that is not on screen is asked only that.
    dockedWorkbook();
    spreadsheet.userSetsVisible(false);
    driver.advance(300);
    EXPECT_EQ(spreadsheet.calls(), (std::vector<std::string>(3, "Application.visible")));
    EXPECT_TRUE(windows.placements().empty());
}

TEST_F(WindowCouplingTest, ThePointerOverTheSpreadsheetHandsItTheFocusWithinOneTick) {
    dockedWorkbook();
    ASSERT_EQ(windows.foregroundWindow(), programWindow);
    windows.setPointer(OverSpreadsheet);
    driver.advance(100);
    EXPECT_EQ(windows.foregroundWindow(), spreadsheetWindow);
    EXPECT_EQ(spreadsheet.disabledKeys(), SwitchedOffKeys);
    EXPECT_TRUE(state().handOver);

    // The program is no longer the active one: nothing is handed over again.
    app.deactivate();
    driver.advance(300);
    EXPECT_EQ(spreadsheet.disabledKeys().size(), SwitchedOffKeys.size());

    // Back over the program: it comes to the front.
    windows.setPointer(OverProgram);
    driver.advance(100);
    EXPECT_EQ(windows.foregroundWindow(), programWindow);
    EXPECT_TRUE(windows.placements().empty()) << "a docked spreadsheet stays where it is";
}

TEST_F(WindowCouplingTest, AnOverlappingSpreadsheetIsPlacedAgainOnceThePointerHeadsForIt) {
    dockedWorkbook();
    // The user pulls the spreadsheet's window over the program.
    (void)windows.placeWindow(spreadsheetWindow, {0, 0, 1000, 728});
    windows.clearRecord();
    windows.setPointer(OverProgram);
    driver.advance(100);
    EXPECT_TRUE(state().overlap);
    EXPECT_TRUE(windows.placements().empty()) << "not while the user is on the program";
    EXPECT_EQ(windows.restoreRequests(), std::vector<platform::WindowId>{spreadsheetWindow});

    windows.setPointer(OverSpreadsheet);
    driver.advance(100);
    EXPECT_EQ(windows.placements(), (std::vector<Placement>{{spreadsheetWindow, SpreadsheetArea}}));
    driver.advance(100);
    EXPECT_FALSE(state().overlap);
}

TEST_F(WindowCouplingTest, AWorkbookTheProgramHasNotAttachedIsAdopted) {
    // 新規作成 while the spreadsheet stumbles: the workbook exists, the
    // program does not know it yet.
    spreadsheet.failOperation("Workbook.sheetNames");
    newWorkbook();
    spreadsheet.clearFailures();
    ASSERT_FALSE(link().workbookAttached());
    ASSERT_EQ(w().ComboBox1.text(), SheetBoxPlaceholder);
    windows.clearRecord();
    windows.setForeground(spreadsheetWindow);
    windows.setPointer(OverProgram);

    driver.advance(100);
    EXPECT_TRUE(link().workbookAttached());
    EXPECT_EQ(link().workbook()->name(), U"Book1");
    EXPECT_EQ(w().ComboBox1.items(), std::vector<Text>{U"Sheet1"});
    EXPECT_EQ(w().ComboBox1.text(), U"Sheet1");
    EXPECT_EQ(w().Edit14.text(), U"A");
    EXPECT_EQ(w().Edit15.text(), U"1");
    EXPECT_EQ(windows.placements().back(), (Placement{spreadsheetWindow, SpreadsheetArea}));
    EXPECT_EQ(windows.foregroundWindow(), programWindow);
    EXPECT_TRUE(state().handOver);
    EXPECT_TRUE(w().Timer2.enabled());
}

TEST_F(WindowCouplingTest, AFailingSpreadsheetStopsTheWatcher) {
    for (const std::string_view operation : {"Application.mainWindow", "Application.disableKey"}) {
        SCOPED_TRACE(operation);
        dockedWorkbook();
        windows.setForeground(programWindow);
        windows.setPointer(OverSpreadsheet);
        spreadsheet.failOperation(operation);
        driver.advance(100);
        EXPECT_FALSE(w().Timer2.enabled());
        driver.expectNoMessage();
        spreadsheet.clearFailures();
        w().Timer2.start();
    }

    // Adopting a workbook stops it too.
    link().setWorkbookAttached(false);
    spreadsheet.failOperation("Application.activeWorkbook");
    driver.advance(100);
    EXPECT_FALSE(w().Timer2.enabled());
    EXPECT_FALSE(link().workbookAttached());
}

TEST_F(WindowCouplingTest, AGoneSpreadsheetGetsItsF1OnceMoreAndTheWatcherStops) {
    dockedWorkbook();
    spreadsheet.userQuitsSpreadsheet();
    driver.advance(100);
    EXPECT_EQ(spreadsheet.calls(),
              (std::vector<std::string>{"Application.visible", "Application.disableKey"}));
    EXPECT_FALSE(w().Timer2.enabled());
    driver.advance(1000);
    EXPECT_EQ(spreadsheet.calls().size(), 2u) << "nothing more is asked of it";
    driver.expectNoMessage();
}

TEST_F(WindowCouplingTest, TheModeWatcherStillRunsInATickWhoseCouplingFailed) {
    dockedWorkbook();
    driver.press("Shift+F1");
    ASSERT_TRUE(blue().visible());
    driver.advance(100);
    spreadsheet.failOperation("Application.mainWindow");
    driver.click(blue().Panel4);
    driver.advance(100);
    EXPECT_TRUE(w().visible());
}

TEST_F(WindowCouplingTest, ShowingTheOrangeWindowLeavesAnOverlappingSpreadsheetUnmaximised) {
    for (const int spreadsheetWidth : {OrangeLeft, 1300}) {
        SCOPED_TRACE(spreadsheetWidth);
        dockedWorkbook();
        driver.press("Shift+F1");
        // The blue window docks the spreadsheet beside itself when it shows;
        // the user then widens the spreadsheet.
        (void)windows.placeWindow(spreadsheetWindow, {0, 0, spreadsheetWidth, 728});
        driver.advance(100);
        const int before = spreadsheet.maximizeCount();
        driver.click(blue().Panel4);
        driver.advance(100);
        ASSERT_TRUE(w().visible());
        // The switch back maximises; showing the window again only when nothing overlaps.
        EXPECT_EQ(spreadsheet.maximizeCount() - before, spreadsheetWidth == OrangeLeft ? 2 : 1);
    }
}

// --- The blue window -----------------------------------------------------------------------

TEST_F(WindowCouplingTest, TheBlueWindowHandsOverAndKeepsAFoundCellInView) {
    dockedWorkbook();
    driver.press("Shift+F1");
    ASSERT_TRUE(blue().visible());
    driver.advance(100);
    spreadsheet.clearCalls();
    windows.clearRecord();

    windows.setPointer(OverSpreadsheet);
    driver.advance(100);
    EXPECT_EQ(windows.foregroundWindow(), spreadsheetWindow);
    EXPECT_EQ(spreadsheet.disabledKeys(), SwitchedOffKeys);

    // A found cell was chosen from a result box: the spreadsheet shows it
    // while the pointer is still over the blue window.
    app.deactivate();
    coupling().setBlueBoxSelection(true);
    windows.setPointer({1200, 300});
    driver.advance(300);
    EXPECT_EQ(windows.foregroundWindow(), spreadsheetWindow);

    windows.setPointer(OverSpreadsheet);
    driver.advance(100);
    EXPECT_FALSE(state().blueBoxSelection);
    windows.setPointer({1200, 300});
    driver.advance(100);
    EXPECT_EQ(windows.foregroundWindow(), blueWindow);

    // Activation ends the flag as well.
    coupling().setBlueBoxSelection(true);
    app.activate();
    EXPECT_FALSE(state().blueBoxSelection);
}

// --- F1 -------------------------------------------------------------------------------------

TEST_F(WindowCouplingTest, F1MovesThePointerToTheSpreadsheetOnceWithinItsPause) {
    driver.press("F1");
    EXPECT_EQ(windows.pointerMoves().size(), 1u) << "only the start-up move: no spreadsheet";
    EXPECT_FALSE(w().Timer6.enabled());

    dockedWorkbook();
    windows.setPointer({1000, 200});
    driver.press("F1");
    EXPECT_EQ(windows.pointerMoves(), std::vector<ScreenPoint>{w().spreadsheetPointer()});
    EXPECT_EQ(w().spreadsheetPointer(), (ScreenPoint{OrangeLeft - 10, 380}));
    EXPECT_EQ(w().programPointer(), (ScreenPoint{1000, 200})) << "where the pointer left the program";

    driver.advance(100);
    EXPECT_EQ(windows.foregroundWindow(), spreadsheetWindow) << "the watcher hands the focus over";
    windows.setPointer({1100, 100});
    driver.advance(1300);
    driver.press("F1");
    EXPECT_EQ(windows.pointerMoves().size(), 1u) << "a second F1 within 1.5 s does nothing";
    EXPECT_EQ(w().programPointer(), (ScreenPoint{1000, 200}));

    driver.advance(100);
    EXPECT_FALSE(w().Timer6.enabled());
    driver.press("F1");
    EXPECT_EQ(windows.pointerMoves().size(), 2u);
    EXPECT_EQ(w().programPointer(), (ScreenPoint{1100, 100}));
}

TEST_F(WindowCouplingTest, F1InTheBlueWindowJumpsToo) {
    dockedWorkbook();
    driver.press("Shift+F1");
    ASSERT_TRUE(blue().visible());
    windows.clearRecord();
    driver.press("F1");
    EXPECT_EQ(windows.pointerMoves(), std::vector<ScreenPoint>{w().spreadsheetPointer()});
}

// --- The input hook --------------------------------------------------------------------------

TEST_F(WindowCouplingTest, ActivationInstallsTheHookOnceWhileTheSpreadsheetIsVisible) {
    reactivate();
    EXPECT_EQ(inputHook.installCalls(), 0) << "no spreadsheet, no hook";
    EXPECT_FALSE(w().HookEventPump.enabled());

    dockedWorkbook();
    w().Timer2.stop();
    reactivate();
    reactivate();
    EXPECT_EQ(inputHook.installCalls(), 1);
    EXPECT_TRUE(inputHook.installed());
    EXPECT_TRUE(w().HookEventPump.enabled());
    EXPECT_TRUE(w().Timer2.enabled()) << "activation starts the watcher";

    spreadsheet.userSetsVisible(false);
    reactivate();
    EXPECT_FALSE(inputHook.installed());
    EXPECT_FALSE(w().HookEventPump.enabled());

    // A desktop that refuses the hook is no error for the user.
    spreadsheet.userSetsVisible(true);
    inputHook.refuse("the display records nothing");
    reactivate();
    EXPECT_FALSE(inputHook.installed());
    EXPECT_FALSE(w().HookEventPump.enabled());
    driver.expectNoMessage();
}

TEST_F(WindowCouplingTest, ActivationRestartsTheListTimers) {
    w().Timer1.stop();
    w().Timer5.stop();
    reactivate();
    EXPECT_TRUE(w().Timer1.enabled());
    EXPECT_TRUE(w().Timer5.enabled());

    // Not the selection follower while the user works in the list.
    w().Timer1.stop();
    driver.click(w().StringGrid1, 1, 1);
    reactivate();
    EXPECT_FALSE(w().Timer1.enabled());
}

TEST_F(WindowCouplingTest, F1PressedInTheSpreadsheetJumpsBack) {
    dockedWorkbook();
    reactivate();
    windows.setForeground(spreadsheetWindow);
    recordEvent(InputEventKind::KeyDown, {300, 400}, RecordedKey::F1);
    recordEvent(InputEventKind::KeyDown, {300, 400});
    driver.advance(50);
    EXPECT_EQ(windows.pointerMoves(), std::vector<ScreenPoint>{w().programPointer()});
    EXPECT_EQ(w().spreadsheetPointer(), (ScreenPoint{300, 400})) << "where the pointer left the spreadsheet";

    // F1 while this program has the focus is the program's own key.
    windows.clearRecord();
    windows.setForeground(programWindow);
    recordEvent(InputEventKind::KeyDown, {300, 400}, RecordedKey::F1);
    driver.advance(50);
    EXPECT_TRUE(windows.pointerMoves().empty());
}

TEST_F(WindowCouplingTest, ThePointerComingBackFromTheSpreadsheetRestartsTheWatcher) {
    dockedWorkbook();
    reactivate();
    windows.setPointer(OverSpreadsheet);
    driver.advance(100);
    ASSERT_TRUE(state().handOver);
    ASSERT_EQ(windows.foregroundWindow(), spreadsheetWindow);
    w().Timer2.stop(); // as a transfer or marking leaves it

    recordEvent(InputEventKind::MouseMove, OverSpreadsheet);
    driver.advance(50);
    EXPECT_FALSE(w().Timer2.enabled()) << "still over the spreadsheet";
    recordEvent(InputEventKind::MouseMove, OverProgram);
    driver.advance(50);
    EXPECT_TRUE(w().Timer2.enabled());

    // Not after a close from the program ended the hand-over.
    w().Timer2.stop();
    state().handOver = false;
    recordEvent(InputEventKind::MouseMove, OverProgram);
    driver.advance(50);
    EXPECT_FALSE(w().Timer2.enabled());
}

TEST_F(WindowCouplingTest, TheTaskbarsMenuHoldsTheCouplingUntilTheNextClick) {
    dockedWorkbook();
    reactivate();
    // A right click on the taskbar.
    recordEvent(InputEventKind::RightButtonUp, {500, 750});
    driver.advance(50);
    ASSERT_TRUE(state().taskbarGuard);
    windows.setPointer(OverSpreadsheet);
    driver.advance(100);
    EXPECT_TRUE(spreadsheet.disabledKeys().empty()) << "the focus stays";
    EXPECT_EQ(windows.foregroundWindow(), programWindow);

    // The hook does not restart the watcher either.
    w().Timer2.stop();
    state().handOver = true;
    windows.setForeground(spreadsheetWindow);
    recordEvent(InputEventKind::MouseMove, OverProgram);
    driver.advance(50);
    EXPECT_FALSE(w().Timer2.enabled());

    // A right click inside the work area ends it, and so does a left click.
    recordEvent(InputEventKind::RightButtonUp, {500, 700});
    driver.advance(50);
    EXPECT_FALSE(state().taskbarGuard);
    recordEvent(InputEventKind::RightButtonUp, {500, 750});
    recordEvent(InputEventKind::LeftButtonUp, {500, 750});
    driver.advance(50);
    EXPECT_FALSE(state().taskbarGuard);
    recordEvent(InputEventKind::MouseMove, OverProgram);
    driver.advance(50);
    EXPECT_TRUE(w().Timer2.enabled());
}

TEST_F(WindowCouplingTest, ClosingTheProgramRemovesTheHook) {
    dockedWorkbook();
    reactivate();
    ASSERT_TRUE(inputHook.installed());
    driver.answer(Answer::Yes);
    w().close();
    EXPECT_FALSE(inputHook.installed());
    EXPECT_FALSE(state().handOver);
}

// --- Minimising and restoring -------------------------------------------------------------------

TEST_F(WindowCouplingTest, MinimisingGivesTheSpreadsheetTheWorkAreaAndRestoringDocksItAgain) {
    dockedWorkbook();
    const int maximised = spreadsheet.maximizeCount();
    app.minimize();
    EXPECT_FALSE(w().Timer2.enabled());
    EXPECT_FALSE(w().Timer1.enabled());
    EXPECT_EQ(windows.placements(), (std::vector<Placement>{{spreadsheetWindow, {0, 0, 1366, 728}}}));
    EXPECT_EQ(spreadsheet.maximizeCount(), maximised + 1);

    windows.setForeground(spreadsheetWindow);
    app.restore();
    EXPECT_EQ(windows.placements().back(), (Placement{spreadsheetWindow, SpreadsheetArea}));
    EXPECT_EQ(windows.foregroundWindow(), programWindow);
    EXPECT_FALSE(state().overlap);
    // Restored without an activation (the window kept the focus): the
    // watcher runs again all the same.
    EXPECT_TRUE(w().Timer2.enabled());

    // Without a spreadsheet on screen neither moves anything.
    windows.clearRecord();
    spreadsheet.userSetsVisible(false);
    app.minimize();
    app.restore();
    EXPECT_TRUE(windows.placements().empty());
    EXPECT_FALSE(state().overlap);
}

TEST_F(WindowCouplingTest, AWindowTheDesktopHasJustMinimisedIsNotBroughtBack) {
    dockedWorkbook();
    // The window manager has minimised the program and given the spreadsheet
    // the focus; the pointer is still where the program's title bar was. The
    // front end has not told the model yet when the watcher ticks.
    windows.setMinimised(programWindow, true);
    windows.setForeground(spreadsheetWindow);
    windows.setPointer(OverProgram);
    driver.advance(100);
    const auto asked = [&] { return std::ranges::count(windows.foregroundRequests(), programWindow); };
    EXPECT_EQ(asked(), 0);
    EXPECT_TRUE(windows.window(programWindow)->minimised);

    // Shown again, the same place brings it to the front as before.
    windows.setMinimised(programWindow, false);
    windows.clearRecord();
    driver.advance(100);
    EXPECT_EQ(asked(), 1);
}

TEST_F(WindowCouplingTest, MinimisingWithoutASpreadsheetAsksNothing) {
    app.minimize();
    app.restore();
    EXPECT_TRUE(spreadsheet.calls().empty()) << spreadsheet.calls().front();
    EXPECT_FALSE(w().Timer2.enabled());
}

} // namespace
} // namespace lumitag::sheet::test
