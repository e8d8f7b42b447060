#pragma once

#include "entry/SequenceGroup.h"
#include "platform/Text.h"

namespace lumitag::entry {

// Which sequence changes fastest from one marking line to the next (連番前優先).
enum class LineOrder {
    LastSequenceFastest,  // unticked: 連番１ is the outermost loop, 連番３ the innermost
    FirstSequenceFastest, // ticked: 連番３ is the outermost loop, 連番１ the innermost
};

// Everything of the entry panel that makes up the marking texts of one entry:
// 連番１ + 線番１ + 連番２ + 線番２ + 連番３, and the line order.
struct EntryTexts {
    SequenceGroups sequences;
    Text fixedText1; // 線番１
    Text fixedText2; // 線番２
    LineOrder order = LineOrder::LastSequenceFastest;

    bool operator==(const EntryTexts&) const = default;
};

} // namespace lumitag::entry
