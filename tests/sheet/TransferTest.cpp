// 転送 of the orange window: the marking list into the connected sheet, on the
// in-memory spreadsheet.
#include "sheet/SheetLinkFixture.h"
#include "sheet/TransferCommand.h"

namespace lumitag::sheet::test {
namespace {

using platform::CellFormat;
using platform::FakeSheetContent;
using platform::HorizontalAlignment;
using Lines = std::vector<std::vector<Text>>;

// A 3BOX list: text, count 1, count 2, count 3, numbering end value.
const Lines ThreeBoxLines{
    {U"W1", U"1", U"", U"", U""},
    {U"W2", U"", U"2", U"", U""},
    {U"W3", U"", U"", U"3", U"10"},
};
const std::vector<Text> ThreeBoxColumns{U"B", U"C", U"D", U"E", U"F"};

class TransferTest : public SheetLinkTest {
protected:
    TransferTest() {
        newWorkbook();
        dialogs.clearTranscript();
    }

    FakeSheetContent& sheet() { return spreadsheet.activeSheetContent(); }

    void fillList(ui::RadioButton& boxMode, const Lines& lines) {
        driver.click(boxMode);
        for (std::size_t row = 0; row < lines.size(); ++row)
            for (std::size_t col = 0; col < lines[row].size(); ++col)
                w().list().setCell(static_cast<int>(col) + 1, static_cast<int>(row) + 1, lines[row][col]);
        w().list().updateNextFreeRow();
        driver.idle();
    }
    void target(TextView column, TextView row) {
        w().Edit14.setText(Text(column));
        w().Edit15.setText(Text(row));
    }
    // 転送 with insert mode off, the overwrite question answered Yes.
    void transferOverwriting() {
        driver.answer(Answer::Yes);
        driver.click(w().Button21);
        driver.expectMessage(TransferCommand::OverwriteQuestion, platform::Buttons::YesCancel);
        dialogs.clearTranscript();
    }
    Text cell(const Text& column, int row) { return sheet().value(column + numberText(row)); }
    CellFormat format(const Text& column, int row) { return sheet().format(column + numberText(row)); }
    // The values of columns in a row.
    std::vector<Text> rowValues(const std::vector<Text>& columns, int row) {
        std::vector<Text> values;
        for (const Text& column : columns)
            values.push_back(cell(column, row));
        return values;
    }
    void expectEndedNormally() {
        EXPECT_EQ(app.focusedControl(), &w().Edit3);
        EXPECT_EQ(app.cursor(), ui::Cursor::Default);
        EXPECT_TRUE(w().Timer2.enabled()) << "the watcher runs again";
    }
};

TEST_F(TransferTest, ThreeBoxLinesFillTheBlockFormatItAndMoveTheRowBoxOn) {
    fillList(w().RadioButton17, ThreeBoxLines);
    target(U"B", U"5");
    clipboard.setText(U"earlier");
    transferOverwriting();

    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(rowValues(ThreeBoxColumns, 5 + i), ThreeBoxLines[static_cast<std::size_t>(i)]) << i;
    for (int row = 5; row <= 7; ++row) {
        EXPECT_EQ(format(U"B", row).numberFormat, U"@");
        EXPECT_EQ(format(U"F", row).numberFormat, U"@");
        EXPECT_NE(format(U"C", row).numberFormat, U"@") << "counts stay numbers";
        for (const Text& column : ThreeBoxColumns)
            EXPECT_EQ(format(column, row).horizontal, HorizontalAlignment::Center) << row;
        EXPECT_EQ(format(U"G", row).horizontal, HorizontalAlignment::General);
    }
    EXPECT_EQ(format(U"B", 8).numberFormat, CellFormat{}.numberFormat);
    EXPECT_EQ(w().Edit15.text(), U"8");
    EXPECT_EQ(sheet().activeCell(), (platform::CellRef{8, 2}));
    EXPECT_EQ(clipboard.text(), U"") << "whatever it held before";
    driver.expectNoMessage();
    expectEndedNormally();
}

// The selection moves once: to the row after the block, or, when the block
// ends on the sheet's last row, to the target cell.
TEST_F(TransferTest, TheSelectionMovesOnceAtTheEnd) {
    fillList(w().RadioButton17, ThreeBoxLines);
    const auto count = [&](const char* call) {
        return std::count(spreadsheet.calls().begin(), spreadsheet.calls().end(), call);
    };
    for (const auto& [row, selected, nextRow] :
         {std::tuple{5, platform::CellRef{8, 2}, U"8"},
          std::tuple{platform::kMaxRow - 2, platform::CellRef{platform::kMaxRow - 2, 2}, U"1048577"}}) {
        SCOPED_TRACE(row);
        target(U"B", numberText(row));
        spreadsheet.clearCalls();
        transferOverwriting();
        EXPECT_EQ(rowValues(ThreeBoxColumns, row + 2), ThreeBoxLines[2]);
        EXPECT_EQ(count("Range.select") + count("Range.activate"), 1);
        EXPECT_EQ(sheet().activeCell(), selected);
        EXPECT_EQ(w().Edit15.text(), nextRow);
    }
}

TEST_F(TransferTest, SpacingAndReverseOrderPlaceTheLinesAndLeaveTheRowsBetween) {
    struct Case {
        ui::RadioButton* spacing;
        bool reverse;
        std::vector<int> rows; // of ThreeBoxLines' lines, in list order
        Text nextRow;
    };
    const Case cases[] = {
        {&w().RadioButton1, false, {5, 6, 7}, U"8"},
        {&w().RadioButton2, false, {5, 7, 9}, U"11"},
        {&w().RadioButton4, true, {13, 9, 5}, U"17"},
    };
    fillList(w().RadioButton17, ThreeBoxLines);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.spacing->name());
        sheet() = FakeSheetContent(U"Sheet1");
        for (int row = 4; row <= 18; ++row)
            sheet().setValue(U"B" + numberText(row), U"keep");
        driver.click(*c.spacing);
        if (c.reverse) {
            driver.advance(500); // the periodic refresh offers 逆順で転送する
            ASSERT_TRUE(w().gyak1.enabled());
        }
        target(U"B", U"5");
        driver.answer(Answer::Yes);
        if (c.reverse) {
            driver.rightClick(w().Panel2);
            driver.chooseMenuItem(w().gyak1);
        } else {
            driver.press("F9");
        }
        driver.expectMessage(TransferCommand::OverwriteQuestion);
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_EQ(rowValues(ThreeBoxColumns, c.rows[i]), ThreeBoxLines[i]) << i;
        for (int row = 4; row <= 18; ++row) {
            if (std::find(c.rows.begin(), c.rows.end(), row) == c.rows.end()) {
                EXPECT_EQ(cell(U"B", row), U"keep") << "row " << row << " is not the transfer's";
            }
        }
        EXPECT_EQ(w().Edit15.text(), c.nextRow);
        expectEndedNormally();
    }
    // The reverse order held for that one transfer only.
    sheet() = FakeSheetContent(U"Sheet1");
    driver.click(w().RadioButton1);
    target(U"B", U"5");
    transferOverwriting();
    EXPECT_EQ(cell(U"B", 5), U"W1");
}

TEST_F(TransferTest, ASpacedTransferWritesAllItsLinesInOneHostCall) {
    std::vector<std::vector<std::string>> callsByLength;
    for (const int count : {3, 40}) {
        SCOPED_TRACE(count);
        Lines lines;
        for (int i = 1; i <= count; ++i)
            lines.push_back({U"W" + numberText(i), numberText(i), U"", U"", U""});
        w().list().clearAllRows();
        fillList(w().RadioButton17, lines);
        driver.click(w().RadioButton3); // 2行置
        sheet() = FakeSheetContent(U"Sheet1");
        target(U"B", U"2");
        spreadsheet.clearCalls();
        transferOverwriting();
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(rowValues(ThreeBoxColumns, 2 + 3 * i), lines[static_cast<std::size_t>(i)]) << i;
        EXPECT_EQ(w().Edit15.text(), numberText(2 + 3 * count));
        const std::vector<std::string>& calls = spreadsheet.calls();
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "Range.setValuesEvery"), 1);
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "Range.setValues"), 0);
        callsByLength.push_back(calls);
    }
    EXPECT_EQ(callsByLength[0], callsByLength[1]) << "the same calls for 3 lines as for 40";
}

TEST_F(TransferTest, EnterInTheRowBoxTransfersAgainBelowThePreviousCopy) {
    fillList(w().RadioButton17, ThreeBoxLines);
    driver.click(w().RadioButton2);
    w().CheckBox35.setChecked(true);
    target(U"B", U"5");
    driver.click(w().Button21);
    driver.click(w().Edit15);
    driver.press("Enter");
    EXPECT_EQ(w().Edit15.text(), U"17");
    EXPECT_EQ(cell(U"B", 11), U"W1");
    EXPECT_EQ(cell(U"B", 15), U"W3");
    driver.expectNoMessage();
}

TEST_F(TransferTest, InsertModeShiftsTheCellsBelowTheBlockDown) {
    fillList(w().RadioButton17, ThreeBoxLines);
    w().CheckBox35.setChecked(true);
    sheet().setValue(U"B5", U"old B5");
    sheet().setValue(U"F6", U"old F6");
    sheet().setValue(U"G5", U"beside");
    target(U"B", U"5");
    driver.click(w().Button21);
    driver.expectNoMessage();
    EXPECT_EQ(cell(U"B", 8), U"old B5");
    EXPECT_EQ(cell(U"F", 9), U"old F6");
    EXPECT_EQ(cell(U"G", 5), U"beside") << "columns right of the block stay";
    EXPECT_EQ(cell(U"B", 5), U"W1");
}

TEST_F(TransferTest, WithoutCountsOnlyTheTargetColumnIsWrittenFormattedAndShifted) {
    fillList(w().RadioButton16, {{U"W1", U"", U""}, {U"W2", U"", U""}});
    w().CheckBox35.setChecked(true);
    sheet().setValue(U"C2", U"old C2");
    sheet().setValue(U"D2", U"old D2");
    target(U"C", U"2");
    driver.click(w().Button21);
    EXPECT_EQ(rowValues({U"C", U"D"}, 2), (std::vector<Text>{U"W1", U"old D2"}));
    EXPECT_EQ(rowValues({U"C", U"D"}, 3), (std::vector<Text>{U"W2", U""}));
    EXPECT_EQ(cell(U"C", 4), U"old C2");
    EXPECT_EQ(format(U"C", 2).numberFormat, U"@");
    EXPECT_EQ(format(U"C", 3).horizontal, HorizontalAlignment::Center);
    EXPECT_EQ(format(U"D", 2), CellFormat{});
    EXPECT_EQ(w().Edit15.text(), U"4");
}

TEST_F(TransferTest, TextModeStringsLandRightOfTheTargetColumn) {
    fillList(w().RadioButton18, {{U"W1", U"盤A"}, {U"W2", U""}});
    target(U"Y", U"1");
    transferOverwriting();
    EXPECT_EQ(rowValues({U"Y", U"Z"}, 1), (std::vector<Text>{U"W1", U"盤A"}));
    EXPECT_EQ(rowValues({U"Y", U"Z"}, 2), (std::vector<Text>{U"W2", U""}));
    EXPECT_EQ(format(U"Z", 1).numberFormat, U"@") << "the last block column";
}

TEST_F(TransferTest, AColumnNumberNamesItsLettersAndOneOutsideEndsSilently) {
    fillList(w().RadioButton16, {{U"W1", U"", U""}});
    w().CheckBox35.setChecked(true);
    target(U"27", U"1");
    driver.click(w().Button21);
    EXPECT_EQ(cell(U"AA", 1), U"W1");

    for (const TextView column : {U"0", U"101"}) {
        SCOPED_TRACE(Text(column).size());
        sheet() = FakeSheetContent(U"Sheet1");
        target(column, U"1");
        spreadsheet.clearCalls();
        driver.click(w().Button21);
        EXPECT_TRUE(sheet().values().empty());
        EXPECT_EQ(spreadsheet.calls(),
                  (std::vector<std::string>{"Application.visible", "Application.activeCell"}))
            << "nothing written";
        driver.expectNoMessage();
        EXPECT_EQ(w().Edit15.text(), U"1");
        EXPECT_EQ(app.cursor(), ui::Cursor::Default);
        EXPECT_TRUE(w().Timer2.enabled());
    }
}

TEST_F(TransferTest, CellWidthLinkingFitsTheTargetColumnToTheLongestText) {
    const struct {
        Text longest;
        double width;
    } cases[] = {
        {U"WIRE-1234567", 14},   // 12 characters and two of room
        {U"【WIRE-12345】", 12}, // numbering brackets: the text alone
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        w().list().clearAllRows();
        w().list().updateNextFreeRow();
        driver.idle();
        fillList(w().RadioButton17, {{c.longest, U"1", U"", U"", U""}, {U"W2", U"", U"", U"", U""}});
        sheet() = FakeSheetContent(U"Sheet1");
        sheet().setColumnWidth(2, 8.43);
        w().CheckBox39.setChecked(true);
        w().CheckBox35.setChecked(true);
        target(U"B", U"3");
        driver.click(w().Button21);
        EXPECT_EQ(sheet().columnWidth(2), c.width);
        for (int column = 3; column <= 6; ++column)
            EXPECT_EQ(sheet().columnWidth(column), 6) << column;
        EXPECT_EQ(sheet().columnWidth(7), FakeSheetContent::kStandardColumnWidth);
    }
}

TEST_F(TransferTest, TheActiveCellBeyondColumnCVIsConfirmed) {
    fillList(w().RadioButton16, {{U"W1", U"", U""}});
    w().CheckBox35.setChecked(true);
    target(U"B", U"2");
    spreadsheet.userSelects(U"CW1");
    driver.answer(Answer::Cancel);
    driver.click(w().Button21);
    driver.expectMessage(TransferCommand::ActiveCellBeyondQuestion, platform::Buttons::YesCancel);
    EXPECT_TRUE(sheet().values().empty());
    EXPECT_TRUE(w().Timer2.enabled());

    driver.answer(Answer::Yes);
    driver.click(w().Button21);
    EXPECT_EQ(cell(U"B", 2), U"W1");
}

TEST_F(TransferTest, CancellingTheOverwriteQuestionChangesNothing) {
    fillList(w().RadioButton16, {{U"W1", U"", U""}});
    target(U"B", U"2");
    spreadsheet.clearCalls();
    driver.answer(Answer::Cancel);
    driver.click(w().Button21);
    EXPECT_TRUE(sheet().values().empty());
    EXPECT_EQ(spreadsheet.calls(), std::vector<std::string>{"Application.visible"});
    EXPECT_EQ(w().Edit15.text(), U"2");
}

TEST_F(TransferTest, NothingToTransferOnlyReturnsToTheEntryField) {
    target(U"B", U"2");
    driver.click(w().Edit15);
    spreadsheet.clearCalls();
    driver.click(w().Button21); // an empty list
    EXPECT_EQ(app.focusedControl(), &w().Edit3);
    fillList(w().RadioButton16, {{U"W1", U"", U""}});
    w().Edit14.setText(U"");
    driver.click(w().Button21);
    EXPECT_TRUE(sheet().values().empty());
    for (const std::string& call : spreadsheet.calls())
        EXPECT_EQ(call, "Application.visible") << "asked nothing else";
    driver.expectNoMessage();
}

TEST_F(TransferTest, AHostFailurePartWayKeepsWhatWasWrittenAndSaysTheHostIsBusy) {
    fillList(w().RadioButton17, ThreeBoxLines);
    driver.click(w().RadioButton2);
    w().CheckBox35.setChecked(true);
    target(U"B", U"5");
    clipboard.setText(U"earlier");
    spreadsheet.failOperationAfter("Range.setValues", 1);
    driver.click(w().Button21);
    driver.expectMessage(HostBusyMessage);
    EXPECT_EQ(rowValues(ThreeBoxColumns, 5), ThreeBoxLines[0]) << "the first line stays written";
    EXPECT_EQ(cell(U"B", 7), U"");
    EXPECT_EQ(w().Edit15.text(), U"5");
    EXPECT_EQ(app.cursor(), ui::Cursor::Default);
    EXPECT_TRUE(w().Timer2.enabled());

    // The next transfer is in list order again and writes everything.
    spreadsheet.clearFailures();
    dialogs.clearTranscript();
    driver.click(w().Button21);
    driver.expectNoMessage();
    EXPECT_EQ(w().Edit15.text(), U"11");
}

TEST_F(TransferTest, MultiLineMarksKeepTheirLineBreaksInOneCell) {
    fillList(w().RadioButton17, {{U"上段\r\n下段", U"2", U"", U"", U""}, {U"W2", U"", U"", U"", U""}});
    w().CheckBox35.setChecked(true);
    target(U"B", U"1");
    driver.click(w().Button21);
    EXPECT_EQ(rowValues(ThreeBoxColumns, 1), (std::vector<Text>{U"上段\r\n下段", U"2", U"", U"", U""}));
    EXPECT_EQ(cell(U"B", 2), U"W2");
}

} // namespace
} // namespace lumitag::sheet::test
