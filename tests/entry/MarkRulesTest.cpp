#include "entry/marks/MarkRules.h"

#include <gtest/gtest.h>
#include <string>

namespace lumitag::entry {
namespace {

using Change = MarkClick::Change;

struct ClickCase {
    const char* what;
    TextView text;
    int caret;
    TextView result;
    int caretAfter;
    bool staysOpen;
};

TEST(MarkRules, MultiLineClickInsertsOrRemovesTheMarkNextToTheCaret) {
    const ClickCase cases[] = {
        {"after the mark of A|B", U"A|B", 2, U"AB", 1, false},
        {"before the mark of A|B", U"A|B", 1, U"AB", 1, false},
        {"between B and C", U"ABC", 2, U"AB|C", 3, false},
        {"at the start nothing", U"ABC", 0, U"ABC", 0, false},
        {"at the end stays open", U"ABC", 3, U"ABC|", 4, true},
        {"a second mark", U"A|BC", 3, U"A|B|C", 4, false},
        {"the second mark goes first", U"A||B", 2, U"A|B", 2, false},
        {"next to the second of two", U"A|B|C", 4, U"A|BC", 3, false},
        {"no third mark", U"A|B|CD", 6, U"A|B|CD", 6, false},
    };
    for (const ClickCase& c : cases) {
        SCOPED_TRACE(c.what);
        const MarkClick click = multiLineMarkClick(c.text, c.caret);
        EXPECT_EQ(click.text, c.result);
        EXPECT_EQ(click.caret, c.caretAfter);
        EXPECT_EQ(click.keepsEditorOpen, c.staysOpen);
    }
}

TEST(MarkRules, NumberingClickOpensClosesAndRemovesBrackets) {
    const ClickCase cases[] = {
        {"between A and 1 of A12", U"A12", 1, U"A【12", 2, false},
        {"after 2 of A【12 closes", U"A【12", 4, U"A【12】", 5, true},
        {"at the end of a text opens and stays open", U"A", 1, U"A【", 2, true},
        {"one before 【 removes it", U"A【12", 1, U"A12", 1, false},
        {"one after the position of 【 removes it", U"A【12】", 3, U"A12】", 1, false},
        {"directly after 【 nothing", U"A【12", 2, U"A【12", 2, false},
        {"one before 】 removes it", U"【123】X", 4, U"【123X", 4, false},
        {"only 】 with the caret before it opens", U"12】", 0, U"【12】", 1, false},
        {"only 】 with the caret after it nothing", U"12】AB", 5, U"12】AB", 5, false},
        {"a start value that is no number stays open", U"【1XY", 4, U"【1XY", 4, false},
        {"the first character after 【 is not read", U"【X12", 4, U"【X12】", 5, true},
        {"one character after 【 does not close", U"【1A", 2, U"1A", 0, false},
    };
    for (const ClickCase& c : cases) {
        SCOPED_TRACE(c.what);
        const MarkClick click = numberingMarkClick(c.text, c.caret);
        EXPECT_EQ(click.text, c.result);
        EXPECT_EQ(click.caret, c.caretAfter);
        EXPECT_EQ(click.keepsEditorOpen, c.staysOpen);
    }
}

TEST(MarkRules, CaretInsideNumberingCountsFromTheSecondCharacter) {
    EXPECT_FALSE(caretInsideNumbering(U"【12", 1)); // directly after 【
    EXPECT_TRUE(caretInsideNumbering(U"【12", 2));
    EXPECT_FALSE(caretInsideNumbering(U"【12", 2, 1)); // two characters needed
    EXPECT_TRUE(caretInsideNumbering(U"【12", 3, 1));
    EXPECT_TRUE(caretInsideNumbering(U"【12】A", 3)); // right before 】
    EXPECT_FALSE(caretInsideNumbering(U"【12】A", 4));
    EXPECT_FALSE(caretInsideNumbering(U"12", 2));
    EXPECT_EQ(withoutFirstBrackets(U"【1】【2】"), U"1【2】");
}

} // namespace
} // namespace lumitag::entry
