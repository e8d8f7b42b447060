#include "sheet/ColumnRowSizing.h"

#include "platform/spreadsheet/fake/FakeSpreadsheetHost.h"
#include "sheet/ColumnRowLists.h"
#include "sheet/ColumnRowSizes.h"

#include <gtest/gtest.h>

namespace lumitag::sheet {
namespace {

using Spans = std::vector<ListSpan>;

std::string show(TextView text) {
    std::string out;
    for (const char32_t c : text)
        out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

TEST(ColumnRowLists, ColumnListsNameSingleColumnsAndRangesOfFirstLetters) {
    const struct {
        const char32_t* list;
        Spans spans;
    } cases[] = {
        {U"A:F,G,I,K,M:P", {{1, 6}, {7, 7}, {9, 9}, {11, 11}, {13, 16}}},
        {U"A:C,E", {{1, 3}, {5, 5}}},
        {U"E:C", {}}, // a range backwards covers nothing
        {U"A,E:C,B", {{1, 1}, {2, 2}}},
        {U"AB", {{28, 28}}},  // a single item is used whole
        {U"AA:AC", {{1, 1}}}, // a range counts the first letters only
        {U"CV", {{100, 100}}},
        {U"B:B,B", {{2, 2}, {2, 2}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(show(c.list));
        const auto parsed = parseColumnList(c.list);
        ASSERT_TRUE(parsed.ok()) << parsed.reason();
        EXPECT_EQ(parsed.value(), c.spans);
    }
}

TEST(ColumnRowLists, RowListsNameRowsAndRanges) {
    const auto parsed = parseRowList(U"1:15,17,19,21,23:30", platform::kMaxRow);
    ASSERT_TRUE(parsed.ok());
    EXPECT_EQ(parsed.value(), (Spans{{1, 15}, {17, 17}, {19, 19}, {21, 21}, {23, 30}}));
    EXPECT_EQ(parseRowList(U"9:3", 100).value(), Spans{});
    EXPECT_EQ(parseRowList(U"1048576", platform::kMaxRow).value(), (Spans{{1048576, 1048576}}));
}

TEST(ColumnRowLists, BadListsAreRefusedWhole) {
    const char32_t* columnLists[] = {
        U"",   U",",   U"A,", U",A",  U"A,,B", U"A:", U":B",  U"A::B",   U"A:B:C", U"DA",  U"A:DA",
        U"CW", U"AAA", U"a",  U"A B", U" A",   U"Ａ", U"A;B", U"A:F,G,", U"1",     U"A-C",
    };
    for (const char32_t* list : columnLists) {
        SCOPED_TRACE(show(list));
        EXPECT_FALSE(parseColumnList(list).ok());
    }
    const char32_t* rowLists[] = {
        U"",
        U"0",
        U"0:3",
        U"3:0",
        U"-1",
        U"1:-3",
        U"01",
        U"1,,2",
        U"1:",
        U"1:2:3",
        U"1 ",
        U"１",
        U"1.5",
        U"A",
        U"101",
        U"1:101",
        U"99999999999999999999",
    };
    for (const char32_t* list : rowLists) {
        SCOPED_TRACE(show(list));
        EXPECT_FALSE(parseRowList(list, 100).ok());
    }
}

TEST(ColumnRowSizes, MillimetresBecomeCharactersAndPoints) {
    EXPECT_NEAR(columnWidthFromMillimetres(20), 9.6078024, 1e-6);
    // Points are 1/72 inch: 10 mm are 28.35 points, 18 mm 51.02.
    EXPECT_NEAR(rowHeightFromMillimetres(10), 28.3464567, 1e-6);
    EXPECT_NEAR(rowHeightFromMillimetres(18), 51.0236220, 1e-6);
}

TEST(ColumnRowSizes, LengthsAreDecimalNumbers) {
    const struct {
        const char32_t* text;
        std::optional<double> value;
    } cases[] = {
        {U"12", 12},
        {U"12.5", 12.5},
        {U".5", 0.5},
        {U"12.", 12},
        {U"0", 0},
        {U"", std::nullopt},
        {U".", std::nullopt},
        {U"1.2.3", std::nullopt},
        {U"1,5", std::nullopt},
        {U"-1", std::nullopt},
        {U"１２", std::nullopt},
        {U"1e3", std::nullopt},
        {U" 1", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(show(c.text));
        EXPECT_EQ(parseLength(c.text), c.value);
    }
}

TEST(ColumnRowSizes, PrintCorrectionIsTwoLessMeasuredOverTarget) {
    EXPECT_DOUBLE_EQ(*printCorrectionFactor(100, 110), 0.9);
    EXPECT_DOUBLE_EQ(*printCorrectionFactor(100, 95), 1.05);
    EXPECT_DOUBLE_EQ(*printCorrectionFactor(100, 100), 1.0);
    EXPECT_FALSE(printCorrectionFactor(0, 10));    // no target
    EXPECT_FALSE(printCorrectionFactor(100, 200)); // would make every size 0
    EXPECT_FALSE(printCorrectionFactor(100, 250)); // would make sizes negative
}

// Plans read the texts as the window holds them; applying sets one call per span.
class ColumnRowSizingOnSheet : public ::testing::Test {
protected:
    ColumnRowSizingOnSheet() {
        host.userStartsSpreadsheet();
        host.userCreatesWorkbook(U"Book1");
        host.connect();
        sheet = host.activeSheet();
    }
    platform::FakeSheetContent& content() { return host.activeSheetContent(); }

    platform::FakeSpreadsheetHost host;
    std::shared_ptr<platform::Worksheet> sheet;
};

TEST_F(ColumnRowSizingOnSheet, WidthsGoToTheListedColumnsOnly) {
    const auto plan = planColumnWidths(U"A:C,E,AB", U"20", WidthUnit::Millimetres);
    ASSERT_TRUE(plan.ok());
    applyColumnWidths(*sheet, plan.value());
    for (const int column : {1, 2, 3, 5, 28})
        EXPECT_NEAR(content().columnWidth(column), 9.6078024, 1e-6) << column;
    for (const int column : {4, 6, 27, 29})
        EXPECT_EQ(content().columnWidth(column), platform::FakeSheetContent::kStandardColumnWidth) << column;
}

TEST_F(ColumnRowSizingOnSheet, HeightsGoToTheListedRowsOnly) {
    const auto plan = planRowHeights(U"1:3,5", U"24.75", HeightUnit::Points);
    ASSERT_TRUE(plan.ok());
    applyRowHeights(*sheet, plan.value());
    for (const int row : {1, 2, 3, 5})
        EXPECT_EQ(content().rowHeight(row), 24.75) << row;
    EXPECT_EQ(content().rowHeight(4), platform::FakeSheetContent::kStandardRowHeight);
}

TEST_F(ColumnRowSizingOnSheet, SizesAColumnCannotHaveAreRefusedBeforeAnythingIsSet) {
    // 1 mm is narrower than the padding of a column.
    EXPECT_FALSE(planColumnWidths(U"A", U"1", WidthUnit::Millimetres).ok());
    EXPECT_FALSE(planColumnWidths(U"A", U"1.2.3", WidthUnit::Characters).ok());
    EXPECT_FALSE(planColumnWidths(U"A,,B", U"12", WidthUnit::Characters).ok());
    EXPECT_FALSE(planRowHeights(U"1,0", U"12", HeightUnit::Points).ok());
}

TEST_F(ColumnRowSizingOnSheet, PrintCorrectionScalesEachSizeInTheRanges) {
    content().setColumnWidth(2, 10);
    content().setColumnWidth(3, 20);
    content().setRowHeight(4, 30);
    const auto plan = planPrintCorrection({
        .firstColumn = U"B",
        .lastColumn = U"C",
        .columnTarget = U"100",
        .columnMeasured = U"110",
        .firstRow = U"4",
        .lastRow = U"5",
        .rowTarget = U"100",
        .rowMeasured = U"95",
    });
    ASSERT_TRUE(plan.ok()) << plan.reason();
    applyPrintCorrection(*sheet, plan.value());
    EXPECT_DOUBLE_EQ(content().columnWidth(2), 9);
    EXPECT_DOUBLE_EQ(content().columnWidth(3), 18);
    EXPECT_EQ(content().columnWidth(1), platform::FakeSheetContent::kStandardColumnWidth);
    EXPECT_DOUBLE_EQ(content().rowHeight(4), 31.5);
    EXPECT_DOUBLE_EQ(content().rowHeight(5), platform::FakeSheetContent::kStandardRowHeight * 1.05);
}

TEST(ColumnRowSizing, PrintCorrectionLeavesOutGroupsNotFilledAndRefusesBadOnes) {
    const PrintCorrectionTexts columnsOnly{U"A", U"C", U"100", U"110", U"1", U"", U"100", U"110"};
    const auto plan = planPrintCorrection(columnsOnly);
    ASSERT_TRUE(plan.ok());
    EXPECT_TRUE(plan.value().columns.has_value());
    EXPECT_FALSE(plan.value().rows.has_value());
    EXPECT_EQ(planPrintCorrection({U"C", U"A", U"100", U"110"}).value().columns->span, (ListSpan{3, 1}));

    const PrintCorrectionTexts bad[] = {
        {U"A", U"C", U"0", U"110"},     // target 0
        {U"A", U"C", U"100", U"200"},   // measured twice the target
        {U"A", U"C", U"1.0.0", U"110"}, // not a number
        {U"AA", U"C", U"100", U"110"},  // columns A to Z only
        {U"a", U"C", U"100", U"110"},
        // A good column group does not run when the row group is bad.
        {U"A", U"C", U"100", U"110", U"0", U"3", U"100", U"110"},
        {U"A", U"C", U"100", U"110", U"1", U"3", U"100", U"X"},
        {U"", U"", U"", U"", U"1", U"1048577", U"100", U"110"},
    };
    for (const auto& texts : bad)
        EXPECT_FALSE(planPrintCorrection(texts).ok()) << show(texts.firstColumn) << show(texts.firstRow);
}

} // namespace
} // namespace lumitag::sheet
