#include "CalcTestOffice.h"

#include <csignal>
#include <filesystem>
#include <unistd.h>

namespace lumitag::platform::calc::testing {

bool TestOffice::available() {
    return std::filesystem::exists("/usr/lib/libreoffice/program/soffice.bin");
}

TestOffice::TestOffice() {
    char pattern[] = "/tmp/lumitag-calc-test-XXXXXX";
    folder_ = mkdtemp(pattern);
    host_ = std::make_unique<CalcHost>(options());
}

CalcHostOptions TestOffice::options() const {
    CalcHostOptions options;
    // Two test programs may run at once: each has its own pipe and its own
    // profile, since one profile serves one office at a time.
    options.profileFolder = folder_ + "/profile";
    options.pipeName = "lumitag-calc-test-" + std::to_string(getpid());
    options.headless = true;
    options.officeEndsWithHost = true;
    options.startTimeout = std::chrono::seconds(90);
    options.callTimeout = std::chrono::seconds(5);
    return options;
}

void TestOffice::kill() {
    if (const auto pid = host_->officeProcessId()) {
        ::kill(*pid, SIGKILL);
    }
}

TestOffice::~TestOffice() {
    kill();
    host_.reset();
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
}

} // namespace lumitag::platform::calc::testing
