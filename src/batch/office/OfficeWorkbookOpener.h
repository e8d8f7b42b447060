#pragma once

#include "batch/WorkbookOpener.h"

#include <chrono>
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
class OfficeWorkbookOpener final : public WorkbookOpener {
public:
    struct Options {
        // soffice.bin; empty: the LibreOffice the program was built against.
        std::string officeProgram;
        std::chrono::milliseconds startTimeout{60000};
        // How long the office may take to end after it was asked to quit.
        std::chrono::milliseconds quitTimeout{5000};
    };

    explicit OfficeWorkbookOpener(Options options);
    ~OfficeWorkbookOpener() override;

    Opened open(const std::filesystem::path& file, const std::optional<Text>& sheet) override;

private:
    void endOffice();

    Options options_;
    std::string folder_;
    std::unique_ptr<platform::calc::CalcHost> host_;
    std::shared_ptr<platform::Workbook> workbook_;
};

} // namespace lumitag::batch
