#pragma once

#include "platform/InputHook.h"
#include "platform/Screen.h"
#include "platform/Text.h"
#include "platform/WindowSystem.h"
#include "sheet/CoupledWindow.h"
#include "sheet/CouplingState.h"
#include "ui/Timer.h"

#include <array>
#include <functional>
#include <optional>

namespace lumitag::sheet {

class SpreadsheetLink;
struct WatcherCheck;

struct CouplingTimers {
    ui::Timer& watcher;    // Timer2, 100 ms
    ui::Timer& focusPause; // Timer6, 1500 ms: F1 does nothing while it runs
    // Hands the input hook's events to the coupling while the hook is installed.
    ui::Timer& hookPump;
};

struct CouplingHooks {
    std::function<bool()> programMinimised;
    // The column/row settings window is on screen.
    std::function<bool()> settingsWindowShown;
    // Makes the program's active window the desktop's foreground window.
    std::function<void()> bringToFront;
};

// The two programs sharing the screen: the spreadsheet docked left of the
// visible main window, the focus following the pointer between them, F1
// jumping across, and the spreadsheet's keys that would disturb the link
// switched off while it has the focus.
//
// Every step first asks whether the spreadsheet is there; before the link
// has connected nothing asks the spreadsheet anything. Failures of the
// spreadsheet are swallowed: inside the watcher they stop it.
class WindowCoupling {
public:
    // Keys that do nothing inside the spreadsheet while this program works
    // with it, in the order they are switched off.
    static constexpr std::array<TextView, 14> SwitchedOffKeys{
        U"{BS}", U"{DELETE}", U"{F1}", U"{F2}", U"{F3}",  U"{F4}",  U"{F5}",
        U"{F6}", U"{F7}",     U"{F8}", U"{F9}", U"{F10}", U"{F11}", U"{F12}"};
    // The blue window's width in the watcher's first check: the blue
    // window's narrow layout.
    static constexpr int BlueFirstCheckWidth = 205;
    // Often enough that F1 pressed in the spreadsheet jumps back at once.
    static constexpr ui::Milliseconds HookPumpInterval{50};

    WindowCoupling(SpreadsheetLink& link, platform::WindowSystem& windows, platform::Screen& screen,
                   platform::InputHook& inputHook, CouplingTimers timers, CouplingHooks hooks);
    WindowCoupling(const WindowCoupling&) = delete;
    WindowCoupling& operator=(const WindowCoupling&) = delete;

    void setOrangeWindow(CoupledWindow window) { orange_ = std::move(window); }
    void setBlueWindow(CoupledWindow window) { blue_ = std::move(window); }

    CouplingState& state() { return state_; }
    const CouplingState& state() const { return state_; }
    // Choosing a found cell from one of the blue window's result boxes.
    void setBlueBoxSelection(bool selected) { state_.blueBoxSelection = selected; }
    void setPointerPositions(platform::ScreenPoint programSide, platform::ScreenPoint spreadsheetSide);

    // The watcher (Timer2) without the mode watcher, which the window runs after it.
    void WatcherTick();
    bool watcherRunning() const;
    // Starts the watcher unless it runs already.
    void startWatcher();
    void stopWatcher();

    // ToggleFocus: F1 in either main window.
    void ToggleFocus();
    // Timer6: the F1 pause is over.
    void FocusPauseTick();

    // The input hook procedure for every event recorded since the last call.
    void pumpInputEvents();
    void removeInputHook();

    // The program became the active application.
    void ProgramActivated();
    // The program was minimised: the spreadsheet takes the whole work area.
    void ProgramMinimised();
    // The program was restored: the spreadsheet goes back beside it.
    void ProgramRestored();

private:
    enum class Presence { NotConnected, Hidden, Visible, Gone };
    Presence askPresence();
    void runCheck(WatcherCheck check, platform::WindowId spreadsheet, int dockWidth);
    void mainWindowChecks();
    void handToSpreadsheet(platform::WindowId spreadsheet);
    void adoptWorkbook(const CoupledWindow& window);
    void installInputHook();
    // The input hook's steps.
    std::optional<platform::WindowId> spreadsheetWindowForHook();
    void jumpBackFromSpreadsheet(platform::ScreenPoint pointer);
    void restartWatcherFromSpreadsheet(platform::ScreenPoint pointer);

    SpreadsheetLink& link_;
    platform::WindowSystem& windows_;
    platform::Screen& screen_;
    platform::InputHook& inputHook_;
    CouplingTimers timers_;
    CouplingHooks hooks_;
    CoupledWindow orange_;
    CoupledWindow blue_;
    CouplingState state_;
};

} // namespace lumitag::sheet
