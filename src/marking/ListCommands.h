#pragma once

#include "marking/ListStateItems.h"
#include "marking/ListWindowHooks.h"
#include "platform/Text.h"

#include <array>

namespace lumitag::ui {
class Button;
class ComboBox;
class MenuItem;
class Panel;
class RadioButton;
class SpeedButton;
struct WheelEvent;
} // namespace lumitag::ui

namespace lumitag::marking {

class ListUndo;
class MarkingList;

// What the list's commands and the periodic refresh read and write.
struct ListCommandControls {
    MarkingList& list;
    ListStateItems items;
    ui::MenuItem& Paste1;           // 貼り付け
    ui::SpeedButton& SpeedButton51; // 半角変換

    // What the periodic refresh offers once the list holds lines, or not.
    ui::MenuItem& N5;     // 編集
    ui::MenuItem& N6;     // multi-line mark mode
    ui::MenuItem& N9;     // numbering mark mode
    ui::MenuItem& N28;    // 全行選択
    ui::MenuItem& gyak2;  // 逆順に並び替え
    ui::MenuItem& CTK2;   // import
    ui::MenuItem* gyak1;  // 逆順で転送する of the spreadsheet panel's menu, when present
    ui::Button& Button4;  // マーキング
    ui::Button& Button18; // CTK 保存
    ui::Panel& Panel13;   // marking-size selector
    ui::Panel& Panel14;   // box mode selector
    std::array<ui::RadioButton*, 3> sizeButtons; // RadioButton10 … RadioButton12
    std::array<ui::ComboBox*, 3> countLabels;    // ComboBox4 … ComboBox6
};

// The orange-mode window's commands on the marking list: delete the last or
// every line, cut, copy and paste, delete and insert rows, reverse the order,
// select all; the list menu's state when it opens; the mouse wheel; and the
// periodic refresh (Timer5) that keeps the line count and every command's
// enabled state current.
//
// Every command that changes the list takes its undo snapshot first.
class ListCommands {
public:
    ListCommands(ListCommandControls controls, ListWindowHooks hooks, ListUndo& undo);
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

    ListCommandControls c_;
    ListWindowHooks hooks_;
    ListUndo& undo_;
};

} // namespace lumitag::marking
