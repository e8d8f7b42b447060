#pragma once

#include "marking/ListWindowControls.h"

namespace lumitag::ui {
struct WheelEvent;
}

namespace lumitag::marking {

class ListUndo;

// The orange-mode window's commands on the marking list: delete the last or
// every line, cut, copy and paste, delete and insert rows, reverse the order,
// select all; the list menu's state when it opens; the mouse wheel; and the
// periodic refresh (Timer5) that keeps the line count and every command's
// enabled state current.
//
// Every command that changes the list takes its undo snapshot first.
class ListCommands {
public:
    ListCommands(ListWindowControls controls, ListWindowHooks hooks, ListUndo& undo);
    ListCommands(const ListCommands&) = delete;
    ListCommands& operator=(const ListCommands&) = delete;

    void Button16Click(); // DeleteLastLine (一行削除)
    void Button17Click(); // DeleteAllLines (全行削除, F12)
    void Copy1Click();    // CopyLines (Ctrl+C)
    void Cut1Click();     // CutLines (Ctrl+X)
    void Paste1Click();   // PasteLines (Ctrl+V)
    void Del1Click();     // DeleteRows (行削除)
    void Ins1Click();     // InsertRows (行挿入)
    void gyak2Click();    // ReverseOrder (逆順に並び替え)
    void N28Click();      // SelectAllLines (全行選択, Ctrl+A)
    // The list menu opens: 貼り付け is offered for clipboard text outside the mark modes.
    void PopupMenu1Popup();
    // A wheel turn that no control used scrolls the list by one line.
    void FormMouseWheel(ui::WheelEvent& event);
    // The keys that finish a select-all, sent at the list's next paint.
    void SendSelectAllKeys();
    void Timer5Timer(); // PeriodicRefresh

private:
    // The selected cells as clipboard text: TAB between cells, CR LF after each row.
    Text selectionText() const;
    void focusEntryField();

    ListWindowControls c_;
    ListWindowHooks hooks_;
    ListUndo& undo_;
};

} // namespace lumitag::marking
