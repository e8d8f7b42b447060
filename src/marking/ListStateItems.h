#pragma once

#include <array>

namespace lumitag::ui {
class Button;
class MenuItem;
class SpeedButton;
} // namespace lumitag::ui

namespace lumitag::marking {

class MarkingList;

// The menu items and buttons whose state follows every change of the list:
// undo and redo, the items that need a selected line, string insert mode and
// the ways to cancel. The list's undo, commands and modes set them; the
// window owns them.
struct ListStateItems {
    ui::MenuItem& N25;   // 元に戻す
    ui::MenuItem& N26;   // やり直し
    ui::MenuItem& Cut1;  // 切り取り
    ui::MenuItem& Copy1; // コピー
    ui::MenuItem& Del1;  // 行削除
    ui::MenuItem& Ins1;  // 行挿入
    ui::MenuItem& N1;    // 文字列挿入モード
    ui::MenuItem& N2;    // 文字列挿入モード解除
    ui::Button& Button9; // 取消 of the last entry
    // The tool panels' 取消 buttons: SpeedButton33 (multi-line panel), 35, 37, 39.
    std::array<ui::SpeedButton*, 4> toolCancelButtons;

    // A change of the list: undo on, redo off.
    void markListChanged() const;
    // Disables 切り取り, コピー, 行削除 and 行挿入, which need a selected line.
    void disableLineItems() const;
    void setToolCancelButtons(bool enabled) const;
    // Leaves string insert mode without moving the focus: normal look, N1 on, N2 off.
    void dropStringInsertMode(MarkingList& list) const;
};

} // namespace lumitag::marking
