#pragma once

#include "platform/Text.h"

#include <array>

namespace lumitag::entry {

// How a sequence group turns its boxes into values. The indicator between the
// start and the end box shows it: "～" (range), blanks (pair), the middle box
// (three values).
enum class SequenceMode { Range, Pair, ThreeValues };

// The boxes of one sequence group (連番１, 連番２ or 連番３) as the window holds them.
struct SequenceGroup {
    SequenceMode mode = SequenceMode::Range;
    Text start;
    Text middle; // read only in three-value mode
    Text end;

    bool operator==(const SequenceGroup&) const = default;
};

// The three sequence groups, 連番１ first.
using SequenceGroups = std::array<SequenceGroup, 3>;

// Both the start and the end box hold text, whatever the mode: what a fix box
// needs before it can be ticked, and what the order choice counts.
bool hasBothEnds(const SequenceGroup& group);

// Every box the mode reads holds text: start and end, and the middle box too in
// three-value mode. Only a complete sequence takes part in an entry.
bool isComplete(const SequenceGroup& group);

// The order check box (連番前優先) is offered while at least two sequences have
// both a start and an end text.
bool offersOrderChoice(const SequenceGroups& groups);

} // namespace lumitag::entry
