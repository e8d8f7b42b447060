#pragma once

#include "platform/spreadsheet/calc/CalcHost.h"

#include <memory>
#include <string>

namespace lumitag::platform::calc::testing {

// A headless Calc of its own for a test program: its own profile folder and
// pipe, killed by its process id when the program ends (and by the kernel
// when the program dies first).
class TestOffice {
public:
    // True when soffice.bin exists; tests skip otherwise.
    static bool available();

    TestOffice();
    ~TestOffice();

    CalcHostOptions options() const;
    CalcHost& host() { return *host_; }
    const std::string& folder() const { return folder_; }
    // Kills the office this host started.
    void kill();

private:
    std::string folder_;
    std::unique_ptr<CalcHost> host_;
};

} // namespace lumitag::platform::calc::testing
