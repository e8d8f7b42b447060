// Every spreadsheet call of the commands that talk to the sheet, each made to
// fail on its own: once (the spreadsheet refuses that call, as when a cell is
// being edited) and for good (the office dies at that call). The calls are
// not listed by hand: each command first runs on a working spreadsheet and
// its calls are recorded, so that a call the code gains is covered too.
//
// Whatever call fails, the command ends with the host busy message (or a
// message it shows on its own way) or silently, the marking list is as the
// command leaves it (a conversion either fully done or not at all; the
// transfer never touches it), the program takes input again, and once the
// spreadsheet is back the next command works.
#include "app/TForm5.h"
#include "conversion/ConversionMessages.h"
#include "hardening/FakedProgram.h"
#include "platform/Encoding.h"
#include "platform/spreadsheet/fake/FakeWorkbook.h"
#include "platform/spreadsheet/fake/FakeWorksheet.h"
#include "sheet/DeviceSealLayout.h"
#include "sheet/SheetMessages.h"
#include "sheet/SpreadsheetLink.h"
#include "sheet/TransferCommand.h"
#include "ui/testing/Driver.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace lumitag::hardening {
namespace {

using platform::Answer;
using platform::FakeSpreadsheetHost;
using CallFailure = FakeSpreadsheetHost::CallFailure;

const Text WorkbookPath = U"/home/user/Desktop/配線表.xlsx";
constexpr TextView OtherWorkbook = U"盤図.xlsx";
constexpr platform::ScreenPoint OverSpreadsheet{400, 300};

// The program with a wire list open in the spreadsheet (開く), three lines
// in the marking list and the fakes' records cleared.
struct Scene : FakedProgram {
    Scene() {
        dialogs.setUnscriptedMessage(platform::FakeDialogs::UnscriptedMessage::LastButton);
        spreadsheetWindow = windows.addWindow(U"Calc", U"libreoffice-calc", {100, 100, 400, 300});
        spreadsheet.setMainWindow({spreadsheetWindow.value, U"libreoffice-calc", U"Calc"});
        shell.setDesktopFolder("/home/user/Desktop");
        if (!start())
            ADD_FAILURE() << "the program did not start";
        openWorkbook();
        for (int row = 1; row <= 3; ++row) {
            orange().list().setCell(1, row, U"W" + numberText(row));
            orange().list().setCell(2, row, numberText(row));
        }
        orange().list().updateNextFreeRow();
        driver.idle();
        dialogs.clearTranscript();
        spreadsheet.clearCalls();
    }

    // 開く with the wire list picked in the file dialog.
    void openWorkbook() {
        platform::FakeWorkbookContent& book = spreadsheet.addFile(WorkbookPath, {U"Sheet1", U"Sheet2"});
        platform::FakeSheetContent& sheet = book.sheet(1);
        for (int row = 5; row <= 9; ++row)
            sheet.setValue({row, 2}, U"W-" + numberText(row));
        sheet.setRowHidden(7, true);
        dialogs.queueFile(WorkbookPath);
        driver.click(blue().visible() ? blue().SpeedButton1 : orange().SpeedButton30);
    }
    sheet::SpreadsheetLink& link() { return orange().spreadsheetLink(); }
    // The marking list's first rows, columns 1 to 3.
    std::vector<std::string> listRows() {
        std::vector<std::string> rows;
        const marking::MarkingList& list = orange().list();
        for (int row = 1; row <= 6; ++row)
            rows.push_back(
                platform::toUtf8(list.cell(1, row) + U"|" + list.cell(2, row) + U"|" + list.cell(3, row)));
        rows.push_back("lines " + std::to_string(list.lineCount()));
        return rows;
    }

    // Every cell value of the open workbooks, by workbook, sheet and cell.
    std::map<std::string, Text> cells() {
        std::map<std::string, Text> all;
        for (const Text& book : spreadsheet.openWorkbookNames()) {
            platform::FakeWorkbookContent& content = spreadsheet.workbook(book);
            for (const Text& sheet : content.sheetNames())
                for (const auto& [cell, value] : content.sheet(sheet).values())
                    all[platform::toUtf8(book + U"!" + sheet + U"!" + platform::cellAddress(cell))] = value;
        }
        return all;
    }
    // The link's worksheet is a sheet of the link's workbook: commands write
    // into the sheet the sheet box names.
    bool linkConsistent() {
        const auto* book = dynamic_cast<const platform::FakeWorkbook*>(link().workbook().get());
        const auto* sheet = dynamic_cast<const platform::FakeWorksheet*>(link().worksheet().get());
        return book == nullptr || sheet == nullptr || book->content() == sheet->workbookContent();
    }

    ui::testing::Driver driver{app, dialogs};
    platform::WindowId spreadsheetWindow;
};

// One command: what brings the program to it, the command itself, and what
// shows that it worked. The command may be run again on the same scene.
struct Command {
    const char* name;
    std::function<void(Scene&)> arrange;
    std::function<void(Scene&)> run;
    // Messages the command may show besides the host busy message.
    std::vector<Text> ownMessages;
    // After a run on a working spreadsheet: it did its work.
    std::function<void(Scene&)> expectWorked;
    // A failure at any call may leave the list as it was or as a working run leaves it.
    bool changesList = false;
    // The command leaves the watcher running however it ends (it runs no timer).
    bool keepsWatcher = true;
};

// The blue window with setting 1 over rows 5 to 9 of column B.
void showBlueWithSetting(Scene& s) {
    if (!s.blue().visible()) {
        s.dialogs.queueAnswer(Answer::Yes); // the conversion's lines will replace the list's
        s.driver.press("Shift+F1");
        s.driver.advance(100);
    }
    app::TForm1& blue = s.blue();
    blue.RadioGroup1.setItemIndex(0);
    blue.Edit1.setText(U"B");
    blue.Edit21.setText(U"5");
    blue.Edit26.setText(U"9");
    blue.Edit31.setText(U"3");
    s.dialogs.clearTranscript();
}

void openColumnRowSettings(Scene& s) {
    app::TForm5& f = *s.program.columnSettingsWindow();
    if (!f.visible()) {
        s.driver.rightClick(s.orange().Panel2);
        s.driver.chooseMenuItem(s.orange().N24);
    }
    f.Edit3.setText(U"A:C,E");
    f.Edit1.setText(U"15");
    f.Edit4.setText(U"2:4,8");
    f.Edit2.setText(U"20");
    f.Edit5.setText(U"A");
    f.Edit6.setText(U"C");
    f.Edit9.setText(U"100");
    f.Edit10.setText(U"110");
}

app::TForm5& columnRowSettings(Scene& s) {
    return *s.program.columnSettingsWindow();
}

// CTK 変換, or 新規 変換 in its place after a conversion.
void convertNew(Scene& s) {
    s.driver.click(s.blue().Button2.visible() ? s.blue().Button2 : s.blue().Button5);
}

platform::FakeSheetContent& activeSheet(Scene& s) {
    return s.spreadsheet.activeSheetContent();
}

const std::vector<Command>& commands() {
    static const std::vector<Command> all{
        {"TransferInsertingEverySecondRow",
         [](Scene& s) {
             s.orange().RadioButton2.setChecked(true);
             s.orange().CheckBox35.setChecked(true);
             s.orange().CheckBox39.setChecked(true);
             s.orange().Edit14.setText(U"D");
             s.orange().Edit15.setText(U"3");
         },
         [](Scene& s) { s.driver.click(s.orange().Button21); },
         {},
         [](Scene& s) {
             EXPECT_EQ(activeSheet(s).value(U"D3"), U"W1");
             EXPECT_EQ(activeSheet(s).value(U"D7"), U"W3");
             EXPECT_EQ(s.orange().Edit15.text(), U"9");
         }},
        {"TransferOverwritingInOneBlock",
         [](Scene& s) {
             s.orange().Edit14.setText(U"F");
             s.orange().Edit15.setText(U"2");
         },
         [](Scene& s) {
             s.dialogs.queueAnswer(Answer::Yes);
             s.driver.click(s.orange().Button21);
         },
         {Text(sheet::TransferCommand::OverwriteQuestion)},
         [](Scene& s) {
             EXPECT_EQ(activeSheet(s).value(U"F4"), U"W3");
             EXPECT_EQ(s.orange().Edit15.text(), U"5");
         }},
        {"DeviceSealLayout",
         [](Scene&) {},
         [](Scene& s) {
             s.driver.rightClick(s.orange().Panel2);
             s.driver.chooseMenuItem(s.orange().N21);
             s.driver.chooseMenuItem(s.orange().N22);
         },
         {Text(sheet::DeviceSealNotice)},
         [](Scene& s) {
             EXPECT_EQ(activeSheet(s).value(U"A43"), U"1");
             EXPECT_EQ(activeSheet(s).rowHeight(43), 24.75);
             EXPECT_TRUE(s.link().workbookAttached());
         }},
        {"ColumnWidths",
         openColumnRowSettings,
         [](Scene& s) { s.driver.click(columnRowSettings(s).Button1); },
         {},
         [](Scene& s) { EXPECT_EQ(activeSheet(s).columnWidth(5), activeSheet(s).columnWidth(1)); }},
        {"RowHeights",
         openColumnRowSettings,
         [](Scene& s) { s.driver.click(columnRowSettings(s).Button2); },
         {},
         [](Scene& s) { EXPECT_EQ(activeSheet(s).rowHeight(8), 20); }},
        {"PrintCorrection",
         openColumnRowSettings,
         [](Scene& s) { s.driver.click(columnRowSettings(s).Button4); },
         {},
         [](Scene& s) { EXPECT_EQ(columnRowSettings(s).Edit10.text(), U""); }},
        {"NewConversion",
         showBlueWithSetting,
         convertNew,
         {Text(conversion::OpenWorkbookMessage), conversion::completionMessage(4)},
         [](Scene& s) {
             EXPECT_EQ(s.orange().list().cell(1, 4), U"W-9");
             EXPECT_EQ(s.orange().list().lineCount(), 4);
         },
         true},
        {"AddConversion",
         [](Scene& s) {
             showBlueWithSetting(s);
             convertNew(s);
             s.blue().Edit26.setText(U"6");
             s.dialogs.clearTranscript();
         },
         [](Scene& s) { s.driver.click(s.blue().Button6); },
         {Text(conversion::OpenWorkbookMessage), conversion::completionMessage(6)},
         [](Scene& s) { EXPECT_EQ(s.orange().list().cell(1, 6), U"W-6"); },
         true},
        {"OrangeSynchroniser",
         [](Scene&) {},
         [](Scene& s) {
             const bool first = activeSheet(s).name() == U"Sheet1";
             s.spreadsheet.userActivatesSheet(first ? U"Sheet2" : U"Sheet1");
             s.spreadsheet.userSelects(U"C5");
             s.link().pumpEvents();
             s.driver.advance(5);
         },
         {},
         [](Scene& s) {
             EXPECT_EQ(s.orange().ComboBox1.text(), activeSheet(s).name());
             EXPECT_EQ(s.link().worksheet()->name(), activeSheet(s).name());
             EXPECT_EQ(s.orange().Edit14.text(), U"C");
             EXPECT_EQ(s.orange().Edit15.text(), U"5");
         },
         false,
         false},
        {"OrangeSynchroniserOtherWorkbook",
         [](Scene&) {},
         [](Scene& s) {
             // The user goes over to another workbook of the spreadsheet and back.
             const std::vector<Text> open = s.spreadsheet.openWorkbookNames();
             if (std::find(open.begin(), open.end(), OtherWorkbook) == open.end())
                 s.spreadsheet.userCreatesWorkbook(Text(OtherWorkbook), {U"盤A", U"盤B", U"盤C"});
             else if (open.back() == OtherWorkbook)
                 s.spreadsheet.userActivatesWorkbook(U"配線表.xlsx");
             else
                 s.spreadsheet.userActivatesWorkbook(OtherWorkbook);
             s.spreadsheet.userSelects(U"A1");
             s.spreadsheet.userSelects(U"C5");
             s.link().pumpEvents();
             s.driver.advance(5);
         },
         {},
         [](Scene& s) {
             const Text active = s.spreadsheet.openWorkbookNames().back();
             EXPECT_EQ(s.link().workbook()->name(), active);
             EXPECT_EQ(s.orange().ComboBox1.items(), s.spreadsheet.workbook(active).sheetNames());
             EXPECT_EQ(s.orange().ComboBox1.text(), activeSheet(s).name());
         },
         false,
         false},
        {"BlueSynchroniser",
         showBlueWithSetting,
         [](Scene& s) {
             s.blue().Edit1.setText({});
             s.app.deactivate();
             s.spreadsheet.userSelects(U"A1"); // a selection that changes, whatever came before
             s.spreadsheet.userSelects(U"D2", U"D4");
             s.link().pumpEvents();
             s.driver.advance(5);
         },
         {},
         [](Scene& s) {
             EXPECT_EQ(s.blue().Edit1.text(), U"D");
             EXPECT_EQ(s.blue().Edit21.text(), U"2");
             EXPECT_EQ(s.blue().Edit26.text(), U"4");
         },
         false,
         false},
        {"Watcher",
         [](Scene& s) {
             s.windows.setPointer(OverSpreadsheet);
             s.orange().Timer2.start();
         },
         // The user comes back to the program, whose watcher runs again, and
         // heads for the spreadsheet.
         [](Scene& s) {
             s.app.deactivate();
             s.app.activate();
             s.driver.advance(100);
         },
         {},
         [](Scene& s) { EXPECT_EQ(s.windows.foregroundWindow(), s.spreadsheetWindow); },
         false,
         false},
    };
    return all;
}

// One call of a recorded run: the operation and how many calls of it came before.
struct Call {
    std::string operation;
    int before = 0;
};

// The calls a command makes on a working spreadsheet, in order.
std::vector<Call> recordedCalls(const Command& command) {
    Scene s;
    command.arrange(s);
    s.spreadsheet.clearCalls();
    command.run(s);
    std::map<std::string, int> seen;
    std::vector<Call> calls;
    for (const std::string& operation : s.spreadsheet.calls())
        calls.push_back({operation, seen[operation]++});
    return calls;
}

const char* nameOf(CallFailure failure) {
    return failure == CallFailure::Refused ? "Refused" : "Dies";
}

class FailingCall : public ::testing::TestWithParam<std::tuple<Command, CallFailure>> {};

void PrintTo(const Command& command, std::ostream* out) {
    *out << command.name;
}

TEST_P(FailingCall, EndsAsDesignedAndTheNextCommandWorks) {
    const auto& [command, failure] = GetParam();

    // The working run: its calls, and the list it leaves.
    const std::vector<Call> calls = recordedCalls(command);
    ASSERT_FALSE(calls.empty()) << "the command asks the spreadsheet something";
    std::string sequence = "calls of a working run:";
    for (const Call& call : calls)
        sequence += " " + call.operation;
    SCOPED_TRACE(sequence);
    RecordProperty("calls", static_cast<int>(calls.size()));
    std::vector<std::string> workedList;
    std::map<std::string, Text> workedCells;
    {
        Scene s;
        command.arrange(s);
        command.run(s);
        command.expectWorked(s);
        workedList = s.listRows();
        workedCells = s.cells();
    }

    for (const Call& call : calls) {
        SCOPED_TRACE(call.operation + " #" + std::to_string(call.before + 1));
        Scene s;
        command.arrange(s);
        const std::vector<std::string> listBefore = s.listRows();
        const std::map<std::string, Text> cellsBefore = s.cells();
        const bool watcherBefore = s.orange().Timer2.enabled();
        s.dialogs.clearTranscript();
        s.spreadsheet.failCall(call.operation, call.before, failure);

        command.run(s);

        for (const Text& shown : s.dialogs.messageTexts()) {
            const bool designed = shown == sheet::HostBusyMessage ||
                                  std::find(command.ownMessages.begin(), command.ownMessages.end(), shown) !=
                                      command.ownMessages.end();
            EXPECT_TRUE(designed) << platform::toUtf8(shown);
        }
        const std::vector<Text> boxes = s.dialogs.messageTexts();
        EXPECT_LE(std::count(boxes.begin(), boxes.end(), sheet::HostBusyMessage), 1) << "one box per command";
        const std::vector<std::string> listAfter = s.listRows();
        if (command.changesList && listAfter != listBefore)
            EXPECT_EQ(listAfter, workedList) << "a conversion is done whole or not at all";
        else
            EXPECT_EQ(listAfter, listBefore);
        if (failure == CallFailure::Refused) {
            // Each cell as it was, or as the working run wrote it: what was
            // written before the failure stays, nothing else is touched.
            for (const auto& [cell, value] : s.cells()) {
                const auto before = cellsBefore.find(cell);
                const auto worked = workedCells.find(cell);
                const bool asBefore = before == cellsBefore.end() ? value.empty() : before->second == value;
                const bool asWorked = worked == workedCells.end() ? value.empty() : worked->second == value;
                EXPECT_TRUE(asBefore || asWorked) << cell << " " << platform::toUtf8(value);
            }
            EXPECT_TRUE(s.linkConsistent()) << "the link's sheet belongs to its workbook";
            if (command.keepsWatcher) {
                EXPECT_EQ(s.orange().Timer2.enabled(), watcherBefore);
            }
        }
        EXPECT_FALSE(s.app.terminated());
        EXPECT_FALSE(s.app.modal());
        EXPECT_EQ(s.app.cursor(), ui::Cursor::Default);
        if (s.link().connectedAndVisible()) {
            EXPECT_TRUE(s.spreadsheet.running() && s.spreadsheet.visibleState());
        }

        // The spreadsheet is back; after it died, the user starts it and
        // opens the workbook again from the window in front.
        s.spreadsheet.clearFailures();
        s.dialogs.clear(); // answers the command did not come to ask for
        if (!s.spreadsheet.running()) {
            s.spreadsheet.userStartsSpreadsheet();
            if (columnRowSettings(s).visible())
                s.driver.click(columnRowSettings(s).Button3);
            s.openWorkbook();
            EXPECT_TRUE(s.link().workbookAttached());
            command.arrange(s);
        }
        s.dialogs.clearTranscript();
        command.run(s);
        for (const Text& shown : s.dialogs.messageTexts())
            EXPECT_NE(shown, sheet::HostBusyMessage);
        command.expectWorked(s);
        EXPECT_TRUE(s.linkConsistent());
        if (::testing::Test::HasFailure())
            return; // one failing call is enough to read
    }
}

std::string caseName(const ::testing::TestParamInfo<FailingCall::ParamType>& info) {
    return std::string(std::get<0>(info.param).name) + "_" + nameOf(std::get<1>(info.param));
}

INSTANTIATE_TEST_SUITE_P(EveryCall, FailingCall,
                         ::testing::Combine(::testing::ValuesIn(commands()),
                                            ::testing::Values(CallFailure::Refused, CallFailure::Dies)),
                         caseName);

} // namespace
} // namespace lumitag::hardening
