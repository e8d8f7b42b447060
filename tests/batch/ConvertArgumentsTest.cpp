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

// What the window kept: setting 1 over columns B and C on one line with a
// remark in column 3 and a replacement, setting 2 in use, sheet 配線.
conversion::SavedConversion keptByTheWindow() {
    conversion::SavedConversion saved;
    saved.sheet = U"配線";
    conversion::ConversionSetting& one = saved.settings.settings[0];
    one.workMode = WorkMode::ColumnsOnOneLine;
    one.columns = {U"B", U"C", U"予備", U""};
    one.column3IsRemark = true;
    one.startRow = U"2";
    one.endRow = U"40";
    one.count = U"2";
    one.replaces = true;
    one.first = {U"-", U"", U"_"};
    one.second = {U"A", U"", U"B"};
    conversion::ConversionSetting& two = saved.settings.settings[1];
    two.workMode = WorkMode::ColumnsOnOneLine;
    two.columns = {U"F", U"", U"", U""};
    two.startRow = U"2";
    two.endRow = U"9";
    two.count = U"1";
    saved.settings.useSetting2 = true;
    return saved;
}

struct ReadLog {
    std::vector<std::pair<std::filesystem::path, bool>> reads;
};

ConvertArguments parseOnFile(std::vector<std::string> arguments, ReadLog& log,
                             const SettingsFromFile& answer = {keptByTheWindow(), {}}) {
    return parseConvertArguments(arguments, Say(Language::English),
                                 [&](const std::filesystem::path& path, bool required) {
                                     log.reads.emplace_back(path, required);
                                     return answer;
                                 });
}

TEST(ConvertArguments, TheConversionSettingsFileIsTheStartTheOptionsChange) {
    ReadLog log;
    // Alone, the file is the request, its sheet for workbooks.
    ConvertArguments parsed = parseOnFile({"--settings", "/prog/lumitagr.ini", "in.xlsx"}, log);
    ASSERT_EQ(parsed.kind, ConvertArguments::Kind::Convert) << parsed.error;
    EXPECT_EQ(log.reads, (std::vector<std::pair<std::filesystem::path, bool>>{{"/prog/lumitagr.cnv", false}}))
        << "beside the settings file, and only if there";
    const conversion::ConversionSettings& s = parsed.request.settings;
    const conversion::SavedConversion kept = keptByTheWindow();
    EXPECT_EQ(s.settings[0].columns, kept.settings.settings[0].columns);
    EXPECT_TRUE(s.settings[0].column3IsRemark);
    EXPECT_EQ(s.settings[0].second.target, U"A");
    EXPECT_TRUE(s.useSetting2);
    EXPECT_FALSE(s.useSetting3);
    EXPECT_EQ(parsed.request.settingsFile, std::filesystem::path("/prog/lumitagr.ini"));
    EXPECT_EQ(parsed.request.sheetOfSettingsFile, Text(U"配線"));
    EXPECT_FALSE(parsed.request.sheet);

    // Each option replaces what it names; the rest stays.
    log.reads.clear();
    parsed = parseOnFile({"--settings", "/keep/cabinet3.CNV", "--rows", "5-60", "--column3", "D", "--replace",
                          "x", "--with", "y", "--setting", "2", "--count", "4", "--sheet", "盤2", "in.xlsx"},
                         log);
    ASSERT_EQ(parsed.kind, ConvertArguments::Kind::Convert) << parsed.error;
    EXPECT_EQ(log.reads, (std::vector<std::pair<std::filesystem::path, bool>>{{"/keep/cabinet3.CNV", true}}));
    EXPECT_FALSE(parsed.request.settingsFile);
    const conversion::ConversionSetting& one = parsed.request.settings.settings[0];
    EXPECT_EQ(one.startRow, U"5");
    EXPECT_EQ(one.endRow, U"60");
    EXPECT_EQ(one.columns, (std::array<Text, 4>{U"B", U"C", U"D", U""}));
    EXPECT_FALSE(one.column3IsRemark) << "a column given is no remark";
    EXPECT_EQ(one.count, U"2");
    EXPECT_EQ(one.first.target, U"x");
    EXPECT_EQ(one.second.target, U"") << "--replace gives the whole replacement";
    EXPECT_EQ(parsed.request.settings.settings[1].count, U"4");
    EXPECT_EQ(parsed.request.settings.settings[1].columns[0], U"F");
    EXPECT_EQ(parsed.request.sheet, Text(U"盤2"));
    EXPECT_FALSE(parsed.request.sheetOfSettingsFile);

    // --mode is the work mode of every setting.
    parsed = parseOnFile({"--settings", "/keep/a.cnv", "--mode", "wire", "--count", "E", "in.csv"}, log);
    ASSERT_EQ(parsed.kind, ConvertArguments::Kind::Convert) << parsed.error;
    for (const conversion::ConversionSetting& setting : parsed.request.settings.settings)
        EXPECT_EQ(setting.workMode, WorkMode::WireNumbers);

    // An option is still held to its rules, also against the file's rows.
    for (const auto& [arguments, error] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--settings", "/keep/a.cnv", "--end-row", "1", "in.csv"}, "lies before the first"},
             {{"--settings", "/keep/a.cnv", "--column2", "ZZ", "in.csv"}, "must name a column"},
             {{"--settings", "/keep/a.cnv", "--mode", "single", "--column2", "C", "in.csv"}, "not used"},
             {{"--settings", "/keep/a.cnv", "--eplan", "in.csv"}, "EPLAN needs the target columns"},
         }) {
        const ConvertArguments refused = parseOnFile(arguments, log);
        EXPECT_EQ(refused.kind, ConvertArguments::Kind::UsageError) << error;
        EXPECT_NE(refused.error.find(error), std::string::npos) << refused.error;
    }
}

TEST(ConvertArguments, AConversionSettingsFileThatCannotBeUsedRefusesTheRun) {
    ReadLog log;
    const ConvertArguments parsed = parseOnFile({"--settings", "/keep/a.cnv", "in.csv"}, log,
                                                {std::nullopt, "line 3: not a key=value line"});
    EXPECT_EQ(parsed.kind, ConvertArguments::Kind::Refused);
    EXPECT_EQ(parsed.error, "line 3: not a key=value line");
    // Help and usage errors come first: nothing is read for them.
    log.reads.clear();
    EXPECT_EQ(parseOnFile({"--settings", "/keep/a.cnv", "--help"}, log).kind, ConvertArguments::Kind::Help);
    EXPECT_EQ(parseOnFile({"--settings", "/keep/a.cnv"}, log).kind, ConvertArguments::Kind::UsageError);
    EXPECT_TRUE(log.reads.empty());
    // Without a conversion file beside the settings file the options are the whole request.
    EXPECT_EQ(parseOnFile({"--settings", "/prog/lumitagr.ini", "in.csv"}, log, {}).error,
              "setting 1: the first column (--column1 or --columns) is missing");
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
