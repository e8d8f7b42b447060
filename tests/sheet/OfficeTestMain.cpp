// The main of a test program against a real headless Calc: one office of its
// own serves every case. Without LibreOffice the program reports itself
// skipped to CTest (exit code 77).
#include "sheet/OfficeProgram.h"

#include <cstdio>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    using lumitag::platform::calc::testing::TestOffice;
    if (!TestOffice::available()) {
        std::printf("LibreOffice Calc is not installed: skipped\n");
        return 77;
    }
    TestOffice theOffice;
    lumitag::sheet::office = &theOffice;
    const int result = RUN_ALL_TESTS();
    lumitag::sheet::office = nullptr;
    return result;
}
