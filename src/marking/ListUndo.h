#pragma once

#include "marking/EntryFieldControls.h"
#include "marking/LastEntryRecord.h"
#include "marking/ListStateItems.h"
#include "marking/ListWindowHooks.h"
#include "platform/Text.h"

namespace lumitag::marking {

class MarkingList;

// What the list's undo reads and writes: the list, the items that show what
// undo offers, and the entry fields that cancelling the last entry puts back.
struct UndoControls {
    MarkingList& list;
    ListStateItems items;
    EntryFieldControls entry;
};

// One step of undo and one of redo for the marking list, kept as list
// snapshots (see Snapshot.h), and the cancellation of the last entry.
//
// The snapshot memo holds the snapshot of the current state; every command
// that changes the list first copies it into the undo text
// (TakeUndoSnapshot) and afterwards has it rewritten, at once (WriteSnapshot)
// or at the list's next paint (MarkSnapshotPending).
class ListUndo {
public:
    ListUndo(UndoControls controls, ListWindowHooks hooks);
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

    // --- The bulk tools' steps ------------------------------------------------------
    // Before a tool changes the list: the cancel button of the last entry goes,
    // undo from the menu is off, and the undo text becomes the list as it is
    // now (the snapshot memo rewritten at once, line 1 = the selection's top
    // row), so that the tool panels' 取消 buttons bring it back.
    void TakeToolUndo();
    // After a tool changed the list: the tool panels' 取消 buttons are on.
    void OfferToolCancel();
    // Before the half-width conversion of the whole list: the cancel button of
    // the last entry goes and 元に戻す takes the conversion back.
    void TakeConversionUndo();

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

    UndoControls c_;
    ListWindowHooks hooks_;
    Text memo_; // Memo6
    Text undoText_;
    Text redoText_;
    bool toolCancel_ = false;
    LastEntryRecord lastEntry_;
};

} // namespace lumitag::marking
