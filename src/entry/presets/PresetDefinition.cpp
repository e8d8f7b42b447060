#include "entry/presets/PresetDefinition.h"

#include "platform/Text.h"

#include <algorithm>
#include <cstddef>
#include <optional>

namespace lumitag::entry {

namespace {

constexpr char32_t Blank = U' ';
constexpr char32_t Hyphen = U'-';

// Upper-case hexadecimal only: a preset range of a-f is a letter range.
bool isHexOrDigit(char32_t c) {
    return isAsciiDigit(c) || (c >= U'A' && c <= U'F');
}

bool isUpper(char32_t c) {
    return c >= U'A' && c <= U'Z';
}

bool isLower(char32_t c) {
    return c >= U'a' && c <= U'z';
}

bool all(TextView text, bool (*test)(char32_t)) {
    return std::all_of(text.begin(), text.end(), test);
}

std::optional<PresetDefinition> threeValues(TextView s) {
    if (s.size() != 5 || s[1] != Blank || s[3] != Blank || s[0] == Blank || s[2] == Blank || s[4] == Blank)
        return std::nullopt;
    return PresetDefinition{DefinitionShape::ThreeValues, Text(1, s[0]), Text(1, s[2]), Text(1, s[4])};
}

std::optional<PresetDefinition> pair(TextView s) {
    if (s.size() < 3 || s.size() > 5 || std::count(s.begin(), s.end(), Blank) != 1)
        return std::nullopt;
    const std::size_t blank = s.find(Blank);
    const std::size_t firstLength = blank;
    const std::size_t secondLength = s.size() - blank - 1;
    if (firstLength < 1 || firstLength > 3 || secondLength < 1 || secondLength > 3)
        return std::nullopt;
    return PresetDefinition{DefinitionShape::Pair, Text(s.substr(0, blank)), {}, Text(s.substr(blank + 1))};
}

bool hyphenInRangePlace(TextView s) {
    const std::size_t length = s.size();
    return (length >= 3 && length <= 5 && s[1] == Hyphen) ||
           ((length == 4 || length == 5) && s[2] == Hyphen) || (length == 5 && s[3] == Hyphen);
}

std::optional<PresetDefinition> range(TextView s) {
    if (!hyphenInRangePlace(s))
        return std::nullopt;
    struct Shape {
        std::size_t length;
        std::size_t hyphen;
        bool (*digit)(char32_t);
    };
    static constexpr Shape shapes[] = {
        {3, 1, isHexOrDigit}, // a-b
        {4, 1, isHexOrDigit}, // a-bc
        {5, 1, isAsciiDigit}, // a-bcd
        {4, 2, isHexOrDigit}, // ab-c
        {5, 2, isHexOrDigit}, // ab-cd
        {5, 3, isAsciiDigit}, // abc-d
    };
    for (const Shape& shape : shapes) {
        if (s.size() != shape.length || s[shape.hyphen] != Hyphen)
            continue;
        const TextView start = s.substr(0, shape.hyphen);
        const TextView end = s.substr(shape.hyphen + 1);
        if (all(start, shape.digit) && all(end, shape.digit))
            return PresetDefinition{DefinitionShape::Range, Text(start), {}, Text(end)};
    }
    if (s.size() == 3 && s[1] == Hyphen &&
        ((isUpper(s[0]) && isUpper(s[2])) || (isLower(s[0]) && isLower(s[2]))))
        return PresetDefinition{DefinitionShape::Range, Text(1, s[0]), {}, Text(1, s[2])};
    return PresetDefinition{DefinitionShape::RangeError, {}, {}, {}};
}

} // namespace

PresetDefinition parsePresetDefinition(TextView definition) {
    for (auto rule : {threeValues, pair, range})
        if (std::optional<PresetDefinition> parsed = rule(definition))
            return *parsed;
    return {};
}

} // namespace lumitag::entry
