// The column box Edit14 and the row box Edit15 of the orange window.
#include "sheet/CellBoxes.h"

#include "sheet/SheetLinkFixture.h"

namespace lumitag::sheet::test {
namespace {

using CellBoxesTest = SheetLinkTest;

TEST_F(CellBoxesTest, LeavingTheColumnBoxKeepsOnlyColumnsTheTransferCanUse) {
    const struct {
        TextView typed;
        bool kept;
    } cases[] = {{U"CW", false},  {U"CV", true},   {U"100", true}, {U"0", false},
                 {U"101", false}, {U"ABC", false}, {U"B", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(platform::toUtf8(c.typed));
        driver.click(w().Edit14);
        driver.type(c.typed);
        ASSERT_EQ(w().Edit14.text(), c.typed);
        driver.click(w().Edit3);
        if (c.kept) {
            EXPECT_EQ(w().Edit14.text(), c.typed);
            EXPECT_EQ(app.focusedControl(), &w().Edit3);
            EXPECT_EQ(w().Edit14.color(), ui::colors::Window);
        } else {
            EXPECT_EQ(w().Edit14.text(), U"");
            EXPECT_EQ(app.focusedControl(), &w().Edit14) << "the focus stays for a better column";
        }
    }
    driver.expectNoMessage();
}

TEST_F(CellBoxesTest, ColumnBoxRefusesOtherCharactersWithItsMessage) {
    driver.click(w().Edit14);
    EXPECT_EQ(w().Edit14.color(), CellBoxes::FocusColor);
    driver.type(U"a");
    driver.expectMessage(ColumnCharactersMessage);
    driver.type(U"-");
    EXPECT_EQ(dialogs.messageCount(), 2u);
    EXPECT_EQ(w().Edit14.text(), U"");
    driver.type(U"C1");
    driver.press("Backspace");
    driver.type(U"D");
    EXPECT_EQ(w().Edit14.text(), U"CD");
    driver.type(U"EF");
    EXPECT_EQ(w().Edit14.text(), U"CDE") << "three characters at most";
}

TEST_F(CellBoxesTest, LeavingTheRowBoxKeepsOnlyRowNumbersWithoutLeadingZeros) {
    driver.click(w().Edit15);
    driver.type(U"0012");
    driver.click(w().Edit3);
    EXPECT_EQ(w().Edit15.text(), U"");
    EXPECT_EQ(app.focusedControl(), &w().Edit15);

    driver.type(U"1x2-");
    EXPECT_EQ(w().Edit15.text(), U"12") << "only digits are typed";
    driver.click(w().Edit3);
    EXPECT_EQ(w().Edit15.text(), U"12");
    EXPECT_EQ(app.focusedControl(), &w().Edit3);
    driver.expectNoMessage();
}

TEST_F(CellBoxesTest, EnterAndArrowsLeadBetweenTheBoxes) {
    driver.click(w().Edit14);
    driver.press("Enter");
    EXPECT_EQ(app.focusedControl(), &w().Edit14) << "an empty column box keeps the focus";

    driver.type(U"B");
    driver.press("Enter");
    EXPECT_EQ(app.focusedControl(), &w().Edit15);
    driver.type(U"7");
    driver.press("Left");
    EXPECT_EQ(app.focusedControl(), &w().Edit15) << "the caret was not at the start";
    driver.press("Left");
    EXPECT_EQ(app.focusedControl(), &w().Edit14);

    driver.press("End");
    driver.press("Right");
    EXPECT_EQ(app.focusedControl(), &w().Edit15);
    EXPECT_EQ(w().Edit15.selText(), U"7") << "the row box's whole text is selected";
    EXPECT_EQ(w().Edit14.text(), U"B");
}

TEST_F(CellBoxesTest, EnterInTheRowBoxRunsTheTransferEntryPoint) {
    driver.click(w().Edit15);
    driver.press("Enter");
    EXPECT_EQ(app.focusedControl(), &w().Edit15) << "an empty row box starts nothing";
    driver.type(U"3");
    driver.press("Enter");
    EXPECT_EQ(w().Edit15.text(), U"3");
    EXPECT_EQ(app.focusedControl(), &w().Edit3) << "the transfer ends in the entry field";
}

} // namespace
} // namespace lumitag::sheet::test
