#include "entry/panel/SequenceModeView.h"

#include "ui/Edit.h"
#include "ui/Label.h"

namespace lumitag::entry {

void showSequenceMode(const marking::SequenceControls& controls, SequenceMode mode) {
    if (mode != SequenceMode::ThreeValues)
        controls.middle.clear();
    controls.middle.setVisible(mode == SequenceMode::ThreeValues);
    controls.tilde.setVisible(mode == SequenceMode::Range);
    controls.blank.setVisible(mode == SequenceMode::Pair);
}

void showSequenceGroup(const marking::SequenceControls& controls, const SequenceGroup& group) {
    controls.start.setText(group.start);
    controls.end.setText(group.end);
    if (group.mode == SequenceMode::ThreeValues)
        controls.middle.setText(group.middle);
    showSequenceMode(controls, group.mode);
}

} // namespace lumitag::entry
