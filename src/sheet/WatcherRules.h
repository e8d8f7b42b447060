#pragma once

#include "platform/Screen.h"
#include "platform/WindowSystem.h"
#include "sheet/CouplingState.h"

#include <optional>

namespace lumitag::sheet {

// What one of the watcher's checks sees: the desktop at this tick and the
// main window the check runs for.
struct WatcherCheck {
    platform::ScreenPoint pointer;
    int workAreaBottom = 0;
    // The right edge of the spreadsheet's area for this check.
    int areaRight = 0;
    // The spreadsheet's window, when the desktop tells where it is.
    std::optional<platform::ScreenRect> spreadsheetRect;
    bool spreadsheetInFront = false;
    bool programMinimised = false;
    bool settingsWindowShown = false;
    // The main window this check runs for.
    bool windowActive = false;
    int windowLeft = 0;
    // The blue window's rules: the focus stays with the spreadsheet while a
    // found cell is shown, and the pointer over the spreadsheet ends that.
    bool keepsFoundCell = false;
    bool endsFoundCellOverSpreadsheet = false;
};

// What the check asks the watcher to do, in this order.
struct WatcherSteps {
    // Put the spreadsheet's window back on its area.
    bool placeAgain = false;
    // The pointer went back over this program: the program comes to the front.
    bool bringProgramToFront = false;
    // The pointer went over the spreadsheet: it takes the focus and its
    // disturbing keys are switched off.
    bool handToSpreadsheet = false;

    bool operator==(const WatcherSteps&) const = default;
};

// One check of the watcher: updates the overlap, hand-over and found-cell
// flags of the state and says which steps follow. No side effects.
WatcherSteps decideWatcherCheck(const WatcherCheck& check, CouplingState& state);

} // namespace lumitag::sheet
