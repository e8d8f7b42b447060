#include "batch/office/OfficeWorkbookOpener.h"

#include "platform/Encoding.h"
#include "platform/spreadsheet/calc/CalcHost.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace lumitag::batch {

namespace {

using Clock = std::chrono::steady_clock;

std::chrono::milliseconds since(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
}

} // namespace

OfficeWorkbookOpener::OfficeWorkbookOpener(Options options) : options_(std::move(options)) {}

OfficeWorkbookOpener::~OfficeWorkbookOpener() {
    endOffice();
}

WorkbookOpener::Opened OfficeWorkbookOpener::open(const std::filesystem::path& file,
                                                  const std::optional<Text>& sheet) {
    Opened opened;
    std::string pattern = (std::filesystem::temp_directory_path() / "lumitag-convert-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        opened.kind = Opened::Kind::OfficeFailed;
        opened.reason = "cannot make a folder for the office's profile";
        return opened;
    }
    folder_ = pattern;

    platform::calc::CalcHostOptions calc;
    calc.officeProgram = options_.officeProgram;
    calc.profileFolder = folder_ + "/profile";
    calc.pipeName = "lumitag-convert-" + std::to_string(getpid());
    calc.headless = true;
    // Killed by the kernel should this program die before it ends the office.
    calc.officeEndsWithHost = true;
    calc.openReadOnly = true;
    calc.startTimeout = options_.startTimeout;
    host_ = std::make_unique<platform::calc::CalcHost>(calc);

    const Clock::time_point start = Clock::now();
    try {
        host_->connect();
        // Headless, nothing shows; the workbook still gets its view, which
        // names the active sheet.
        host_->setVisible(true);
    } catch (const platform::SpreadsheetError& error) {
        opened.kind = Opened::Kind::OfficeFailed;
        opened.reason = error.what();
        return opened;
    }
    opened.officeStart = since(start);

    const Clock::time_point opening = Clock::now();
    try {
        workbook_ = host_->openWorkbook(platform::fromUtf8(std::filesystem::absolute(file).string()));
    } catch (const platform::SpreadsheetError& error) {
        opened.kind = Opened::Kind::NotAWorkbook;
        opened.reason = error.what();
        return opened;
    }
    try {
        opened.sheet = sheet ? workbook_->worksheet(*sheet) : host_->activeSheet();
    } catch (const platform::SpreadsheetError& error) {
        opened.kind = sheet ? Opened::Kind::NoSuchSheet : Opened::Kind::NotAWorkbook;
        opened.reason = error.what();
        return opened;
    }
    opened.opening = since(opening);
    return opened;
}

void OfficeWorkbookOpener::endOffice() {
    if (host_) {
        const std::optional<pid_t> pid = host_->officeProcessId();
        try {
            if (workbook_) {
                workbook_->close();
            }
            host_->quit();
        } catch (const platform::SpreadsheetError&) {
            // Gone or stuck: it is ended below either way.
        }
        workbook_.reset();
        if (pid) {
            // Given its time to end on its own (it removes its own temporary
            // files then), and killed after that.
            const Clock::time_point deadline = Clock::now() + options_.quitTimeout;
            bool ended = false;
            while (!ended && Clock::now() < deadline) {
                int status = 0;
                const pid_t reaped = waitpid(*pid, &status, WNOHANG);
                ended = reaped == *pid || (reaped < 0 && errno == ECHILD);
                if (!ended) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(20));
                }
            }
            if (!ended) {
                ::kill(*pid, SIGKILL);
                int status = 0;
                (void)waitpid(*pid, &status, 0);
            }
        }
        host_.reset();
    }
    if (!folder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
        folder_.clear();
    }
}

} // namespace lumitag::batch
