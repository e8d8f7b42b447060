// The file the blue window keeps its conversion settings in: what it writes
// reads back as it was, and bytes it did not write are refused with a reason.
#include "conversion/ConversionSettingsFile.h"

#include <gtest/gtest.h>

namespace lumitag::conversion {
namespace {

SavedConversion everyBoxFilled() {
    SavedConversion saved;
    saved.sheet = U"盤 2";
    saved.settings.useSetting2 = true;
    saved.settings.useSetting3 = true;
    saved.settings.eplan = true;
    saved.settings.headRemark = U"先頭=備考";
    for (std::size_t i = 0; i < 3; ++i) {
        ConversionSetting& s = saved.settings.settings[i];
        s.workMode = static_cast<WorkMode>(i + 1);
        s.columns = {U"A", U"2", U"予備 ", U"D"};
        s.column3IsRemark = true;
        s.column4IsRemark = i == 1;
        s.startRow = U"5";
        s.endRow = U"12000";
        s.count = U"C";
        s.sequenceColumn = U"CW";
        s.replaces = true;
        // A space, a backslash and line breaks must come back as they were.
        s.first = {U" ", U"2", U"\\n"};
        s.second = {U"a\nb", U"", U"c\r\n"};
    }
    return saved;
}

void expectSame(const SavedConversion& a, const SavedConversion& b) {
    EXPECT_EQ(a.sheet, b.sheet);
    EXPECT_EQ(a.settings.useSetting2, b.settings.useSetting2);
    EXPECT_EQ(a.settings.useSetting3, b.settings.useSetting3);
    EXPECT_EQ(a.settings.eplan, b.settings.eplan);
    EXPECT_EQ(a.settings.headRemark, b.settings.headRemark);
    for (std::size_t i = 0; i < 3; ++i) {
        const ConversionSetting& x = a.settings.settings[i];
        const ConversionSetting& y = b.settings.settings[i];
        EXPECT_EQ(x.workMode, y.workMode) << i;
        EXPECT_EQ(x.columns, y.columns) << i;
        EXPECT_EQ(x.column3IsRemark, y.column3IsRemark) << i;
        EXPECT_EQ(x.column4IsRemark, y.column4IsRemark) << i;
        EXPECT_EQ(x.startRow, y.startRow) << i;
        EXPECT_EQ(x.endRow, y.endRow) << i;
        EXPECT_EQ(x.count, y.count) << i;
        EXPECT_EQ(x.sequenceColumn, y.sequenceColumn) << i;
        EXPECT_EQ(x.replaces, y.replaces) << i;
        for (const auto& [p, q] : {std::pair{&x.first, &y.first}, std::pair{&x.second, &y.second}}) {
            EXPECT_EQ(p->target, q->target) << i;
            EXPECT_EQ(p->occurrence, q->occurrence) << i;
            EXPECT_EQ(p->text, q->text) << i;
        }
    }
}

TEST(ConversionSettingsFile, WhatIsWrittenReadsBackAsItWas) {
    for (const SavedConversion& saved : {SavedConversion{}, everyBoxFilled()}) {
        const std::string bytes = writeConversionSettingsFile(saved);
        EXPECT_EQ(bytes.find('\r'), std::string::npos) << "line breaks in values are escaped";
        const ReadConversionSettings read = readConversionSettingsFile(bytes);
        ASSERT_TRUE(read.ok()) << read.line << " " << read.key;
        expectSame(*read.saved, saved);
    }
}

TEST(ConversionSettingsFile, MissingKeysAreEmptyBoxesAndUnknownKeysAreSkipped) {
    const ReadConversionSettings read = readConversionSettingsFile(
        "# a comment\r\n\r\nversion=1\r\nsetting1.column1=B\r\nsetting1.mode=0\r\nlater-key=x\r\n");
    ASSERT_TRUE(read.ok());
    const ConversionSetting& one = read.saved->settings.settings[0];
    EXPECT_EQ(one.columns[0], U"B") << "a CR before the LF is no part of the value";
    EXPECT_EQ(one.workMode, WorkMode::SingleColumn);
    EXPECT_EQ(one.startRow, U"");
    EXPECT_EQ(read.saved->settings.settings[1].workMode, WorkMode::WireNumbers);
    EXPECT_FALSE(read.saved->settings.useSetting2);
}

TEST(ConversionSettingsFile, BytesItDidNotWriteAreRefusedWithTheLine) {
    struct Case {
        std::string bytes;
        SettingsFileProblem problem;
        int line;
        std::string key;
    };
    const std::vector<Case> cases = {
        {"", SettingsFileProblem::NoVersion, 0, ""},
        {"# only a comment\n", SettingsFileProblem::NoVersion, 0, ""},
        {"sheet=x\nversion=1\n", SettingsFileProblem::NoVersion, 1, "sheet"},
        {"version=2\n", SettingsFileProblem::UnknownVersion, 1, "version"},
        {"version=\n", SettingsFileProblem::UnknownVersion, 1, "version"},
        {"version=1\nno equals sign\n", SettingsFileProblem::NotKeyValue, 2, ""},
        {"version=1\n=value\n", SettingsFileProblem::NotKeyValue, 2, ""},
        {"version=1\nsetting2.mode=4\n", SettingsFileProblem::BadValue, 2, "setting2.mode"},
        {"version=1\neplan=yes\n", SettingsFileProblem::BadValue, 2, "eplan"},
        {"version=1\n\nsheet=a\\tb\n", SettingsFileProblem::BadValue, 3, "sheet"},
        {"version=1\nsheet=ends in \\\n", SettingsFileProblem::BadValue, 2, "sheet"},
        {"version=1\nsheet=a\nsheet=b\n", SettingsFileProblem::DuplicateKey, 3, "sheet"},
        {"version=1\nversion=1\n", SettingsFileProblem::DuplicateKey, 2, "version"},
        {"version=1\nsheet=\xff\xfe\n", SettingsFileProblem::NotUtf8, 0, ""},
        {"version=1\nsheet=" + std::string(1 << 20, 'x') + "\n", SettingsFileProblem::TooLarge, 0, ""},
    };
    for (const Case& c : cases) {
        const ReadConversionSettings read = readConversionSettingsFile(c.bytes);
        EXPECT_FALSE(read.ok()) << c.bytes.substr(0, 40);
        EXPECT_EQ(read.problem, c.problem) << c.bytes.substr(0, 40);
        EXPECT_EQ(read.line, c.line) << c.bytes.substr(0, 40);
        EXPECT_EQ(read.key, c.key) << c.bytes.substr(0, 40);
    }
}

TEST(ConversionSettingsFile, AnyBytesGiveAResult) {
    // Every prefix of a good file, and the file with each byte changed to a
    // NUL, a line break and a high byte: none may crash or read out of bounds.
    const std::string good = writeConversionSettingsFile(everyBoxFilled());
    for (std::size_t length = 0; length <= good.size(); length += 5)
        (void)readConversionSettingsFile(std::string_view(good).substr(0, length));
    for (std::size_t i = 0; i < good.size(); i += 7) {
        for (const char c : {'\0', '\n', '\x80', '='}) {
            std::string bad = good;
            bad[i] = c;
            (void)readConversionSettingsFile(bad);
        }
    }
}

} // namespace
} // namespace lumitag::conversion
