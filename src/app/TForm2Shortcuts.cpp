// The orange window's keyboard shortcuts and its hints, each wired here once.
#include "app/Messages.h"
#include "app/TForm2.h"
#include "entry/panel/TextHint.h"
#include "sheet/WindowCoupling.h"

namespace lumitag::app {

// Every shortcut is the shortcut of a menu item (the keys are declared with
// the items in TForm2.h): it works while this window is active and the item
// is enabled, whether or not its menu is open. Alt with a letter or a digit
// needs no item: it presses the A–Z button or count button whose caption
// marks that character ("&A" … "&Z", "&1" … "1&0").
void TForm2::wireShortcuts() {
    // The window menu (PopupMenu2).
    N7.onClick = [this] { modeSwitch_.N7Click(); };        // Esc: cancel the last entry or undo
    N27.onClick = [this] { coupling_->ToggleFocus(); };    // F1: the spreadsheet or this program
    N20.onClick = [this] { SwitchToBlueMode(); };          // Shift+F1
    N17.onClick = [this] { modeSwitch_.N17Click(); };      // F2: edit mode
    N18.onClick = [this] { modeSwitch_.N18Click(); };      // F3: the list's mark modes
    N14.onClick = [this] { modeSwitch_.N14Click(); };      // F4: string insert mode
    N12.onClick = [this] { numberingMarks_->N12Click(); }; // F5: the multi-line mark
    N13.onClick = [this] { numberingMarks_->N13Click(); }; // F6: a numbering bracket
    N11.onClick = [this] { modeSwitch_.N11Click(); };      // F7: the focused field's fix box
    CTK1.onClick = [this] {                                // F8: save, once the list holds lines
        if (Button18.visible())
            Button18.click();
    };
    N15.onClick = [this] { // F9: transfer, the entry field first when the spreadsheet panel is not shown
        if (!Panel2.visible())
            FocusEntryField();
        Button21.click();
    };
    N16.onClick = [this] { // F10: marking, once the list holds lines
        if (Button4.visible())
            Button4.click();
    };
    N8.onClick = [this] { Button8.click(); };   // F11: clear the entry fields
    N10.onClick = [this] { Button17.click(); }; // F12: delete all lines

    // The list menu (PopupMenu1).
    N25.onClick = [this] { undo_.N25Click(); };               // Ctrl+Z
    N26.onClick = [this] { undo_.N26Click(); };               // Ctrl+Shift+Z
    N28.onClick = [this] { listCommands_.N28Click(); };       // Ctrl+A
    Cut1.onClick = [this] { listCommands_.Cut1Click(); };     // Ctrl+X
    Copy1.onClick = [this] { listCommands_.Copy1Click(); };   // Ctrl+C
    Paste1.onClick = [this] { listCommands_.Paste1Click(); }; // Ctrl+V
}

// Hints are off at start; SpeedButton27 turns them on and off for the whole
// window. The controls below show theirs whatever the switch says.
void TForm2::wireHints() {
    for (ui::Control* always : std::initializer_list<ui::Control*>{
             &editTools_.RadioGroup1, &multiLineTools_.TitleLabel, &CheckBox37, &Edit51, &Edit37, &Edit38})
        always->setShowHint(true);
    entry::TextHint::install(Edit3);
    entry::TextHint::install(Edit6);
    SpeedButton27.onClick = [this] { ToggleHints(); };
}

void TForm2::ToggleHints() {
    const bool show = !ownShowHint();
    setShowHint(show);
    SpeedButton27.setCaption(Text(show ? HideHintsCaption : ShowHintsCaption));
    FocusEntryField();
}

} // namespace lumitag::app
