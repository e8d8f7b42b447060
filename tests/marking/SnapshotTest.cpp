#include "marking/Snapshot.h"

#include <gtest/gtest.h>

namespace lumitag::marking {
namespace {

TEST(Snapshot, WritesTheRowThenOneTabJoinedLinePerRowEachEndedByCrLf) {
    EXPECT_EQ(makeSnapshot(3, {{U"1-A", U"2", U""}, {U"", U"", U"5"}}), U"3\r\n1-A\t2\t\r\n\t\t5\r\n");
    EXPECT_EQ(makeSnapshot(1, {}), U"1\r\n");
}

TEST(Snapshot, SplitsOffLineOneAsTheRowToSelect) {
    struct Case {
        TextView snapshot;
        int row;
        Text body;
    };
    const Case cases[] = {
        {U"12\r\nA\t1\r\n", 12, U"A\t1\r\n"},
        {U"4\r\nno line break", 4, U"no line break"},
        {U"7", 7, U""},
        {U"", 1, U""},
        {U"x9\r\nA\r\n", 1, U"A\r\n"}, // not a row number: the first row
        {U"99999999999\r\n", 1, U""},
    };
    for (const Case& c : cases) {
        const SnapshotParts parts = splitSnapshot(c.snapshot);
        EXPECT_EQ(parts.selectRow, c.row);
        EXPECT_EQ(parts.body, c.body);
    }
}

TEST(Snapshot, ParsesCrTerminatedLinesAtTheirTabs) {
    struct Case {
        TextView text;
        std::vector<RowFields> rows;
    };
    const Case cases[] = {
        {U"A\tB\tC\r\nD\r\n", {{U"A", U"B", U"C"}, {U"D"}}},
        {U"A\tB\r\nlast without CR", {{U"A", U"B"}}},
        {U"A\rB\r", {{U"A"}, {U"B"}}}, // a lone CR ends a line too
        {U"A\r\n\r\n", {{U"A"}, {U""}}},
        {U"A\t\r\n", {{U"A", U""}}},
        {U"\n\r\n", {{U"\n"}}}, // only the LF right after a CR belongs to the break
        {U"no line break", {}},
        {U"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseLines(c.text), c.rows) << std::string(c.text.begin(), c.text.end());
}

TEST(Snapshot, ParsingAWrittenSnapshotGivesItsRowsBack) {
    const std::vector<RowFields> rows{{U"【1】-A", U"3", U"5"}, {U"", U"", U""}, {U"漢字", U"", U"F"}};
    const SnapshotParts parts = splitSnapshot(makeSnapshot(2, rows));
    EXPECT_EQ(parts.selectRow, 2);
    EXPECT_EQ(parseLines(parts.body), rows);
}

} // namespace
} // namespace lumitag::marking
