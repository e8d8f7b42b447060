// The command line of `lumitag convert`: what becomes the blue window's
// settings, and what is refused as the window's boxes refuse it.
#include "batch/ConvertArguments.h"

#include <gtest/gtest.h>
#include <sstream>

namespace lumitag::batch {
namespace {

using conversion::WorkMode;

ConvertArguments parse(std::vector<std::string> arguments) {
    return parseConvertArguments(arguments, Say(Language::English));
}

TEST(ConvertArguments, OptionsBecomeTheWindowsBoxes) {
    const ConvertArguments parsed = parse({"--mode",
                                           "one-line",
                                           "--columns=A,2,,D",
                                           "--remark3",
                                           "予備",
                                           "--rows",
                                           "5-12000",
                                           "--count",
                                           "3",
                                           "--replace",
                                           "-",
                                           "--with",
                                           "_",
                                           "--occurrence",
                                           "2",
                                           "--replace2",
                                           "A",
                                           "--with2",
                                           "B",
                                           "--setting",
                                           "2",
                                           "--columns",
                                           "F",
                                           "--rows",
                                           "1-4",
                                           "--count",
                                           "1",
                                           "list.csv",
                                           "-o",
                                           "out.cta",
                                           "--table-name",
                                           "LABEL",
                                           "--work-length",
                                           "60",
                                           "--no-split",
                                           "--allow-loss",
                                           "--dry-run"});
    ASSERT_EQ(parsed.kind, ConvertArguments::Kind::Convert) << parsed.error;
    const ConvertRequest& r = parsed.request;
    EXPECT_EQ(r.input, "list.csv");
    EXPECT_EQ(r.output, std::filesystem::path("out.cta"));
    const conversion::ConversionSetting& one = r.settings.settings[0];
    EXPECT_EQ(one.workMode, WorkMode::ColumnsOnOneLine);
    EXPECT_EQ(one.columns, (std::array<Text, 4>{U"A", U"2", U"予備", U"D"}));
    EXPECT_TRUE(one.column3IsRemark);
    EXPECT_FALSE(one.column4IsRemark);
    EXPECT_EQ(one.startRow, U"5");
    EXPECT_EQ(one.endRow, U"12000") << "rows reach beyond the window's four digits";
    EXPECT_EQ(one.count, U"3");
    EXPECT_TRUE(one.replaces);
    EXPECT_EQ(one.first.target, U"-");
    EXPECT_EQ(one.first.text, U"_");
    EXPECT_EQ(one.first.occurrence, U"2");
    EXPECT_EQ(one.second.target, U"A");
    EXPECT_TRUE(r.settings.useSetting2);
    EXPECT_FALSE(r.settings.useSetting3);
    EXPECT_EQ(r.settings.settings[1].workMode, WorkMode::ColumnsOnOneLine) << "setting 2 follows setting 1";
    EXPECT_EQ(r.settings.settings[1].columns[0], U"F");
    EXPECT_EQ(r.tableName, Text(U"LABEL"));
    EXPECT_EQ(r.workLength, Text(U"60"));
    EXPECT_TRUE(r.noSplit && r.allowLoss && r.dryRun);
}

TEST(ConvertArguments, EplanTakesTargetColumnsAndCountsOne) {
    const ConvertArguments parsed =
        parse({"--mode", "複数列を一行", "--eplan", "--columns", "N,O", "--target-columns", "Q,R",
               "--head-remark", "盤", "--rows", "2-9", "x.xlsx", "--sheet", "Sheet2"});
    ASSERT_EQ(parsed.kind, ConvertArguments::Kind::Convert) << parsed.error;
    const conversion::ConversionSettings& s = parsed.request.settings;
    EXPECT_TRUE(s.eplan);
    EXPECT_EQ(s.settings[0].count, U"1");
    EXPECT_EQ(s.settings[1].columns, (std::array<Text, 4>{U"Q", U"R", U"", U""}));
    EXPECT_EQ(s.headRemark, U"盤");
    EXPECT_EQ(parsed.request.sheet, Text(U"Sheet2"));
}

TEST(ConvertArguments, TheWireModeIsTheDefaultAndNamesItsCountColumn) {
    const ConvertArguments parsed =
        parse({"--column1", "B", "--rows", "1-3", "--count", "CW", "--sequence-column", "CX", "in.tsv"});
    ASSERT_EQ(parsed.kind, ConvertArguments::Kind::Convert) << parsed.error;
    EXPECT_EQ(parsed.request.settings.settings[0].workMode, WorkMode::WireNumbers);
    EXPECT_EQ(parsed.request.settings.settings[0].count, U"CW");
    EXPECT_EQ(parsed.request.settings.settings[0].sequenceColumn, U"CX");
}

TEST(ConvertArguments, WhatTheWindowWouldRefuseIsAUsageError) {
    const std::vector<std::string> wire = {"--rows", "1-3", "--count", "C", "in.csv"};
    const auto with = [&](std::vector<std::string> extra, std::vector<std::string> base) {
        base.insert(base.begin(), extra.begin(), extra.end());
        return base;
    };
    const std::vector<std::string> single = {"--mode", "single", "--rows", "1-3", "--count", "2", "in.csv"};
    struct Case {
        std::vector<std::string> arguments;
        std::string error;
    };
    const std::vector<Case> cases = {
        {{"--columns", "B"}, "no input file"},
        {with({"--columns", "B", "other.csv"}, wire), "one input file"},
        {with({"--columns", "CW"}, wire), "must name a column A-CV"},
        {with({"--columns", "101"}, wire), "must name a column A-CV"},
        {with({"--columns", "b"}, wire), "must name a column"},
        {with({"--columns", "B", "--sequence-column", "CY"}, wire), "A-CX"},
        {{"--columns", "B", "--rows", "1-3", "--count", "CX", "in.csv"}, "A-CW"},
        {with({"--columns", "B", "--count", "0"}, {"--mode", "single", "--rows", "1-3", "in.csv"}),
         "1 to 999"},
        {with({"--columns", "B", "--count", "1000"}, {"--mode", "single", "--rows", "1-3", "in.csv"}),
         "1 to 999"},
        {with({"--columns", "B"}, {"--mode", "single", "--rows", "1-3", "in.csv"}),
         "count (--count) is missing"},
        {{"--columns", "B", "--rows", "0-3", "--count", "C", "in.csv"}, "a row is a number"},
        {{"--columns", "B", "--rows", "03-5", "--count", "C", "in.csv"}, "a row is a number"},
        {{"--columns", "B", "--rows", "5-3", "--count", "C", "in.csv"}, "lies before the first"},
        {{"--columns", "B", "--rows", "1-1048577", "--count", "C", "in.csv"}, "a row is a number"},
        {{"--columns", "B", "--count", "C", "in.csv"}, "rows (--rows FIRST-LAST) are missing"},
        {with({"--columns", "B,C"}, single), "not used in this work mode"},
        {with({"--columns", "B"}, {"--mode", "columns", "--rows", "1-3", "--count", "1", "in.csv"}),
         "second column"},
        {with({"--columns", "B", "--remark3", "x"}, single), "one-line"},
        {with({"--columns", "B", "--replace", "a"}, wire), "go together"},
        {with({"--columns", "B", "--replace", "a", "--with", "b", "--occurrence", "6"}, wire), "1 to 5"},
        {with({"--columns", "B", "--replace2", "a", "--with2", "b"}, wire), "needs --replace"},
        {with({"--columns", "B", "--eplan", "--target-columns", "C"}, wire), "one-line"},
        {{"--mode", "one-line", "--eplan", "--columns", "A", "--rows", "1-2", "in.csv"}, "target columns"},
        {{"--mode", "one-line", "--eplan", "--columns", "A", "--target-columns", "B", "--rows", "1-2",
          "--count", "2", "in.csv"},
         "EPLAN always counts 1"},
        {with({"--columns", "B", "--head-remark", "x"}, wire), "go with --eplan"},
        {with(wire, {"--columns", "B", "--setting", "3", "--columns", "C", "--rows", "1-2", "--count", "D"}),
         "setting 3 needs setting 2"},
        {with(wire, {"--columns", "B", "--setting", "2", "--rows", "1-2", "--count", "D"}),
         "setting 2: the first column"},
        {with({"--columns", "B", "--setting", "4"}, wire), "takes 1, 2 or 3"},
        {with({"--columns", "B", "--mode", "diagonal"}, wire), "unknown work mode"},
        {with({"--columns", "B", "--bogus"}, wire), "unknown option: --bogus"},
        {with({"--columns", "B", "-x"}, wire), "unknown option: -x"},
        {with({"--columns", "B", "--dry-run=yes"}, wire), "takes no value"},
        {{"--columns", "B", "in.csv", "--rows", "1-2", "--count"}, "needs a value"},
        {with({"--columns", "B", "--columns", "C"}, wire), "given twice"},
        {with({"--columns", "B", "--work-length", "12a"}, wire), "work length"},
        {with({"--columns", "B", "--feed-correction", "99", "--terminal-block-length", "1",
               "--test-plate-length", "2"},
              wire),
         "exclude each other"},
        {with({"--columns", "B", "--terminal-block-length", "1"}, wire), "go together"},
    };
    for (const Case& c : cases) {
        const ConvertArguments parsed = parse(c.arguments);
        std::string line;
        for (const std::string& a : c.arguments)
            line += a + " ";
        EXPECT_EQ(parsed.kind, ConvertArguments::Kind::UsageError) << line;
        EXPECT_NE(parsed.error.find(c.error), std::string::npos) << line << "\n  said: " << parsed.error;
    }
}

TEST(ConvertArguments, HelpWinsAndSpeaksBothLanguages) {
    EXPECT_EQ(parse({"--help"}).kind, ConvertArguments::Kind::Help);
    EXPECT_EQ(parse({"in.csv", "-h"}).kind, ConvertArguments::Kind::Help);
    const std::string help = convertHelp();
    EXPECT_NE(help.find("使い方: lumitag convert"), std::string::npos);
    EXPECT_NE(help.find("Usage: lumitag convert"), std::string::npos);
    // Every option the parser knows is in both halves.
    for (const char* option : {"--mode",        "--columns",         "--rows",
                               "--count",       "--sequence-column", "--remark3",
                               "--replace",     "--eplan",           "--target-columns",
                               "--head-remark", "--sheet",           "--output",
                               "--settings",    "--table",           "--table-name",
                               "--work-length", "--feed-correction", "--terminal-block-length",
                               "--no-split",    "--allow-loss",      "--dry-run",
                               "--quiet",       "--office",          "--setting"}) {
        const std::size_t english = help.find("Usage:");
        EXPECT_NE(help.find(option), std::string::npos) << option;
        EXPECT_LT(help.find(option), english) << option << " in Japanese";
        EXPECT_NE(help.find(option, english), std::string::npos) << option << " in English";
    }
}

TEST(ConvertArguments, MessagesFollowTheLanguage) {
    const ConvertArguments japanese = parseConvertArguments({"--bogus"}, Say(Language::Japanese));
    EXPECT_EQ(japanese.error, "知らないオプションです: --bogus");
    EXPECT_EQ(parse({"--bogus"}).error, "unknown option: --bogus");
}

} // namespace
} // namespace lumitag::batch
