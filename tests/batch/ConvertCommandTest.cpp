// `lumitag convert` end to end on in-memory files: the bytes it writes are
// those of the blue window's save for the same sheet and settings; every
// refusal says why, exits non-zero and leaves no output file.
#include "batch/ConvertCommand.h"

#include "batch/BatchTestFiles.h"
#include "batch/ConvertArguments.h"
#include "batch/FakeWorkbookOpener.h"
#include "conversion/BlueMarkerFile.h"
#include "conversion/ConversionSettingsFile.h"
#include "conversion/RunConversion.h"
#include "markerfile/ConditionHeader.h"
#include "markerfile/DestinationRow.h"
#include "markerfile/TableFile.h"
#include "platform/Encoding.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeProgramDirectory.h"
#include "platform/spreadsheet/fake/FakeSpreadsheetHost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sstream>

namespace lumitag::batch {
namespace {

using test::csvOf;
using test::Rows;
using test::testTableFile;
using ::testing::HasSubstr;

using FakeOpener = test::FakeWorkbookOpener;

class ConvertCommandTest : public ::testing::Test {
public:
    ConvertCommandTest() {
        host.userStartsSpreadsheet();
        host.connect();
        host.userCreatesWorkbook(U"配線表.xlsx", {U"Sheet1", U"盤2"});
        files.setFile("/prog/lumitagr.sp3", testTableFile());
    }

    int run(std::vector<std::string> arguments) {
        out.str({});
        err.str({});
        ConvertEnvironment environment{files, out, err, Say(language), &programDirectory, {}};
        if (withOffice) {
            environment.office = [this](const ConvertRequest&) {
                return std::make_unique<FakeOpener>(host, officeFailure);
            };
        }
        return convertMain(arguments, environment);
    }

    // Puts the rows into the in-memory workbook's active sheet too, for the
    // window's side of a comparison.
    void fill(const Rows& rows) {
        for (std::size_t r = 0; r < rows.size(); ++r) {
            for (std::size_t c = 0; c < rows[r].size(); ++c)
                host.activeSheetContent().setValue({static_cast<int>(r + 1), static_cast<int>(c + 1)},
                                                   rows[r][c]);
        }
    }

    // What the blue window saves for its sheet, settings and table: its
    // engine's result buffer in the composition of its save.
    std::string windowSaves(const std::vector<std::string>& arguments, std::optional<std::size_t> table,
                            const Text& destination = U"") {
        ConvertArguments parsed = parseConvertArguments(arguments, Say(Language::English));
        EXPECT_EQ(parsed.kind, ConvertArguments::Kind::Convert) << parsed.error;
        markerfile::ConditionHeader header;
        if (table) {
            const markerfile::LoadedTableFile loaded = markerfile::LoadTableFile(testTableFile());
            header = markerfile::RebuildFilledHeader(loaded.store, *table,
                                                     markerfile::destinationRow(destination, *table));
            parsed.request.settings.headerWorkMode = header.entry(markerfile::headerEntry::tableFontWorkMode);
        }
        const conversion::ConversionResult result = conversion::RunConversion(
            host, host.activeSheet(), parsed.request.settings, conversion::ConversionKind::New, {});
        // A thousand lines end at the window's limit, all there.
        EXPECT_TRUE(result.outcome == conversion::ConversionOutcome::Completed ||
                    (result.outcome == conversion::ConversionOutcome::LimitReached &&
                     result.state.buffer.size() == 1000));
        const conversion::BuiltBlueMarkerFile built = conversion::BuildBlueSaveFile(
            header, result.state.buffer,
            {result.state.resultFullWidth ? markerfile::FullWidth::Yes : markerfile::FullWidth::No,
             table ? markerfile::TableFile::Present : markerfile::TableFile::Missing});
        EXPECT_TRUE(built.ok());
        return conversion::encodeBlueMarkerFile(built.file);
    }

    void expectNoOutput() {
        for (const std::filesystem::path& path : files.paths()) {
            const std::string extension = path.extension().string();
            EXPECT_TRUE(extension != ".cta" && extension != ".ctk") << path << " was written";
        }
    }

    platform::FakeSpreadsheetHost host;
    platform::FakeFileSystem files;
    platform::FakeProgramDirectory programDirectory{"/prog/"};
    std::ostringstream out;
    std::ostringstream err;
    Language language = Language::English;
    bool withOffice = true;
    WorkbookOpener::Opened::Kind officeFailure = WorkbookOpener::Opened::Kind::Sheet;
};

const Rows wireList = {
    {U"No", U"線番", U"個数", U"連番"}, {U"1", U"R-101", U"2", U""},
    {U"2", U"端子台 TB1", U"1", U"12"}, {U"3", U"", U"3", U""},
    {U"4", U"X,1", U"1", U"4"},
};

TEST_F(ConvertCommandTest, CsvInBothEncodingsSavesWhatTheWindowSaves) {
    fill(wireList);
    const std::vector<std::string> options = {
        "--mode", "wire", "--columns", "B", "--count", "C", "--sequence-column", "D", "--rows", "2-5"};
    struct Case {
        const char* name;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"UTF-8", csvOf(wireList)},
        {"UTF-8 with its mark", "\xEF\xBB\xBF" + csvOf(wireList)},
        {"CP932", platform::toCp932(platform::fromUtf8(csvOf(wireList)))},
    };
    for (const Case& c : cases) {
        files.setFile("/in/list.csv", c.bytes);
        // With a table (the settings file's folder) and without (headerless).
        std::vector<std::string> withTable = options;
        withTable.insert(withTable.end(),
                         {"--settings", "/prog/lumitagr.ini", "--table-name", "LABEL", "/in/list.csv"});
        files.setFile("/prog/lumitagr.ini", std::string(46, '\n') + "Table 4\r\n");
        ASSERT_EQ(run(withTable), kExitWritten) << c.name << err.str();
        EXPECT_EQ(files.file("/in/list.cta"), windowSaves(withTable, 2, U"Table 4")) << c.name;

        // Without a table file only text CP932's table font holds: rows 4 and 5.
        programDirectory.setDirectory("/nowhere/");
        const std::vector<std::string> headerless = {
            "--mode", "wire", "--columns",    "B",  "--count",     "C", "--sequence-column", "D",
            "--rows", "4-5",  "/in/list.csv", "-o", "/out/job.ctk"};
        ASSERT_EQ(run(headerless), kExitWritten) << c.name << err.str();
        EXPECT_EQ(files.file("/out/job.ctk"), windowSaves(headerless, std::nullopt)) << c.name;
        programDirectory.setDirectory("/prog/");
    }
    // The table of the "Table 4" destination gave the table number; 端子台
    // the Windows-font form; the work mode 3 table its trailer and the space
    // for the empty text.
    const std::string saved = platform::toUtf8(platform::fromCp932(*files.file("/in/list.cta")));
    EXPECT_THAT(saved, HasSubstr("TableNo=4\r\n"));
    EXPECT_THAT(saved, HasSubstr("FontFlag=1\r\n"));
    EXPECT_THAT(saved, HasSubstr("\r\n3\t \t"));
    EXPECT_TRUE(saved.ends_with("\r\n\r\n1\t\u3000\t\t\t\t\t\t\t\t"));
}

TEST_F(ConvertCommandTest, TablesWorkLengthAndFeedCorrectionGoIntoTheHeader) {
    files.setFile("/in/list.csv", csvOf(wireList));
    const std::vector<std::string> base = {"--columns",    "B",   "--count",   "C",
                                           "--rows",       "2-5", "--table",   "/prog/lumitagr.sp3",
                                           "/in/list.csv", "-o",  "/out/x.cta"};
    const auto header = [&](std::vector<std::string> extra) {
        extra.insert(extra.end(), base.begin(), base.end());
        const int code = run(extra);
        EXPECT_EQ(code, kExitWritten) << err.str();
        return platform::toUtf8(platform::fromCp932(files.file("/out/x.cta").value_or("")));
    };
    EXPECT_THAT(header({}), HasSubstr("Comment=\r\n")) << "the first table, unnamed";
    EXPECT_THAT(header({"--table-name", "2"}), HasSubstr("Comment=チューブ3.2\r\n"));
    EXPECT_THAT(header({"--table-name", "チューブ 3.2 (Table2)"}), HasSubstr("Comment=チューブ3.2\r\n"));
    EXPECT_THAT(header({"--table-name", "LABEL", "--work-length", "60"}), HasSubstr("WorkLength=60\r\n"));
    EXPECT_THAT(header({"--table-name", "2", "--feed-correction", "101.5"}), HasSubstr("Hosei=101.5\r\n"));
    // 300 / 310 × 98.5 = 95.32…, cut to one decimal.
    EXPECT_THAT(header({"--table-name", "2", "--terminal-block-length", "300", "--test-plate-length", "310"}),
                HasSubstr("Hosei=95.3\r\n"));

    struct Refused {
        std::vector<std::string> extra;
        std::string says;
    };
    const std::vector<Refused> refused = {
        {{"--table-name", "NONE"}, "no such table: NONE"},
        {{"--table-name", "21"}, "no such table"},
        {{"--table-name", "1", "--feed-correction", "100"}, "offers no feed correction"},
        {{"--table-name", "2", "--feed-correction", "130"}, "80 % to 120 %"},
        {{"--table-name", "2", "--terminal-block-length", "300", "--test-plate-length", "300"}, "lengths"},
    };
    for (const Refused& r : refused) {
        files.removeFile("/out/x.cta").ok();
        std::vector<std::string> arguments = r.extra;
        arguments.insert(arguments.end(), base.begin(), base.end());
        EXPECT_EQ(run(arguments), kExitRefused) << r.says;
        EXPECT_THAT(err.str(), HasSubstr(r.says));
        expectNoOutput();
    }
}

TEST_F(ConvertCommandTest, MoreThanAThousandLinesAreSplitAndSaidSo) {
    Rows rows;
    for (int row = 1; row <= 2500; ++row)
        rows.push_back({U"W" + numberText(row), numberText(row % 9 + 1)});
    files.setFile("/in/big.csv", csvOf(rows));
    const std::vector<std::string> arguments = {"--columns",
                                                "A",
                                                "--count",
                                                "B",
                                                "--rows",
                                                "1-2500",
                                                "/in/big.csv",
                                                "--table",
                                                "/prog/lumitagr.sp3",
                                                "--table-name",
                                                "LABEL",
                                                "-o",
                                                "/out/job.cta"};
    ASSERT_EQ(run(arguments), kExitWritten) << err.str();
    EXPECT_THAT(err.str(), HasSubstr("2500 lines are more than 1000: split into 3 files"));
    EXPECT_FALSE(files.file("/out/job.cta"));
    // Each part is the window's save of its thousand rows.
    for (int part = 1; part <= 3; ++part) {
        const int first = (part - 1) * 1000 + 1;
        const int last = std::min(2500, part * 1000);
        fill(rows);
        const std::string expected =
            windowSaves({"--columns", "A", "--count", "B", "--rows",
                         std::to_string(first) + "-" + std::to_string(last), "x.csv"},
                        2);
        EXPECT_EQ(files.file("/out/job-" + std::to_string(part) + ".cta"), expected) << part;
    }

    for (const char* name : {"/out/job-1.cta", "/out/job-2.cta", "/out/job-3.cta"})
        files.removeFile(name).ok();
    std::vector<std::string> noSplit = arguments;
    noSplit.push_back("--no-split");
    EXPECT_EQ(run(noSplit), kExitRefused);
    EXPECT_THAT(err.str(), HasSubstr("2500 lines: one file holds at most 1000"));
    expectNoOutput();
}

TEST_F(ConvertCommandTest, AFailedPartTakesTheWrittenPartsAlong) {
    Rows rows;
    for (int row = 1; row <= 1500; ++row)
        rows.push_back({U"W" + numberText(row)});
    files.setFile("/in/big.csv", csvOf(rows));
    files.failWritesTo("/out/job-2.ctk", platform::FakeFileSystem::WriteFailure::DiskFull);
    EXPECT_EQ(run({"--mode", "single", "--columns", "A", "--count", "1", "--rows", "1-1500", "/in/big.csv",
                   "-o", "/out/job.ctk"}),
              kExitRefused);
    EXPECT_THAT(err.str(), HasSubstr("cannot write"));
    expectNoOutput();
}

TEST_F(ConvertCommandTest, CharactersCp932CannotHoldAreListedByRowAndCell) {
    files.setFile("/in/list.csv", csvOf({{U"A1"}, {U"𠮷野家"}, {U"ok"}, {U"café"}}));
    const std::vector<std::string> arguments = {"--mode", "single", "--columns", "A",           "--count",
                                                "1",      "--rows", "1-4",       "/in/list.csv"};
    EXPECT_EQ(run(arguments), kExitRefused);
    EXPECT_THAT(err.str(), HasSubstr("row 2 cell A2: 𠮷"));
    EXPECT_THAT(err.str(), HasSubstr("row 4 cell A4: é"));
    EXPECT_THAT(err.str(), HasSubstr("--allow-loss"));
    expectNoOutput();

    language = Language::Japanese;
    EXPECT_EQ(run(arguments), kExitRefused);
    EXPECT_THAT(err.str(), HasSubstr("2 行 A2: 𠮷"));

    std::vector<std::string> allowed = arguments;
    allowed.push_back("--allow-loss");
    EXPECT_EQ(run(allowed), kExitWritten) << err.str();
    // 野家 is full width: the Windows-font file of the program folder's table.
    const std::optional<std::string> written = files.file("/in/list.cta");
    ASSERT_TRUE(written) << err.str();
    EXPECT_THAT(*written, HasSubstr("?"));
}

TEST_F(ConvertCommandTest, TextsOfTheOptionsThatCp932CannotHoldAreNamedAsSuch) {
    files.setFile("/in/list.csv", csvOf({{U"a-b"}}));
    EXPECT_EQ(run({"--mode", "single", "--columns", "A", "--count", "1", "--rows", "1-1", "--replace", "-",
                   "--with", "→€", "/in/list.csv"}),
              kExitRefused);
    EXPECT_THAT(err.str(), HasSubstr("in the options' texts: "));
    expectNoOutput();
}

TEST_F(ConvertCommandTest, DryRunPrintsTheLinesAndWritesNothing) {
    files.setFile("/in/list.csv", csvOf(wireList));
    EXPECT_EQ(run({"--columns", "B", "--count", "C", "--sequence-column", "D", "--rows", "2-5", "--dry-run",
                   "/in/list.csv"}),
              kExitWritten);
    EXPECT_EQ(out.str(), "R-101\t2\t\n端子台 TB1\t1\t12\n\t3\t\nX,1\t1\t4\n");
    EXPECT_THAT(err.str(), HasSubstr("/in/list.cta (4 lines) not written"));
    expectNoOutput();
}

TEST_F(ConvertCommandTest, WorkbookSheetsWithHiddenRowsGoThroughTheOffice) {
    fill(wireList);
    host.activeSheetContent().setRowHidden(3, true);
    host.sheet(U"配線表.xlsx", U"盤2").setValue(U"B2", U"盤2の線");
    files.setFile("/in/配線表.xlsx", "PK");
    const std::vector<std::string> arguments = {"--columns", "B",   "--count",        "C",
                                                "--rows",    "2-5", "/in/配線表.xlsx"};
    ASSERT_EQ(run(arguments), kExitWritten) << err.str();
    EXPECT_EQ(files.file("/in/配線表.cta"), windowSaves(arguments, 0));
    EXPECT_EQ(platform::fromCp932(*files.file("/in/配線表.cta")).find(U"端子台"), Text::npos)
        << "the hidden row gave no line";

    std::vector<std::string> other = arguments;
    other.insert(other.end(), {"--sheet", "盤2", "-o", "/out/2.cta"});
    ASSERT_EQ(run(other), kExitWritten) << err.str();
    EXPECT_THAT(platform::toUtf8(platform::fromCp932(*files.file("/out/2.cta"))), HasSubstr("盤2の線"));
}

TEST_F(ConvertCommandTest, BadInputIsRefusedWithItsReasonAndNoFile) {
    files.setFile("/in/list.csv", csvOf(wireList));
    files.setFile("/in/locked.csv", csvOf(wireList));
    files.failReadsOf("/in/locked.csv");
    files.setFile("/in/binary.csv", std::string("PK\x03\x04\0\0\x01", 7));
    files.setFile("/in/notes.pdf", "%PDF");
    files.setFile("/in/book.xlsx", "PK");
    const std::vector<std::string> options = {"--columns", "B", "--count", "C", "--rows", "2-5"};
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        std::string says;
        std::function<void(ConvertCommandTest&)> prepare = {};
    };
    const std::vector<Case> cases = {
        {"missing file", {"/in/none.csv"}, "input file not found: /in/none.csv"},
        {"unreadable file", {"/in/locked.csv"}, "cannot read the input file"},
        {"not a spreadsheet by its name", {"/in/notes.pdf"}, "not a spreadsheet file"},
        {"not text", {"/in/binary.csv"}, "not a text file"},
        {"wrong sheet of a text file", {"/in/list.csv", "--sheet", "Sheet9"}, "no such sheet: Sheet9"},
        {"wrong sheet of a workbook", {"/in/book.xlsx", "--sheet", "Sheet9"}, "no such sheet: Sheet9"},
        {"an empty range", {"/in/list.csv", "--rows", "50-60"}, "the range is empty"},
        {"output over the input", {"/in/list.csv", "-o", "/in/list.csv"}, "would replace the input"},
        {"an unreadable settings file",
         {"/in/list.csv", "--settings", "/prog/none.ini"},
         "settings file not found"},
        {"a table name without a table",
         {"/in/list.csv", "--table-name", "LABEL"},
         "needs a table file",
         [](ConvertCommandTest& t) { t.programDirectory.setDirectory("/nowhere/"); }},
        {"workbook that the office cannot open",
         {"/in/book.xlsx"},
         "not a spreadsheet the office can open",
         [](ConvertCommandTest& t) { t.officeFailure = WorkbookOpener::Opened::Kind::NotAWorkbook; }},
        {"an office that does not start",
         {"/in/book.xlsx"},
         "the office does not start: as the test wants",
         [](ConvertCommandTest& t) { t.officeFailure = WorkbookOpener::Opened::Kind::OfficeFailed; }},
        {"built without an office",
         {"/in/book.xlsx"},
         "built without an office",
         [](ConvertCommandTest& t) { t.withOffice = false; }},
    };
    for (const Case& c : cases) {
        officeFailure = WorkbookOpener::Opened::Kind::Sheet;
        withOffice = true;
        programDirectory.setDirectory("/prog/");
        if (c.prepare)
            c.prepare(*this);
        std::vector<std::string> arguments = options;
        if (std::find(c.arguments.begin(), c.arguments.end(), "--rows") != c.arguments.end())
            arguments = {"--columns", "B", "--count", "C"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        EXPECT_EQ(run(arguments), kExitRefused) << c.name;
        EXPECT_THAT(err.str(), HasSubstr(c.says)) << c.name;
        expectNoOutput();
    }
    EXPECT_EQ(files.file("/in/list.csv"), csvOf(wireList)) << "the input is never written over";
}

TEST_F(ConvertCommandTest, AConversionSettingsFileBringsItsFolderAndIsRefusedWhenUnusable) {
    fill(wireList);
    files.setFile("/in/list.csv", csvOf(wireList));
    files.setFile("/in/配線表.xlsx", "PK");
    conversion::SavedConversion saved;
    saved.sheet = U"盤2";
    conversion::ConversionSetting& one = saved.settings.settings[0];
    one.columns[0] = U"B";
    one.startRow = U"2";
    one.endRow = U"5";
    one.count = U"C";
    files.setFile("/prog/job.cnv", conversion::writeConversionSettingsFile(saved));

    // The table beside the file gives the header; a text file ignores the file's sheet.
    ASSERT_EQ(run({"--settings", "/prog/job.cnv", "/in/list.csv"}), kExitWritten) << err.str();
    EXPECT_EQ(files.file("/in/list.cta"),
              windowSaves({"--columns", "B", "--rows", "2-5", "--count", "C", "x.csv"}, 0));

    files.setFile("/prog/bad.cnv", "version=1\nsetting1.mode=7\n");
    files.setFile("/prog/locked/lumitagr.ini", "");
    files.setFile("/prog/locked/lumitagr.cnv", "version=1\n");
    files.failReadsOf("/prog/locked/lumitagr.cnv");
    struct Case {
        std::vector<std::string> arguments;
        std::string says;
    };
    const std::vector<Case> cases = {
        {{"--settings", "/prog/missing.cnv", "/in/list.csv"}, "conversion settings file not found"},
        {{"--settings", "/prog/bad.cnv", "/in/list.csv"},
         "cannot use the conversion settings file /prog/bad.cnv: line 2: the value of setting1.mode is not "
         "valid"},
        {{"--settings", "/prog/locked/lumitagr.ini", "/in/list.csv"},
         "cannot read the conversion settings file"},
        {{"--settings", "/prog/job.cnv", "/in/配線表.xlsx"},
         "no such sheet: 盤2 (the sheet of the conversion settings file"},
    };
    host.activeWorkbook()->worksheet(U"盤2")->setName(U"Sheet9");
    for (const Case& c : cases) {
        files.removeFile("/in/list.cta").ok();
        EXPECT_EQ(run(c.arguments), kExitRefused) << c.says;
        EXPECT_THAT(err.str(), HasSubstr(c.says));
        expectNoOutput();
    }
}

TEST_F(ConvertCommandTest, UsageErrorsExitWithTwo) {
    EXPECT_EQ(run({"--columns", "CW", "--count", "C", "--rows", "1-2", "/in/list.csv"}), kExitUsage);
    EXPECT_THAT(err.str(), HasSubstr("see lumitag convert --help"));
    EXPECT_EQ(run({"--help"}), kExitWritten);
    EXPECT_THAT(out.str(), HasSubstr("Usage: lumitag convert"));
}

TEST_F(ConvertCommandTest, ManyRowsReportTheirProgress) {
    Rows rows;
    for (int row = 1; row <= 6000; ++row)
        rows.push_back({numberText(row)});
    files.setFile("/in/big.csv", csvOf(rows));
    const std::vector<std::string> arguments = {"--mode", "single", "--columns", "A",           "--count",
                                                "1",      "--rows", "1-6000",    "/in/big.csv", "--dry-run"};
    ASSERT_EQ(run(arguments), kExitWritten);
    EXPECT_THAT(err.str(), HasSubstr("converting: 6000 / 6000 rows"));
    const std::string progress = err.str();
    EXPECT_LE(std::count(progress.begin(), progress.end(), '\n'), 20) << "a line every tenth or so";
    std::vector<std::string> quiet = arguments;
    quiet.push_back("--quiet");
    ASSERT_EQ(run(quiet), kExitWritten);
    EXPECT_EQ(err.str(), "");
}

} // namespace
} // namespace lumitag::batch
