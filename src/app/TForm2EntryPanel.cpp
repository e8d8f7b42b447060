// The orange window's entry panel wired to its controls, and the window's own
// key handling (it sees keys before its controls).
#include "app/TForm2.h"

namespace lumitag::app {

entry::EntryPanelControls TForm2::entryPanelControls() {
    return {
        .form = *this,
        .list = list_,
        .undo = undo_,
        .sequences = sequenceControls(),
        .Edit3 = Edit3,
        .Edit6 = Edit6,
        .Edit9 = Edit9,
        .Edit46 = Edit46,
        .Edit49 = Edit49,
        .Edit16 = Edit16,
        .CheckBox4 = CheckBox4,
        .CheckBox6 = CheckBox6,
        .CheckBox36 = CheckBox36,
        .CheckBox2 = CheckBox2,
        .CheckBox8 = CheckBox8,
        .Button7 = Button7,
        .Button8 = Button8,
        .Button9 = Button9,
        .Timer5 = Timer5,
    };
}

void TForm2::wireEntryPanel() {
    entryPanel_.setHooks(
        {.focusEntryField = [this] { FocusEntryField(); },
         .recordHistory = [this] { letterStore_->RecordHistory(); },
         .pendingDefinition = [this](std::size_t i) { return presets_->pendingDefinition(i); },
         .forgetPendingDefinition = [this](std::size_t i) { presets_->forgetPendingDefinition(i); },
         .numberingEntered = [this] { numberingMarks_->setNumberingFlag(); }});
    entryPanel_.install();

    onKeyDown = [this](ui::KeyEvent& event) {
        // Ctrl anywhere but the list hands the list the focus, so that the
        // list's Ctrl shortcuts (undo, select all, cut, copy, paste) work from
        // wherever the user is; the selection stops following the end.
        if (event.key == ui::Key::Control && activeControl() != &StringGrid1) {
            Timer1.stop();
            StringGrid1.setFocus();
            return;
        }
        entryPanel_.FormKeyDown(event);
    };
    onKeyUp = [this](ui::KeyEvent& event) { entryPanel_.FormKeyUp(event); };
}

} // namespace lumitag::app
