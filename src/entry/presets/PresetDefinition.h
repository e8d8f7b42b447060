#pragma once

#include "platform/Text.h"

namespace lumitag::entry {

// What a preset button's definition text makes of a sequence group.
enum class DefinitionShape {
    None,        // not a definition: nothing changes, nothing is shown
    ThreeValues, // "R S T": start, middle and end value
    Pair,        // "+ -", "U VW": the start and the end value only
    Range,       // "00-15", "A-Z": the values from start to end
    RangeError,  // a hyphen where a range would have it, but no range shape fits
};

struct PresetDefinition {
    DefinitionShape shape = DefinitionShape::None;
    Text start;
    Text middle; // three values only
    Text end;

    bool operator==(const PresetDefinition&) const = default;
};

// Reads a preset definition of at most five characters. Three values come
// first, then pairs (one blank between parts of 1 to 3 characters), then
// the range shapes: a-b, a-bc, ab-c, ab-cd with hexadecimal digits (0–9, A–F),
// a-bcd and abc-d with decimal digits, and single-letter ranges A-Z or a-z.
PresetDefinition parsePresetDefinition(TextView definition);

} // namespace lumitag::entry
