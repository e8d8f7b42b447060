// `lumitag convert` on workbooks made through a real headless Calc: .xlsx and
// .ods with Japanese text, a formula and hidden rows, each converted by the
// command's own office and compared byte for byte with the blue save of the
// engine's lines read from the same workbook. Skipped (exit code 77) where
// no soffice.bin can run.
#include "CalcTestOffice.h"
#include "batch/ConvertArguments.h"
#include "batch/ConvertCommand.h"
#include "batch/office/OfficeWorkbookOpener.h"
#include "conversion/BlueMarkerFile.h"
#include "conversion/RunConversion.h"
#include "platform/Encoding.h"
#include "platform/LocalFileSystem.h"

#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>

namespace lumitag::batch {
namespace {

using platform::calc::testing::TestOffice;
using ::testing::HasSubstr;

TestOffice* office = nullptr;

std::string read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class ConvertCalcTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = office->folder() + "/files";
        std::filesystem::create_directories(folder);
        platform::SpreadsheetHost& host = office->host();
        host.connect();
        host.setVisible(true);
        const std::shared_ptr<platform::Workbook> book = host.addWorkbook();
        const std::shared_ptr<platform::Worksheet> sheet = book->worksheet(1);
        sheet->activate();
        const std::vector<std::array<Text, 3>> rows = {
            {U"線番", U"個数", U"連番"}, {U"R-101", U"2", U""},           {U"端子台 TB1", U"1", U"12"},
            {U"隠れ", U"9", U""},        {U"=A2&\"-B\"", U"=B2*2", U"7"}, {U"", U"3", U""},
            {U"X1", U"1", U"4"},
        };
        for (std::size_t r = 0; r < rows.size(); ++r) {
            for (std::size_t c = 0; c < 3; ++c)
                sheet->cell(static_cast<int>(r + 1), static_cast<int>(c + 1))->setValue(rows[r][c]);
        }
        sheet->setRowHidden(4, true);
        sheet->setName(U"配線");
        for (const char* name : {"配線表.xlsx", "配線表.ods"})
            office->host().saveActiveWorkbookAs(platform::fromUtf8(folder + "/" + name));
        workbookSheet = sheet;
    }

    static void TearDownTestSuite() { workbookSheet.reset(); }

    int run(std::vector<std::string> arguments) {
        err.str({});
        ConvertEnvironment environment{files, out, err, Say(Language::English), nullptr, {}};
        environment.office = [this](const ConvertRequest& request) -> std::unique_ptr<WorkbookOpener> {
            OfficeWorkbookOpener::Options options;
            options.officeProgram = request.officeProgram.value_or(std::string());
            options.profileTemplate = profileTemplate;
            return std::make_unique<OfficeWorkbookOpener>(options);
        };
        return convertMain(arguments, environment);
    }

    // The blue save of the engine's lines, read from the workbook the test office still has open.
    std::string windowSaves(const std::vector<std::string>& arguments) {
        std::vector<std::string> withInput = arguments;
        withInput.push_back("in.xlsx");
        const ConvertArguments parsed = parseConvertArguments(withInput, Say(Language::English));
        EXPECT_EQ(parsed.kind, ConvertArguments::Kind::Convert) << parsed.error;
        const conversion::ConversionResult result = conversion::RunConversion(
            office->host(), workbookSheet, parsed.request.settings, conversion::ConversionKind::New, {});
        EXPECT_EQ(result.outcome, conversion::ConversionOutcome::Completed);
        const conversion::BuiltBlueMarkerFile built = conversion::BuildBlueSaveFile(
            {}, result.state.buffer,
            {result.state.resultFullWidth ? markerfile::FullWidth::Yes : markerfile::FullWidth::No,
             markerfile::TableFile::Missing});
        return conversion::encodeBlueMarkerFile(built.file);
    }

    static std::string folder;
    static std::shared_ptr<platform::Worksheet> workbookSheet;
    std::filesystem::path profileTemplate;
    platform::LocalFileSystem files;
    std::ostringstream out;
    std::ostringstream err;
};

std::string ConvertCalcTest::folder;
std::shared_ptr<platform::Worksheet> ConvertCalcTest::workbookSheet;

TEST_F(ConvertCalcTest, XlsxAndOdsGiveTheWindowsLines) {
    // ASCII texts only, so that the headerless form (no table file) holds them.
    const std::vector<std::string> options = {
        "--columns", "A", "--count", "B", "--sequence-column", "C", "--rows", "2-2", "--setting", "2",
        "--columns", "A", "--count", "B", "--sequence-column", "C", "--rows", "5-7"};
    const std::string expected = windowSaves(options);
    EXPECT_EQ(platform::fromCp932(expected), U"R-101\t2\t\r\nR-101-B\t4\t7\r\n\t3\t\r\nX1\t1\t4\r\n\r\n")
        << "the formulas give their values";
    // The .ods is the test office's open workbook now, locked by it: the
    // command reads it all the same, as it reads a file the user has open.
    for (const char* name : {"配線表.xlsx", "配線表.ods"}) {
        std::vector<std::string> arguments = options;
        const std::string output = folder + "/" + name + ".ctk";
        arguments.insert(arguments.end(), {folder + "/" + name, "-o", output});
        ASSERT_EQ(run(arguments), kExitWritten) << name << ": " << err.str();
        EXPECT_EQ(read(output), expected) << name;
    }
}

TEST_F(ConvertCalcTest, APreparedOfficeProfileGivesTheSameFile) {
    // The first run sets up its profile and leaves it as the template; the
    // second runs on a copy and ends its office at once.
    profileTemplate = folder + "/profile-template";
    const std::vector<std::string> options = {"--columns", "A", "--count", "B", "--rows", "5-7"};
    std::vector<std::string> outputs;
    for (const char* name : {"/fresh.ctk", "/prepared.ctk"}) {
        std::vector<std::string> arguments = options;
        arguments.insert(arguments.end(), {folder + "/配線表.xlsx", "-o", folder + name});
        ASSERT_EQ(run(arguments), kExitWritten) << name << ": " << err.str();
        EXPECT_TRUE(std::filesystem::exists(profileTemplate / "user" / "registrymodifications.xcu")) << name;
        outputs.push_back(read(folder + name));
    }
    EXPECT_EQ(outputs[1], outputs[0]);
    EXPECT_EQ(outputs[0], windowSaves(options));
}

TEST_F(ConvertCalcTest, JapaneseTextAndHiddenRowsThroughTheDryRun) {
    out.str({});
    ASSERT_EQ(run({"--columns", "A", "--count", "B", "--rows", "2-4", "--sheet", "配線", "--dry-run",
                   folder + "/配線表.xlsx", "--table", LUMITAG_TABLE_TEST_DATA}),
              kExitWritten)
        << err.str();
    EXPECT_EQ(out.str(), "R-101\t2\t\n端子台 TB1\t1\t\n") << "row 4 is hidden";
}

TEST_F(ConvertCalcTest, RefusalsLeaveNoFile) {
    { std::ofstream(folder + "/garbage.xlsx") << "this is not a workbook at all"; }
    struct Case {
        std::vector<std::string> extra;
        std::string says;
    };
    const std::vector<Case> cases = {
        {{folder + "/配線表.ods", "--sheet", "Sheet9"}, "no such sheet: Sheet9"},
        {{folder + "/garbage.xlsx"}, "not a spreadsheet the office can open"},
        {{folder + "/配線表.xlsx", "--office", "/bin/false"}, "the office does not start"},
        {{folder + "/配線表.xlsx", "--office", folder + "/no-office"}, "the office does not start"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments = {"--columns", "A",   "--count", "B",
                                              "--rows",    "2-3", "-o",      folder + "/refused.ctk"};
        arguments.insert(arguments.end(), c.extra.begin(), c.extra.end());
        EXPECT_EQ(run(arguments), kExitRefused) << c.says;
        EXPECT_THAT(err.str(), HasSubstr(c.says));
        EXPECT_FALSE(std::filesystem::exists(folder + "/refused.ctk")) << c.says;
    }
}

TEST_F(ConvertCalcTest, MoreThanAThousandRowsAreSplitOrRefused) {
    // 1,500 rows written in one block and saved through the office.
    constexpr int rowCount = 1500;
    std::vector<std::vector<Text>> rows;
    std::string expected;
    for (int row = 1; row <= rowCount; ++row) {
        rows.push_back({U"W-" + numberText(row), numberText(row % 7 + 1)});
        expected += "W-" + std::to_string(row) + "\t" + std::to_string(row % 7 + 1) + "\t\r\n";
    }
    const std::shared_ptr<platform::Worksheet> sheet = office->host().addWorkbook()->worksheet(1);
    sheet->activate();
    sheet->range(platform::CellRef{1, 1}, platform::CellRef{rowCount, 2})->setValues(rows);
    const std::string input = folder + "/big.xlsx";
    office->host().saveActiveWorkbookAs(platform::fromUtf8(input));

    const std::vector<std::string> arguments = {"--columns", "A",      "--count",
                                                "B",         "--rows", "1-" + std::to_string(rowCount),
                                                input,       "-o",     folder + "/job.ctk"};
    ASSERT_EQ(run(arguments), kExitWritten) << err.str();
    EXPECT_THAT(err.str(), HasSubstr("1500 lines are more than 1000: split into 2 files"));
    EXPECT_FALSE(std::filesystem::exists(folder + "/job.ctk"));
    // Every row once, in order: the first thousand, then the rest, each ended as a save ends.
    const std::size_t cut = expected.find("W-1001\t");
    EXPECT_EQ(read(folder + "/job-1.ctk"), expected.substr(0, cut) + "\r\n");
    EXPECT_EQ(read(folder + "/job-2.ctk"), expected.substr(cut) + "\r\n");

    std::filesystem::remove(folder + "/job-1.ctk");
    std::filesystem::remove(folder + "/job-2.ctk");
    std::vector<std::string> noSplit = arguments;
    noSplit.push_back("--no-split");
    EXPECT_EQ(run(noSplit), kExitRefused);
    EXPECT_THAT(err.str(), HasSubstr("1500 lines: one file holds at most 1000 (--no-split)"));
    for (const char* name : {"/job.ctk", "/job-1.ctk", "/job-2.ctk"})
        EXPECT_FALSE(std::filesystem::exists(folder + name)) << name;
}

} // namespace
} // namespace lumitag::batch

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!lumitag::platform::calc::testing::TestOffice::available()) {
        std::puts("no soffice.bin: skipped");
        return 77;
    }
    lumitag::platform::calc::testing::TestOffice testOffice;
    lumitag::batch::office = &testOffice;
    return RUN_ALL_TESTS();
}
