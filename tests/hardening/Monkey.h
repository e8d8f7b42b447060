#pragma once

#include "hardening/FakedProgram.h"
#include "platform/Dialogs.h"
#include "platform/Text.h"

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace lumitag::hardening {

// One random user action. Controls and menu items are named, not pointed to,
// so that a run replays on a fresh program and a failing run can be cut down.
struct MonkeyEvent {
    enum class Kind { Chord, Type, Click, ClickCell, DoubleClickCell, RightClickCell, MenuItem, Advance };

    Kind kind = Kind::Advance;
    std::string chord;   // Chord: "Ctrl+X", "F8", "Alt+3"
    Text text;           // Type
    std::string control; // Click: a control of the active window
    std::string item;    // MenuItem: an item of the list's context menu, opened on the cell
    int col = 0;         // cell events
    int row = 0;
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

    std::mt19937_64 random_;
};

// A fresh program as the monkey finds it: with the table file when asked.
enum class WithTable { No, Yes };
void prepareProgram(FakedProgram& program, WithTable table);

// Plays one action on the program and checks the program's rules after it.
// Returns what broke, or nothing. An action that no longer fits the program
// (a control that is hidden now) is skipped.
std::optional<std::string> play(FakedProgram& program, const MonkeyEvent& event);

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
std::optional<MonkeyFailure> runMonkey(std::uint64_t seed, std::size_t count, WithTable table);

} // namespace lumitag::hardening
