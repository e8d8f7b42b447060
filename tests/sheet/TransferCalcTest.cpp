// 転送 of the whole program into a real headless Calc: what the cells hold
// afterwards, read back from the office.
#include "sheet/OfficeProgram.h"
#include "sheet/TransferCommand.h"

#include <gtest/gtest.h>

namespace lumitag::sheet {
namespace {

using platform::CellRef;
using Lines = std::vector<std::vector<Text>>;

// 3BOX lines of texts that look like numbers, a formula, a fraction and a
// line break.
const Lines MixedLines{
    {U"001", U"2", U"", U"", U"010"},
    {U"=1+1", U"1/2", U"007", U"", U""},
    {U"上段\n下段", U"", U"", U"-1.50", U"【3】"},
};

class TransferIntoCalc : public ::testing::Test {
protected:
    void SetUp() override {
        if (office == nullptr)
            GTEST_SKIP() << "LibreOffice Calc is not installed";
        p.emplace(office->host());
        ASSERT_EQ(p->program.start(), app::Program::Start::Running);
        p->driver.idle();
    }
    void TearDown() override { p.reset(); }

    app::TForm2& w() { return p->orange(); }
    ui::testing::Driver& driver() { return p->driver; }

    // The lines into the marking list in 3BOX mode.
    void fillList(const Lines& lines) {
        driver().click(w().RadioButton17);
        for (std::size_t row = 0; row < lines.size(); ++row)
            for (std::size_t col = 0; col < lines[row].size(); ++col)
                w().list().setCell(static_cast<int>(col) + 1, static_cast<int>(row) + 1, lines[row][col]);
        w().list().updateNextFreeRow();
    }
    // 新規: the sheet of the new workbook the program attaches, or nothing.
    std::shared_ptr<platform::Worksheet> newWorkbookSheet() {
        driver().idle();
        driver().click(w().SpeedButton29);
        EXPECT_TRUE(p->link().workbookAttached());
        return p->link().worksheet();
    }

    std::optional<OfficeProgram> p;
};

TEST_F(TransferIntoCalc, ANewWorkbookGetsTextsAsTextAndNumericCountsAsNumbers) {
    fillList(MixedLines);
    const std::shared_ptr<platform::Worksheet> sheet = newWorkbookSheet();
    ASSERT_TRUE(sheet);
    sheet->range(U"B6", U"B6")->setValue(U"below");
    sheet->range(U"B4", U"B4")->setValue(U"above");

    w().CheckBox35.setChecked(true);
    w().CheckBox39.setChecked(true);
    w().Edit14.setText(U"B");
    w().Edit15.setText(U"5");
    p->clipboard.setText(U"earlier");
    p->dialogs.clearTranscript();
    driver().click(w().Button21);
    EXPECT_TRUE(p->dialogs.messageTexts().empty()) << "no question in insert mode, no busy message";

    const std::vector<std::vector<Text>> expected{
        // Text-formatted columns B and F keep their texts; counts that are
        // numbers read back as numbers do ("007" as 7), others stay text.
        {U"001", U"2", U"", U"", U"010"},
        {U"=1+1", U"1/2", U"7", U"", U""},
        {U"上段\n下段", U"", U"", U"-1.5", U"【3】"},
    };
    EXPECT_EQ(sheet->range(CellRef{5, 2}, CellRef{7, 6})->values(), expected);
    EXPECT_EQ(sheet->cell(4, 2)->value(), U"above");
    EXPECT_EQ(sheet->cell(9, 2)->value(), U"below") << "shifted down by the block";
    EXPECT_EQ(w().Edit15.text(), U"8");
    EXPECT_EQ(p->clipboard.text(), U"");

    // Cell width linking: the longest text is 5 characters, which fits the
    // standard width less two characters; the count columns become 6 wide.
    for (int column = 3; column <= 6; ++column)
        EXPECT_NEAR(sheet->cell(5, column)->columnWidth(), 6, 0.2) << column;

    // The text format is on the target and last columns only: typed digits
    // stay text there and become numbers beside them.
    for (const int column : {2, 3, 6})
        sheet->cell(7, column)->setValue(U"0042");
    EXPECT_EQ(sheet->range(CellRef{7, 2}, CellRef{7, 6})->values(),
              (std::vector<std::vector<Text>>{{U"0042", U"42", U"", U"-1.5", U"0042"}}));
}

TEST_F(TransferIntoCalc, ASpacedTransferWritesTheLinesAndLeavesTheRowsBetweenAsTheyAre) {
    fillList(MixedLines);
    driver().click(w().RadioButton2); // 1行置: rows 2, 4 and 6
    const std::shared_ptr<platform::Worksheet> sheet = newWorkbookSheet();
    ASSERT_TRUE(sheet);
    // The rows between hold a formula, a text and a number; the formula in H1
    // tells whether D5 is still a number.
    sheet->cell(3, 2)->setValue(U"=D5*2");
    sheet->cell(5, 3)->setValue(U"between");
    sheet->cell(5, 4)->setValue(U"42");
    sheet->cell(1, 8)->setValue(U"=IF(ISNUMBER(D5);\"number\";\"text\")");
    ASSERT_EQ(sheet->cell(1, 8)->value(), U"number");

    w().CheckBox35.setChecked(false);
    w().Edit14.setText(U"B");
    w().Edit15.setText(U"2");
    p->dialogs.queueAnswer(platform::Answer::Yes);
    p->dialogs.clearTranscript();
    driver().click(w().Button21);
    EXPECT_EQ(p->dialogs.messageCount(), 1) << "the overwrite question, no busy message";

    const Lines expected{
        {U"001", U"2", U"", U"", U"010"},
        {U"84", U"", U"", U"", U""},
        {U"=1+1", U"1/2", U"7", U"", U""},
        {U"", U"between", U"42", U"", U""},
        {U"上段\n下段", U"", U"", U"-1.5", U"【3】"},
    };
    EXPECT_EQ(sheet->range(CellRef{2, 2}, CellRef{6, 6})->values(), expected);
    EXPECT_EQ(sheet->cell(3, 2)->formulas(), Lines{{U"=D5*2"}});
    EXPECT_EQ(sheet->range(CellRef{4, 2}, CellRef{4, 2})->formulas(), Lines{{U""}}) << "=1+1 stays text";
    EXPECT_EQ(sheet->cell(1, 8)->value(), U"number");
    EXPECT_EQ(w().Edit15.text(), U"8");
}

} // namespace
} // namespace lumitag::sheet
