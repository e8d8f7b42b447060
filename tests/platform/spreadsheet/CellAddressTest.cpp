#include "platform/spreadsheet/CellAddress.h"

#include <gtest/gtest.h>

namespace lumitag::platform {
namespace {

TEST(ColumnLetters, NumbersAndLettersCorrespond) {
    const struct {
        int column;
        const char32_t* letters;
    } cases[] = {{1, U"A"},   {26, U"Z"},   {27, U"AA"},  {52, U"AZ"},   {53, U"BA"},    {78, U"BZ"},
                 {79, U"CA"}, {100, U"CV"}, {702, U"ZZ"}, {703, U"AAA"}, {16384, U"XFD"}};
    for (const auto& c : cases) {
        EXPECT_EQ(columnLetters(c.column), Text(c.letters)) << c.column;
        EXPECT_EQ(columnNumber(c.letters), c.column) << c.column;
    }
}

TEST(ColumnLetters, EveryColumnRoundTrips) {
    for (int column = 1; column <= kMaxColumn; ++column) {
        ASSERT_EQ(columnNumber(*columnLetters(column)), column);
    }
}

TEST(ColumnLetters, RefusesWhatNamesNoColumn) {
    for (const int column : {0, -1, kMaxColumn + 1}) {
        EXPECT_EQ(columnLetters(column), std::nullopt) << column;
    }
    for (const TextView letters : {U"", U"A1", U"1", U" A", U"Ａ", U"A-", U"XFE", U"AAAA"}) {
        EXPECT_EQ(columnNumber(letters), std::nullopt);
    }
    EXPECT_EQ(columnNumber(U"cv"), 100);
}

TEST(ColumnLetters, ProgramColumnsStopAtCV) {
    EXPECT_EQ(programColumnLetters(1), U"A");
    EXPECT_EQ(programColumnLetters(100), U"CV");
    EXPECT_EQ(programColumnLetters(101), std::nullopt);
    EXPECT_EQ(programColumnLetters(0), std::nullopt);
    EXPECT_EQ(programColumnNumber(U"CV"), 100);
    EXPECT_EQ(programColumnNumber(U"CW"), std::nullopt);
    EXPECT_EQ(programColumnNumber(U"AAA"), std::nullopt);
}

TEST(CellAddress, ParsesAndWritesAddresses) {
    const struct {
        const char32_t* text;
        CellRef cell;
    } cases[] = {{U"A1", {1, 1}},
                 {U"B12", {12, 2}},
                 {U"cv100", {100, 100}},
                 {U"AB7", {7, 28}},
                 {U"XFD1048576", {kMaxRow, kMaxColumn}}};
    for (const auto& c : cases) {
        EXPECT_EQ(parseCellAddress(c.text), c.cell) << static_cast<int>(c.cell.row);
    }
    EXPECT_EQ(cellAddress({12, 2}), U"B12");
    EXPECT_EQ(cellAddress({100, 100}), U"CV100");
}

TEST(CellAddress, RefusesMalformedAddresses) {
    for (const TextView text : {U"", U"B", U"12", U"B0", U"B012", U"$B$12", U"B 12", U"B12 ", U"B-1", U"XFE1",
                                U"A1048577", U"Ｂ１２", U"B1.5"}) {
        EXPECT_EQ(parseCellAddress(text), std::nullopt);
    }
}

TEST(CellArea, CornersInAnyOrderSpanTheSameArea) {
    const CellArea area = areaBetween({9, 6}, {5, 2});
    EXPECT_EQ(area, (CellArea{{5, 2}, {9, 6}}));
    EXPECT_EQ(area.rowCount(), 5);
    EXPECT_EQ(area.columnCount(), 5);
    EXPECT_TRUE(area.contains({5, 6}));
    EXPECT_FALSE(area.contains({10, 6}));
}

} // namespace
} // namespace lumitag::platform
