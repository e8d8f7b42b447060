#include <gtest/gtest.h>

TEST(CalcHost, NeedsTheLibreOfficeSdk) {
    GTEST_SKIP() << "LibreOffice Calc and its SDK are not installed: the Calc host was not built";
}
