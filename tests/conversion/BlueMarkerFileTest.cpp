#include "conversion/BlueMarkerFile.h"

#include "markerfile/MarkerFileTestSupport.h"
#include "platform/Encoding.h"
#include "platform/fake/FakeFileSystem.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lumitag::conversion {
namespace {

using markerfile::ConditionHeader;
using markerfile::FullWidth;
using markerfile::MarkerDataForm;
using markerfile::TableFile;
using markerfile::testsupport::storeWithRows;
using markerfile::testsupport::tableRow;

ConditionHeader headerWithWorkMode(Text workMode) {
    // A table name with a blank: the Comment line shows the normalisation.
    return markerfile::RebuildFilledHeader(storeWithRows({tableRow(U"7", U"A B", std::move(workMode))}), 0,
                                           0);
}

const std::vector<ResultLine> threeLines = {
    {U"X1", U"3", U""},
    {U"線番", U"1", U"12"},
    {U"", U"", U""},
};

std::string utf8(const std::string& cp932) {
    return platform::toUtf8(platform::fromCp932(cp932));
}

// The bytes after the header's lines, and the header's Comment line, in UTF-8.
struct Layout {
    std::size_t headerLines;
    std::string comment;
    std::string data;
};

Layout layoutOf(const BlueMarkerFile& file, std::size_t headerLines, std::size_t commentLine) {
    BlueMarkerFile data = file;
    data.lines.erase(data.lines.begin(), data.lines.begin() + static_cast<std::ptrdiff_t>(headerLines));
    const std::string comment =
        headerLines > 0 ? platform::toUtf8(file.lines.at(commentLine)) : std::string();
    return {headerLines, comment, utf8(encodeBlueMarkerFile(data))};
}

TEST(BlueMarkerFile, SavedAndMarkedLayouts) {
    const std::string nineTabs(9, '\t');
    const std::string elevenTabs(11, '\t');
    const struct {
        const char* name;
        bool save;
        Text workMode;
        BlueMarkerOptions options;
        MarkerDataForm form;
        std::size_t headerLines;
        std::string data;
    } cases[] = {
        {"save, table font, work mode 3: empty line, then the trailer without a line break",
         true,
         U"3",
         {FullWidth::No, TableFile::Present},
         MarkerDataForm::TableFont,
         29,
         "X1\t3\t\r\n線番\t1\t12\r\n\t\t\r\n\r\n \t1\t"},
        {"save, table font, work mode 2: the data ends with one empty line",
         true,
         U"2",
         {FullWidth::No, TableFile::Present},
         MarkerDataForm::TableFont,
         29,
         "X1\t3\t\r\n線番\t1\t12\r\n\t\t\r\n\r\n"},
        {"save without the table file: the result lines only, no trailer even for work mode 3",
         true,
         U"3",
         {FullWidth::No, TableFile::Missing},
         MarkerDataForm::Headerless,
         0,
         "X1\t3\t\r\n線番\t1\t12\r\n\t\t\r\n\r\n"},
        {"save, Windows font, work mode 3: count, text, eight empty fields; numbering dropped",
         true,
         U"3",
         {FullWidth::Yes, TableFile::Present},
         MarkerDataForm::WindowsFont,
         34,
         "3\tX1\t\t\t\t\t\t\t\t\r\n1\t線番\t\t\t\t\t\t\t\t\r\n\t" + nineTabs.substr(1) + "\r\n\r\n1\t\u3000" +
             std::string(8, '\t')},
        {"save, Windows font, work mode 1",
         true,
         U"1",
         {FullWidth::Yes, TableFile::Present},
         MarkerDataForm::WindowsFont,
         34,
         "3\tX1" + std::string(8, '\t') + "\r\n1\t線番" + std::string(8, '\t') + "\r\n" + nineTabs +
             "\r\n\r\n"},
        {"marking, table font, work mode 2: exactly the rows, ending with a line break",
         false,
         U"2",
         {FullWidth::No, TableFile::Present},
         MarkerDataForm::TableFont,
         29,
         "X1\t3\t\r\n線番\t1\t12\r\n\t\t\r\n"},
        {"marking, table font, work mode 3: the trailer is one more line",
         false,
         U"3",
         {FullWidth::No, TableFile::Present},
         MarkerDataForm::TableFont,
         29,
         "X1\t3\t\r\n線番\t1\t12\r\n\t\t\r\n \t1\t\r\n"},
        {"marking without the table file",
         false,
         U"3",
         {FullWidth::No, TableFile::Missing},
         MarkerDataForm::Headerless,
         0,
         "X1\t3\t\r\n線番\t1\t12\r\n\t\t\r\n"},
        {"marking, Windows font, work mode 3: eleven TABs a row, nine in the trailer",
         false,
         U"3",
         {FullWidth::Yes, TableFile::Present},
         MarkerDataForm::WindowsFont,
         34,
         "3\tX1" + std::string(10, '\t') + "\r\n1\t線番" + std::string(10, '\t') + "\r\n" + elevenTabs +
             "\r\n1\t\u3000" + std::string(8, '\t') + "\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ConditionHeader header = headerWithWorkMode(c.workMode);
        const BuiltBlueMarkerFile built = c.save ? BuildBlueSaveFile(header, threeLines, c.options)
                                                 : BuildBlueMarkingFile(header, threeLines, c.options);
        ASSERT_TRUE(built.ok());
        EXPECT_EQ(built.file.form, c.form);
        const std::size_t commentLine = c.form == MarkerDataForm::WindowsFont ? 11 : 6;
        const Layout layout = layoutOf(built.file, c.headerLines, commentLine);
        EXPECT_EQ(layout.data, c.data);
        if (c.headerLines > 0) {
            EXPECT_EQ(layout.comment, "Comment=AB");
            const std::vector<Text> expectedHeader =
                c.form == MarkerDataForm::WindowsFont ? header.windowsFontLines() : header.tableFontLines();
            for (std::size_t i = 0; i < c.headerLines; ++i) {
                if (i != commentLine) {
                    EXPECT_EQ(built.file.lines[i], expectedHeader[i]) << "header line " << i;
                }
            }
        }
    }
}

TEST(BlueMarkerFile, FullWidthWithoutTableFileIsRefusedForBothOutputs) {
    const ConditionHeader header = headerWithWorkMode(U"3");
    const BlueMarkerOptions options{FullWidth::Yes, TableFile::Missing};
    for (const BuiltBlueMarkerFile& built : {BuildBlueSaveFile(header, threeLines, options),
                                             BuildBlueMarkingFile(header, threeLines, options)}) {
        EXPECT_FALSE(built.ok());
        EXPECT_TRUE(built.file.lines.empty());
    }
}

TEST(BlueMarkerFile, WholeSavedFileIsCp932WithTheHeaderFirst) {
    const BuiltBlueMarkerFile built = BuildBlueSaveFile(headerWithWorkMode(U"3"), {{U"ｱ線", U"2", U""}},
                                                        {FullWidth::No, TableFile::Present});
    const std::string bytes = encodeBlueMarkerFile(built.file);
    EXPECT_EQ(bytes.rfind("[Condition]\r\nFileType=1\r\n", 0), 0U);
    EXPECT_NE(bytes.find("[MarkingData]\r\n\xB1\x90\xFC\t2\t\r\n\r\n \t1\t"), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 4), " \t1\t");
}

TEST(BlueMarkerFile, EmptyResultSavesTheHeaderAndTheEmptyLine) {
    const BuiltBlueMarkerFile built =
        BuildBlueSaveFile(headerWithWorkMode(U"1"), {}, {FullWidth::No, TableFile::Present});
    ASSERT_EQ(built.file.lines.size(), 30U);
    EXPECT_EQ(built.file.lines.back(), U"");
}

TEST(BlueMarkerFile, ATabInsideAMarkingTextSplitsTheSavedWindowsFontLineAsTheListDoes) {
    // The list takes the fields at the first two TABs of the buffer line.
    const BuiltBlueMarkerFile built = BuildBlueSaveFile(headerWithWorkMode(U"1"), {{U"a\tb", U"3", U""}},
                                                        {FullWidth::Yes, TableFile::Present});
    EXPECT_EQ(built.file.lines.at(34), Text(U"b\ta") + Text(8, U'\t'));
}

TEST(BlueMarkerFile, WriteReplacesTheFileWithTheEncodedBytes) {
    platform::FakeFileSystem files;
    const std::filesystem::path path = "/data/out.cta";
    files.setFile(path, "old");
    const BuiltBlueMarkerFile built =
        BuildBlueSaveFile(headerWithWorkMode(U"3"), threeLines, {FullWidth::No, TableFile::Present});
    ASSERT_TRUE(writeBlueMarkerFile(files, path, built.file));
    EXPECT_EQ(files.file(path), encodeBlueMarkerFile(built.file));
}

} // namespace
} // namespace lumitag::conversion
