#include "conversion/ResultList.h"

#include "markerfile/MarkerData.h"
#include "marking/ListUndo.h"
#include "marking/MarkingList.h"
#include "ui/MenuItem.h"

#include <algorithm>

namespace lumitag::conversion {

namespace {

// The list shows 14 rows; a longer result is scrolled so that its last line
// is the bottom row, and a full list shows its last 15 rows.
constexpr int shownRows = 14;
constexpr int fullListTopRow = 986;

} // namespace

ResultList::ResultList(marking::MarkingList& list, marking::ListUndo& undo, UndoItems items)
    : list_(list), undo_(undo), items_(items) {}

void ResultList::emptyRows() {
    for (int row = 1; row <= marking::MarkingList::LastRow; ++row) {
        for (int col = 1; col <= 3; ++col)
            list_.setCell(col, row, {});
    }
}

void ResultList::writeRows(const std::vector<ResultLine>& buffer) {
    const int count = std::min(static_cast<int>(buffer.size()), marking::MarkingList::LastRow);
    for (int i = 0; i < count; ++i) {
        // Split as the buffer holds the line, so that a TAB inside a cell's
        // text gives the same fields here as in a saved file.
        const markerfile::SplitDataLine fields =
            markerfile::splitDataLine(buffer[static_cast<std::size_t>(i)].joined());
        list_.setCell(1, i + 1, fields.first);
        list_.setCell(2, i + 1, fields.second);
        list_.setCell(3, i + 1, fields.rest);
    }
}

void ResultList::emptyForNewConversion() {
    if (list_.empty())
        return;
    emptyRows();
    list_.updateNextFreeRow();
}

void ResultList::scrollToTop() {
    list_.setTopRow(1);
}

void ResultList::showConversion(const std::vector<ResultLine>& buffer) {
    const int count = std::min(static_cast<int>(buffer.size()), marking::MarkingList::LastRow);
    list_.setNextFreeRow(count + 1);
    writeRows(buffer);
    if (count >= shownRows && count < marking::MarkingList::LastRow)
        list_.setTopRow(count - shownRows + 1);
    else if (count == marking::MarkingList::LastRow)
        list_.setTopRow(fullListTopRow);

    undo_.TakeUndoSnapshot();
    undo_.WriteSnapshot(count, count);
    items_.undo.setEnabled(true);
    items_.cancel.setEnabled(true);
    items_.redo.setEnabled(false);
}

void ResultList::showAfterUndoOfAdd(const std::vector<ResultLine>& buffer) {
    emptyRows();
    writeRows(buffer);
    const int count = static_cast<int>(buffer.size());
    list_.setTopRow(count < shownRows ? 1 : count - shownRows + 1);
    // The list's own rule finds the new end at once instead of at its next refresh.
    list_.updateNextFreeRow();
}

std::vector<ResultLine> ResultList::rows(int count) const {
    std::vector<ResultLine> lines;
    const int last = std::min(count, marking::MarkingList::LastRow);
    for (int row = 1; row <= last; ++row)
        lines.push_back({list_.cell(1, row), list_.cell(2, row), list_.cell(3, row)});
    return lines;
}

} // namespace lumitag::conversion
