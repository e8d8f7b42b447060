// Every keyboard shortcut of both main windows, pressed where it must act and
// where it must not, and the key releases both windows keep to themselves.
#include "ProgramFixture.h"
#include "app/MarkerFileTexts.h"

#include <algorithm>
#include <string>

namespace lumitag::app::test {
namespace {

using platform::Answer;

// The program with a workbook open in a connected spreadsheet (F1 and F9
// need one), column B of the sheet holding three wire numbers for the blue
// window's conversion.
class Shortcuts : public ProgramTest {
public:
    // The key tables below arrange and look through these.
    using hardening::FakedProgram::blue;
    using hardening::FakedProgram::clipboard;
    using hardening::FakedProgram::spreadsheet;
    using hardening::FakedProgram::windows;
    using ProgramTest::driver;

    Shortcuts() {
        spreadsheet.userStartsSpreadsheet();
        spreadsheet.connect();
        spreadsheet.userCreatesWorkbook(U"wires.xlsx");
        start();
        connectWorker.complete();
        for (const auto& [address, value] : {std::pair{U"B1", U"W-1"}, {U"B2", U"W-2"}, {U"B3", U"W-3"}})
            spreadsheet.activeSheetContent().setValue(address, value);
        windows.clearRecord();
        driver.clearMessages();
    }

    TForm2& w() { return orange(); }
    // Types into 線番１, which has the focus after start and after every command.
    void typeWire(TextView wire) { driver.type(wire); }
    // One line committed with OK; the periodic refresh has seen it.
    void enter(TextView wire) {
        typeWire(wire);
        driver.click(w().Button7);
        driver.advance(100);
    }
    void switchToBlue() {
        if (!w().list().empty())
            driver.answer(Answer::Yes); // the conversion would replace the list
        driver.press("Shift+F1");
        ASSERT_TRUE(blue().visible());
    }
    void switchToOrange() {
        driver.press("Shift+F1");
        driver.advance(100); // the mode watcher shows the orange window
        ASSERT_TRUE(w().visible());
    }
    // Setting 1 converts B1:B3 with the count 1; the result buttons show.
    void arrangeConversion() {
        blue().RadioGroup1.setItemIndex(0);
        blue().Edit1.setText(U"B");
        blue().Edit21.setText(U"1");
        blue().Edit26.setText(U"3");
        blue().Edit31.setText(U"1");
    }
    void convert() {
        arrangeConversion();
        driver.click(blue().Button2);
        driver.clearMessages();
    }
    bool asked(TextView part) const {
        const std::vector<platform::MessageRequest> shown = dialogs.messages();
        return std::any_of(shown.begin(), shown.end(), [part](const platform::MessageRequest& m) {
            return m.text.find(part) != Text::npos;
        });
    }
    bool listHolds(TextView text) {
        const marking::MarkingList& list = w().list();
        for (int row = 1; row <= 3; ++row)
            if (list.cell(1, row) == text)
                return true;
        return false;
    }
};

// A key, a state in which it must act, and what shows that it did.
struct KeyCase {
    const char* chord;
    void (*arrange)(Shortcuts&);
    bool (*acted)(Shortcuts&);
};

void PrintTo(const KeyCase& key, std::ostream* out) {
    *out << key.chord;
}

std::string caseName(const ::testing::TestParamInfo<KeyCase>& info) {
    std::string name = info.param.chord;
    std::replace(name.begin(), name.end(), '+', '_');
    return name;
}

void nothing(Shortcuts&) {}

// The key, pressed in the state it must act in, acts.
void expectKeyActs(Shortcuts& t, const KeyCase& key) {
    key.arrange(t);
    ASSERT_FALSE(key.acted(t)) << "the state before the key";
    t.driver.press(key.chord);
    EXPECT_TRUE(key.acted(t));
}

// --- The orange window ------------------------------------------------------------------------

// The keys the blue window has as well, with meanings of its own there.
const KeyCase OrangeKeysSharedWithBlue[] = {
    {"F1", nothing, [](Shortcuts& t) { return !t.windows.pointerMoves().empty(); }},
    {"Shift+F1", nothing, [](Shortcuts& t) { return t.blue().visible() && !t.w().visible(); }},
    {"F8", [](Shortcuts& t) { t.enter(U"A1"); }, [](Shortcuts& t) { return t.asked(SaveQuestion); }},
    {"F9",
     [](Shortcuts& t) {
         t.enter(U"A1");
         t.w().Edit14.setText(U"D");
         t.w().Edit15.setText(U"5");
         t.w().CheckBox35.setChecked(true); // insert: no overwrite question
     },
     [](Shortcuts& t) { return t.spreadsheet.activeSheetContent().value(U"D5") == U"A1"; }},
    {"F10", [](Shortcuts& t) { t.enter(U"A1"); }, [](Shortcuts& t) { return t.asked(MarkQuestion); }},
};

// The keys of the orange window alone.
const KeyCase OrangeOnlyKeys[] = {
    {"Escape", [](Shortcuts& t) { t.enter(U"A1"); }, [](Shortcuts& t) { return !t.listHolds(U"A1"); }},
    {"F2", [](Shortcuts& t) { t.enter(U"A1"); }, [](Shortcuts& t) { return t.w().list().modes().edit; }},
    {"F3", [](Shortcuts& t) { t.enter(U"A1"); },
     [](Shortcuts& t) { return t.w().list().modes().multiLineMark; }},
    {"F4", [](Shortcuts& t) { t.enter(U"A1"); },
     [](Shortcuts& t) { return t.w().list().modes().stringInsert; }},
    {"F5", [](Shortcuts& t) { t.typeWire(U"A"); },
     [](Shortcuts& t) { return t.w().Edit3.text().find(U'|') != Text::npos; }},
    {"F6", [](Shortcuts& t) { t.typeWire(U"A"); },
     [](Shortcuts& t) { return t.w().Edit3.text().find(U'【') != Text::npos; }},
    {"F7", [](Shortcuts& t) { t.typeWire(U"A"); }, [](Shortcuts& t) { return t.w().CheckBox4.checked(); }},
    {"F11", [](Shortcuts& t) { t.typeWire(U"A"); }, [](Shortcuts& t) { return t.w().Edit3.text().empty(); }},
    {"F12", [](Shortcuts& t) { t.enter(U"A1"); },
     [](Shortcuts& t) { return t.asked(U"すべて削除しますか"); }},
    {"Ctrl+Z", [](Shortcuts& t) { t.enter(U"A1"); }, [](Shortcuts& t) { return !t.listHolds(U"A1"); }},
    {"Ctrl+Shift+Z",
     [](Shortcuts& t) {
         t.enter(U"A1");
         t.driver.press("Ctrl+Z");
     },
     [](Shortcuts& t) { return t.listHolds(U"A1"); }},
    {"Ctrl+A",
     [](Shortcuts& t) {
         t.enter(U"A1");
         t.enter(U"A2");
     },
     [](Shortcuts& t) {
         const ui::GridRect s = t.w().list().selection();
         return s.top == 1 && s.bottom == 2 && s.left == 1;
     }},
    {"Ctrl+X",
     [](Shortcuts& t) {
         t.enter(U"A1");
         t.driver.press("Ctrl+A");
     },
     [](Shortcuts& t) { return !t.listHolds(U"A1") && t.clipboard.text().find(U"A1") != Text::npos; }},
    {"Ctrl+C",
     [](Shortcuts& t) {
         t.enter(U"A1");
         t.driver.press("Ctrl+A");
     },
     [](Shortcuts& t) { return t.clipboard.text().find(U"A1") != Text::npos; }},
    {"Ctrl+V",
     [](Shortcuts& t) {
         t.enter(U"A1");
         t.clipboard.setText(U"P9\r\n");
         t.driver.rightClick(t.w().StringGrid1, 1, 1); // the list menu offers pasting
     },
     [](Shortcuts& t) { return t.listHolds(U"P9"); }},
    {"Alt+A", [](Shortcuts& t) { t.w().letterBoxes[0]->setText(U"[]X9[][]"); },
     [](Shortcuts& t) { return t.w().Edit3.text() == U"X9"; }},
    {"Alt+Z", [](Shortcuts& t) { t.w().letterBoxes[25]->setText(U"[]Z9[][]"); },
     [](Shortcuts& t) { return t.w().Edit3.text() == U"Z9"; }},
    {"Alt+3", [](Shortcuts& t) { t.typeWire(U"A"); },
     [](Shortcuts& t) { return t.listHolds(U"A") && t.w().list().cell(2, 1) == U"3"; }},
    {"Alt+0", [](Shortcuts& t) { t.typeWire(U"A"); },
     [](Shortcuts& t) { return t.listHolds(U"A") && t.w().list().cell(2, 1) == U"10"; }},
};

class OrangeShortcut : public Shortcuts, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(OrangeShortcut, ActsInTheOrangeWindow) {
    expectKeyActs(*this, GetParam());
}

INSTANTIATE_TEST_SUITE_P(SharedKeys, OrangeShortcut, ::testing::ValuesIn(OrangeKeysSharedWithBlue), caseName);
INSTANTIATE_TEST_SUITE_P(OwnKeys, OrangeShortcut, ::testing::ValuesIn(OrangeOnlyKeys), caseName);

// The same state, but the blue window is the active one: the orange window's
// own keys are not its keys (Alt+3 presses no count button from there).
class OrangeOnlyShortcut : public Shortcuts, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(OrangeOnlyShortcut, DoesNothingWhileTheBlueWindowIsActive) {
    const KeyCase& key = GetParam();
    key.arrange(*this);
    switchToBlue();
    driver.clearMessages();
    driver.press(key.chord);
    EXPECT_FALSE(key.acted(*this));
}

INSTANTIATE_TEST_SUITE_P(OwnKeys, OrangeOnlyShortcut, ::testing::ValuesIn(OrangeOnlyKeys), caseName);

// States of the orange window in which a key it owns must not act.
const KeyCase OrangeKeysWithNothingToDo[] = {
    {"F8", nothing, [](Shortcuts& t) { return t.driver.messageCount() > 0; }},  // empty list
    {"F10", nothing, [](Shortcuts& t) { return t.driver.messageCount() > 0; }}, // empty list
    {"Shift+F1", [](Shortcuts& t) { t.driver.click(t.w().RadioButton18); },     // TEXT lines
     [](Shortcuts& t) { return t.blue().visible(); }},
    {"F5", nothing, // both wire boxes empty
     [](Shortcuts& t) { return !t.w().Edit3.text().empty() || !t.w().Edit6.text().empty(); }},
    {"F12", nothing, [](Shortcuts& t) { return t.driver.messageCount() > 0; }}, // empty list
};

class OrangeShortcutWithNothingToDo : public Shortcuts, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(OrangeShortcutWithNothingToDo, DoesNothing) {
    const KeyCase& key = GetParam();
    key.arrange(*this);
    driver.clearMessages();
    driver.press(key.chord);
    EXPECT_FALSE(key.acted(*this));
    EXPECT_TRUE(w().visible());
}

INSTANTIATE_TEST_SUITE_P(Keys, OrangeShortcutWithNothingToDo, ::testing::ValuesIn(OrangeKeysWithNothingToDo),
                         caseName);

// --- The blue window --------------------------------------------------------------------------

const KeyCase BlueKeys[] = {
    {"F1", nothing, [](Shortcuts& t) { return !t.windows.pointerMoves().empty(); }},
    {"Shift+F1", nothing,
     [](Shortcuts& t) {
         t.driver.advance(100); // the mode watcher shows the orange window
         return t.w().visible() && !t.blue().visible();
     }},
    {"F8", [](Shortcuts& t) { t.convert(); }, [](Shortcuts& t) { return t.asked(SaveQuestion); }},
    {"F9", [](Shortcuts& t) { t.arrangeConversion(); },
     [](Shortcuts& t) { return t.blue().conversionState().resultLineCount() == 3; }},
    {"F10", [](Shortcuts& t) { t.convert(); }, [](Shortcuts& t) { return t.asked(MarkQuestion); }},
};

class BlueShortcut : public Shortcuts, public ::testing::WithParamInterface<KeyCase> {
protected:
    BlueShortcut() {
        switchToBlue();
        windows.clearRecord();
    }
};

TEST_P(BlueShortcut, ActsInTheBlueWindow) {
    expectKeyActs(*this, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Keys, BlueShortcut, ::testing::ValuesIn(BlueKeys), caseName);

TEST_F(Shortcuts, BlueSaveAndMarkingWaitForAConversionAndF9ConvertsOnlyInTheBlueWindow) {
    switchToBlue();
    arrangeConversion();
    switchToOrange();
    driver.press("F9"); // the orange window's transfer of an empty list
    EXPECT_EQ(blue().conversionState().resultLineCount(), 0);

    switchToBlue();
    driver.clearMessages();
    driver.press("F8");
    driver.press("F10");
    driver.expectNoMessage();
    EXPECT_FALSE(blue().Button9.visible());
    EXPECT_FALSE(blue().Button3.visible());
}

TEST_F(Shortcuts, ShiftF1TogglesBetweenTheWindows) {
    for (int round = 0; round < 2; ++round) {
        switchToBlue();
        EXPECT_FALSE(w().visible());
        switchToOrange();
        EXPECT_FALSE(blue().visible());
    }
}

// --- Key releases ------------------------------------------------------------------------------

TEST_F(Shortcuts, NoControlOfEitherWindowSeesAKeyRelease) {
    int releases = 0;
    w().Edit3.onKeyUp = [&releases](ui::KeyEvent&) { ++releases; };
    blue().Edit1.onKeyUp = [&releases](ui::KeyEvent&) { ++releases; };
    driver.press("A");
    driver.press("Alt");
    switchToBlue();
    ASSERT_TRUE(blue().Edit1.focused());
    driver.press("A");
    driver.press("Enter");
    EXPECT_EQ(releases, 0);
}

} // namespace
} // namespace lumitag::app::test
