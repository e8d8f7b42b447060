#pragma once

#include "platform/Clipboard.h"
#include "platform/spreadsheet/SpreadsheetHost.h"
#include "platform/spreadsheet/fake/FakeWorkbookContent.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumitag::platform {

class FakeWorkbook;
class FakeWorksheet;
class FakeRange;

// An in-memory spreadsheet application for tests.
//
// It behaves like the real one where callers can tell: calls fail before
// connect() and after quit(), a workbook opened or added becomes active, a
// range can only be selected on the active sheet, renaming follows the
// spreadsheet's rules, and the program's own changes raise the same events as
// the user's (activating another sheet, changing the selection, writing
// cells), queued until pumpEvents(). Values are kept as the text written;
// there is no number recognition.
//
// Tests drive the user's side with the user...() helpers, set the
// spreadsheet up and read what the program did through the content
// accessors, and make calls fail with the failure switches. None of these
// helpers is logged or fails.
class FakeSpreadsheetHost : public SpreadsheetHost {
public:
    // The clipboard Worksheet::paste() reads; paste fails without one.
    explicit FakeSpreadsheetHost(Clipboard* clipboard = nullptr);
    ~FakeSpreadsheetHost() override;
    FakeSpreadsheetHost(const FakeSpreadsheetHost&) = delete;
    FakeSpreadsheetHost& operator=(const FakeSpreadsheetHost&) = delete;

    // The host interface.
    void connect() override;
    void quit() override;
    bool visible() override;
    void setVisible(bool visible) override;
    void setScreenUpdating(bool updating) override;
    std::shared_ptr<Workbook> addWorkbook() override;
    std::shared_ptr<Workbook> openWorkbook(const Text& path) override;
    std::shared_ptr<Workbook> activeWorkbook() override;
    std::shared_ptr<Worksheet> activeSheet() override;
    CellRef activeCell() override;
    SelectedRows selectedRows() override;
    void maximizeActiveWindow() override;
    void disableKey(const Text& key) override;
    HostWindow mainWindow() override;
    void setEventHandlers(SpreadsheetEvents handlers) override;
    void pumpEvents() override;

    // --- The user's side ---

    // The user starts the spreadsheet: running and visible, no workbook.
    void userStartsSpreadsheet();
    // The spreadsheet goes away: every call fails until connect() starts a
    // new one, and handles of its workbooks fail for good.
    void userQuitsSpreadsheet();
    // The spreadsheet's window is shown or hidden (Visible).
    void userSetsVisible(bool visible);
    // A new workbook of these sheets, opened and active.
    FakeWorkbookContent& userCreatesWorkbook(Text name, const std::vector<Text>& sheetNames = {U"Sheet1"});
    void userActivatesWorkbook(TextView name);
    void userClosesWorkbook(TextView name);
    // In the active workbook; raises "sheet activated" when the sheet changes.
    void userActivatesSheet(TextView sheetName);
    // Selects cells of the active sheet, the first one active; raises
    // "selection changed" when the selection changes.
    void userSelects(TextView address);
    void userSelects(TextView first, TextView last);
    // Types a value into a cell of the active sheet; raises "sheet changed".
    void userEdits(TextView address, Text value);

    // A workbook file that openWorkbook(path) can open; its workbook is named
    // after the file name of the path. Any other path fails to open.
    FakeWorkbookContent& addFile(const Text& path, const std::vector<Text>& sheetNames = {U"Sheet1"});
    // What mainWindow() answers.
    void setMainWindow(HostWindow window) { mainWindow_ = std::move(window); }

    // --- What the spreadsheet holds and what the program did ---

    bool running() const { return running_; }
    bool connected() const { return running_ && connected_; }
    bool visibleState() const { return visible_; }
    bool screenUpdating() const { return screenUpdating_; }
    int quitCount() const { return quitCount_; }
    int maximizeCount() const { return maximizeCount_; }
    // Keys disabled with disableKey(), in call order.
    const std::vector<Text>& disabledKeys() const { return disabledKeys_; }
    // Names of the workbooks the program closed, in order.
    const std::vector<Text>& closedWorkbooks() const { return closedWorkbooks_; }
    // Names of the open workbooks, the active one last.
    std::vector<Text> openWorkbookNames() const;
    // An open workbook by name (std::out_of_range when none).
    FakeWorkbookContent& workbook(TextView name);
    FakeSheetContent& sheet(TextView workbookName, TextView sheetName);
    // The active workbook's active sheet (std::out_of_range when none is open).
    FakeSheetContent& activeSheetContent();
    // Every host call made, failed ones included, named as in operationNames().
    const std::vector<std::string>& calls() const { return calls_; }
    void clearCalls() { calls_.clear(); }
    int pendingEventCount() const { return static_cast<int>(events_.size()); }

    // --- Failures ---

    // The names of all operations: "Application.visible", "Workbook.close",
    // "Worksheet.setName", "Range.setValue" and so on.
    static std::span<const std::string_view> operationNames();
    // While set, every call fails as when the spreadsheet is busy.
    void setBusy(bool busy) { busy_ = busy; }
    // The next count calls fail.
    void failNextCalls(int count) { failNext_ = count; }
    // Every call of the named operation fails until clearFailures().
    // An unknown name throws std::invalid_argument.
    void failOperation(std::string_view operation);
    // The named operation works `successes` more times, then every call of it
    // fails until clearFailures(): a failure part-way through a command.
    void failOperationAfter(std::string_view operation, int successes);
    // "Range.setValuesEvery" writes its lines one by one as "Range.setValues"
    // writes a block: both switches above, set on "Range.setValues", also
    // strike each of its lines, so that a failure inside that one call leaves
    // the lines before it written.

    // How one scripted call fails.
    enum class CallFailure {
        Refused, // that call fails as when the spreadsheet is busy; the calls after it work
        Dies,    // the spreadsheet goes away at that call, as userQuitsSpreadsheet()
    };
    // The named operation works `successes` more times, then its next call
    // fails the given way, once: a failure at exactly one call of a command.
    void failCall(std::string_view operation, int successes, CallFailure failure);
    void clearFailures();
    // Runs at the start of every call, before the failure switches: a test
    // that bounds how many calls one step may make throws from here.
    void setOnCall(std::function<void(std::string_view)> onCall) { onCall_ = std::move(onCall); }

private:
    friend class FakeWorkbook;
    friend class FakeWorksheet;
    friend class FakeRange;

    enum class Event { SheetActivated, SelectionChanged, SheetChanged };

    // Every call starts here: it is logged, then fails when a failure switch
    // says so or the spreadsheet is not there.
    void enter(std::string_view operation);
    // Fails when failOperation() or failOperationAfter() says the operation
    // fails now; logs nothing.
    void refuseIfSwitched(std::string_view operation);
    void raise(Event event) { events_.push_back(event); }

    std::shared_ptr<FakeWorkbookContent> requireActiveBook();
    std::shared_ptr<FakeWorkbookContent> findBook(TextView name) const;
    // Makes the workbook active. Like the real spreadsheet, switching
    // workbooks raises no "sheet activated".
    void activateBook(const std::shared_ptr<FakeWorkbookContent>& book);
    void closeBook(const std::shared_ptr<FakeWorkbookContent>& book);
    bool isActiveSheet(const FakeWorkbookContent& book, const FakeSheetContent& sheet) const;
    void startInstance(bool visible);

    Clipboard* clipboard_;
    bool running_ = false;
    bool connected_ = false;
    bool visible_ = false;
    bool screenUpdating_ = true;
    int newWorkbookNumber_ = 1;
    // Open workbooks in the order they were last active, the active one last.
    std::vector<std::shared_ptr<FakeWorkbookContent>> books_;
    std::map<Text, FakeWorkbookContent> files_;

    int quitCount_ = 0;
    int maximizeCount_ = 0;
    std::vector<Text> disabledKeys_;
    std::vector<Text> closedWorkbooks_;
    HostWindow mainWindow_{1, U"FakeSpreadsheet", U"Spreadsheet"};

    SpreadsheetEvents handlers_;
    std::deque<Event> events_;

    std::vector<std::string> calls_;
    bool busy_ = false;
    int failNext_ = 0;
    std::set<std::string, std::less<>> failingOperations_;
    std::map<std::string, int, std::less<>> operationsFailingLater_;
    struct ScriptedCall {
        std::string operation;
        int successes = 0;
        CallFailure failure = CallFailure::Refused;
    };
    std::optional<ScriptedCall> scriptedCall_;
    std::function<void(std::string_view)> onCall_;
};

} // namespace lumitag::platform
