#pragma once

#include "marking/LastEntryRecord.h"
#include "marking/ListWindowControls.h"
#include "platform/Text.h"

namespace lumitag::marking {

// One step of undo and one of redo for the marking list, kept as list
// snapshots (see Snapshot.h), and the cancellation of the last entry.
//
// The snapshot memo holds the snapshot of the current state; every command
// that changes the list first copies it into the undo text
// (TakeUndoSnapshot) and afterwards has it rewritten, at once (WriteSnapshot)
// or at the list's next paint (MarkSnapshotPending).
class ListUndo {
public:
    ListUndo(ListWindowControls controls, ListWindowHooks hooks);
    ListUndo(const ListUndo&) = delete;
    ListUndo& operator=(const ListUndo&) = delete;

    // --- The snapshot service ------------------------------------------------------
    // Undo text := snapshot memo.
    void TakeUndoSnapshot() { undoText_ = memo_; }
    // The list's next paint rewrites the snapshot memo.
    void MarkSnapshotPending();
    // Snapshot memo := the list's rows 1 .. next free row - 1 (or .. `lastRow`),
    // line 1 = `selectRow`.
    void WriteSnapshot(int selectRow);
    void WriteSnapshot(int selectRow, int lastRow);
    // Rebuilds the list from a snapshot: its rows from row 1, then selects the
    // row of its line 1.
    void RestoreSnapshot(TextView snapshot);
    // What the entry does after its lines are in: undo text := the memo when
    // it differs, memo := the new list, undo on, redo and the tool-panel
    // 取消 buttons off.
    void SnapshotAfterEntry();

    // --- Commands --------------------------------------------------------------------
    void N25Click();     // Undo (元に戻す, Ctrl+Z)
    void N26Click();     // Redo (やり直し, Ctrl+Shift+Z)
    void Button9Click(); // CancelLastEntry (取消)
    // A tool panel's 取消: undo that leaves redo off.
    void ToolCancelClick();

    // The entry writes this before it changes the list.
    LastEntryRecord& lastEntry() { return lastEntry_; }

    const Text& memo() const { return memo_; }
    const Text& undoText() const { return undoText_; }
    const Text& redoText() const { return redoText_; }
    bool toolCancel() const { return toolCancel_; }

private:
    void focusEntryField();
    void restoreEntryFields();

    ListWindowControls c_;
    ListWindowHooks hooks_;
    Text memo_; // Memo6
    Text undoText_;
    Text redoText_;
    bool toolCancel_ = false;
    LastEntryRecord lastEntry_;
};

} // namespace lumitag::marking
