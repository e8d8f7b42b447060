#pragma once

#include "marking/LastEntryRecord.h"

#include <array>
#include <functional>

namespace lumitag::ui {
class Button;
class CheckBox;
class ComboBox;
class Edit;
class Form;
class Label;
class MenuItem;
class Panel;
class PopupMenu;
class RadioButton;
class SpeedButton;
class Timer;
} // namespace lumitag::ui

namespace lumitag::marking {

class MarkingList;

// The boxes and indicators of one sequence group of the entry panel.
struct SequenceControls {
    ui::Edit& start;
    ui::Edit& middle; // shown in three-value mode
    ui::Edit& end;
    ui::Label& tilde; // "～": range mode
    ui::Label& blank; // pair mode
    ui::CheckBox& fix;
};

// The controls of the orange-mode window that the list's undo, commands,
// modes and menus read and write. The window owns them.
struct ListWindowControls {
    ui::Form& form;
    MarkingList& list;

    // The list menu (PopupMenu1).
    ui::PopupMenu& PopupMenu1;
    ui::MenuItem& N25;    // 元に戻す
    ui::MenuItem& N26;    // やり直し
    ui::MenuItem& N5;     // 編集
    ui::MenuItem& N6;     // multi-line mark mode
    ui::MenuItem& N9;     // numbering mark mode
    ui::MenuItem& N28;    // 全行選択
    ui::MenuItem& Cut1;   // 切り取り
    ui::MenuItem& Copy1;  // コピー
    ui::MenuItem& Paste1; // 貼り付け
    ui::MenuItem& Del1;   // 行削除
    ui::MenuItem& Ins1;   // 行挿入
    ui::MenuItem& gyak2;  // 逆順に並び替え
    ui::MenuItem& N1;     // 文字列挿入モード
    ui::MenuItem& N2;     // 文字列挿入モード解除
    ui::MenuItem& CTK2;   // import
    ui::MenuItem* gyak1;  // 逆順で転送する of the spreadsheet panel's menu, when present

    // The window menu (PopupMenu2) items whose commands live here.
    ui::MenuItem& N7;  // Esc
    ui::MenuItem& N17; // F2
    ui::MenuItem& N18; // F3
    ui::MenuItem& N14; // F4
    ui::MenuItem& N11; // F7
    ui::MenuItem& N10; // F12

    ui::Button& Button9;            // 取消 of the last entry
    ui::Button& Button16;           // 一行削除
    ui::Button& Button17;           // 全行削除
    ui::Button& Button4;            // マーキング
    ui::Button& Button18;           // CTK 保存
    ui::SpeedButton& SpeedButton51; // 半角変換
    // The tool panels' 取消 buttons: SpeedButton33 (multi-line panel), 35, 37, 39.
    std::array<ui::SpeedButton*, 4> toolCancelButtons;
    ui::Timer& Timer5; // periodic refresh

    ui::Panel& Panel2;                           // spreadsheet panel
    ui::Panel& Panel6;                           // multi-line tools
    ui::Panel& Panel8;                           // edit tools
    ui::Panel& Panel13;                          // marking-size selector
    ui::Panel& Panel14;                          // box mode selector
    std::array<ui::RadioButton*, 3> sizeButtons; // RadioButton10 … RadioButton12
    std::array<ui::ComboBox*, 3> countLabels;    // ComboBox4 … ComboBox6

    // The entry fields in LastEntryRecord::Field order.
    std::array<ui::Edit*, LastEntryRecord::FieldCount> entryFields;
    std::array<SequenceControls, 3> sequences;
    ui::CheckBox& CheckBox36; // 連番前優先
    ui::CheckBox& CheckBox4;  // 線番１ fixed
    ui::CheckBox& CheckBox6;  // 線番２ fixed
};

// What the list's commands ask of the rest of the window.
struct ListWindowHooks {
    // Focuses 線番２ when 線番１ is fixed, else 線番１, with the whole text selected.
    std::function<void()> focusEntryField;
    // Whether the spreadsheet application is visible; failures answer false.
    std::function<bool()> spreadsheetVisible;
};

// Small steps several commands share.
// Leaves string insert mode without moving the focus: normal look, N1 on, N2 off.
void dropStringInsertMode(const ListWindowControls& c);
// Disables 切り取り, コピー, 行削除 and 行挿入, which need a selected line.
void disableLineItems(const ListWindowControls& c);
void setToolCancelButtons(const ListWindowControls& c, bool enabled);
// A change of the list: undo on, redo off.
void markListChanged(const ListWindowControls& c);

} // namespace lumitag::marking
