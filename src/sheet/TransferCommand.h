#pragma once

#include "platform/Clipboard.h"
#include "platform/Text.h"
#include "sheet/TransferPlan.h"

#include <functional>
#include <vector>

namespace lumitag::ui {
class Button;
class CheckBox;
class Edit;
class Form;
class RadioButton;
} // namespace lumitag::ui

namespace lumitag::sheet {

class SpreadsheetLink;

// The marking list as the transfer reads it.
struct TransferList {
    // Each line's content columns, the marking text first, in list order.
    std::vector<std::vector<Text>> lines;
    // The list's painting found numbering brackets 【 in its first lines.
    bool numberingPresent = false;
};

// The controls of the orange window's spreadsheet panel the transfer reads.
struct TransferControls {
    ui::Form& window;              // dialogs and the wait cursor
    ui::Edit& Edit14;              // column box
    ui::Edit& Edit15;              // row box
    ui::RadioButton& RadioButton2; // 1行置
    ui::RadioButton& RadioButton3; // 2行置
    ui::RadioButton& RadioButton4; // 3行置 (RadioButton1 連続 otherwise)
    ui::CheckBox& CheckBox35;      // insert mode
    ui::CheckBox& CheckBox39;      // cell width linking
    ui::Button& Button21;          // 転送
};

struct TransferHooks {
    std::function<TransferList()> list;
    std::function<void()> focusEntryField;
    std::function<void()> bringToFront;
    // The watcher must not move the focus or the spreadsheet's window while
    // the transfer talks to the sheet.
    std::function<void()> stopWatcher;
    std::function<void()> startWatcher;
};

// 転送: writes the marking list into the connected worksheet from the cell
// the column and row boxes name, one line per row or every second, third or
// fourth row, inserting or overwriting, formats the block and leaves the row
// box at the row after it. Each continuous stretch of cells is written with
// one host call.
class TransferCommand {
public:
    static constexpr TextView OverwriteQuestion =
        U"挿入モードではありませんので転送先の\r\nデータが上書きされますよろしいですか？";
    static constexpr TextView ActiveCellBeyondQuestion =
        U"エクセルシートの選択セルがCV列（100列）以上にあります\r\nルミタグでの指定選択セルでよろしいですか"
        U"？";

    TransferCommand(TransferControls controls, SpreadsheetLink& link, platform::Clipboard& clipboard,
                    TransferHooks hooks);
    TransferCommand(const TransferCommand&) = delete;
    TransferCommand& operator=(const TransferCommand&) = delete;

    // Button21, Enter in the row box, F9.
    void Button21Click();
    // 逆順で転送する: the same transfer from the last line to the first.
    void gyak1Click();

private:
    TransferSpacing spacing() const;
    // Writes and formats the planned block, then points the row box and the
    // active cell at the row after it; throws SpreadsheetError.
    void write(const TransferPlan& plan, bool numberingPresent);
    // The end of a transfer that was not stopped: the entry field focused,
    // this window in front, the watcher running.
    void finish();

    TransferControls c_;
    SpreadsheetLink& link_;
    platform::Clipboard& clipboard_;
    TransferHooks hooks_;
    TransferOrder order_ = TransferOrder::ListOrder;
};

} // namespace lumitag::sheet
