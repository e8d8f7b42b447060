#pragma once

#include "entry/SequenceGroup.h"
#include "platform/Text.h"

#include <array>

namespace lumitag::marking {

// What the entry's OK button writes before it changes the list, so that the
// entry can be cancelled: where its lines went and the entry fields as they
// were before the entry emptied them.
struct LastEntryRecord {
    // The entry fields kept, in this order.
    enum Field {
        Edit1,
        Edit2,
        Edit3,
        Edit4,
        Edit5,
        Edit6,
        Edit7,
        Edit8,
        Edit9,
        Edit16,
        Edit46,
        Edit49,
        FieldCount
    };
    // The order box 連番前優先 (CheckBox36).
    enum class OrderBox { Hidden = 0, Shown = 1, Ticked = 2 };

    int firstRow = 1;     // the next free row before the entry
    int insertionRow = 0; // 0: appended; else the row string insert mode inserted at
    int endRow = 0;       // string insert mode: the row after the last inserted row
    bool fullWidthBefore = false;
    std::array<Text, FieldCount> fields;
    std::array<entry::SequenceMode, 3> sequenceModes{};
    // Per sequence: the middle box text, shown again in three-value mode.
    std::array<Text, 3> middleTexts;
    OrderBox orderBox = OrderBox::Hidden;
};

} // namespace lumitag::marking
