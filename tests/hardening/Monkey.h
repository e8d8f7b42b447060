#pragma once

#include "hardening/FakedProgram.h"
#include "platform/Dialogs.h"
#include "platform/Text.h"

#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace lumitag::hardening {

// One random user action, or one thing that happens on the spreadsheet's
// side. Controls and menu items are named, not pointed to, so that a run
// replays on a fresh program and a failing run can be cut down.
struct MonkeyEvent {
    enum class Kind {
        Chord,
        Type,
        Click,
        ClickCell,
        DoubleClickCell,
        RightClickCell,
        MenuItem,
        Choose,      // an item of a combo box or radio group of the active window
        ControlMenu, // an item of the menu a control opens on a right click
        Host,        // the spreadsheet's side
        Advance,
    };
    // The user's own actions in the spreadsheet, and the spreadsheet failing
    // or not answering.
    enum class Host {
        Start,
        Quit,
        Show,
        Hide,
        CreateWorkbook, // text: its name; count: the seed of its cells
        CloseWorkbook,  // index: which of the open workbooks
        ActivateWorkbook,
        ActivateSheet, // index: which sheet of the active workbook
        Select,        // col, row
        Edit,          // col, row, text
        HideRow,       // row
        ShowRow,
        Busy,
        NotBusy,
        FailNextCalls,      // count
        FailOperation,      // item: the operation
        FailOperationAfter, // item, count: its successes first
        ClearFailures,
        ConnectStalls,  // a connect the program waits for does not end within the wait
        ConnectAnswers, // connects end at once again; one still running ends now
    };

    Kind kind = Kind::Advance;
    Host host = Host::ClearFailures;
    std::string chord;   // Chord: "Ctrl+X", "F8", "Alt+3"
    Text text;           // Type, Host
    std::string control; // Click, Choose, ControlMenu: a control of the active window
    std::string item; // MenuItem: an item of the list's context menu, opened on the cell; Host: an operation
    std::vector<std::string> menu; // ControlMenu: the items to choose, into sub-menus
    int col = 0;                   // cell events, Host
    int row = 0;
    int index = 0;        // Choose, Host
    int count = 0;        // Host
    int milliseconds = 0; // Advance
    // Answers to the message boxes the action opens, then to file dialogs
    // (nothing: cancelled). Unanswered boxes get their last button.
    std::vector<platform::Answer> answers;
    std::vector<std::optional<Text>> files;

    std::string describe() const;
};

// Makes random actions over whatever the active window shows, from a seed.
class Monkey {
public:
    explicit Monkey(std::uint64_t seed) : random_(seed) {}

    MonkeyEvent next(FakedProgram& program);

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool chance(int percent) { return below(100) < percent; }
    void pickControlEvent(FakedProgram& program, MonkeyEvent& event);
    void pickHostEvent(MonkeyEvent& event);

    std::mt19937_64 random_;
};

// A fresh program as the monkey finds it: with the table file when asked, and
// with a spreadsheet of random cells on the other side (running with a
// workbook open when the table file is there, not yet started otherwise) and
// workbook files the open dialogs may choose.
enum class WithTable { No, Yes };
void prepareProgram(FakedProgram& program, WithTable table);

// What a run went through, to see that it reaches the places it should:
// counts by name ("window TForm1", "message エクセルが編集中です", "attached").
struct MonkeyStats {
    std::map<std::string, std::size_t> counts;
    std::size_t hostCalls = 0;
    std::size_t mostCallsInAStep = 0;
};

// Plays one action on the program and checks the program's rules after it.
// Returns what broke, or nothing. An action that no longer fits the program
// (a control that is hidden now) is skipped.
std::optional<std::string> play(FakedProgram& program, const MonkeyEvent& event,
                                MonkeyStats* stats = nullptr);

struct MonkeyFailure {
    std::string what;
    std::vector<MonkeyEvent> events; // the events up to and including the failing one
};

// Plays the events on a fresh program; the first failure, or nothing.
std::optional<MonkeyFailure> replay(const std::vector<MonkeyEvent>& events, WithTable table);

// A short sequence of the events that still fails (not necessarily the
// shortest), found with at most `replays` replays.
std::vector<MonkeyEvent> minimise(std::vector<MonkeyEvent> events, WithTable table,
                                  std::size_t replays = 400);

// `count` random events from `seed`; the first failure, or nothing.
std::optional<MonkeyFailure> runMonkey(std::uint64_t seed, std::size_t count, WithTable table,
                                       MonkeyStats* stats = nullptr);

} // namespace lumitag::hardening
