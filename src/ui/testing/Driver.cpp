#include "ui/testing/Driver.h"

#include "platform/Encoding.h"
#include "platform/Text.h"
#include "ui/ComboBox.h"
#include "ui/Form.h"
#include "ui/MenuItem.h"
#include "ui/PopupMenu.h"
#include "ui/RadioGroup.h"
#include "ui/StringGrid.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lumitag::ui::testing {
namespace {

struct TypedCharacter {
    char32_t character;
    Key key;
    bool shift;
};

// The printable characters of a Japanese (JIS) keyboard besides letters and digits.
constexpr std::array symbolKeys{
    TypedCharacter{U' ', Key::Space, false},       TypedCharacter{U'-', Key::Minus, false},
    TypedCharacter{U'=', Key::Minus, true},        TypedCharacter{U'^', Key::Quote, false},
    TypedCharacter{U'~', Key::Quote, true},        TypedCharacter{U'\\', Key::Backslash, false},
    TypedCharacter{U'|', Key::Backslash, true},    TypedCharacter{U'@', Key::Backquote, false},
    TypedCharacter{U'`', Key::Backquote, true},    TypedCharacter{U'[', Key::LeftBracket, false},
    TypedCharacter{U'{', Key::LeftBracket, true},  TypedCharacter{U']', Key::RightBracket, false},
    TypedCharacter{U'}', Key::RightBracket, true}, TypedCharacter{U';', Key::Plus, false},
    TypedCharacter{U'+', Key::Plus, true},         TypedCharacter{U':', Key::Semicolon, false},
    TypedCharacter{U'*', Key::Semicolon, true},    TypedCharacter{U',', Key::Comma, false},
    TypedCharacter{U'<', Key::Comma, true},        TypedCharacter{U'.', Key::Period, false},
    TypedCharacter{U'>', Key::Period, true},       TypedCharacter{U'/', Key::Slash, false},
    TypedCharacter{U'?', Key::Slash, true},        TypedCharacter{U'_', Key::Underscore, true},
    TypedCharacter{U'!', Key::D1, true},           TypedCharacter{U'"', Key::D2, true},
    TypedCharacter{U'#', Key::D3, true},           TypedCharacter{U'$', Key::D4, true},
    TypedCharacter{U'%', Key::D5, true},           TypedCharacter{U'&', Key::D6, true},
    TypedCharacter{U'\'', Key::D7, true},          TypedCharacter{U'(', Key::D8, true},
    TypedCharacter{U')', Key::D9, true},
};

std::string utf8(TextView text) {
    return platform::toUtf8(text);
}

} // namespace

KeyStroke keyStrokeFor(char32_t c) {
    if (c >= U'a' && c <= U'z')
        return {static_cast<Key>(c - U'a' + U'A'), Modifiers::None};
    if (c >= U'A' && c <= U'Z')
        return {static_cast<Key>(c), Modifiers::Shift};
    if (isAsciiDigit(c))
        return {static_cast<Key>(c), Modifiers::None};
    for (const TypedCharacter& symbol : symbolKeys) {
        if (symbol.character == c)
            return {symbol.key, symbol.shift ? Modifiers::Shift : Modifiers::None};
    }
    return {};
}

char32_t characterOf(Key key, Modifiers modifiers) {
    if (hasModifier(modifiers, Modifiers::Ctrl) || hasModifier(modifiers, Modifiers::Alt))
        return 0;
    const bool shift = hasModifier(modifiers, Modifiers::Shift);
    for (char32_t c = 0x20; c < 0x7F; ++c) {
        const KeyStroke stroke = keyStrokeFor(c);
        if (stroke.key == key && hasModifier(stroke.modifiers, Modifiers::Shift) == shift)
            return c;
    }
    return 0;
}

Driver::Driver(Application& application, platform::FakeDialogs& dialogs, UnusedScript unusedScript)
    : application_(application), dialogs_(dialogs), unusedScript_(unusedScript) {}

Driver::~Driver() {
    // After a fatal failure the rest of the test did not run: what it scripted
    // for later is left over on purpose, and a second failure would only hide the first.
    if (unusedScript_ == UnusedScript::Fails && !::testing::Test::HasFatalFailure())
        expectScriptUsed();
}

void Driver::expectScriptUsed(std::source_location where) {
    const std::vector<std::string> unused = dialogs_.unusedScript();
    if (!unused.empty()) {
        std::string list;
        for (const std::string& item : unused)
            list += "\n  " + item;
        ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line()))
            << unused.size() << " scripted answer(s) no dialog took:" << list;
    }
    // An answer a box could not give went to another box than the one it was meant for.
    for (const std::string& problem : dialogs_.scriptProblems())
        ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line())) << problem;
}

// --- Keyboard ------------------------------------------------------------------------

void Driver::keyDown(Key key, Modifiers modifiers, char32_t typed) {
    application_.keyDown(key, modifiers, typed);
    idle();
}

void Driver::keyUp(Key key, Modifiers modifiers) {
    application_.keyUp(key, modifiers);
    idle();
}

void Driver::press(Key key, Modifiers modifiers, std::source_location) {
    constexpr std::array<std::pair<Modifiers, Key>, 3> modifierKeys{
        {{Modifiers::Ctrl, Key::Control}, {Modifiers::Shift, Key::Shift}, {Modifiers::Alt, Key::Alt}}};
    Modifiers held = Modifiers::None;
    for (const auto& [modifier, modifierKey] : modifierKeys) {
        if (hasModifier(modifiers, modifier) && modifierKey != key) {
            held = held | modifier;
            keyDown(modifierKey, held);
        }
    }
    keyDown(key, modifiers, characterOf(key, modifiers));
    keyUp(key, modifiers);
    for (auto it = modifierKeys.rbegin(); it != modifierKeys.rend(); ++it) {
        if (hasModifier(held, it->first)) {
            held = withoutModifier(held, it->first);
            keyUp(it->second, held);
        }
    }
}

void Driver::press(std::string_view chord, std::source_location where) {
    const auto shortcut = Shortcut::parse(chord);
    if (!shortcut) {
        ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line()))
            << "unknown key chord \"" << chord << '"';
        return;
    }
    press(shortcut->key, shortcut->modifiers, where);
}

void Driver::type(TextView text) {
    for (char32_t c : text) {
        const KeyStroke stroke = keyStrokeFor(c);
        if (stroke.key != Key::None)
            press(stroke.key, stroke.modifiers);
        else
            commit(TextView(&c, 1));
    }
}

void Driver::commit(TextView text) {
    application_.typeText(text);
    idle();
}

// --- Mouse ---------------------------------------------------------------------------

bool Driver::reachable(Control& control, std::source_location where) {
    if (control.showing())
        return true;
    ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line()))
        << "a person cannot reach the hidden control " << control.name();
    return false;
}

Point Driver::formPoint(Control& control, Point local) const {
    return control.formPosition() + local;
}

void Driver::clickAt(Control& control, Point position, Modifiers modifiers, std::source_location where) {
    if (!reachable(control, where))
        return;
    Form& form = control.form();
    const Point point = formPoint(control, position);
    application_.mouseMove(form, point, modifiers);
    idle();
    application_.mouseDown(form, point, MouseButton::Left, modifiers);
    idle();
    application_.mouseUp(form, point, MouseButton::Left, modifiers);
    idle();
}

void Driver::click(Control& control, std::source_location where) {
    clickAt(control, {control.width() / 2, control.height() / 2}, Modifiers::None, where);
}

void Driver::doubleClick(Control& control, std::source_location where) {
    if (!reachable(control, where))
        return;
    Form& form = control.form();
    const Point point = formPoint(control, {control.width() / 2, control.height() / 2});
    application_.mouseMove(form, point);
    application_.mouseDown(form, point, MouseButton::Left);
    application_.mouseUp(form, point, MouseButton::Left);
    application_.mouseDoubleClick(form, point, MouseButton::Left);
    application_.mouseUp(form, point, MouseButton::Left);
    idle();
}

void Driver::rightClick(Control& control, std::source_location where) {
    const Point centre{control.width() / 2, control.height() / 2};
    press(control, MouseButton::Right, centre, where);
    release(control, MouseButton::Right, centre, where);
}

void Driver::press(Control& control, MouseButton button, Point position, std::source_location where) {
    if (!reachable(control, where))
        return;
    const Point point = formPoint(control, position);
    application_.mouseMove(control.form(), point);
    application_.mouseDown(control.form(), point, button);
    idle();
}

void Driver::release(Control& control, MouseButton button, Point position, std::source_location where) {
    if (!reachable(control, where))
        return;
    const Point point = formPoint(control, position);
    application_.mouseMove(control.form(), point);
    application_.mouseUp(control.form(), point, button);
    idle();
}

Point Driver::cellCentre(StringGrid& grid, int col, int row, std::source_location where) {
    const auto rect = grid.cellRect(col, row);
    if (!rect) {
        ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line()))
            << "cell (" << col << ", " << row << ") of " << grid.name() << " is not on screen";
        return {-1, -1};
    }
    return {rect->left + rect->width / 2, rect->top + rect->height / 2};
}

void Driver::click(StringGrid& grid, int col, int row, Modifiers modifiers, std::source_location where) {
    const Point centre = cellCentre(grid, col, row, where);
    if (centre.x >= 0)
        clickAt(grid, centre, modifiers, where);
}

void Driver::doubleClick(StringGrid& grid, int col, int row, std::source_location where) {
    const Point centre = cellCentre(grid, col, row, where);
    if (centre.x < 0 || !reachable(grid, where))
        return;
    Form& form = grid.form();
    const Point point = formPoint(grid, centre);
    application_.mouseMove(form, point);
    application_.mouseDown(form, point, MouseButton::Left);
    application_.mouseUp(form, point, MouseButton::Left);
    application_.mouseDoubleClick(form, point, MouseButton::Left);
    application_.mouseUp(form, point, MouseButton::Left);
    idle();
}

void Driver::rightClick(StringGrid& grid, int col, int row, std::source_location where) {
    const Point centre = cellCentre(grid, col, row, where);
    if (centre.x < 0)
        return;
    press(grid, MouseButton::Right, centre, where);
    release(grid, MouseButton::Right, centre, where);
}

void Driver::dragRow(StringGrid& grid, int fromRow, int toRow, std::source_location where) {
    const Point from = cellCentre(grid, 0, fromRow, where);
    const Point to = cellCentre(grid, 0, toRow, where);
    if (from.x < 0 || to.x < 0)
        return;
    press(grid, MouseButton::Left, from, where);
    application_.mouseMove(grid.form(), formPoint(grid, to));
    release(grid, MouseButton::Left, to, where);
}

void Driver::choose(RadioGroup& group, int index, std::source_location where) {
    const Rect item = group.itemBounds(index);
    if (item.width <= 0 || item.height <= 0) {
        ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line()))
            << group.name() << " has no item " << index << " on screen";
        return;
    }
    clickAt(group, {item.left + item.width / 2, item.top + item.height / 2}, Modifiers::None, where);
}

void Driver::choose(ComboBox& combo, int index, std::source_location where) {
    if (!combo.droppedDown())
        clickAt(combo, {combo.width() - 8, combo.height() / 2}, Modifiers::None, where);
    if (!combo.droppedDown()) {
        ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line())) << combo.name() << " did not open";
        return;
    }
    combo.choose(index);
    idle();
}

void Driver::hover(Control& control, std::source_location where) {
    if (!reachable(control, where))
        return;
    application_.mouseMove(control.form(), formPoint(control, {control.width() / 2, control.height() / 2}));
    idle();
}

void Driver::leave(Control& control) {
    application_.mouseLeave(control.form());
    idle();
}

void Driver::wheel(int notches) {
    if (Form* form = application_.activeForm()) {
        application_.mouseWheel(*form, {}, notches * 120);
        idle();
    }
}

// --- Menus ---------------------------------------------------------------------------

void Driver::chooseMenuItem(MenuItem& item, std::source_location where) {
    const auto& open = application_.openMenu();
    if (!open || open->menu != &item.menu()) {
        ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line()))
            << "the menu " << item.menu().name() << " of " << item.name() << " is not open";
        return;
    }
    application_.chooseMenuItem(item);
    idle();
}

// --- Time and dialogs -------------------------------------------------------------------

void Driver::advance(Milliseconds elapsed) {
    // Time passes as the real loop lets it: the loop wakes at each timer's due
    // time, so a timer fires once per interval of the time given, and the
    // handlers see the clock at the moment they are due.
    const Milliseconds end = application_.now() + elapsed;
    while (!application_.modal()) {
        const std::optional<Milliseconds> due = application_.nextTimerDue();
        if (!due || *due > end)
            break;
        application_.advance(std::max(*due - application_.now(), Milliseconds{1}));
    }
    if (end > application_.now())
        application_.advance(end - application_.now());
    idle();
}

void Driver::expectMessage(TextView text, std::source_location where) {
    if (dialogs_.messageCount() == 0) {
        ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line()))
            << "expected the message \"" << utf8(text) << "\", but no message box was shown";
        return;
    }
    const Text shown = dialogs_.lastMessage().text;
    if (shown != text) {
        ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line()))
            << "expected the message \"" << utf8(text) << "\"\n  but the last one was \"" << utf8(shown)
            << '"';
    }
}

void Driver::expectMessage(TextView text, platform::Buttons buttons, std::source_location where) {
    expectMessage(text, where);
    if (dialogs_.messageCount() > 0 && dialogs_.lastMessage().buttons != buttons) {
        ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line()))
            << "the message \"" << utf8(text) << "\" has other buttons than expected";
    }
}

void Driver::expectNoMessage(std::source_location where) {
    if (dialogs_.messageCount() == 0)
        return;
    ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line()))
        << dialogs_.messageCount() << " message box(es) shown, the last \""
        << utf8(dialogs_.lastMessage().text) << '"';
}

} // namespace lumitag::ui::testing
