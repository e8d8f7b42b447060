// Every operation of the Calc host against a real headless LibreOffice Calc.
// One office serves all cases; the last cases kill it and check that calls
// then fail cleanly.

#include "CalcTestOffice.h"
#include "platform/Encoding.h"
#include "platform/spreadsheet/SpreadsheetError.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace lumitag::platform::calc {
namespace {

using namespace std::chrono_literals;
using testing::TestOffice;

// SIGSTOP takes effect asynchronously: waits until the kernel reports the
// process stopped (state "T" in /proc), so that a call made next cannot be
// answered by a process still finishing its time slice.
bool waitUntilStopped(pid_t pid) {
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (std::chrono::steady_clock::now() < deadline) {
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string line;
        std::getline(stat, line);
        const auto end = line.rfind(')');
        if (end != std::string::npos && end + 2 < line.size() && line[end + 2] == 'T')
            return true;
        std::this_thread::sleep_for(10ms);
    }
    return false;
}

TestOffice* office = nullptr;

class CalcHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (office == nullptr) {
            GTEST_SKIP() << "LibreOffice Calc is not installed";
        }
        host().connect();
    }
    static CalcHost& host() { return office->host(); }

    // A fresh workbook with its first sheet active.
    std::shared_ptr<Workbook> freshWorkbook() {
        auto workbook = host().addWorkbook();
        workbook->worksheet(1)->activate();
        return workbook;
    }

    // Pumps until the predicate holds or two seconds pass.
    template <class Predicate> bool pumpUntil(Predicate done) {
        const auto deadline = std::chrono::steady_clock::now() + 2s;
        while (!done() && std::chrono::steady_clock::now() < deadline) {
            host().pumpEvents();
            std::this_thread::sleep_for(10ms);
        }
        return done();
    }
};

// Path of this test program, for the probe below.
std::string selfPath;

TEST_F(CalcHostTest, ConnectingAgainFindsTheSameOffice) {
    const auto pid = host().officeProcessId();
    ASSERT_TRUE(pid.has_value());
    host().connect();
    EXPECT_EQ(host().officeProcessId(), pid);
    // A later run of the program finds the office through its pipe instead of
    // starting another: the probe (this program in another process) connects
    // with the same options and sees the workbook added here.
    auto workbook = host().addWorkbook();
    workbook->worksheet(1)->setName(U"probe");
    const std::string command =
        selfPath + " --probe finds " + std::to_string(getpid()) + " " + office->folder();
    EXPECT_EQ(std::system(command.c_str()), 0);
    workbook->close();
}

TEST_F(CalcHostTest, AddedWorkbookIsActiveAndListsItsSheets) {
    auto first = host().addWorkbook();
    auto second = host().addWorkbook();
    EXPECT_NE(first->name(), second->name());
    EXPECT_EQ(host().activeWorkbook()->name(), second->name());
    EXPECT_EQ(second->sheetCount(), 1);
    EXPECT_EQ(second->sheetNames().size(), 1u);
    EXPECT_EQ(second->worksheet(1)->name(), second->sheetNames()[0]);
    EXPECT_EQ(second->worksheet(second->sheetNames()[0])->name(), second->sheetNames()[0]);
    EXPECT_THROW(second->worksheet(2), SpreadsheetError);
    EXPECT_THROW(second->worksheet(0), SpreadsheetError);
    EXPECT_THROW(second->worksheet(U"なし"), SpreadsheetError);

    const Text secondName = second->name();
    second->close();
    EXPECT_THROW(second->name(), SpreadsheetError);
    EXPECT_NE(host().activeWorkbook()->name(), secondName);
    first->close();
}

TEST_F(CalcHostTest, CellsKeepJapaneseTextAndReadNumbersAsText) {
    auto workbook = freshWorkbook();
    auto sheet = host().activeSheet();
    const struct {
        const char32_t* written;
        const char32_t* read;
    } cases[] = {{U"線番", U"線番"}, {U"【1】", U"【1】"}, {U"ＡＢ１", U"ＡＢ１"},
                 {U"1-A", U"1-A"},   {U"12", U"12"},       {U"1.50", U"1.5"},
                 {U"", U""}};
    int row = 1;
    for (const auto& c : cases) {
        sheet->cell(row, 2)->setValue(c.written);
        EXPECT_EQ(sheet->cell(row, 2)->value(), c.read) << row;
        ++row;
    }
    // Formatted as text first, digits stay as typed.
    auto textCell = sheet->range(U"D1", U"D1");
    textCell->setNumberFormatLocal(U"@");
    textCell->setValue(U"001");
    EXPECT_EQ(textCell->value(), U"001");
    sheet->cell(1, 5)->setValue(U"001");
    EXPECT_EQ(sheet->cell(1, 5)->value(), U"1");

    // The bulk read gives what the per-cell reads give.
    auto block = sheet->range(CellRef{1, 1}, CellRef{8, 5});
    const auto values = block->values();
    ASSERT_EQ(values.size(), 8u);
    for (int r = 1; r <= 8; ++r) {
        ASSERT_EQ(values[r - 1].size(), 5u);
        for (int c = 1; c <= 5; ++c) {
            EXPECT_EQ(values[r - 1][c - 1], sheet->cell(r, c)->value()) << r << "," << c;
        }
    }
    // Writing a range fills every cell; the value of a range is its top-left cell's.
    sheet->range(U"G3", U"F2")->setValue(U"同");
    EXPECT_EQ(sheet->range(U"F2", U"G3")->values(),
              (std::vector<std::vector<Text>>{{U"同", U"同"}, {U"同", U"同"}}));
    EXPECT_THROW(sheet->range(U"B0", U"C2"), SpreadsheetError);
    workbook->close();
}

TEST_F(CalcHostTest, ABlockWriteKeepsTextCellsTextAndEmptiesCellsForEmptyText) {
    auto workbook = freshWorkbook();
    auto sheet = host().activeSheet();
    sheet->cell(1, 1)->setValue(U"old");
    // Column B is text-formatted in its second row only.
    sheet->range(U"B2", U"B2")->setNumberFormatLocal(U"@");
    sheet->range(U"C1", U"C3")->setNumberFormatLocal(U"@");
    auto block = sheet->range(CellRef{1, 1}, CellRef{3, 3});
    block->setValues({{U"", U"01", U"01"}, {U"2", U"02", U"=1+1"}, {U"1/2", U"-0.50", U"3"}});
    EXPECT_EQ(block->values(), (std::vector<std::vector<Text>>{
                                   {U"", U"1", U"01"}, {U"2", U"02", U"=1+1"}, {U"1/2", U"-0.5", U"3"}}));
    EXPECT_THROW(block->setValues({{U"1"}}), std::invalid_argument);
}

TEST_F(CalcHostTest, LinesEveryStepRowsKeepTextCellsTextAndLeaveTheRowsBetween) {
    auto workbook = freshWorkbook();
    auto sheet = host().activeSheet();
    // Between the lines: a formula, a text and a number.
    sheet->cell(2, 1)->setValue(U"=C4+1");
    sheet->cell(4, 2)->setValue(U"between");
    sheet->cell(4, 3)->setValue(U"41");
    // Column A is text-formatted on the first and last line only.
    sheet->cell(1, 1)->setNumberFormatLocal(U"@");
    sheet->cell(5, 1)->setNumberFormatLocal(U"@");
    auto lines = sheet->range(CellRef{1, 1}, CellRef{5, 3});
    lines->setValuesEvery(2, {{U"01", U"02", U"x"}, {U"03", U"=1", U"1/2"}, {U"05", U"-1.50", U""}});
    EXPECT_EQ(lines->values(), (std::vector<std::vector<Text>>{{U"01", U"2", U"x"},
                                                               {U"42", U"", U""},
                                                               {U"3", U"=1", U"1/2"},
                                                               {U"", U"between", U"41"},
                                                               {U"05", U"-1.5", U""}}));
    EXPECT_EQ(sheet->cell(2, 1)->formulas(), (std::vector<std::vector<Text>>{{U"=C4+1"}}));
    EXPECT_EQ(sheet->cell(3, 2)->formulas(), (std::vector<std::vector<Text>>{{U""}}));
    EXPECT_THROW(lines->setValuesEvery(2, {{U"1", U"2", U"3"}}), std::invalid_argument);
    EXPECT_THROW(lines->setValuesEvery(0, {{U"1", U"2", U"3"}}), std::invalid_argument);
    EXPECT_EQ(sheet->cell(1, 1)->value(), U"01") << "a refused write writes nothing";

    // Away from A1 the formats are found where the lines go: only E12 is text.
    sheet->cell(12, 5)->setNumberFormatLocal(U"@");
    auto away = sheet->range(CellRef{10, 4}, CellRef{12, 5});
    away->setValuesEvery(2, {{U"01", U"01"}, {U"02", U"02"}});
    EXPECT_EQ(away->values(), (std::vector<std::vector<Text>>{{U"1", U"1"}, {U"", U""}, {U"2", U"02"}}));
    workbook->close();
}

TEST_F(CalcHostTest, RenamingRefusesDuplicateAndForbiddenNames) {
    auto workbook = freshWorkbook();
    auto sheet = workbook->worksheet(1);
    sheet->setName(U"線番");
    EXPECT_EQ(sheet->name(), U"線番");
    EXPECT_EQ(workbook->sheetNames(), std::vector<Text>{U"線番"});
    sheet->setName(U"List");
    sheet->setName(U"LIST"); // its own name in another case is a rename
    EXPECT_EQ(sheet->name(), U"LIST");
    for (const Text bad : {U"", U"a/b", U"a[1]", U"'x", U"1234567890123456789012345678901234"}) {
        EXPECT_THROW(sheet->setName(bad), SpreadsheetError);
    }
    EXPECT_EQ(sheet->name(), U"LIST");
    workbook->close();
}

TEST_F(CalcHostTest, WidthsHeightsAndHiddenRowsRoundTrip) {
    auto workbook = freshWorkbook();
    auto sheet = host().activeSheet();
    for (const double width : {0.5, 2.5, 8.43, 13.0, 30.25}) {
        sheet->range(U"B1", U"C1")->setColumnWidth(width);
        EXPECT_NEAR(sheet->cell(1, 2)->columnWidth(), width, 0.011);
        EXPECT_NEAR(sheet->cell(1, 3)->columnWidth(), width, 0.011);
    }
    for (const double height : {9.75, 13.5, 18.0, 36.75}) {
        sheet->range(U"A2", U"A4")->setRowHeight(height);
        EXPECT_DOUBLE_EQ(sheet->cell(3, 1)->rowHeight(), height);
    }
    sheet->setRowHidden(5, true);
    EXPECT_TRUE(sheet->rowHidden(5));
    EXPECT_FALSE(sheet->rowHidden(6));
    EXPECT_FALSE(sheet->range(U"A5", U"A6")->entireRowHidden());
    sheet->range(U"A6", U"B8")->setEntireRowHidden(true);
    EXPECT_TRUE(sheet->range(U"A5", U"A8")->entireRowHidden());
    sheet->range(U"A5", U"A5")->setEntireRowHidden(false);
    EXPECT_FALSE(sheet->rowHidden(5));
    EXPECT_TRUE(sheet->rowHidden(8));
    workbook->close();
}

TEST_F(CalcHostTest, FormattingInsertingAndPageSetupTakeEffectOrSucceed) {
    auto workbook = freshWorkbook();
    auto sheet = host().activeSheet();
    sheet->cell(1, 1)->setValue(U"上");
    sheet->cell(2, 1)->setValue(U"下");
    sheet->cell(2, 2)->setValue(U"右");
    sheet->range(U"A1", U"A1")->insertShiftDown();
    // Only the range's column moves down.
    EXPECT_EQ(sheet->cell(1, 1)->value(), U"");
    EXPECT_EQ(sheet->cell(2, 1)->value(), U"上");
    EXPECT_EQ(sheet->cell(3, 1)->value(), U"下");
    EXPECT_EQ(sheet->cell(2, 2)->value(), U"右");

    auto all = sheet->allCells();
    EXPECT_EQ(all->area().first, (CellRef{1, 1}));
    all->setNumberFormatLocal(U"@");
    all->setFontName(U"IPAPGothic");
    all->setFontSize(9);
    auto block = sheet->range(U"A1", U"C3");
    block->setHorizontalAlignment(HorizontalAlignment::Center);
    block->setVerticalAlignment(VerticalAlignment::Center);
    block->setWrapText(true);
    sheet->setPageMargins(PageMargins{18, 18, 36, 36});
    workbook->close();
}

TEST_F(CalcHostTest, SelectionGivesActiveCellAndSelectedRows) {
    auto workbook = freshWorkbook();
    auto sheet = host().activeSheet();
    sheet->range(U"C4", U"D9")->select();
    EXPECT_EQ(host().selectedRows(), (SelectedRows{4, 6}));
    EXPECT_EQ(host().activeCell(), (CellRef{4, 3}));
    sheet->cell(12, 2)->activate();
    EXPECT_EQ(host().activeCell(), (CellRef{12, 2}));
    EXPECT_EQ(host().selectedRows(), (SelectedRows{12, 1}));

    // A range of a sheet that is not active cannot be selected.
    auto other = host().addWorkbook();
    EXPECT_THROW(sheet->range(U"A1", U"A2")->select(), SpreadsheetError);
    other->close();
    workbook->close();
}

TEST_F(CalcHostTest, SavedAsXlsxAndReopenedKeepsTextWidthsAndHiddenRows) {
    auto workbook = freshWorkbook();
    auto sheet = host().activeSheet();
    sheet->setName(U"線番表");
    sheet->cell(1, 1)->setValue(U"【1】");
    sheet->cell(2, 1)->setValue(U"ＡＢ１");
    sheet->cell(3, 1)->setValue(U"7");
    sheet->cell(1, 1)->setColumnWidth(20);
    sheet->cell(2, 1)->setRowHeight(27);
    sheet->setRowHidden(3, true);
    const std::string path = office->folder() + "/線番 一覧.xlsx";
    host().saveActiveWorkbookAs(fromUtf8(path));
    EXPECT_EQ(workbook->name(), U"線番 一覧.xlsx");
    workbook->close();

    auto reopened = host().openWorkbook(fromUtf8(path));
    EXPECT_EQ(host().activeWorkbook()->name(), U"線番 一覧.xlsx");
    auto again = reopened->worksheet(U"線番表");
    EXPECT_EQ(again->range(U"A1", U"A3")->values(),
              (std::vector<std::vector<Text>>{{U"【1】"}, {U"ＡＢ１"}, {U"7"}}));
    EXPECT_NEAR(again->cell(1, 1)->columnWidth(), 20, 0.05);
    EXPECT_NEAR(again->cell(2, 1)->rowHeight(), 27, 0.05);
    EXPECT_TRUE(again->rowHidden(3));
    // Opening it again activates the open workbook instead of a second copy.
    host().addWorkbook()->close();
    host().openWorkbook(fromUtf8(path));
    EXPECT_EQ(host().activeWorkbook()->name(), U"線番 一覧.xlsx");
    reopened->close();

    EXPECT_THROW(host().openWorkbook(fromUtf8(office->folder() + "/missing.xlsx")), SpreadsheetError);
}

TEST_F(CalcHostTest, EventsArriveOnThePumpingThreadOnlyWhenPumped) {
    std::vector<std::string> seen;
    std::vector<std::thread::id> threads;
    host().setEventHandlers(SpreadsheetEvents{
        [&] { seen.push_back("activated"), threads.push_back(std::this_thread::get_id()); },
        [&] { seen.push_back("selection"), threads.push_back(std::this_thread::get_id()); },
        [&] { seen.push_back("changed"), threads.push_back(std::this_thread::get_id()); },
    });
    auto workbook = freshWorkbook();
    host().pumpEvents();
    seen.clear();
    threads.clear();

    auto sheet = host().activeSheet();
    sheet->range(U"B2", U"C3")->select();
    sheet->range(U"B3", U"C4")->select();
    EXPECT_TRUE(seen.empty()); // queued, not delivered from inside the calls
    EXPECT_TRUE(pumpUntil([&] { return !seen.empty(); }));
    // Two selection changes in a row reach the program once.
    EXPECT_EQ(seen, std::vector<std::string>{"selection"});

    seen.clear();
    sheet->cell(1, 1)->setValue(U"変更");
    EXPECT_TRUE(pumpUntil([&] { return std::count(seen.begin(), seen.end(), "changed") > 0; }));

    for (const auto& id : threads) {
        EXPECT_EQ(id, std::this_thread::get_id());
    }
    host().setEventHandlers({});
    workbook->close();
}

TEST_F(CalcHostTest, KeysVisibilityAndTheMainWindow) {
    for (const Text key : {U"{BS}", U"{DELETE}", U"{F1}", U"{F10}", U"{F12}"}) {
        EXPECT_NO_THROW(host().disableKey(key));
    }
    EXPECT_THROW(host().disableKey(U"{F13}"), SpreadsheetError);
    EXPECT_THROW(host().disableKey(U"a"), SpreadsheetError);

    host().setVisible(true);
    auto workbook = host().addWorkbook();
    EXPECT_TRUE(host().visible());
    host().setScreenUpdating(false);
    host().setScreenUpdating(true);
    const HostWindow window = host().mainWindow();
    EXPECT_FALSE(window.title.empty());
    EXPECT_EQ(window.windowClass, U"libreoffice-calc");
    workbook->close();
}

// Runs this test program as a probe (see probe() below) with these arguments;
// its exit code, or -1 when it had to be killed after the bound.
int runProbe(const std::vector<std::string>& arguments, std::chrono::milliseconds bound) {
    std::vector<std::string> all = {selfPath, "--probe"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : all)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t child = -1;
    if (posix_spawn(&child, selfPath.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return -2;
    const auto deadline = std::chrono::steady_clock::now() + bound;
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(20ms);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -3;
}

TEST_F(CalcHostTest, AnOfficeFrozenBeforeTheFirstConnectFailsItInTime) {
    const auto pid = host().officeProcessId();
    ASSERT_TRUE(pid.has_value());
    // Another run of the program (the probe: one connection per process, as in
    // the program) finds the office through its pipe, frozen before it has
    // answered anything: its connect fails within its bound instead of
    // hanging, and it starts no second office.
    ::kill(*pid, SIGSTOP);
    if (!waitUntilStopped(*pid)) {
        ::kill(*pid, SIGCONT);
        FAIL() << "the office did not stop";
    }
    const auto bound = office->options().callTimeout + office->options().abortGrace;
    EXPECT_EQ(runProbe({"frozen", std::to_string(getpid()), office->folder()}, bound + 20s), 0);
    ::kill(*pid, SIGCONT);

    // Answering again, the office is found by the next run.
    auto workbook = host().addWorkbook();
    workbook->worksheet(1)->setName(U"probe");
    EXPECT_EQ(runProbe({"finds", std::to_string(getpid()), office->folder()}, 60s), 0);
    workbook->close();
}

// Runs after the others (cases run in order of definition): ends the office.
TEST_F(CalcHostTest, AFrozenOfficeTimesOutAndAKilledOneTurnsCallsIntoFailures) {
    auto workbook = freshWorkbook();
    auto sheet = host().activeSheet();
    const auto pid = host().officeProcessId();
    ASSERT_TRUE(pid.has_value());

    // A frozen office fails the call after the timeout instead of hanging the
    // caller; the connection is cut, and connect() finds the office again.
    ::kill(*pid, SIGSTOP);
    ASSERT_TRUE(waitUntilStopped(*pid));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(sheet->cell(1, 1)->value(), SpreadsheetError);
    EXPECT_LT(std::chrono::steady_clock::now() - start, office->options().callTimeout + 5s);
    ::kill(*pid, SIGCONT);
    EXPECT_THROW(sheet->name(), SpreadsheetError); // that connection is gone
    host().connect();
    EXPECT_EQ(host().officeProcessId(), pid);
    EXPECT_NO_THROW(host().activeWorkbook()->name());

    office->kill();
    std::this_thread::sleep_for(500ms);
    EXPECT_THROW(sheet->cell(1, 1)->value(), SpreadsheetError);
    EXPECT_THROW(host().activeWorkbook(), SpreadsheetError);
    EXPECT_THROW(workbook->sheetCount(), SpreadsheetError);
    EXPECT_FALSE(host().isVisible());
    EXPECT_NO_THROW(host().pumpEvents());

    // connect() starts a new office.
    host().connect();
    EXPECT_NE(host().officeProcessId(), pid);
    EXPECT_NO_THROW(host().addWorkbook()->close());
}

} // namespace
} // namespace lumitag::platform::calc

// --probe <mode> <pid> <folder>: connects as the test program <pid> does and
// checks (exit code 0) in mode "finds" that it reaches that program's office,
// in mode "frozen" that the connect fails within its bound and starts nothing.
int probe(const std::string& mode, const std::string& pid, const std::string& folder) {
    using namespace lumitag::platform;
    calc::CalcHostOptions options;
    options.profileFolder = folder + "/profile";
    options.pipeName = "lumitag-calc-test-" + pid;
    options.headless = true;
    options.startTimeout = std::chrono::seconds(1);
    options.callTimeout = std::chrono::seconds(5);
    calc::CalcHost host(options);
    const auto start = std::chrono::steady_clock::now();
    try {
        host.connect();
        if (mode == "frozen") {
            return 3;
        }
        const bool found = !host.officeProcessId() && host.activeSheet()->name() == U"probe";
        return found ? 0 : 1;
    } catch (const SpreadsheetError&) {
        if (mode == "frozen") {
            const bool inTime =
                std::chrono::steady_clock::now() - start < options.callTimeout + options.abortGrace;
            return inTime && !host.officeProcessId() ? 0 : 4;
        }
        return 2;
    }
}

int main(int argc, char** argv) {
    if (argc == 5 && std::string(argv[1]) == "--probe") {
        return probe(argv[2], argv[3], argv[4]);
    }
    // The office must work whatever locale the program was started in. These
    // tests start it with none at all, as a container, a service or a minimal
    // install does: the Japanese file names of the save test need UTF-8.
    std::vector<std::string> localeVariables;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string name(*entry, std::strcspn(*entry, "="));
        if (name == "LANG" || name == "LANGUAGE" || name.rfind("LC_", 0) == 0) {
            localeVariables.push_back(name);
        }
    }
    for (const std::string& name : localeVariables) {
        unsetenv(name.c_str());
    }
    lumitag::platform::calc::selfPath = argv[0];
    ::testing::InitGoogleTest(&argc, argv);
    if (!lumitag::platform::calc::testing::TestOffice::available()) {
        std::printf("LibreOffice Calc is not installed: skipped\n");
        return 77;
    }
    lumitag::platform::calc::testing::TestOffice theOffice;
    lumitag::platform::calc::office = &theOffice;
    const int result = RUN_ALL_TESTS();
    lumitag::platform::calc::office = nullptr;
    return result;
}
