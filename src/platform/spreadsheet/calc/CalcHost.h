#pragma once

#include "platform/spreadsheet/SpreadsheetHost.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>

namespace lumitag::platform::calc {

class CalcSession;

// Where and how the host finds or starts LibreOffice Calc.
struct CalcHostOptions {
    // soffice.bin; empty: the one of the LibreOffice the program was built against.
    std::string officeProgram;
    // The office's own user profile; empty: $XDG_DATA_HOME/lumitag/calc-profile
    // (~/.local/share/lumitag/calc-profile).
    std::string profileFolder;
    // The named pipe the office accepts the program on. A later run of the
    // program finds the office it started earlier through it.
    std::string pipeName = "lumitag-calc";
    // No windows at all (tests).
    bool headless = false;
    // An office this host starts is killed when the host's call thread ends
    // (tests: nothing outlives a crashed test program). Off for the program:
    // the user's spreadsheet stays when the program ends.
    bool officeEndsWithHost = false;
    // Workbooks are opened read-only: a batch run reads them while the
    // user may have them open (and locked) in another office.
    bool openReadOnly = false;
    // The temporary folder of a started office (its TMPDIR); empty: this
    // program's. A batch run gives one it removes, so that an office it ends
    // at once leaves no files behind.
    std::string temporaryFolder;
    // The longest waits: for a started office to answer, for one call, and for
    // opening a workbook.
    std::chrono::milliseconds startTimeout{60000};
    std::chrono::milliseconds callTimeout{10000};
    std::chrono::milliseconds openTimeout{60000};
    // How long a call cut off after its timeout may take to come back (at
    // once, normally). One still running then is left behind, and calls fail
    // until it has ended: no wait on the office is without a bound.
    std::chrono::milliseconds abortGrace{2000};
};

// The spreadsheet host on LibreOffice Calc, through UNO over a named pipe.
//
// Every call into Calc runs on a thread of the host and is waited for at most
// the options' time: a Calc that hangs, dies or is closed turns calls into
// SpreadsheetError, never into a frozen program. Calc's events are queued on
// the threads UNO calls them on and handed to the program by pumpEvents().
class CalcHost final : public SpreadsheetHost {
public:
    explicit CalcHost(CalcHostOptions options = {});
    ~CalcHost() override;

    void connect() override;
    void quit() override;
    bool visible() override;
    void setVisible(bool visible) override;
    void setScreenUpdating(bool updating) override;
    std::shared_ptr<Workbook> addWorkbook() override;
    std::shared_ptr<Workbook> openWorkbook(const Text& path) override;
    // With the office's import filter named ("Calc Office Open XML"), which
    // spares it probing every filter it knows; a file the filter cannot read
    // fails as a file that is no workbook.
    std::shared_ptr<Workbook> openWorkbook(const Text& path, const std::string& filterName);
    std::shared_ptr<Workbook> activeWorkbook() override;
    std::shared_ptr<Worksheet> activeSheet() override;
    CellRef activeCell() override;
    SelectedRows selectedRows() override;
    void maximizeActiveWindow() override;
    void disableKey(const Text& key) override;
    HostWindow mainWindow() override;
    void setEventHandlers(SpreadsheetEvents handlers) override;
    void pumpEvents() override;

    // Beyond the spreadsheet's object model, for tests and tools: stores the
    // active workbook under a new path in the format its extension names
    // (.xlsx, .xls, .ods); the workbook then belongs to that file.
    void saveActiveWorkbookAs(const Text& path);
    // The office process this host started, while it runs.
    std::optional<pid_t> officeProcessId() const;
    // Calls into the office so far and the time the program waited for them
    // (benchmarks: what a command costs on the office's side).
    struct CallTime {
        std::uint64_t calls = 0;
        std::chrono::nanoseconds waited{0};
    };
    CallTime callTime() const;

private:
    // The program itself changes the documents or their windows: the answers
    // kept for visible() and mainWindow() are asked again.
    void noteOwnChange();
    // An answer taken when the document events counted `seen` still holds.
    bool answersStand(std::uint64_t seen);

    std::shared_ptr<CalcSession> session_;
    SpreadsheetEvents handlers_;
    std::uint64_t visibleSeen_ = 0; // 0: nothing kept
    bool visibleAnswer_ = false;
    std::uint64_t mainWindowSeen_ = 0;
    HostWindow mainWindowAnswer_;
};

} // namespace lumitag::platform::calc
