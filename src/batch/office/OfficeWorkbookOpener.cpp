#include "batch/office/OfficeWorkbookOpener.h"

#include "platform/Encoding.h"
#include "platform/Paths.h"
#include "platform/spreadsheet/calc/CalcHost.h"
#include "platform/spreadsheet/calc/OfficeProcess.h"

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

// The office's import filter for a workbook's extension; empty: let the
// office find out.
std::string filterFor(const std::filesystem::path& file) {
    const std::string extension = platform::lowerCaseExtension(file);
    if (extension == ".xlsx") {
        return "Calc MS Excel 2007 XML";
    }
    if (extension == ".xlsm") {
        return "Calc MS Excel 2007 VBA XML";
    }
    if (extension == ".xls") {
        return "MS Excel 97";
    }
    if (extension == ".ods") {
        return "calc8";
    }
    return {};
}

// The pipe the office accepts this process on.
std::string pipeName() {
    return "lumitag-convert-" + std::to_string(getpid());
}

bool holdsProfile(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_regular_file(folder / "user" / "registrymodifications.xcu", error);
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
    const std::filesystem::path profile = folder_ + "/profile";
    const std::filesystem::path temporary = folder_ + "/tmp";
    std::error_code made;
    std::filesystem::create_directory(temporary, made);
    prepareProfile(profile);

    platform::calc::CalcHostOptions calc;
    calc.officeProgram = options_.officeProgram;
    calc.profileFolder = profile.string();
    if (!made) {
        calc.temporaryFolder = temporary.string();
    }
    calc.pipeName = pipeName();
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
        workbook_ = openWorkbook(file);
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

void OfficeWorkbookOpener::prepareProfile(const std::filesystem::path& profile) {
    if (options_.profileTemplate.empty() || !holdsProfile(options_.profileTemplate)) {
        return;
    }
    std::error_code error;
    std::filesystem::copy(options_.profileTemplate, profile, std::filesystem::copy_options::recursive, error);
    onTemplateCopy_ = !error && holdsProfile(profile);
    if (!onTemplateCopy_) {
        // Half a copy is no profile: the office sets up a fresh one instead.
        std::filesystem::remove_all(profile, error);
    }
}

void OfficeWorkbookOpener::keepProfileAsTemplate(const std::filesystem::path& profile) {
    if (options_.profileTemplate.empty() || onTemplateCopy_ || !holdsProfile(profile)) {
        return;
    }
    // Copied beside the template's place and renamed there as one step: a
    // run starting meanwhile sees no template or a whole one. When another
    // run put its template there first, that one stays.
    std::error_code error;
    const std::filesystem::path target = options_.profileTemplate;
    std::filesystem::create_directories(target.parent_path(), error);
    const std::filesystem::path staging =
        target.parent_path() / (target.filename().string() + ".new-" + std::to_string(getpid()));
    std::filesystem::remove_all(staging, error);
    std::filesystem::copy(profile, staging, std::filesystem::copy_options::recursive, error);
    if (error || !holdsProfile(staging)) {
        std::filesystem::remove_all(staging, error);
        return;
    }
    std::filesystem::rename(staging, target, error);
    if (error) {
        std::filesystem::remove_all(staging, error);
    }
}

std::shared_ptr<platform::Workbook> OfficeWorkbookOpener::openWorkbook(const std::filesystem::path& file) {
    const Text path = platform::fromUtf8(std::filesystem::absolute(file).string());
    // The filter named by the extension spares the office probing every
    // filter it has; a file whose extension does not say what it is gets the
    // office's own detection after all.
    if (const std::string filter = filterFor(file); !filter.empty()) {
        try {
            return host_->openWorkbook(path, filter);
        } catch (const platform::SpreadsheetError&) {
        }
    }
    return host_->openWorkbook(path);
}

void OfficeWorkbookOpener::endOffice() {
    if (host_ && onTemplateCopy_) {
        if (const std::optional<pid_t> pid = host_->officeProcessId()) {
            ::kill(*pid, SIGKILL);
            int status = 0;
            (void)waitpid(*pid, &status, 0);
            platform::calc::removePipesOfKilledOffice(folder_ + "/profile", pipeName());
        }
        host_.reset();
        workbook_.reset();
    }
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
            } else {
                keepProfileAsTemplate(folder_ + "/profile");
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
