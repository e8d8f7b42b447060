#include "TestWindow.h"

namespace lumitag::ui::test {
namespace {

class EditBox : public UiTest {
protected:
    EditBox() { form.Edit1.setFocus(); }
};

TEST_F(EditBox, KeysEditAsAUserExpects) {
    struct Case {
        const char* name;
        Text start;
        int selStart;
        int selLength;
        std::vector<const char*> chords;
        Text text;
        int expectedSelStart;
        int expectedSelLength;
    };
    const Case cases[] = {
        {"typing replaces the selection", U"abcd", 1, 2, {"X"}, U"axd", 2, 0},
        {"backspace deletes before the caret", U"abc", 2, 0, {"BkSp"}, U"ac", 1, 0},
        {"backspace at the start does nothing", U"abc", 0, 0, {"BkSp"}, U"abc", 0, 0},
        {"backspace deletes the selection", U"abcd", 1, 2, {"BkSp"}, U"ad", 1, 0},
        {"delete removes after the caret", U"abc", 1, 0, {"Del"}, U"ac", 1, 0},
        {"home and end", U"abc", 1, 0, {"End", "Y", "Home", "Z"}, U"zabcy", 1, 0},
        {"shift+left selects backwards", U"abcd", 3, 0, {"Shift+Left", "Shift+Left"}, U"abcd", 1, 2},
        {"left collapses a selection to its start", U"abcd", 1, 2, {"Left"}, U"abcd", 1, 0},
        {"shift+home selects to the start", U"abcd", 2, 0, {"Shift+Home", "BkSp"}, U"cd", 0, 0},
        {"ctrl+a selects everything", U"abcd", 2, 0, {"Ctrl+A"}, U"abcd", 0, 4},
        {"code points, not bytes", U"あいう", 3, 0, {"Left", "BkSp"}, U"あう", 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form.Edit1.setText(c.start);
        form.Edit1.setSelStart(c.selStart);
        form.Edit1.setSelLength(c.selLength);
        for (const char* chord : c.chords)
            driver.press(chord);
        EXPECT_EQ(form.Edit1.text(), c.text);
        EXPECT_EQ(form.Edit1.selStart(), c.expectedSelStart);
        EXPECT_EQ(form.Edit1.selLength(), c.expectedSelLength);
    }
}

TEST_F(EditBox, ClipboardCutCopyPaste) {
    form.Edit1.setText(U"12-A");
    form.Edit1.setSelStart(0);
    form.Edit1.setSelLength(2);
    driver.press("Ctrl+C");
    EXPECT_EQ(clipboard.text(), U"12");
    driver.press("Ctrl+X");
    EXPECT_EQ(form.Edit1.text(), U"-A");
    driver.press(Key::End);
    driver.press("Ctrl+V");
    EXPECT_EQ(form.Edit1.text(), U"-A12");
    clipboard.setText(U"first\r\nsecond");
    driver.press("Ctrl+V");
    EXPECT_EQ(form.Edit1.text(), U"-A12first") << "a one-line box pastes the first line";
}

TEST_F(EditBox, WithoutAClipboardTheKeysDoNothing) {
    app.setClipboard(nullptr);
    form.Edit1.setText(U"ab");
    form.Edit1.selectAll();
    driver.press("Ctrl+X");
    driver.press("Ctrl+V");
    EXPECT_EQ(form.Edit1.text(), U"ab");
}

TEST_F(EditBox, KeyPressFilterDropsCharactersButBackspacePasses) {
    form.Edit1.onKeyPress = [](char32_t& c) {
        if (!(c >= U'0' && c <= U'9') && c != chars::Backspace)
            c = 0;
    };
    driver.type(U"1a2-3");
    EXPECT_EQ(form.Edit1.text(), U"123");
    driver.press(Key::Backspace);
    EXPECT_EQ(form.Edit1.text(), U"12");
}

TEST_F(EditBox, InputMethodTextGoesThroughKeyPress) {
    std::u32string seen;
    form.Edit1.onKeyPress = [&](char32_t& c) { seen += c; };
    driver.type(U"あA");
    EXPECT_EQ(form.Edit1.text(), U"あA");
    EXPECT_EQ(seen, U"あA");
}

TEST_F(EditBox, ClickPlacesTheCaretByTextWidth) {
    form.Edit2.setText(U"あいab");
    // 3 px indent, 14 px per full-width and 7 per half-width character with the default metrics.
    driver.clickAt(form.Edit2, {3 + 14 + 3, 10});
    EXPECT_EQ(form.Edit2.caret(), 1);
    driver.clickAt(form.Edit2, {3 + 28 + 5, 10});
    EXPECT_EQ(form.Edit2.caret(), 3);
    driver.clickAt(form.Edit2, {95, 10});
    EXPECT_EQ(form.Edit2.caret(), 4);
    driver.clickAt(form.Edit2, {3, 10}, Modifiers::Shift);
    EXPECT_EQ(form.Edit2.selLength(), 4);
}

TEST_F(EditBox, FrontEndMetricsReplaceTheDefault) {
    struct Wide : TextMetrics {
        int width(TextView text, const Font&) const override { return static_cast<int>(text.size()) * 20; }
    } wide;
    app.setTextMetrics(&wide);
    form.Edit2.setText(U"abcd");
    driver.clickAt(form.Edit2, {3 + 40 + 2, 10});
    EXPECT_EQ(form.Edit2.caret(), 2);
    app.setTextMetrics(nullptr);
}

TEST_F(EditBox, SetTextPutsTheCaretAtTheStart) {
    form.Edit1.setText(U"abc");
    EXPECT_EQ(form.Edit1.caret(), 0);
    form.Edit1.selectAll();
    EXPECT_EQ(form.Edit1.selText(), U"abc");
    form.Edit1.setSelText(U"x");
    EXPECT_EQ(form.Edit1.text(), U"x");
}

} // namespace
} // namespace lumitag::ui::test
