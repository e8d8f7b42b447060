#pragma once

#include "platform/fake/FakeDialogs.h"
#include "ui/Application.h"
#include "ui/Control.h"
#include "ui/Key.h"

#include <initializer_list>
#include <source_location>
#include <string_view>

namespace lumitag::ui {
class ComboBox;
class MenuItem;
class RadioGroup;
class StringGrid;
} // namespace lumitag::ui

namespace lumitag::ui::testing {

// Drives the control model the way a person at the keyboard and mouse would,
// and runs the application's idle step (painting) after every simulated input.
//
//     Driver driver{app, dialogs};
//     driver.press("Shift+F1");
//     driver.type(U"12");
//     driver.click(form.Button7);
//     driver.expectMessage(U"設定を閉じてください");
//
// Misuse that a person could not do (clicking a hidden control, choosing from
// a menu that is not open) fails the running test.
//
// A test scripts the answers of the boxes it expects; an answer no box took
// means a box the test counted on never came, so the driver fails the running
// test when it ends with answers or files left in the script.
class Driver {
public:
    // Whether answers left in the script at the end fail the test. Only
    // random play (the monkey) scripts more than it knows will be asked.
    enum class UnusedScript { Fails, Allowed };

    Driver(Application& application, platform::FakeDialogs& dialogs,
           UnusedScript unusedScript = UnusedScript::Fails);
    ~Driver();
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    Application& application() const { return application_; }
    platform::FakeDialogs& dialogs() const { return dialogs_; }

    // --- Keyboard ---------------------------------------------------------------
    // Presses and releases a key. Held modifiers go down first and come up last,
    // as real key events (a window sees Ctrl go down before Ctrl+C).
    void press(Key key, Modifiers modifiers = Modifiers::None,
               std::source_location where = std::source_location::current());
    // "Enter", "F2", "Shift+F1", "Ctrl+Shift+Z", "Alt+A".
    void press(std::string_view chord, std::source_location where = std::source_location::current());
    // Types text: characters on a Japanese keyboard as key presses (with Shift
    // where needed), everything else as input-method commits.
    void type(TextView text);
    // Commits text through the input method, without key events.
    void commit(TextView text);
    // Single key events, for key sequences press() cannot express.
    void keyDown(Key key, Modifiers modifiers = Modifiers::None, char32_t typed = 0);
    void keyUp(Key key, Modifiers modifiers = Modifiers::None);

    // --- Mouse ------------------------------------------------------------------
    // Positions are relative to the control; without one, its centre.
    void click(Control& control, std::source_location where = std::source_location::current());
    void clickAt(Control& control, Point position, Modifiers modifiers = Modifiers::None,
                 std::source_location where = std::source_location::current());
    void doubleClick(Control& control, std::source_location where = std::source_location::current());
    void rightClick(Control& control, std::source_location where = std::source_location::current());
    void press(Control& control, MouseButton button, Point position,
               std::source_location where = std::source_location::current());
    void release(Control& control, MouseButton button, Point position,
                 std::source_location where = std::source_location::current());
    // Cells of a grid, by column and row; the cell must be on screen.
    void click(StringGrid& grid, int col, int row, Modifiers modifiers = Modifiers::None,
               std::source_location where = std::source_location::current());
    void doubleClick(StringGrid& grid, int col, int row,
                     std::source_location where = std::source_location::current());
    void rightClick(StringGrid& grid, int col, int row,
                    std::source_location where = std::source_location::current());
    // Drags a row by its fixed cell onto another row.
    void dragRow(StringGrid& grid, int fromRow, int toRow,
                 std::source_location where = std::source_location::current());
    // Clicks item `index` of a radio group.
    void choose(RadioGroup& group, int index, std::source_location where = std::source_location::current());
    // Opens a combo box's list and chooses item `index`.
    void choose(ComboBox& combo, int index, std::source_location where = std::source_location::current());
    // Moves the pointer onto the control (enter and leave events follow), or off its form.
    void hover(Control& control, std::source_location where = std::source_location::current());
    void leave(Control& control);
    // Turns the wheel over the active form: positive notches away from the user.
    void wheel(int notches);

    // --- Menus ------------------------------------------------------------------
    // Chooses an item of the open popup menu.
    void chooseMenuItem(MenuItem& item, std::source_location where = std::source_location::current());
    bool menuOpen() const { return application_.openMenu().has_value(); }

    // --- Time -------------------------------------------------------------------
    // Lets time pass as the event loop would: it wakes at every due time on the
    // way, so each timer fires once per interval in the time given. One late
    // wake after a stall is Application::advance.
    void advance(Milliseconds elapsed);
    void advance(int milliseconds) { advance(Milliseconds{milliseconds}); }
    void idle() { application_.idle(); }

    // --- Dialogs ----------------------------------------------------------------
    // Scripts the answer of the next message box.
    void answer(platform::Answer answer) { dialogs_.queueAnswer(answer); }
    void answers(std::initializer_list<platform::Answer> answers) { dialogs_.queueAnswers(answers); }
    // Fails the test unless the last message box showed exactly this text
    // (and, when given, these buttons).
    void expectMessage(TextView text, std::source_location where = std::source_location::current());
    void expectMessage(TextView text, platform::Buttons buttons,
                       std::source_location where = std::source_location::current());
    // Fails the test when any message box was shown since the last clearMessages().
    void expectNoMessage(std::source_location where = std::source_location::current());
    std::size_t messageCount() const { return dialogs_.messageCount(); }
    void clearMessages() { dialogs_.clearTranscript(); }
    // Fails the test when the script still holds answers or files that no
    // dialog took, or gave an answer to a box that cannot give it. Runs by
    // itself when the driver ends.
    void expectScriptUsed(std::source_location where = std::source_location::current());

private:
    bool reachable(Control& control, std::source_location where);
    Point formPoint(Control& control, Point local) const;
    Point cellCentre(StringGrid& grid, int col, int row, std::source_location where);

    Application& application_;
    platform::FakeDialogs& dialogs_;
    UnusedScript unusedScript_;
};

// The key and Shift state that type a character on a Japanese keyboard;
// Key::None when no key types it.
struct KeyStroke {
    Key key = Key::None;
    Modifiers modifiers = Modifiers::None;
};
KeyStroke keyStrokeFor(char32_t character);
// The character a key types on a Japanese keyboard, 0 for none.
char32_t characterOf(Key key, Modifiers modifiers);

} // namespace lumitag::ui::testing
