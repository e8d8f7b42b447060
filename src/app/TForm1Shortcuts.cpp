// The blue window's keyboard shortcuts, its key releases and its hints, each
// wired here once.
#include "app/Messages.h"
#include "app/TForm1.h"
#include "app/TForm2.h"
#include "sheet/WindowCoupling.h"

namespace lumitag::app {

namespace {

constexpr TextView OrangeSwitchHint = U"オレンジモードに切替えます　(ショートカットShift+F1)";

} // namespace

// Every shortcut is the shortcut of an item of the window menu PopupMenu1
// (the keys are declared with the items in TForm1.h): it works while this
// window is active, whether or not the menu is open.
void TForm1::wireShortcuts() {
    N3.onClick = [this] { orange_->coupling().ToggleFocus(); }; // F1: the spreadsheet or this program
    N1.onClick = [this] { SwitchToOrangeMode(); };              // Shift+F1
    CTK1.onClick = [this] {                                     // F8: save, once there is a result
        if (Button9.visible())
            Button9.click();
    };
    CTK2.onClick = [this] { ConvertNew(); }; // F9: a new conversion
    N2.onClick = [this] {                    // F10: marking, once there is a result
        if (Button3.visible())
            Button3.click();
    };

    // The window takes every key release itself: no control reacts to one.
    onKeyUp = [](ui::KeyEvent& event) { event.consume(); };
}

// Hints are off at start; SpeedButton27 turns them on and off for the whole
// window. The orange-mode switch tells how to close the program while they
// are off, and so shows its hint either way.
void TForm1::wireHints() {
    SpeedButton27.onClick = [this] { ToggleHints(); };
    Panel4.onMouseEnter = [this] {
        Panel4.setHint(Text(ownShowHint() ? OrangeSwitchHint : CloseFromOrangeHint));
        Panel4.setShowHint(true);
    };
}

void TForm1::ToggleHints() {
    const bool show = !ownShowHint();
    setShowHint(show);
    RadioGroup1.setShowHint(show);
    SpeedButton27.setCaption(Text(show ? HideHintsCaption : ShowHintsCaption));
}

} // namespace lumitag::app
