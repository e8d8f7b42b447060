#include "marking/ListUndo.h"

#include "marking/MarkingList.h"
#include "marking/Snapshot.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Edit.h"
#include "ui/Label.h"
#include "ui/MenuItem.h"
#include "ui/SpeedButton.h"

#include <algorithm>

namespace lumitag::marking {

namespace {

// Restoring scrolls only when the selected row would be off screen, and then
// shows it this many rows below the top.
constexpr int RestoreScrollMargin = 13;
constexpr int VisibleRows = 14;

} // namespace

ListUndo::ListUndo(UndoControls controls, ListWindowHooks hooks) : c_(controls), hooks_(std::move(hooks)) {}

// --- The snapshot service ------------------------------------------------------------

void ListUndo::MarkSnapshotPending() {
    c_.list.setSnapshotPending();
}

void ListUndo::WriteSnapshot(int selectRow) {
    WriteSnapshot(selectRow, c_.list.nextFreeRow() - 1);
}

void ListUndo::WriteSnapshot(int selectRow, int lastRow) {
    memo_ = makeSnapshot(selectRow, c_.list.rowsText(1, lastRow));
}

void ListUndo::RestoreSnapshot(TextView snapshot) {
    MarkingList& list = c_.list;
    list.selectCell(1, 1);
    const SnapshotParts parts = splitSnapshot(snapshot);
    if (!holdsCarriageReturn(parts.body)) {
        // Text without a line break is one cell's text.
        list.setCell(2, 1, parts.body);
    } else {
        list.writeLines(parseLines(parts.body), 1, 1, list.grid().rowCount() - 1);
    }
    // The rows written decide the next free row; recomputing it by the list's
    // rule also leaves out empty rows at the end, which a snapshot of a paste holds.
    list.updateNextFreeRow();

    const int row = std::clamp(parts.selectRow, 1, list.grid().rowCount() - 1);
    list.selectCell(1, row);
    const int top = list.topRow();
    if ((row > top + VisibleRows || row < top) && row > RestoreScrollMargin)
        list.setTopRow(row - RestoreScrollMargin);
}

void ListUndo::SnapshotAfterEntry() {
    undoText_ = memo_;
    WriteSnapshot(c_.list.nextFreeRow());
    c_.items.markListChanged();
    c_.items.setToolCancelButtons(false);
}

// --- The bulk tools' steps -----------------------------------------------------------

void ListUndo::TakeToolUndo() {
    c_.items.Button9.hide();
    c_.items.N25.setEnabled(false);
    WriteSnapshot(c_.list.selection().top);
    TakeUndoSnapshot();
    MarkSnapshotPending();
}

void ListUndo::OfferToolCancel() {
    c_.items.setToolCancelButtons(true);
}

void ListUndo::TakeConversionUndo() {
    c_.items.Button9.hide();
    MarkSnapshotPending();
    c_.items.markListChanged();
    WriteSnapshot(c_.list.nextFreeRow());
    TakeUndoSnapshot();
}

// --- Undo and redo -------------------------------------------------------------------

void ListUndo::N25Click() {
    MarkingList& list = c_.list;
    redoText_ = memo_;
    MarkSnapshotPending();
    if (c_.items.Button9.visible()) {
        // Right after an entry, undo takes the entry back, fields and all.
        Button9Click();
        return;
    }
    list.clearAllRows();
    if (!undoText_.empty()) {
        RestoreSnapshot(undoText_);
        c_.items.N25.setEnabled(false);
        if (toolCancel_)
            list.selectCell(1, list.nextFreeRow());
        else
            c_.items.N26.setEnabled(true);
        toolCancel_ = false;
        c_.items.setToolCancelButtons(false);
        return;
    }
    // Nothing to go back to: the way back is an empty list, and redo brings
    // the list back.
    toolCancel_ = false;
    list.forgetRememberedCellText();
    list.setNextFreeRow(1);
    list.setFullWidth(false);
    list.resetRowCount();
    list.setTopRow(1);
    c_.items.disableLineItems();
    c_.items.dropStringInsertMode(c_.list);
    focusEntryField();
    c_.items.Button9.hide();
    c_.items.N25.setEnabled(false);
    c_.items.N26.setEnabled(true);
}

void ListUndo::N26Click() {
    undoText_ = memo_;
    MarkSnapshotPending();
    c_.list.clearAllRows();
    RestoreSnapshot(redoText_);
    c_.items.N26.setEnabled(false);
    c_.items.N25.setEnabled(true);
}

void ListUndo::ToolCancelClick() {
    toolCancel_ = true;
    N25Click();
}

// --- Cancelling the last entry ---------------------------------------------------------

void ListUndo::Button9Click() {
    MarkingList& list = c_.list;
    MarkSnapshotPending();
    redoText_ = memo_;
    const LastEntryRecord& entry = lastEntry_;

    if (entry.insertionRow > 0) {
        // Inserted lines: the rows below them close the gap.
        const int count = entry.endRow - entry.insertionRow;
        list.shiftRowsUp(entry.endRow, count);
        list.selectCell(1, entry.insertionRow);
    } else if (entry.firstRow < list.nextFreeRow()) {
        for (int row = entry.firstRow; row < list.nextFreeRow(); ++row)
            list.clearRow(row);
        list.setNextFreeRow(entry.firstRow);
    }

    const int next = list.nextFreeRow();
    if (next > 0 && next < list.topRow() - 6 && list.topRow() > 1)
        list.setTopRow(next == 1 ? 1 : next - 1);

    if (!entry.fullWidthBefore) {
        list.setFullWidth(false);
        list.resetRowCount();
        c_.items.disableLineItems();
    }

    restoreEntryFields();
    c_.items.Button9.hide();
    c_.items.setToolCancelButtons(false);
    c_.items.N25.setEnabled(false);
    c_.items.N26.setEnabled(true);
    focusEntryField();
}

void ListUndo::restoreEntryFields() {
    const LastEntryRecord& entry = lastEntry_;
    for (std::size_t i = 0; i < c_.entry.fields.size(); ++i)
        c_.entry.fields[i]->setText(entry.fields[i]);
    for (std::size_t i = 0; i < c_.entry.sequences.size(); ++i) {
        const SequenceControls& sequence = c_.entry.sequences[i];
        const entry::SequenceMode mode = entry.sequenceModes[i];
        const bool threeValues = mode == entry::SequenceMode::ThreeValues;
        if (threeValues) {
            sequence.middle.setText(entry.middleTexts[i]);
        } else {
            sequence.middle.clear();
        }
        sequence.middle.setVisible(threeValues);
        // Each mode shows exactly its own indicator, whatever the sequence
        // showed since the entry.
        sequence.tilde.setVisible(mode == entry::SequenceMode::Range);
        sequence.blank.setVisible(mode == entry::SequenceMode::Pair);
    }
    if (entry.orderBox != LastEntryRecord::OrderBox::Hidden) {
        c_.entry.CheckBox36.show();
        if (entry.orderBox == LastEntryRecord::OrderBox::Ticked)
            c_.entry.CheckBox36.setChecked(true);
    }
}

// --- Helpers ------------------------------------------------------------------------------

void ListUndo::focusEntryField() {
    if (hooks_.focusEntryField)
        hooks_.focusEntryField();
}

} // namespace lumitag::marking
