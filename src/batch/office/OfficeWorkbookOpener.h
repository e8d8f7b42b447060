#pragma once

#include "batch/WorkbookOpener.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

namespace lumitag::platform {
class Workbook;
namespace calc {
class CalcHost;
}
} // namespace lumitag::platform

namespace lumitag::batch {

// Opens workbooks through a LibreOffice Calc of the conversion's own: started
// headless (no window, no display needed) on a profile folder and a pipe of
// its own, so that neither the user's office nor the windowed program's is
// touched, and ended with the opener, its profile removed.
//
// A fresh profile costs the office its first-start work and a restart. So the
// profile of a run that ended cleanly is kept as a template, and later runs
// start on a copy of it; an office on such a copy holds nothing worth its own
// exit (the workbook is read-only, the copy and its temporary folder are
// thrown away) and is ended at once when the opener goes, which is after the
// output is in place.
class OfficeWorkbookOpener final : public WorkbookOpener {
public:
    struct Options {
        // soffice.bin; empty: the LibreOffice the program was built against.
        std::string officeProgram;
        std::chrono::milliseconds startTimeout{60000};
        // How long the office may take to end after it was asked to quit.
        std::chrono::milliseconds quitTimeout{5000};
        // Where the prepared profile is kept between runs; empty: every run
        // sets up a fresh one and waits for the office to quit.
        std::filesystem::path profileTemplate;
    };

    explicit OfficeWorkbookOpener(Options options);
    ~OfficeWorkbookOpener() override;

    Opened open(const std::filesystem::path& file, const std::optional<Text>& sheet) override;

private:
    void prepareProfile(const std::filesystem::path& profile);
    void keepProfileAsTemplate(const std::filesystem::path& profile);
    std::shared_ptr<platform::Workbook> openWorkbook(const std::filesystem::path& file);
    void endOffice();

    Options options_;
    std::string folder_;
    // The office runs on a copy of the template.
    bool onTemplateCopy_ = false;
    std::unique_ptr<platform::calc::CalcHost> host_;
    std::shared_ptr<platform::Workbook> workbook_;
};

} // namespace lumitag::batch
