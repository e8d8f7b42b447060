#include "markerfile/FeedCorrection.h"

#include <gtest/gtest.h>

namespace lumitag::markerfile {
namespace {

using Outcome = FeedCorrectionOutcome;

struct ComputeCase {
    Text terminalBlock;
    Text testPlate;
    Text tableValue;
    Outcome outcome;
    Text percentage;
};

TEST(FeedCorrection, ComputesTheRatioCutToOneDecimal) {
    const ComputeCase cases[] = {
        {U"250", U"252", U"100", Outcome::Accepted, U"99.2"},
        {U"240", U"300", U"100", Outcome::Accepted, U"80"},     // exactly the lower end
        {U"300", U"240", U"100", Outcome::OutOfRange, U""},     // 125
        {U"2499", U"2500", U"100", Outcome::Accepted, U"99.9"}, // 99.96 is cut, not rounded
        {U"1200", U"1000", U"100", Outcome::Accepted, U"120"},
        {U"1201", U"1000", U"100", Outcome::OutOfRange, U""}, // 120.1
        {U"250", U"250", U"100", Outcome::LengthsUnusable, U""},
        {U"0", U"250", U"100", Outcome::LengthsUnusable, U""},
        {U"250", U"0", U"100", Outcome::LengthsUnusable, U""},
        {U"100", U"101", U" 98.5\t", Outcome::Accepted, U"97.5"}, // the table value is trimmed
        {U"100", U"101", U"", Outcome::NotANumber, U""},
        {U"100", U"101", U"9..5", Outcome::NotANumber, U""},
        {U"100", U"101", U"abc", Outcome::NotANumber, U""},
    };
    for (const ComputeCase& c : cases) {
        const FeedCorrection result = computeFeedCorrection(c.terminalBlock, c.testPlate, c.tableValue);
        EXPECT_EQ(result.outcome, c.outcome) << std::string(c.terminalBlock.begin(), c.terminalBlock.end());
        EXPECT_EQ(result.percentage, c.percentage);
    }
}

TEST(FeedCorrection, TypedPercentageIsCheckedAgainstTheRange) {
    const struct {
        Text typed;
        Outcome outcome;
        Text percentage;
    } cases[] = {
        {U"120", Outcome::Accepted, U"120"},  {U"120.0", Outcome::Accepted, U"120"},
        {U"120.1", Outcome::OutOfRange, U""}, {U"80", Outcome::Accepted, U"80"},
        {U"79.9", Outcome::OutOfRange, U""},  {U"099.50", Outcome::Accepted, U"99.5"},
        {U"100.", Outcome::Accepted, U"100"}, {U"1..2", Outcome::NotANumber, U""},
        {U".", Outcome::NotANumber, U""},     {U"", Outcome::NotANumber, U""},
    };
    for (const auto& c : cases) {
        const FeedCorrection result = checkTypedFeedCorrection(c.typed);
        EXPECT_EQ(result.outcome, c.outcome) << std::string(c.typed.begin(), c.typed.end());
        EXPECT_EQ(result.percentage, c.percentage);
    }
}

TEST(FeedCorrection, DecimalTextIsTheShortestForm) {
    EXPECT_EQ(decimalText({1000, 1}), U"100");
    EXPECT_EQ(decimalText({987, 1}), U"98.7");
    EXPECT_EQ(decimalText({5, 1}), U"0.5");
    EXPECT_EQ(decimalText({5, 3}), U"0.005");
    EXPECT_FALSE(parseDecimal(U"123456789012").has_value()); // beyond the digits the arithmetic holds
}

} // namespace
} // namespace lumitag::markerfile
