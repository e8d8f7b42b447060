#include "markerfile/MarkerData.h"
#include "markerfile/MarkerFileTestSupport.h"

#include <gtest/gtest.h>

namespace lumitag::markerfile {
namespace {

using testsupport::storeWithRows;
using testsupport::tableRow;

std::vector<Text> withTableFontHeader(std::vector<Text> data) {
    std::vector<Text> lines =
        RebuildFilledHeader(storeWithRows({tableRow(U"1", U"A", U"1")}), 0, 0).tableFontLines();
    lines.insert(lines.end(), data.begin(), data.end());
    return lines;
}

std::vector<Text> withWindowsFontHeader(std::vector<Text> data) {
    std::vector<Text> lines =
        RebuildFilledHeader(storeWithRows({tableRow(U"1", U"A", U"1")}), 0, 0).windowsFontLines();
    lines.insert(lines.end(), data.begin(), data.end());
    return lines;
}

TEST(SplitDataLine, MissingTabsLeaveTheTextToTheLaterPart) {
    const struct {
        TextView line;
        TextView first, second, rest;
    } cases[] = {
        {U"a\tb\tc", U"a", U"b", U"c"},   {U"a\tb\tc\td", U"a", U"b", U"c\td"},
        {U"no tab", U"", U"", U"no tab"}, {U"a\tb", U"a", U"", U"b"},
        {U"\t\t", U"", U"", U""},         {U"", U"", U"", U""},
        {U"a\t\t", U"a", U"", U""},
    };
    for (const auto& c : cases) {
        const SplitDataLine split = splitDataLine(c.line);
        EXPECT_EQ(split.first, c.first);
        EXPECT_EQ(split.second, c.second);
        EXPECT_EQ(split.rest, c.rest);
    }
}

TEST(HeaderlessEscapes, ReplaceTheFirstBackslashBracketPairsOnce) {
    const struct {
        TextView line;
        TextView expected;
    } cases[] = {
        {U"ab\\[1\\]cd", U"ab【1】cd"},
        {U"\\[\\[", U"【\\["},
        // The first "[" comes before the first "\": no opening escape.
        {U"[x\\[", U"[x\\["},
        {U"\\]\\[", U"】\\["},
        {U"a\\b[c", U"a\\b[c"},
        {U"\\", U"\\"},
        {U"", U""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(replaceHeaderlessEscapes(c.line), c.expected);
}

TEST(ParseMarkerData, HeaderlessFileAppliesTheEscapesAndAHeaderedOneDoesNot) {
    const ParsedMarkerData headerless = ParseMarkerData({U"ab\\[1\\]cd\t2\t", U"no tab"});
    EXPECT_EQ(headerless.form, ParsedForm::Headerless);
    EXPECT_EQ(headerless.lines,
              (std::vector<ImportedLine>{{U"ab【1】cd", U"2", U""}, {U"", U"", U"no tab"}}));

    const ParsedMarkerData tableFont = ParseMarkerData(withTableFontHeader({U"ab\\[1\\]cd\t2\t7"}));
    EXPECT_EQ(tableFont.form, ParsedForm::TableFont);
    EXPECT_EQ(tableFont.lines, (std::vector<ImportedLine>{{U"ab\\[1\\]cd", U"2", U"7"}}));
}

TEST(ParseMarkerData, WindowsFontLinesGiveCountThenTextAndNoNumbering) {
    const ParsedMarkerData parsed =
        ParseMarkerData(withWindowsFontHeader({U"3\tＡＢ\t\t\t\t\t\t\t\t\t\t", U"1\tX\tignored"}));
    EXPECT_EQ(parsed.form, ParsedForm::WindowsFont);
    EXPECT_EQ(parsed.lines, (std::vector<ImportedLine>{{U"ＡＢ", U"3", U""}, {U"X", U"1", U""}}));
    EXPECT_EQ(parsed.lineLimit, 100u);
}

TEST(ParseMarkerData, RefusesMultiColumnAndUnknownFontFiles) {
    std::vector<Text> twoColumns = withWindowsFontHeader({U"1\tX"});
    twoColumns[6] = U"Column=2";
    const ParsedMarkerData multiColumn = ParseMarkerData(twoColumns);
    EXPECT_EQ(multiColumn.form, ParsedForm::WindowsFontMultiColumn);
    EXPECT_FALSE(multiColumn.accepted());
    EXPECT_TRUE(multiColumn.lines.empty());

    std::vector<Text> unknown = withTableFontHeader({U"X\t1\t"});
    unknown[4] = U"FontFlag=2";
    EXPECT_EQ(ParseMarkerData(unknown).form, ParsedForm::UnknownFontFlag);
    EXPECT_TRUE(ParseMarkerData(unknown).lines.empty());

    // A marker line too early for a font line: the missing line is no known font.
    EXPECT_EQ(ParseMarkerData({U"[Condition]", U"[MarkingData]", U"X\t1\t"}).form,
              ParsedForm::UnknownFontFlag);
}

TEST(ParseMarkerData, MarkerLineIsSearchedFromTheSecondLineOn) {
    // A marker in line 0 does not count: the whole file is headerless data.
    const ParsedMarkerData parsed = ParseMarkerData({U"[MarkingData]", U"X\t1\t"});
    EXPECT_EQ(parsed.form, ParsedForm::Headerless);
    EXPECT_EQ(parsed.lines.size(), 2u);

    // Only an exact marker line counts.
    std::vector<Text> lines = withTableFontHeader({U"X\t1\t"});
    lines[28] = U"[MarkingData] ";
    EXPECT_EQ(ParseMarkerData(lines).form, ParsedForm::Headerless);
}

TEST(ParseMarkerData, ImportLimitsKeepTheLinesBeforeTheLimit) {
    std::vector<Text> headerless;
    for (int i = 0; i < 1001; ++i)
        headerless.push_back(U"L\t1\t");
    ParsedMarkerData parsed = ParseMarkerData(headerless);
    EXPECT_EQ(parsed.lines.size(), 1000u);
    EXPECT_TRUE(parsed.limitExceeded);

    // A full list saved by this program ends with a separator line beyond the
    // limit; it carries nothing, so the import is complete.
    headerless.back() = U"\t\t";
    parsed = ParseMarkerData(withTableFontHeader(headerless));
    EXPECT_EQ(parsed.lines.size(), 1000u);
    EXPECT_FALSE(parsed.limitExceeded);

    std::vector<Text> windows;
    for (int i = 0; i < 101; ++i)
        windows.push_back(U"1\tＡ\t\t\t\t\t\t\t\t\t\t");
    parsed = ParseMarkerData(withWindowsFontHeader(windows));
    EXPECT_EQ(parsed.lines.size(), 100u);
    EXPECT_TRUE(parsed.limitExceeded);
}

TEST(ParseMarkerData, SavedFilesReadBackAsTheirLines) {
    const std::vector<std::vector<Text>> list = {
        {U"1", U"1-A", U"2", U""}, {U"2", U"【5】X", U"1", U"7"}, {U"3", U"Z", U"3", U""}};
    const struct {
        TextView workMode;
        FullWidth fullWidth;
        TableFile tableFile;
        ParsedForm form;
        std::vector<ImportedLine> expected;
    } cases[] = {
        {U"1",
         FullWidth::No,
         TableFile::Present,
         ParsedForm::TableFont,
         {{U"1-A", U"2", U""}, {U"【5】X", U"1", U"7"}, {U"Z", U"3", U""}, {}}},
        {U"3",
         FullWidth::No,
         TableFile::Present,
         ParsedForm::TableFont,
         {{U"1-A", U"2", U""}, {U"【5】X", U"1", U"7"}, {U"Z", U"3", U""}, {U" ", U"1", U""}}},
        {U"3",
         FullWidth::No,
         TableFile::Missing,
         ParsedForm::Headerless,
         {{U"1-A", U"2", U""}, {U"【5】X", U"1", U"7"}, {U"Z", U"3", U""}, {}}},
        {U"1",
         FullWidth::Yes,
         TableFile::Present,
         ParsedForm::WindowsFont,
         {{U"1-A", U"2", U""}, {U"【5】X", U"1", U""}, {U"Z", U"3", U""}, {}}},
        {U"3",
         FullWidth::Yes,
         TableFile::Present,
         ParsedForm::WindowsFont,
         {{U"1-A", U"2", U""}, {U"【5】X", U"1", U""}, {U"Z", U"3", U""}, {U"　", U"1", U""}}},
    };
    for (const auto& c : cases) {
        MarkerDataSource source;
        source.lines = list;
        source.fullWidth = c.fullWidth;
        source.tableFile = c.tableFile;
        const ConditionHeader header =
            RebuildFilledHeader(storeWithRows({tableRow(U"1", U"_", Text(c.workMode))}), 0, 0);
        const BuiltMarkerData built = BuildMarkerData(header, source);
        ASSERT_TRUE(built.ok());
        const ParsedMarkerData parsed = parseMarkerDataFile(encodeMarkerData(built.data.lines));
        EXPECT_EQ(parsed.form, c.form);
        EXPECT_EQ(parsed.lines, c.expected);
        EXPECT_FALSE(parsed.limitExceeded);
    }
}

TEST(ParseMarkerData, ReadsUtf8FilesWithAByteOrderMark) {
    const ParsedMarkerData parsed = parseMarkerDataFile("\xEF\xBB\xBF\xE7\x9B\xA4\t1\t\r\n");
    EXPECT_EQ(parsed.lines, (std::vector<ImportedLine>{{U"盤", U"1", U""}}));
}

} // namespace
} // namespace lumitag::markerfile
