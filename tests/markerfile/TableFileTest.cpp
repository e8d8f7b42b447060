#include "markerfile/TableFile.h"

#include "markerfile/ConditionHeader.h"
#include "markerfile/DestinationRow.h"
#include "markerfile/MarkerFileTestSupport.h"
#include "platform/LocalFileSystem.h"
#include "platform/fake/FakeFileSystem.h"

#include <gtest/gtest.h>

namespace lumitag::markerfile {
namespace {

using testsupport::crlf;

const std::filesystem::path fixturePath =
    std::filesystem::path(LUMITAG_MARKERFILE_TEST_DATA) / "lumitagr.sp3";

LoadedTableFile loadFixture() {
    platform::LocalFileSystem files;
    platform::Result<LoadedTableFile> loaded = LoadTableFile(files, fixturePath);
    EXPECT_TRUE(loaded.ok()) << loaded.reason();
    return loaded.ok() ? std::move(loaded).value() : LoadedTableFile();
}

TEST(TableFile, FixtureReadsIntoTheStoreAndTheTableBoxItems) {
    const LoadedTableFile table = loadFixture();
    EXPECT_EQ(table.encoding, platform::TextFileEncoding::Cp932);
    EXPECT_EQ(table.tableLineCount, 6u);
    EXPECT_EQ(table.ignoredLineCount, 0u);
    EXPECT_EQ(table.store.markerSoftwareVersion(), U"SP3P");
    EXPECT_EQ(tableBoxItems(table),
              (std::vector<Text>{U"_ (Table1)", U"チューブ 3.2 (Table2)", U"LABEL (Table3)", U"A\"B (Table4)",
                                 U"_TB (Table5)", U"PLATE (Table6)"}));
    // Every line has its 24 fields, the blank-separated one included.
    for (std::size_t row = 0; row < 6; ++row) {
        EXPECT_EQ(table.store.cell(row, 3), Text(1, static_cast<char32_t>(U'1' + row)));
        EXPECT_EQ(table.store.cell(row, 22), U"22");
        EXPECT_FALSE(table.store.cell(row, 23).empty());
    }
    EXPECT_EQ(table.store.cell(1, 11), U"98.5");
    EXPECT_TRUE(table.store.cell(6, 4).empty());
}

TEST(TableFile, DestinationTableFiveWithTheThirdTableSelected) {
    const LoadedTableFile table = loadFixture();
    const std::size_t p = selectedTableRow(2);
    const ConditionHeader header = RebuildFilledHeader(table.store, p, destinationRow(U"Table 5", p));
    EXPECT_EQ(header.entry(headerEntry::tableFontTableNumber), U"TableNo=5");
    EXPECT_EQ(header.entry(headerEntry::windowsFontTableNumber), U"TableNo=5");
    EXPECT_EQ(header.entry(6), U"Comment=LABEL");
    EXPECT_EQ(header.entry(8), U"WorkMode=3");
    EXPECT_EQ(header.entry(9), U"WorkLength=55");
    EXPECT_EQ(header.entry(19), U"Hosei=101");
    EXPECT_EQ(header.entry(25), U"SetCount=3");

    // A destination beyond the file's lines gives no table number.
    const ConditionHeader beyond = RebuildFilledHeader(table.store, p, destinationRow(U"Table 12", p));
    EXPECT_EQ(beyond.entry(5), U"TableNo=");
}

TEST(TableFile, FirstRunOfFiveBlanksBecomesTheUnnamedMark) {
    const struct {
        TextView line;
        std::vector<Text> fields;
    } cases[] = {
        {U"0,SP3P,0,1,     ,1", {U"0", U"SP3P", U"0", U"1", U"_", U"1"}},
        {U"0,SP3P,0,1,     AB,1", {U"0", U"SP3P", U"0", U"1", U"_AB", U"1"}},
        // Only the first run changes; a second one separates fields.
        {U"0,     ,A     B", {U"0", U"_", U"A", U"B"}},
        // Six blanks: the run is replaced, the sixth blank separates.
        {U"a,      ,b", {U"a", U"_", U"b"}},
        {U"a,    ,b", {U"a", U"", U"b"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(splitTableLine(markUnnamedTable(c.line)), c.fields);
}

TEST(TableFile, FieldRuleSplitsAtCommasAndBlanksAndHonoursQuotes) {
    const struct {
        TextView line;
        std::vector<Text> fields;
    } cases[] = {
        {U"a,b,c", {U"a", U"b", U"c"}},
        {U"a b\tc", {U"a", U"b", U"c"}},
        {U"  a , b ", {U"a", U"b"}},
        {U"a,,b", {U"a", U"", U"b"}},
        {U"a,", {U"a", U""}},
        {U",a", {U"", U"a"}},
        {U"\"x, y\",z", {U"x, y", U"z"}},
        {U"\"a\"\"b\"", {U"a\"b"}},
        {U"\"\",\"\"", {U"", U""}},
        {U"\"ab\"cd", {U"ab", U"cd"}},
        {U"ab\"cd", {U"ab\"cd"}},
        {U"\"open to the end", {U"open to the end"}},
        {U"", {}},
        {U"   ", {}},
        {U"\x01"
         U"a\x1F"
         U"b",
         {U"a", U"b"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(splitTableLine(c.line), c.fields);
}

TEST(TableFile, EncodingFromTheByteOrderMarkAndAnyLineEnd) {
    const LoadedTableFile utf8 = LoadTableFile("\xEF\xBB\xBF"
                                               "0,V,0,1,\xE7\x9B\xA4\r"
                                               "1,V,0,2,B\n"
                                               "2,V,0,3,C");
    EXPECT_EQ(utf8.encoding, platform::TextFileEncoding::Utf8WithBom);
    EXPECT_EQ(utf8.tableLineCount, 3u);
    EXPECT_EQ(utf8.store.cell(0, 4), U"盤");
    EXPECT_EQ(utf8.store.cell(2, 4), U"C");

    const LoadedTableFile utf16 = LoadTableFile(std::string("\xFF\xFE"
                                                            "a\0,\0b\0\r\0\n\0",
                                                            12));
    EXPECT_EQ(utf16.encoding, platform::TextFileEncoding::Utf16LeWithBom);
    EXPECT_EQ(utf16.tableLineCount, 1u);
    EXPECT_EQ(utf16.store.cell(0, 1), U"b");

    const LoadedTableFile cp932 = LoadTableFile("0,V,0,1,\x94\xD5\r\n");
    EXPECT_EQ(cp932.store.cell(0, 4), U"盤");
}

TEST(TableFile, LinesAfterTheTwentiethAndFieldsAfterTheTwentyFourthAreIgnored) {
    std::string bytes;
    for (int i = 0; i < 23; ++i)
        bytes +=
            "0,V,0," + std::to_string(i + 1) + ",N,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21\r\n";
    const LoadedTableFile table = LoadTableFile(bytes);
    EXPECT_EQ(table.tableLineCount, 20u);
    EXPECT_EQ(table.ignoredLineCount, 3u);
    EXPECT_EQ(tableBoxItems(table).size(), 20u);
    EXPECT_EQ(table.store.cell(19, 3), U"20");
    EXPECT_EQ(table.store.cell(0, 23), U"19");
}

TEST(TableFile, MissingFileIsAFailure) {
    platform::FakeFileSystem files;
    EXPECT_FALSE(LoadTableFile(files, "/prog/lumitagr.sp3").ok());
}

TEST(TableFile, SaveWritesTwentyQuotedLinesAsUtf8WithByteOrderMark) {
    TableStore store;
    store.setCell(0, 0, U"0");
    store.setCell(0, 4, U"_");
    store.setCell(0, 5, U"say \"hi\", ok");
    store.setCell(1, 4, U"盤");
    store.applyMarkerSoftwareVersion(U"SP3P");

    platform::FakeFileSystem files;
    const std::filesystem::path path = "/prog/lumitagr.sp3";
    ASSERT_TRUE(SaveTableFile(files, path, store).ok());
    const std::string bytes = *files.file(path);

    std::string emptyTail;
    for (int i = 0; i < 18; ++i)
        emptyTail += ",\"\"";
    std::string emptyAfterName;
    for (int i = 0; i < 19; ++i)
        emptyAfterName += ",\"\"";
    const std::string row0 = "\"0\",\"SP3P\",\"\",\"\",\"_\",\"say \"\"hi\"\", ok\"" + emptyTail;
    const std::string row1 = "\"\",\"SP3P\",\"\",\"\",\"\xE7\x9B\xA4\"" + emptyAfterName;
    const std::string other = "\"\",\"SP3P\",\"\",\"\",\"\"" + emptyAfterName;
    std::string expected = "\xEF\xBB\xBF" + crlf({row0, row1});
    for (int i = 2; i < 20; ++i)
        expected += other + "\r\n";
    EXPECT_EQ(bytes, expected);
}

TEST(TableFile, SavedFileReadsBackAsTheSameStoreWithTwentyItems) {
    LoadedTableFile table = loadFixture();
    table.store.applyMarkerSoftwareVersion(U"SP3Q");
    platform::FakeFileSystem files;
    const std::filesystem::path path = "/prog/lumitagr.sp3";
    ASSERT_TRUE(SaveTableFile(files, path, table.store).ok());

    platform::Result<LoadedTableFile> again = LoadTableFile(files, path);
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(again.value().store, table.store);
    EXPECT_EQ(again.value().tableLineCount, 20u);
    EXPECT_EQ(tableBoxItemText(again.value().store, 19), U" (Table20)");
    EXPECT_EQ(again.value().store.cell(0, 4), U"_");
}

TEST(TableFile, FailedSaveKeepsThePreviousFile) {
    platform::FakeFileSystem files;
    const std::filesystem::path path = "/prog/lumitagr.sp3";
    files.setFile(path, "previous");
    files.failNextWrite(platform::FakeFileSystem::WriteFailure::RenameFails);
    EXPECT_FALSE(SaveTableFile(files, path, TableStore()).ok());
    EXPECT_EQ(files.file(path), "previous");
}

TEST(TableStore, VersionGoesIntoEveryRowUnlessEmptyAndOutsideCellsAreEmpty) {
    TableStore store;
    store.setCell(3, 1, U"OLD");
    store.applyMarkerSoftwareVersion(U"");
    EXPECT_EQ(store.cell(3, 1), U"OLD");
    store.applyMarkerSoftwareVersion(U"SP3P");
    for (std::size_t row = 0; row < tableCount; ++row)
        EXPECT_EQ(store.cell(row, 1), U"SP3P");

    store.setCell(20, 0, U"x");
    store.setCell(0, 24, U"x");
    EXPECT_TRUE(store.cell(20, 0).empty());
    EXPECT_TRUE(store.cell(0, 24).empty());
}

} // namespace
} // namespace lumitag::markerfile
