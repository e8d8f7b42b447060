#include "entry/presets/PresetDefinition.h"

#include <gtest/gtest.h>
#include <string>

namespace lumitag::entry {
namespace {

using Shape = DefinitionShape;

std::string utf8(TextView text) {
    std::string out;
    for (char32_t c : text)
        out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

TEST(PresetDefinition, ReadsEveryShapeAndRefusesWhatFitsNoRange) {
    const struct {
        TextView text;
        PresetDefinition expected;
    } cases[] = {
        {U"R S T", {Shape::ThreeValues, U"R", U"S", U"T"}},
        {U"+ -", {Shape::Pair, U"+", {}, U"-"}}, // the pair rule comes before the range rule
        {U"U VW", {Shape::Pair, U"U", {}, U"VW"}},
        {U"ABC D", {Shape::Pair, U"ABC", {}, U"D"}},
        {U"A BCD", {Shape::Pair, U"A", {}, U"BCD"}},
        {U"AB CD", {Shape::Pair, U"AB", {}, U"CD"}},
        {U"00-15", {Shape::Range, U"00", {}, U"15"}},
        {U"FF-00", {Shape::Range, U"FF", {}, U"00"}},
        {U"0-99", {Shape::Range, U"0", {}, U"99"}},
        {U"10-F", {Shape::Range, U"10", {}, U"F"}},
        {U"0-F", {Shape::Range, U"0", {}, U"F"}},
        {U"A-Z", {Shape::Range, U"A", {}, U"Z"}},
        {U"a-z", {Shape::Range, U"a", {}, U"z"}},
        {U"1-100", {Shape::Range, U"1", {}, U"100"}},
        {U"100-1", {Shape::Range, U"100", {}, U"1"}},
        {U"1-1A", {Shape::Range, U"1", {}, U"1A"}},
        // A hyphen in a range place, but no shape fits.
        {U"1-10A", {Shape::RangeError, {}, {}, {}}}, // five characters take decimal digits only
        {U"A-z", {Shape::RangeError, {}, {}, {}}},
        {U"G-9", {Shape::RangeError, {}, {}, {}}},
        {U"a-Z", {Shape::RangeError, {}, {}, {}}},
        {U"a-f0", {Shape::RangeError, {}, {}, {}}}, // hexadecimal is upper case only
        // Anything else is silently nothing.
        {U"R S T U", {}},
        {U"123456", {}},
        {U"AB", {}},
        {U"-AB", {}},
        {U"A  B", {}},
        {U"ABCD", {}},
        {U"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(utf8(c.text));
        EXPECT_EQ(parsePresetDefinition(c.text), c.expected);
    }
}

} // namespace
} // namespace lumitag::entry
