#include "entry/panel/SequenceModeView.h"

#include "ui/Edit.h"
#include "ui/Events.h"
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

void ignoreAltAndEnter(ui::Edit& box) {
    box.onKeyDown = [](ui::KeyEvent& event) {
        if (event.key == ui::Key::Alt)
            event.consume();
    };
    box.onKeyPress = [](char32_t& character) {
        if (character == ui::chars::Enter)
            character = ui::chars::None;
    };
}

} // namespace lumitag::entry
