#include "sheet/WatcherRules.h"

namespace lumitag::sheet {

WatcherSteps decideWatcherCheck(const WatcherCheck& check, CouplingState& state) {
    WatcherSteps steps;
    const platform::ScreenPoint pointer = check.pointer;
    // Below the work area lies the taskbar.
    const bool aboveTaskbar = pointer.y < check.workAreaBottom;
    const bool overSpreadsheet = pointer.x < check.windowLeft && aboveTaskbar;
    const bool userOnWindow = check.windowActive && !check.settingsWindowShown;

    // A spreadsheet window reaching into the main window's place goes back
    // to its area, but only while the user is headed for it.
    state.overlap = check.spreadsheetRect && check.spreadsheetRect->right() > check.areaRight;
    if (state.overlap && !check.programMinimised && userOnWindow && !state.taskbarGuard && overSpreadsheet)
        steps.placeAgain = true;

    if (!state.overlap && check.spreadsheetInFront && !state.taskbarGuard && !state.dialogOpen &&
        !(check.keepsFoundCell && state.blueBoxSelection) && pointer.x >= check.areaRight && aboveTaskbar)
        steps.bringProgramToFront = true;

    if (userOnWindow && !aboveTaskbar)
        state.handOver = true;

    if (check.endsFoundCellOverSpreadsheet && !check.windowActive && state.blueBoxSelection &&
        pointer.x < check.areaRight && aboveTaskbar)
        state.blueBoxSelection = false;

    if (userOnWindow && !state.taskbarGuard && overSpreadsheet) {
        state.handOver = true;
        steps.handToSpreadsheet = true;
    }
    return steps;
}

} // namespace lumitag::sheet
