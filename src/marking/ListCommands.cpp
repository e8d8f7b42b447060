#include "marking/ListCommands.h"

#include "marking/FullWidth.h"
#include "marking/ListUndo.h"
#include "marking/MarkingList.h"
#include "marking/Snapshot.h"
#include "platform/ProgramTitle.h"
#include "platform/Text.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Events.h"
#include "ui/MenuItem.h"
#include "ui/SpeedButton.h"

#include <algorithm>
#include <string>

namespace lumitag::marking {

namespace {

constexpr TextView LineBreak = U"\r\n";
// How far delete-last-line keeps the end of the list in view.
constexpr int EndOfListMargin = 15;
constexpr int MaxScrollSteps = 14;

platform::Answer ask(ui::Application& app, const Text& text, platform::Buttons buttons) {
    return app.showMessage(platform::MessageKind::Question, Text(ProgramTitle), text, buttons);
}

// Whether a CR-terminated line of the text holds a full-width character; text
// after the last CR is no line. Returns the number of those lines too.
struct PastedLines {
    int count = 0;
    bool fullWidth = false;
};
PastedLines examinePastedText(TextView text) {
    PastedLines result;
    std::size_t start = 0;
    for (std::size_t cr = text.find(U'\r'); cr != TextView::npos; cr = text.find(U'\r', start)) {
        ++result.count;
        if (isFullWidth(text.substr(start, cr - start)))
            result.fullWidth = true;
        start = cr + 1;
    }
    return result;
}

} // namespace

ListCommands::ListCommands(ListCommandControls controls, ListWindowHooks hooks, ListUndo& undo)
    : c_(controls), hooks_(std::move(hooks)), undo_(undo) {}

// --- Deleting lines ------------------------------------------------------------------------

void ListCommands::Button16Click() {
    MarkingList& list = c_.list;
    if (!list.empty()) {
        undo_.TakeUndoSnapshot();
        undo_.MarkSnapshotPending();
        c_.items.markListChanged();
        if (list.nextFreeRow() - EndOfListMargin >= list.topRow())
            list.setTopRow(list.nextFreeRow() - EndOfListMargin);
        list.setNextFreeRow(list.nextFreeRow() - 1);
        list.clearRow(list.nextFreeRow());
        if (list.empty()) {
            list.resetRowCount();
            list.setFullWidth(false);
            list.setTopRow(1);
            c_.items.disableLineItems();
        }
    }
    for (int step = 0; step < MaxScrollSteps && list.topRow() == list.nextFreeRow() && list.topRow() > 1;
         ++step)
        list.setTopRow(list.topRow() - 1);
    c_.items.Button9.hide();
    focusEntryField();
}

void ListCommands::Button17Click() {
    MarkingList& list = c_.list;
    if (list.empty()) {
        focusEntryField();
        return;
    }
    ui::Application& app = list.grid().application();
    if (ask(app, U"グリッド内の文字列を\r\nすべて削除しますか？", platform::Buttons::YesCancel) !=
        platform::Answer::Yes) {
        focusEntryField();
        return;
    }
    list.clearAllRows();
    undo_.TakeUndoSnapshot();
    undo_.MarkSnapshotPending();
    list.forgetRememberedCellText();
    list.setNextFreeRow(1);
    list.setFullWidth(false);
    c_.SpeedButton51.hide();
    list.resetRowCount();
    list.setTopRow(1);
    c_.items.disableLineItems();
    c_.items.dropStringInsertMode(c_.list);
    c_.items.Button9.hide();
    c_.items.markListChanged();
    focusEntryField();
}

// --- Clipboard ----------------------------------------------------------------------------------

Text ListCommands::selectionText() const {
    const ui::GridRect rect = c_.list.selection();
    Text text;
    for (int row = rect.top; row <= rect.bottom; ++row) {
        for (int col = rect.left; col <= rect.right; ++col) {
            if (col > rect.left)
                text += U'\t';
            text += c_.list.cell(col, row);
        }
        text += LineBreak;
    }
    return text;
}

void ListCommands::Copy1Click() {
    if (platform::Clipboard* clipboard = c_.list.grid().application().clipboard())
        clipboard->setText(selectionText());
}

void ListCommands::Cut1Click() {
    MarkingList& list = c_.list;
    undo_.TakeUndoSnapshot();
    Copy1Click();
    const ui::GridRect rect = list.selection();
    for (int row = rect.top; row <= rect.bottom; ++row)
        for (int col = std::max(rect.left, 1); col <= rect.right; ++col)
            list.setCell(col, row, {});
    c_.items.Button9.hide();
    undo_.MarkSnapshotPending();
    c_.items.markListChanged();
}

void ListCommands::Paste1Click() {
    MarkingList& list = c_.list;
    ui::Application& app = list.grid().application();
    platform::Clipboard* clipboard = app.clipboard();
    if (clipboard == nullptr)
        return;
    const ui::GridRect rect = list.selection();
    const int left = rect.left;
    const int top = rect.top;
    const Text text = clipboard->text();
    const PastedLines pasted = examinePastedText(text);
    if (pasted.fullWidth)
        list.setFullWidth(true);

    const platform::Answer choice =
        ask(app, U"選択されているセル位置に挿入しますか？\r\n（\"いいえ\"を選択すると上書きされます）",
            platform::Buttons::YesNo);
    const Text cutOff = U"\r\n貼り付け後が1000行を超えた部分はカットされます。\r\nよろしいですか？";
    // An open cell editor writes its text into its cell as it closes: it is
    // closed first, so that it cannot write over what the paste puts there.
    list.grid().hideEditor();
    const int next = list.nextFreeRow();
    if (choice == platform::Answer::No) {
        if (pasted.count + next > MarkingList::RowCount &&
            ask(app, U"貼り付ける文字列が" + numberText(pasted.count) + U"行あります。" + cutOff,
                platform::Buttons::YesNo) != platform::Answer::Yes)
            return;
    } else if (choice == platform::Answer::Yes) {
        // A text without a line break still takes a row of its own. It is
        // counted before the question, so that a full list is asked about too.
        const int rows = std::max(pasted.count, 1);
        if (rows + next > MarkingList::RowCount &&
            ask(app, U"グリッドに" + numberText(next - 1) + U"行あります。" + cutOff,
                platform::Buttons::YesNo) != platform::Answer::Yes)
            return;
        list.shiftRowsDown(top, rows);
    } else {
        return; // the question was closed without an answer
    }

    if (!holdsCarriageReturn(text))
        list.setCell(left, top, text);
    else
        list.writeLines(parseLines(text), left, top, MarkingList::LastRow);
    list.resetRowCount();

    undo_.TakeUndoSnapshot(); // the memo still holds the list before the paste
    undo_.WriteSnapshot(list.selection().top, MarkingList::LastRow);
    c_.items.markListChanged();
    c_.items.Button9.hide();
}

void ListCommands::PopupMenu1Popup() {
    platform::Clipboard* clipboard = c_.list.grid().application().clipboard();
    const bool hasText = clipboard != nullptr && !clipboard->text().empty();
    c_.Paste1.setEnabled(hasText && !c_.list.modes().markMode());
}

// --- Rows ---------------------------------------------------------------------------------------

void ListCommands::Del1Click() {
    MarkingList& list = c_.list;
    const ui::GridRect rect = list.selection();
    const int count = rect.bottom - rect.top + 1;
    undo_.TakeUndoSnapshot();
    undo_.MarkSnapshotPending();
    c_.items.markListChanged();
    if (count >= list.grid().rowCount() - 1) {
        // Every row goes: the list is empty again, with room for 1000 lines.
        list.clearAllRows();
        list.resetRowCount();
    } else {
        list.shiftRowsUp(rect.bottom + 1, count);
    }
    list.recomputeFullWidthUpTo(list.nextFreeRow());
    c_.items.Button9.hide();
}

void ListCommands::Ins1Click() {
    MarkingList& list = c_.list;
    const ui::GridRect rect = list.selection();
    const int count = rect.bottom - rect.top + 1;
    list.updateNextFreeRow();
    // Lines pushed past row 1000 could not be saved and would be lost: the
    // insertion is refused instead.
    const int room = MarkingList::LastRow - list.lineCount();
    if (rect.top < list.nextFreeRow() && count > room) {
        list.grid().application().showMessage(platform::MessageKind::Information, Text(ProgramTitle),
                                              U"行挿入すると1000行を超えます。\r\n（挿入できるのはあと" +
                                                  numberText(room) + U"行です）",
                                              platform::Buttons::Ok);
        return;
    }
    undo_.TakeUndoSnapshot();
    undo_.MarkSnapshotPending();
    c_.items.markListChanged();
    list.shiftRowsDown(rect.top, count);
    c_.items.Button9.hide();
}

void ListCommands::gyak2Click() {
    MarkingList& list = c_.list;
    undo_.TakeUndoSnapshot();
    undo_.MarkSnapshotPending();
    c_.items.markListChanged();
    c_.items.Button9.hide();
    if (list.empty())
        return;
    std::vector<RowFields> rows = list.rowsText(1, list.nextFreeRow() - 1);
    std::reverse(rows.begin(), rows.end());
    list.writeLines(rows, 1, 1, list.grid().rowCount() - 1);
}

void ListCommands::N28Click() {
    MarkingList& list = c_.list;
    list.select({1, 1, list.contentColumns(), std::max(1, list.nextFreeRow() - 1)});
    list.setSelectAllFollowUp();
}

void ListCommands::SendSelectAllKeys() {
    // Shift+Down and Shift+Up leave the selection as it is, but as key moves
    // they run the list's click rules (cut and copy become available).
    ui::Application& app = c_.list.grid().application();
    app.keyUp(ui::Key::Control, ui::Modifiers::None);
    app.keyDown(ui::Key::Shift, ui::Modifiers::Shift);
    app.keyDown(ui::Key::Down, ui::Modifiers::Shift);
    app.keyUp(ui::Key::Down, ui::Modifiers::Shift);
    app.keyDown(ui::Key::Up, ui::Modifiers::Shift);
    app.keyUp(ui::Key::Up, ui::Modifiers::Shift);
    app.keyUp(ui::Key::Shift, ui::Modifiers::None);
}

void ListCommands::FormMouseWheel(ui::WheelEvent& event) {
    if (event.delta == 0)
        return;
    MarkingList& list = c_.list;
    list.setTopRow(list.topRow() + (event.delta > 0 ? -1 : 1));
    event.handled = true;
}

void ListCommands::focusEntryField() {
    if (hooks_.focusEntryField)
        hooks_.focusEntryField();
}

} // namespace lumitag::marking
