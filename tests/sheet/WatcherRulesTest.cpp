// The watcher's decisions from the pointer, the windows and the flags.
#include "sheet/WatcherRules.h"

#include <gtest/gtest.h>
#include <string>

namespace lumitag::sheet::test {
namespace {

// A 1366 x 768 screen with a 40 pixel panel; the orange window (554 wide) at
// the right edge, the spreadsheet docked left of it.
constexpr int WorkBottom = 728;
constexpr int OrangeLeft = 1366 - 554;
constexpr platform::ScreenRect Docked{0, 0, OrangeLeft, WorkBottom};
constexpr platform::ScreenRect Overlapping{0, 0, 1000, WorkBottom};

WatcherCheck orangeCheck(platform::ScreenPoint pointer) {
    WatcherCheck check;
    check.pointer = pointer;
    check.workAreaBottom = WorkBottom;
    check.areaRight = OrangeLeft;
    check.spreadsheetRect = Docked;
    check.windowActive = true;
    check.windowLeft = OrangeLeft;
    return check;
}

struct Case {
    std::string name;
    WatcherCheck check;
    CouplingState before;
    WatcherSteps steps;
    bool overlap = false;
    bool handOver = false;
};

TEST(WatcherRules, DecisionsFromThePointerTheWindowsAndTheFlags) {
    const platform::ScreenPoint overSpreadsheet{400, 300};
    const platform::ScreenPoint overProgram{900, 300};
    const platform::ScreenPoint onTaskbar{400, 740};
    const auto with = [](WatcherCheck check, auto change) {
        change(check);
        return check;
    };
    const auto flags = [](auto change) {
        CouplingState state;
        change(state);
        return state;
    };
    const WatcherSteps nothing{};
    const WatcherSteps handOver{.handToSpreadsheet = true};
    const WatcherSteps toProgram{.bringProgramToFront = true};
    const auto inFront = [](WatcherCheck& c) { c.spreadsheetInFront = true; };
    const auto inactive = [](WatcherCheck& c) { c.windowActive = false; };

    const Case cases[] = {
        {"pointer over the program, program in front", orangeCheck(overProgram), {}, nothing},
        {"pointer over the spreadsheet hands the focus over",
         orangeCheck(overSpreadsheet),
         {},
         handOver,
         false,
         true},
        {"the first pixel left of the program counts",
         orangeCheck({OrangeLeft - 1, 0}),
         {},
         handOver,
         false,
         true},
        {"the program's own left edge does not", orangeCheck({OrangeLeft, 0}), {}, nothing},
        {"nothing is handed over from an inactive program",
         with(orangeCheck(overSpreadsheet), inactive),
         {},
         nothing},
        {"nor while the settings window is open",
         with(orangeCheck(overSpreadsheet), [](WatcherCheck& c) { c.settingsWindowShown = true; }),
         {},
         nothing},
        {"nor after the taskbar's menu", orangeCheck(overSpreadsheet),
         flags([](CouplingState& s) { s.taskbarGuard = true; }), nothing},
        {"the pointer on the taskbar only marks the hand-over",
         orangeCheck(onTaskbar),
         {},
         nothing,
         false,
         true},
        {"back over the program with the spreadsheet in front",
         with(orangeCheck(overProgram), inFront),
         {},
         toProgram},
        {"also from an inactive program",
         with(with(orangeCheck(overProgram), inFront), inactive),
         {},
         toProgram},
        {"not while a file dialog is open", with(orangeCheck(overProgram), inFront),
         flags([](CouplingState& s) { s.dialogOpen = true; }), nothing},
        {"not over the taskbar", with(orangeCheck({900, 740}), inFront), {}, nothing, false, true},
        {"an overlapping spreadsheet is placed again on the way to it",
         with(orangeCheck(overSpreadsheet), [](WatcherCheck& c) { c.spreadsheetRect = Overlapping; }),
         {},
         {.placeAgain = true, .handToSpreadsheet = true},
         true,
         true},
        {"but stays while the pointer is on the program; nothing comes to the front",
         with(with(orangeCheck(overProgram), inFront),
              [](WatcherCheck& c) { c.spreadsheetRect = Overlapping; }),
         {},
         nothing,
         true},
        {"and stays while the program is minimised",
         with(orangeCheck(overSpreadsheet),
              [](WatcherCheck& c) {
                  c.spreadsheetRect = Overlapping;
                  c.programMinimised = true;
              }),
         {},
         handOver,
         true,
         true},
        {"an unknown window rectangle overlaps nothing",
         with(orangeCheck(overSpreadsheet), [](WatcherCheck& c) { c.spreadsheetRect.reset(); }),
         flags([](CouplingState& s) { s.overlap = true; }), handOver, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CouplingState state = c.before;
        EXPECT_EQ(decideWatcherCheck(c.check, state), c.steps);
        EXPECT_EQ(state.overlap, c.overlap);
        EXPECT_EQ(state.handOver, c.handOver);
    }
}

TEST(WatcherRules, AFoundCellKeepsTheFocusInTheSpreadsheetUntilThePointerWasOverIt) {
    // The blue window, 205 wide at the right edge, inactive: the user chose a
    // found cell and the spreadsheet took the focus to show it.
    WatcherCheck check;
    check.workAreaBottom = WorkBottom;
    check.areaRight = 1366 - 205;
    check.spreadsheetRect = platform::ScreenRect{0, 0, 1366 - 205, WorkBottom};
    check.spreadsheetInFront = true;
    check.windowLeft = 1366 - 190;
    check.keepsFoundCell = true;
    check.endsFoundCellOverSpreadsheet = true;
    CouplingState state;
    state.blueBoxSelection = true;

    check.pointer = {1200, 300};
    EXPECT_EQ(decideWatcherCheck(check, state), WatcherSteps{}) << "the found cell stays in view";
    EXPECT_TRUE(state.blueBoxSelection);

    check.pointer = {600, 300};
    EXPECT_EQ(decideWatcherCheck(check, state), WatcherSteps{});
    EXPECT_FALSE(state.blueBoxSelection) << "the pointer was over the spreadsheet";

    check.pointer = {1200, 300};
    EXPECT_EQ(decideWatcherCheck(check, state), WatcherSteps{.bringProgramToFront = true});

    // Only the blue window's checks end the flag.
    state.blueBoxSelection = true;
    check.endsFoundCellOverSpreadsheet = false;
    check.pointer = {600, 300};
    (void)decideWatcherCheck(check, state);
    EXPECT_TRUE(state.blueBoxSelection);
}

} // namespace
} // namespace lumitag::sheet::test
