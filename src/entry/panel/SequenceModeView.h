#pragma once

#include "entry/SequenceGroup.h"
#include "marking/EntryFieldControls.h"

namespace lumitag::entry {

// Shows a sequence group's mode the way the panel reads it back: the "～"
// label for a range, the blank label for a pair, the middle box for three
// values. A middle box that goes out of sight is emptied.
void showSequenceMode(const marking::SequenceControls& controls, SequenceMode mode);

// Puts a whole group into its boxes and shows its mode.
void showSequenceGroup(const marking::SequenceControls& controls, const SequenceGroup& group);

// A box beside the entry fields (preset definitions, the A–Z boxes): the Alt
// key goes no further and Enter types nothing.
void ignoreAltAndEnter(ui::Edit& box);

} // namespace lumitag::entry
