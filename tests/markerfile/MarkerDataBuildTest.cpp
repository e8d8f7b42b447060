#include "markerfile/MarkerData.h"
#include "markerfile/MarkerFileTestSupport.h"
#include "platform/fake/FakeFileSystem.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace lumitag::markerfile {
namespace {

using testsupport::crlf;
using testsupport::storeWithRows;
using testsupport::tableRow;

ConditionHeader headerFor(Text name, Text workMode) {
    return RebuildFilledHeader(storeWithRows({tableRow(U"1", std::move(name), std::move(workMode))}), 0, 0);
}

MarkerDataSource oneBoxList(std::vector<std::vector<Text>> lines, FullWidth fullWidth = FullWidth::No,
                            TableFile tableFile = TableFile::Present) {
    MarkerDataSource source;
    source.lines = std::move(lines);
    source.fullWidth = fullWidth;
    source.tableFile = tableFile;
    return source;
}

const std::vector<std::vector<Text>> threeAsciiLines = {
    {U"1", U"1-A", U"2", U""},
    {U"2", U"2-A", U"2", U""},
    {U"3", U"3-A", U"1", U"5"},
};

std::string builtBytes(const ConditionHeader& header, const MarkerDataSource& source) {
    const BuiltMarkerData built = BuildMarkerData(header, source);
    EXPECT_TRUE(built.ok());
    return encodeMarkerData(built.data.lines);
}

std::string tableFontHeaderBytes(std::string_view workMode) {
    const std::string workModeLine = "WorkMode=" + std::string(workMode);
    return crlf({"[Condition]",  "FileType=1",     "FileMode=0",         "Version=2",
                 "FontFlag=0",   "TableNo=1",      "Comment=TUBE",       "MojiSize=6",
                 workModeLine,   "WorkLength=14",  "PitchX=8",           "FrontSpace=16",
                 "BackSpace=17", "CutPosition=10", "PositionY=12",       "VerticalMax=13",
                 "CutType=22",   "MarkWay=7",      "PitchY= 5",          "Hosei=11",
                 "Numbering=15", "Density=18",     "RepeatMode=19",      "Label=20",
                 "CutHosei=21",  "SetCount=23",    "VerticalPosition=0", "HorizontalPosition=0",
                 "[MarkingData]"});
}

TEST(BuildMarkerData, TableFontFileIsHeaderDataLinesAndASeparatorLine) {
    const std::string bytes = builtBytes(headerFor(U"TUBE", U"1"), oneBoxList(threeAsciiLines));
    EXPECT_EQ(bytes, tableFontHeaderBytes("1") + crlf({"1-A\t2\t", "2-A\t2\t", "3-A\t1\t5", "\t\t"}));
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 33);
}

TEST(BuildMarkerData, OnlyWorkModeThreeReplacesTheSeparatorLineByTheTrailer) {
    const struct {
        TextView workMode;
        std::string_view lastLine;
    } cases[] = {{U"3", " \t1\t"}, {U"2", "\t\t"}, {U"0", "\t\t"}, {U"30", "\t\t"}, {U"", "\t\t"}};
    for (const auto& c : cases) {
        const BuiltMarkerData built =
            BuildMarkerData(headerFor(U"TUBE", Text(c.workMode)), oneBoxList(threeAsciiLines));
        ASSERT_TRUE(built.ok());
        EXPECT_EQ(built.data.form, MarkerDataForm::TableFont);
        ASSERT_EQ(built.data.lines.size(), 33u);
        EXPECT_EQ(encodeMarkerData({built.data.lines.back()}), std::string(c.lastLine) + "\r\n")
            << "WorkMode length " << c.workMode.size();
    }
}

TEST(BuildMarkerData, WindowsFontFileHasTheLongHeaderAndTwelveFieldsPerLine) {
    MarkerDataSource source =
        oneBoxList({{U"1", U"盤１", U"2", U"9"}, {U"2", U"X", U"", U""}}, FullWidth::Yes);
    const std::string bytes = builtBytes(headerFor(U"TUBE", U"3"), source);

    const std::string header = crlf({"[Condition]",
                                     "FileType=1",
                                     "FileMode=0",
                                     "Version=2",
                                     "FontFlag=1",
                                     "TableNo=1",
                                     "Column=1",
                                     "FontName=\x82\x6C\x82\x72 \x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E",
                                     "FontSize=18",
                                     "FontStyle=0",
                                     "CutExpand=0",
                                     "Comment=TUBE",
                                     "MojiSize=6",
                                     "WorkMode=3",
                                     "WorkLength=14",
                                     "PitchX=8",
                                     "FrontSpace=16",
                                     "BackSpace=17",
                                     "CutPosition=10",
                                     "PositionY=12",
                                     "VerticalMax=13",
                                     "CutType=22",
                                     "MarkWay=7",
                                     "PitchY=5",
                                     "Hosei=11",
                                     "Numbering=15",
                                     "Density=18",
                                     "RepeatMode=19",
                                     "Label=20",
                                     "CutHosei=21",
                                     "SetCount=23",
                                     "VerticalPosition=1",
                                     "HorizontalPosition=0",
                                     "[MarkingData]"});
    // The numbering is not written; the trailer's text is the ideographic space.
    const std::string data = crlf({"2\t\x94\xD5\x82\x50\t\t\t\t\t\t\t\t\t\t", "\tX\t\t\t\t\t\t\t\t\t\t",
                                   "1\t\x81\x40\t\t\t\t\t\t\t\t\t\t"});
    EXPECT_EQ(bytes, header + data);

    const BuiltMarkerData built = BuildMarkerData(headerFor(U"TUBE", U"3"), source);
    ASSERT_EQ(built.data.lines.size(), 34u + 3u);
    for (std::size_t i = 34; i < built.data.lines.size(); ++i)
        EXPECT_EQ(std::count(built.data.lines[i].begin(), built.data.lines[i].end(), U'\t'), 11)
            << "line " << i;
}

TEST(BuildMarkerData, WindowsFontSeparatorLineIsElevenTabs) {
    const BuiltMarkerData built =
        BuildMarkerData(headerFor(U"TUBE", U"2"), oneBoxList({{U"1", U"ＡＢ", U"1"}}, FullWidth::Yes));
    ASSERT_TRUE(built.ok());
    EXPECT_EQ(built.data.form, MarkerDataForm::WindowsFont);
    EXPECT_EQ(built.data.lines.back(), Text(11, U'\t'));
}

TEST(BuildMarkerData, HeaderlessFileWithoutTableFileHasDataLinesOnly) {
    // Even a header with work mode 3 gives no trailer: no header is written.
    const std::string bytes =
        builtBytes(headerFor(U"TUBE", U"3"), oneBoxList(threeAsciiLines, FullWidth::No, TableFile::Missing));
    EXPECT_EQ(bytes, crlf({"1-A\t2\t", "2-A\t2\t", "3-A\t1\t5", "\t\t"}));
    EXPECT_EQ(
        BuildMarkerData(ConditionHeader(), oneBoxList(threeAsciiLines, FullWidth::No, TableFile::Missing))
            .data.form,
        MarkerDataForm::Headerless);
}

TEST(BuildMarkerData, CommentLineLosesBlanksAndTheUnnamedTableMark) {
    const struct {
        Text tableName;
        TextView tableFontLine;
        TextView windowsFontLine;
    } cases[] = {
        {U"_", U"Comment=", U"Comment="},
        {U"A B", U"Comment=AB", U"Comment=AB"},
        {U"_TB", U"Comment=TB", U"Comment=TB"},
        {U"", U"Comment=", U"Comment="},
        {U"A_B", U"Comment=A_B", U"Comment=A_B"},
        {U"__", U"Comment=_", U"Comment=_"},
        {U"チューブ 3.2", U"Comment=チューブ3.2", U"Comment=チューブ3.2"},
    };
    for (const auto& c : cases) {
        const ConditionHeader header = headerFor(c.tableName, U"1");
        const ConditionHeader before = header;
        const BuiltMarkerData tableFont = BuildMarkerData(header, oneBoxList(threeAsciiLines));
        const BuiltMarkerData windowsFont =
            BuildMarkerData(header, oneBoxList(threeAsciiLines, FullWidth::Yes));
        ASSERT_TRUE(tableFont.ok() && windowsFont.ok());
        EXPECT_EQ(tableFont.data.lines[6], c.tableFontLine);
        EXPECT_EQ(windowsFont.data.lines[11], c.windowsFontLine);
        // The window's filled header keeps the table's text.
        EXPECT_EQ(header, before);
    }
}

TEST(BuildMarkerData, ThreeBoxListWritesTheChosenCountColumnAndColumnFiveAsNumbering) {
    MarkerDataSource source;
    source.boxMode = BoxMode::ThreeBox;
    source.lines = {{U"1", U"X1", U"10", U"20", U"30", U"N"}, {U"2", U"X2", U"11", U"21"}};
    const struct {
        CountColumn column;
        std::vector<std::string_view> data;
    } cases[] = {
        {CountColumn::Column2, {"X1\t10\tN", "X2\t11\t"}},
        {CountColumn::Column3, {"X1\t20\tN", "X2\t21\t"}},
        {CountColumn::Column4, {"X1\t30\tN", "X2\t\t"}},
    };
    for (const auto& c : cases) {
        source.countColumn = c.column;
        const BuiltMarkerData built = BuildMarkerData(headerFor(U"T", U"1"), source);
        ASSERT_TRUE(built.ok());
        ASSERT_EQ(built.data.lines.size(), 29u + 3u);
        for (std::size_t i = 0; i < c.data.size(); ++i)
            EXPECT_EQ(encodeMarkerData({built.data.lines[29 + i]}), std::string(c.data[i]) + "\r\n");
    }
}

TEST(BuildMarkerData, RefusesAnEmptyListAndTheWindowsFontWithoutTableFile) {
    const BuiltMarkerData empty = BuildMarkerData(headerFor(U"T", U"1"), oneBoxList({}));
    EXPECT_EQ(empty.refusal, BuildRefusal::EmptyList);
    EXPECT_TRUE(empty.data.lines.empty());

    const BuiltMarkerData refused = BuildMarkerData(
        headerFor(U"T", U"1"), oneBoxList({{U"1", U"盤"}}, FullWidth::Yes, TableFile::Missing));
    EXPECT_EQ(refused.refusal, BuildRefusal::WindowsFontWithoutTableFile);
    EXPECT_TRUE(refused.data.lines.empty());
}

TEST(MarkerDataFile, IsWrittenAsOneStepAndAFailedWriteKeepsTheOldFile) {
    platform::FakeFileSystem files;
    const std::filesystem::path path = "/prog/lumitagr.cta";
    files.setFile(path, "old");
    const std::vector<Text> lines = {U"a\t1\t", U"\t\t"};

    files.failNextWrite(platform::FakeFileSystem::WriteFailure::DiskFull);
    EXPECT_FALSE(writeMarkerDataFile(files, path, lines).ok());
    EXPECT_EQ(files.file(path), "old");

    EXPECT_TRUE(writeMarkerDataFile(files, path, lines).ok());
    EXPECT_EQ(files.file(path), crlf({"a\t1\t", "\t\t"}));
}

TEST(MarkerDataFile, CharactersOutsideCp932AreWrittenAsQuestionMarks) {
    EXPECT_EQ(encodeMarkerData({U"A\U0001F600B\t1\t"}), crlf({"A?B\t1\t"}));
    EXPECT_EQ(encodeMarkerData({}), "");
}

} // namespace
} // namespace lumitag::markerfile
