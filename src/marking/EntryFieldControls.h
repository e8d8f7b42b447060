#pragma once

#include "marking/LastEntryRecord.h"

#include <array>

namespace lumitag::ui {
class CheckBox;
class Edit;
class Label;
} // namespace lumitag::ui

namespace lumitag::marking {

// The boxes and indicators of one sequence group of the entry panel.
struct SequenceControls {
    ui::Edit& start;
    ui::Edit& middle; // shown in three-value mode
    ui::Edit& end;
    ui::Label& tilde; // "～": range mode
    ui::Label& blank; // pair mode
    ui::CheckBox& fix;
};

// The entry fields as the list's undo and modes see them: cancelling the last
// entry puts its fields back, the modes return the focus to them and F7 ticks
// their fix boxes. The window owns them.
struct EntryFieldControls {
    // In LastEntryRecord::Field order.
    std::array<ui::Edit*, LastEntryRecord::FieldCount> fields;
    std::array<SequenceControls, 3> sequences;
    ui::CheckBox& CheckBox36; // 連番前優先
    ui::CheckBox& CheckBox4;  // 線番１ fixed
    ui::CheckBox& CheckBox6;  // 線番２ fixed
};

} // namespace lumitag::marking
