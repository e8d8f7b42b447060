#pragma once

#include "marking/EntryFieldControls.h"
#include "marking/ListStateItems.h"
#include "marking/ListWindowHooks.h"

namespace lumitag::ui {
class Button;
class MenuItem;
class Panel;
} // namespace lumitag::ui

namespace lumitag::marking {

class ListUndo;
class MarkingList;

// What the list modes read and write.
struct ModeSwitchControls {
    MarkingList& list;
    ListStateItems items;
    EntryFieldControls entry;
    ui::MenuItem& N5;    // 編集
    ui::MenuItem& N6;    // multi-line mark mode
    ui::MenuItem& N9;    // numbering mark mode
    ui::Button& Button4; // マーキング: shown while the list holds marker data
    ui::Panel& Panel2;   // spreadsheet panel
    ui::Panel& Panel6;   // multi-line tools
    ui::Panel& Panel8;   // edit tools
};

// The list modes and the window's function keys that switch them: string
// insert mode (F4), edit mode (F2), the two mark modes (F3), the return to
// the entry fields, Esc and the fix-box toggle F7.
//
// The mark modes' clicks inside the list belong to the numbering marks; this
// class switches the modes, their headers, colours and panels.
class ModeSwitch {
public:
    ModeSwitch(ModeSwitchControls controls, ListWindowHooks hooks, ListUndo& undo);
    ModeSwitch(const ModeSwitch&) = delete;
    ModeSwitch& operator=(const ModeSwitch&) = delete;

    void N1Click(); // EnterStringInsertMode
    void N2Click(); // LeaveStringInsertMode
    void N5Click(); // EnterEditMode
    void N6Click(); // multi-line mark mode
    void N9Click(); // numbering mark mode
    // LeaveGridModes: an entry field gets the focus. Edit and multi-line mark
    // mode end; the list's snapshot is brought up to date.
    void EntryFieldEnter();
    void N17Click(); // F2: edit mode on or off
    void N18Click(); // F3: normal → multi-line mark → numbering mark → normal
    void N14Click(); // F4: string insert mode on or off
    void N7Click();  // Esc: cancel the last entry or undo
    void N11Click(); // F7: ToggleLock

private:
    // Edit mode or a mark mode starts.
    void enterGridMode(bool edit, bool multiLineMark, bool numberingMark);
    // F2 and F3 end every grid mode and return to the entry fields.
    void endGridModes();
    // The list is back in no grid mode (numbering mark mode aside).
    void showNormalPanels();
    void restoreUndoAfterEntry();
    void offerMarkModes();
    void focusEntryField();

    ModeSwitchControls c_;
    ListWindowHooks hooks_;
    ListUndo& undo_;
};

} // namespace lumitag::marking
