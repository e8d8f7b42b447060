#include "TestWindow.h"

namespace lumitag::ui::test {
namespace {

using Log = std::vector<std::string>;

class KeyPath : public UiTest {
protected:
    KeyPath() {
        form.setKeyPreview(true);
        form.onKeyDown = [this](KeyEvent& e) { record("form down", e, consumeAt == "form down"); };
        form.Edit1.onKeyDown = [this](KeyEvent& e) { record("edit down", e, consumeAt == "edit down"); };
        form.onKeyPress = [this](char32_t& c) { press("form press", c); };
        form.Edit1.onKeyPress = [this](char32_t& c) { press("edit press", c); };
        form.onKeyUp = [this](KeyEvent& e) { record("form up", e, consumeAt == "form up"); };
        form.Edit1.onKeyUp = [this](KeyEvent& e) { record("edit up", e, false); };
        form.Edit1.onChange = note("change");
        form.Edit1.setFocus();
    }

    void record(const std::string& phase, KeyEvent& event, bool consume) {
        log.push_back(phase + " " + keyName(event.key));
        if (consume)
            event.consume();
    }
    void press(const std::string& phase, char32_t& c) {
        log.push_back(phase + " " + std::string(1, static_cast<char>(c)));
        if (consumeAt == phase)
            c = 0;
    }

    std::string consumeAt;
};

TEST_F(KeyPath, PhasesRunInOrderAndKeyUpReachesTheWindowFirst) {
    driver.press(Key::A);
    EXPECT_EQ(log, (Log{"form down A", "edit down A", "form press a", "edit press a", "change", "form up A",
                        "edit up A"}));
    EXPECT_EQ(form.Edit1.text(), U"a");
}

TEST_F(KeyPath, ConsumingInAPhaseStopsEveryLaterPhase) {
    struct Case {
        std::string consumeAt;
        Log expected;
    };
    const Case cases[] = {
        {"form down", {"form down A"}},
        {"edit down", {"form down A", "edit down A"}},
        {"form press", {"form down A", "edit down A", "form press a"}},
        {"edit press", {"form down A", "edit down A", "form press a", "edit press a"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.consumeAt);
        consumeAt = c.consumeAt;
        log.clear();
        form.Edit1.clear();
        log.clear();
        driver.keyDown(Key::A, Modifiers::None, U'a');
        EXPECT_EQ(log, c.expected);
        EXPECT_EQ(form.Edit1.text(), U"") << "a dropped key or character inserts nothing";
        driver.keyUp(Key::A);
    }
}

TEST_F(KeyPath, KeyUpConsumedByTheWindowNeverReachesTheControl) {
    consumeAt = "form up";
    driver.keyUp(Key::F1);
    EXPECT_EQ(log, (Log{"form up F1"}));
}

TEST_F(KeyPath, EnabledMenuShortcutRunsFirstAndConsumesTheKey) {
    form.N2.onClick = note("N2");
    driver.keyDown(Key::F1, Modifiers::Shift);
    EXPECT_EQ(log, (Log{"N2"}));
}

TEST_F(KeyPath, DisabledMenuItemShortcutDoesNotFireAndTheKeyGoesOnToTheWindow) {
    form.N2.onClick = note("N2");
    form.N2.setEnabled(false);
    driver.keyDown(Key::F1, Modifiers::Shift);
    EXPECT_EQ(log, (Log{"form down F1", "edit down F1"}));
}

TEST_F(KeyPath, ShortcutNeedsExactlyItsModifiers) {
    form.N4.onClick = note("N4");
    driver.keyDown(Key::Z, Modifiers::Ctrl | Modifiers::Shift);
    EXPECT_EQ(log, (Log{"form down Z", "edit down Z", "form press \x1A", "edit press \x1A"}))
        << "Ctrl with a letter yields its control character";
    log.clear();
    driver.keyDown(Key::Z, Modifiers::Ctrl);
    EXPECT_EQ(log, (Log{"N4"}));
}

TEST_F(KeyPath, WindowWithoutKeyPreviewSeesNoKeys) {
    form.setKeyPreview(false);
    driver.keyDown(Key::B, Modifiers::None, U'b');
    EXPECT_EQ(log, (Log{"edit down B", "edit press b", "change"}));
}

TEST_F(KeyPath, AltAloneIsAKeyLikeAnyOther) {
    driver.press(Key::Alt);
    EXPECT_EQ(log, (Log{"form down Alt", "edit down Alt", "form up Alt", "edit up Alt"}));
}

TEST_F(KeyPath, DriverPressesModifierKeysAroundTheChord) {
    form.setKeyPreview(false);
    form.Edit1.onKeyDown = nullptr;
    form.Edit1.onKeyUp = nullptr;
    form.onKeyDown = nullptr;
    form.setKeyPreview(true);
    std::vector<std::pair<Key, Modifiers>> downs;
    form.onKeyDown = [&](KeyEvent& e) { downs.emplace_back(e.key, e.modifiers); };
    driver.press("Ctrl+Shift+X");
    ASSERT_EQ(downs.size(), 3u);
    EXPECT_EQ(downs[0], std::make_pair(Key::Control, Modifiers::Ctrl));
    EXPECT_EQ(downs[1], std::make_pair(Key::Shift, Modifiers::Ctrl | Modifiers::Shift));
    EXPECT_EQ(downs[2], std::make_pair(Key::X, Modifiers::Ctrl | Modifiers::Shift));
}

TEST_F(KeyPath, EnterAndEscapeReachKeyPressButNeverInsert) {
    form.N1.setEnabled(false); // its shortcut would take Esc first
    form.Edit1.setText(U"12");
    log.clear();
    driver.press(Key::Enter);
    driver.press(Key::Escape);
    EXPECT_EQ(form.Edit1.text(), U"12");
    EXPECT_NE(std::find(log.begin(), log.end(), "edit press \r"), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), "edit press \x1b"), log.end());
}

TEST_F(KeyPath, AltChordYieldsNoKeyPress) {
    driver.keyDown(Key::Q, Modifiers::Alt);
    EXPECT_EQ(log, (Log{"form down Q", "edit down Q"}));
}

// --- Accelerators -----------------------------------------------------------------

class Accelerators : public UiTest {};

TEST_F(Accelerators, AltWithTheMarkedCharacterClicksTheControl) {
    form.SpeedButton1.onClick = note("A");
    form.Button1.onClick = note("OK");
    driver.press("Alt+A");
    driver.press("Alt+O");
    EXPECT_EQ(log, (std::vector<std::string>{"A", "OK"}));
    EXPECT_TRUE(form.Button1.focused()) << "a button chosen by its accelerator takes the focus";
}

TEST_F(Accelerators, LowerCaseMarkAndDigitsWork) {
    SpeedButton count10{form.Panel1, "SpeedButton50", U"1&0"};
    SpeedButton lower{form.Panel1, "lower", U"&b"};
    count10.setBounds({400, 40, 20, 20});
    lower.setBounds({430, 40, 20, 20});
    count10.onClick = note("10");
    lower.onClick = note("b");
    driver.press("Alt+0");
    driver.press("Alt+B");
    EXPECT_EQ(log, (std::vector<std::string>{"10", "b"}));
}

TEST_F(Accelerators, DoubleAmpersandIsALiteral) {
    SpeedButton literal{form.Panel1, "literal", U"R&&D"};
    literal.setBounds({400, 40, 20, 20});
    literal.onClick = note("literal");
    EXPECT_EQ(literal.accelerator(), 0u);
    driver.press("Alt+D");
    EXPECT_TRUE(log.empty());
}

TEST_F(Accelerators, HiddenOrDisabledControlsAreSkipped) {
    SpeedButton second{form.Panel1, "second", U"&A"};
    second.setBounds({400, 40, 20, 20});
    form.SpeedButton1.onClick = note("first");
    second.onClick = note("second");
    form.SpeedButton1.hide();
    driver.press("Alt+A");
    form.SpeedButton1.show();
    form.SpeedButton1.setEnabled(false);
    driver.press("Alt+A");
    second.setEnabled(false);
    driver.press("Alt+A");
    EXPECT_EQ(log, (std::vector<std::string>{"second", "second"}));
}

TEST_F(Accelerators, MenuShortcutsComeBeforeAcceleratorsAndHandlersCanConsume) {
    MenuItem altA{form.PopupMenu1, "altA", U"A", "Alt+A"};
    altA.onClick = note("menu");
    form.SpeedButton1.onClick = note("button");
    driver.press("Alt+A");
    altA.setEnabled(false);
    form.setKeyPreview(true);
    form.onKeyDown = [](KeyEvent& e) {
        if (e.key == Key::A)
            e.consume();
    };
    driver.press("Alt+A");
    form.onKeyDown = nullptr;
    driver.press("Alt+A");
    EXPECT_EQ(log, (std::vector<std::string>{"menu", "button"}));
}

// --- Tab --------------------------------------------------------------------------------

class TabKey : public UiTest {};

TEST_F(TabKey, MovesToTheNextTabStopInTabOrder) {
    form.Edit1.setFocus();
    driver.press(Key::Tab);
    EXPECT_TRUE(form.Edit2.focused());
    form.Edit3.hide();
    driver.press(Key::Tab);
    EXPECT_TRUE(form.Button1.focused()) << "hidden controls are skipped";
    driver.press("Shift+Tab");
    EXPECT_TRUE(form.Edit2.focused());
}

TEST_F(TabKey, FollowsTabOrderNotCreationOrder) {
    form.Edit1.setTabOrder(2);
    form.Edit2.setTabOrder(0);
    form.Edit3.setTabOrder(1);
    form.Edit2.setFocus();
    driver.press(Key::Tab);
    EXPECT_TRUE(form.Edit3.focused());
    driver.press(Key::Tab);
    EXPECT_TRUE(form.Edit1.focused());
}

TEST_F(TabKey, ConsumedTabDoesNotMoveTheFocus) {
    form.setKeyPreview(true);
    form.onKeyDown = [](KeyEvent& e) {
        if (e.key == Key::Tab)
            e.consume();
    };
    form.Edit1.setFocus();
    driver.press(Key::Tab);
    EXPECT_TRUE(form.Edit1.focused());
}

// --- Shortcut text ---------------------------------------------------------------------

TEST(ShortcutText, ParsesAndWritesChords) {
    struct Case {
        const char* text;
        Key key;
        Modifiers modifiers;
        const char* written;
    };
    const Case cases[] = {
        {"F1", Key::F1, Modifiers::None, "F1"},
        {"Shift+F1", Key::F1, Modifiers::Shift, "Shift+F1"},
        {"Ctrl+Shift+Z", Key::Z, Modifiers::Ctrl | Modifiers::Shift, "Ctrl+Shift+Z"},
        {"shift+ctrl+z", Key::Z, Modifiers::Ctrl | Modifiers::Shift, "Ctrl+Shift+Z"},
        {"Esc", Key::Escape, Modifiers::None, "Esc"},
        {"Alt+1", Key::D1, Modifiers::Alt, "Alt+1"},
        {"F12", Key::F12, Modifiers::None, "F12"},
        {"PgDn", Key::PageDown, Modifiers::None, "PgDn"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto parsed = Shortcut::parse(c.text);
        ASSERT_TRUE(parsed);
        EXPECT_EQ(parsed->key, c.key);
        EXPECT_EQ(parsed->modifiers, c.modifiers);
        EXPECT_EQ(parsed->toString(), c.written);
    }
    for (const char* bad : {"", "F13", "Hyper+A", "Ctrl+", "AB"})
        EXPECT_FALSE(Shortcut::parse(bad)) << bad;
}

TEST(KeyStrokes, JapaneseKeyboardCharacters) {
    using testing::characterOf;
    using testing::keyStrokeFor;
    EXPECT_EQ(keyStrokeFor(U'a').key, Key::A);
    EXPECT_EQ(keyStrokeFor(U'A').modifiers, Modifiers::Shift);
    EXPECT_EQ(keyStrokeFor(U'@').key, Key::Backquote);
    EXPECT_EQ(keyStrokeFor(U'(').key, Key::D8);
    EXPECT_EQ(keyStrokeFor(U'あ').key, Key::None);
    for (char32_t c = 0x20; c < 0x7F; ++c) {
        const auto stroke = keyStrokeFor(c);
        ASSERT_NE(stroke.key, Key::None) << static_cast<int>(c);
        EXPECT_EQ(characterOf(stroke.key, stroke.modifiers), c);
    }
}

} // namespace
} // namespace lumitag::ui::test
