#pragma once

#include "conversion/ConversionState.h"

#include <vector>

namespace lumitag::marking {
class ListUndo;
class MarkingList;
} // namespace lumitag::marking

namespace lumitag::ui {
class MenuItem;
}

namespace lumitag::conversion {

// The orange window's marking list as the blue window's conversions see it:
// they empty it, rebuild columns 1 to 3 from the result buffer, record the
// change for the list's undo, and read the rows back for the marking.
class ResultList {
public:
    struct UndoItems {
        ui::MenuItem& undo;   // 元に戻す
        ui::MenuItem& cancel; // 取消
        ui::MenuItem& redo;   // やり直し
    };

    ResultList(marking::MarkingList& list, marking::ListUndo& undo, UndoItems items);

    // A new conversion starts: columns 1 to 3 emptied when the list holds lines.
    void emptyForNewConversion();
    void scrollToTop();
    // After a conversion: the buffer's lines in rows 1 upward, the view
    // scrolled to the last of them, and the change recorded for undo.
    void showConversion(const std::vector<ResultLine>& buffer);
    // After 追加取消: the remaining lines rewritten into an emptied list; undo
    // keeps what it had.
    void showAfterUndoOfAdd(const std::vector<ResultLine>& buffer);
    // Columns 1 to 3 of rows 1 to `count`, as the marking writes them.
    std::vector<ResultLine> rows(int count) const;

private:
    void emptyRows();
    void writeRows(const std::vector<ResultLine>& buffer);

    marking::MarkingList& list_;
    marking::ListUndo& undo_;
    UndoItems items_;
};

} // namespace lumitag::conversion
