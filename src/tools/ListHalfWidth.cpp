#include "tools/ListHalfWidth.h"

#include "marking/ListUndo.h"
#include "marking/ListWindowControls.h"
#include "marking/MarkingList.h"
#include "platform/HalfWidth.h"
#include "tools/ToolSteps.h"
#include "ui/Button.h"

#include <algorithm>

namespace lumitag::tools {

namespace {

constexpr int ConvertedColumns = 3;

} // namespace

void ConvertListToHalfWidth(const marking::ListWindowControls& c, marking::ListUndo& undo,
                            const std::function<void()>& focusEntryField) {
    marking::MarkingList& list = c.list;
    commitCellEditor(list);
    c.Button9.hide();
    undo.MarkSnapshotPending();
    marking::markListChanged(c);
    undo.WriteSnapshot(list.nextFreeRow());
    undo.TakeUndoSnapshot();

    // Texts of any length are mapped whole.
    const int lastRow = list.nextFreeRow() - 1;
    const int columns = std::min(ConvertedColumns, list.contentColumns());
    for (int col = 1; col <= columns; ++col)
        rewriteColumn(list, col, 1, lastRow, [](const Text& text) { return platform::toHalfWidth(text); });
    if (focusEntryField)
        focusEntryField();
}

} // namespace lumitag::tools
