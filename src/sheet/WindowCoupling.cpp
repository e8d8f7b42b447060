#include "sheet/WindowCoupling.h"

#include "platform/spreadsheet/SpreadsheetError.h"
#include "sheet/SpreadsheetLink.h"
#include "sheet/WatcherRules.h"

namespace lumitag::sheet {

WindowCoupling::WindowCoupling(SpreadsheetLink& link, platform::WindowSystem& windows,
                               platform::Screen& screen, platform::InputHook& inputHook,
                               CouplingTimers timers, CouplingHooks hooks)
    : link_(link), windows_(windows), screen_(screen), inputHook_(inputHook), timers_(timers),
      hooks_(std::move(hooks)) {
    timers_.hookPump.setInterval(HookPumpInterval);
    timers_.hookPump.stop();
}

void WindowCoupling::setPointerPositions(platform::ScreenPoint programSide,
                                         platform::ScreenPoint spreadsheetSide) {
    state_.programPointer = programSide;
    state_.spreadsheetPointer = spreadsheetSide;
}

bool WindowCoupling::watcherRunning() const {
    return timers_.watcher.enabled();
}

void WindowCoupling::startWatcher() {
    if (!watcherRunning())
        timers_.watcher.start();
}

void WindowCoupling::stopWatcher() {
    timers_.watcher.stop();
}

// --- The watcher ---------------------------------------------------------------------

WindowCoupling::Presence WindowCoupling::askPresence() {
    // Nothing is asked of a spreadsheet this program has not connected to:
    // an idle program without an office costs nothing.
    if (!link_.connected())
        return Presence::NotConnected;
    try {
        return link_.host().visible() ? Presence::Visible : Presence::Hidden;
    } catch (const platform::SpreadsheetError&) {
        return Presence::Gone;
    }
}

void WindowCoupling::WatcherTick() {
    const Presence presence = askPresence();
    if (presence == Presence::Visible && (orange_.isVisible() || blue_.isVisible()))
        mainWindowChecks();
    if (presence == Presence::Gone) {
        // One last try at the key the user presses most there, then the
        // watcher rests until a command or an activation finds a spreadsheet.
        try {
            link_.host().disableKey(Text(SwitchedOffKeys[2]));
        } catch (const platform::SpreadsheetError&) {
        }
        stopWatcher();
    }
    if (presence != Presence::Visible || link_.workbookAttached())
        return;
    if (orange_.isVisible())
        adoptWorkbook(orange_);
    if (blue_.isVisible() && !link_.workbookAttached())
        adoptWorkbook(blue_);
}

void WindowCoupling::mainWindowChecks() {
    const std::optional<platform::ScreenPoint> pointer = windows_.pointerPosition();
    if (!pointer)
        return; // no desktop to share
    std::optional<platform::WindowId> spreadsheet;
    try {
        spreadsheet = link_.findWindow();
    } catch (const platform::SpreadsheetError&) {
        stopWatcher();
        return;
    }
    if (!spreadsheet)
        return;

    const platform::ScreenRect work = screen_.workArea();
    WatcherCheck check;
    check.pointer = *pointer;
    check.workAreaBottom = work.bottom();
    check.programMinimised = hooks_.programMinimised && hooks_.programMinimised();
    check.settingsWindowShown = hooks_.settingsWindowShown && hooks_.settingsWindowShown();

    // The first check: the orange window, or in blue mode the blue window's
    // narrow layout. Only the orange window takes the focus back or hands it over here.
    const bool orangeShown = orange_.isVisible();
    const platform::ScreenRect orangeRect = orangeShown ? orange_.rect() : platform::ScreenRect{};
    const int firstWidth = orangeShown ? orangeRect.width : BlueFirstCheckWidth;
    WatcherCheck first = check;
    first.areaRight = work.right() - firstWidth;
    first.windowActive = orangeShown && orange_.isActive();
    first.windowLeft = orangeRect.left;
    // A found cell the blue window showed keeps the focus in the spreadsheet
    // in this check too; otherwise it would take the focus back at once.
    first.keepsFoundCell = !orangeShown;
    runCheck(first, *spreadsheet, firstWidth);

    if (!blue_.isVisible())
        return;
    const platform::ScreenRect blueRect = blue_.rect();
    WatcherCheck second = check;
    second.areaRight = work.right() - blueRect.width;
    second.windowActive = blue_.isActive();
    second.windowLeft = blueRect.left;
    second.keepsFoundCell = true;
    second.endsFoundCellOverSpreadsheet = true;
    runCheck(second, *spreadsheet, blueRect.width);
}

void WindowCoupling::runCheck(WatcherCheck check, platform::WindowId spreadsheet, int dockWidth) {
    // A minimised or maximised spreadsheet would not keep its place.
    (void)windows_.restoreWindow(spreadsheet);
    check.spreadsheetInFront = windows_.foregroundWindow() == spreadsheet;
    check.spreadsheetRect = windows_.windowRect(spreadsheet);
    const WatcherSteps steps = decideWatcherCheck(check, state_);
    try {
        if (steps.placeAgain)
            (void)windows_.placeWindow(spreadsheet, link_.spreadsheetArea(dockWidth));
        if (steps.bringProgramToFront) {
            (void)windows_.bringToForeground(spreadsheet);
            if (hooks_.bringToFront)
                hooks_.bringToFront();
        }
        if (steps.handToSpreadsheet)
            handToSpreadsheet(spreadsheet);
    } catch (const platform::SpreadsheetError&) {
        stopWatcher();
    }
}

void WindowCoupling::handToSpreadsheet(platform::WindowId spreadsheet) {
    (void)windows_.bringToForeground(spreadsheet);
    for (const TextView key : SwitchedOffKeys)
        link_.host().disableKey(Text(key));
}

void WindowCoupling::adoptWorkbook(const CoupledWindow& window) {
    // A workbook the user opened in the spreadsheet itself becomes the one
    // this program works with.
    try {
        link_.attachActiveWorkbook();
        link_.dock(window.rect().width);
        if (window.fillSheetBox)
            window.fillSheetBox();
        if (hooks_.bringToFront)
            hooks_.bringToFront();
        if (window.fillCellBoxes)
            window.fillCellBoxes();
        link_.setWorkbookAttached(true);
        state_.handOver = true;
    } catch (const platform::SpreadsheetError&) {
        stopWatcher();
    }
}

// --- F1 ----------------------------------------------------------------------------------

void WindowCoupling::ToggleFocus() {
    if (timers_.focusPause.enabled() || !link_.connectedAndVisible())
        return;
    if (const std::optional<platform::ScreenPoint> pointer = windows_.pointerPosition()) {
        for (const CoupledWindow* window : {&orange_, &blue_}) {
            if (!window->isVisible())
                continue;
            const platform::ScreenRect rect = window->rect();
            if (pointer->x > rect.left && pointer->y < rect.bottom())
                state_.programPointer = *pointer;
        }
    }
    // The watcher hands the focus over once the pointer is over the spreadsheet.
    (void)windows_.movePointer(state_.spreadsheetPointer);
    timers_.focusPause.start();
}

void WindowCoupling::FocusPauseTick() {
    timers_.focusPause.stop();
}

// --- The input hook ------------------------------------------------------------------------

void WindowCoupling::installInputHook() {
    if (inputHook_.installed())
        return;
    // A desktop that refuses the hook leaves the coupling without the
    // spreadsheet's side; the hook says why itself.
    if (inputHook_.install())
        timers_.hookPump.start();
}

void WindowCoupling::removeInputHook() {
    inputHook_.remove();
    timers_.hookPump.stop();
}

std::optional<platform::WindowId> WindowCoupling::spreadsheetWindowForHook() {
    if (!link_.connected())
        return std::nullopt;
    try {
        return link_.findWindow();
    } catch (const platform::SpreadsheetError&) {
        return std::nullopt;
    }
}

void WindowCoupling::pumpInputEvents() {
    const std::vector<platform::InputEvent> events = inputHook_.takeEvents();
    if (events.empty())
        return;
    // The desktop is asked once for the whole batch, and the spreadsheet only
    // when an event needs to know whether it has the focus.
    const std::optional<platform::WindowId> foreground = windows_.foregroundWindow();
    std::optional<std::optional<platform::WindowId>> spreadsheet;
    const auto spreadsheetInFront = [&] {
        if (!foreground)
            return false;
        if (!spreadsheet)
            spreadsheet = spreadsheetWindowForHook();
        return *spreadsheet == foreground;
    };
    const int workAreaBottom = screen_.workArea().bottom();
    for (const platform::InputEvent& event : events) {
        switch (event.kind) {
        case platform::InputEventKind::KeyDown:
            if (event.key == platform::RecordedKey::F1 && spreadsheetInFront())
                jumpBackFromSpreadsheet(event.pointer);
            break;
        case platform::InputEventKind::MouseMove:
            if (!watcherRunning() && state_.handOver && !state_.taskbarGuard &&
                !(hooks_.settingsWindowShown && hooks_.settingsWindowShown()) && spreadsheetInFront())
                restartWatcherFromSpreadsheet(event.pointer);
            break;
        case platform::InputEventKind::RightButtonUp:
            // The taskbar's menu: the guard holds until the next click elsewhere.
            state_.taskbarGuard = event.pointer.y >= workAreaBottom;
            break;
        case platform::InputEventKind::LeftButtonUp:
            state_.taskbarGuard = false;
            break;
        case platform::InputEventKind::LeftButtonDown:
        case platform::InputEventKind::RightButtonDown:
            break;
        }
    }
}

void WindowCoupling::jumpBackFromSpreadsheet(platform::ScreenPoint pointer) {
    if (hooks_.programMinimised && hooks_.programMinimised())
        return;
    bool windowShown = false;
    for (const CoupledWindow* window : {&orange_, &blue_}) {
        if (!window->isVisible())
            continue;
        windowShown = true;
        const platform::ScreenRect rect = window->rect();
        if (pointer.x < rect.left && pointer.y < rect.bottom())
            state_.spreadsheetPointer = pointer;
    }
    // The watcher brings this program to the front once the pointer is over it.
    if (windowShown)
        (void)windows_.movePointer(state_.programPointer);
}

void WindowCoupling::restartWatcherFromSpreadsheet(platform::ScreenPoint pointer) {
    for (const CoupledWindow* window : {&orange_, &blue_}) {
        if (window->isVisible() && pointer.x > window->rect().left) {
            startWatcher();
            return;
        }
    }
}

// --- The program's activation, minimising and restoring ------------------------------------

void WindowCoupling::ProgramActivated() {
    if (blue_.isVisible()) {
        if (blue_.programActivated)
            blue_.programActivated();
        state_.blueBoxSelection = false;
    }
    if (orange_.isVisible() && orange_.programActivated)
        orange_.programActivated();
    const bool spreadsheetVisible = link_.connectedAndVisible();
    if (spreadsheetVisible && (orange_.isVisible() || blue_.isVisible()))
        startWatcher();
    if (spreadsheetVisible)
        installInputHook();
    else
        removeInputHook();
}

void WindowCoupling::ProgramMinimised() {
    stopWatcher();
    if (!link_.connectedAndVisible())
        return;
    // The spreadsheet has the screen to itself while this program is away.
    try {
        if (const std::optional<platform::WindowId> window = link_.findWindow()) {
            (void)windows_.restoreWindow(*window);
            // It now reaches into the main window's place: restoring puts it back.
            if (windows_.placeWindow(*window, screen_.workArea()))
                state_.overlap = true;
        }
        link_.host().maximizeActiveWindow();
    } catch (const platform::SpreadsheetError&) {
    }
}

void WindowCoupling::ProgramRestored() {
    const bool spreadsheetVisible = link_.connectedAndVisible();
    try {
        if (state_.overlap && orange_.isVisible() && spreadsheetVisible) {
            link_.placeWindow(orange_.rect().width);
            if (hooks_.bringToFront)
                hooks_.bringToFront();
        }
    } catch (const platform::SpreadsheetError&) {
    }
    state_.overlap = false;
    // The minimise stopped the watcher. A window manager that restores a
    // window which kept the focus does not activate the program again, so
    // the activation cannot be left to start it.
    if (spreadsheetVisible && (orange_.isVisible() || blue_.isVisible()))
        startWatcher();
}

} // namespace lumitag::sheet
