#include "tools/ListHalfWidth.h"

#include "marking/ListUndo.h"
#include "marking/MarkingList.h"
#include "platform/HalfWidth.h"
#include "tools/ToolSteps.h"

#include <algorithm>

namespace lumitag::tools {

namespace {

constexpr int ConvertedColumns = 3;

} // namespace

void ConvertListToHalfWidth(marking::MarkingList& list, marking::ListUndo& undo,
                            const std::function<void()>& focusEntryField) {
    commitCellEditor(list);
    undo.TakeConversionUndo();

    // Texts of any length are mapped whole.
    const int lastRow = list.nextFreeRow() - 1;
    const int columns = std::min(ConvertedColumns, list.contentColumns());
    for (int col = 1; col <= columns; ++col)
        rewriteColumn(list, col, 1, lastRow, [](const Text& text) { return platform::toHalfWidth(text); });
    if (focusEntryField)
        focusEntryField();
}

} // namespace lumitag::tools
