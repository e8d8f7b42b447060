#include "marking/MarkingList.h"

#include "marking/FullWidth.h"
#include "platform/Text.h"
#include "ui/Button.h"
#include "ui/MenuItem.h"
#include "ui/SpeedButton.h"
#include "ui/Timer.h"

#include <algorithm>
#include <string>

namespace lumitag::marking {

namespace {

constexpr int RowHeight = 19;
constexpr int DefaultColumnWidth = 35;

// Colours of the header and row-number cells in the list modes.
constexpr ui::Color StringInsertColor{128, 255, 128};
constexpr ui::Color EditModeColor{255, 255, 128};
constexpr ui::Color MultiLineMarkColor{255, 128, 128};
constexpr ui::Color NumberingMarkColor{155, 199, 242};

struct ModeLook {
    TextView threeBoxHeader;
    TextView otherHeader; // 1BOX and TEXT
    ui::Color fixedColor;
};

// The look of a list mode. The normal header differs from the one the box
// mode writes; both are kept as the window has always shown them.
ModeLook modeLook(const ListModes& modes) {
    if (modes.edit)
        return {U"\u3000\u3000 編\u3000集\u3000モ\u3000ー\u3000ド",
                U"\u3000\u3000\u3000\u3000\u3000編\u3000集\u3000モ\u3000ー\u3000ド", EditModeColor};
    if (modes.multiLineMark)
        return {U"   多段改行記号挿入", U"\u3000\u3000多段改行記号挿入モード", MultiLineMarkColor};
    if (modes.numberingMark)
        return {U"ナンバーリング記号挿入", U" ナンバーリング記号挿入モード", NumberingMarkColor};
    if (modes.stringInsert)
        return {U"\u3000  文字列挿入モード", U"\u3000\u3000\u3000  文字列挿入モード", StringInsertColor};
    return {U"\u3000   マーキングデータ", U"\u3000\u3000\u3000  マーキングデータ", ui::colors::ButtonFace};
}

} // namespace

MarkingList::MarkingList(ListControls controls, ListHooks hooks, SharedGridEvents shared)
    : c_(controls), hooks_(std::move(hooks)) {
    ui::StringGrid& grid = c_.grid;
    grid.setRowCount(RowCount);
    grid.setFixedRows(1);
    grid.setFixedCols(1);
    grid.setDefaultRowHeight(RowHeight);
    grid.setDefaultColWidth(DefaultColumnWidth);
    grid.setOption(ui::GridOption::RangeSelect, true);
    grid.setOption(ui::GridOption::RowMoving, true);
    grid.setOption(ui::GridOption::Editing, false);
    grid.setTabStop(false);
    grid.setColor(NormalColor);
    grid.setFixedColor(fixedColor_);
    grid.setHint(U"１０００行表示でき、右クリックでメニューがでます\r\n"
                 U"（全角文字（漢字、ひらがな等）が含まれる場合は１００行までの表示で,色が変わります。）");
    c_.followTimer.setInterval(ui::Milliseconds{100});
    renumber();
    setBoxMode(BoxMode::OneBox, {});
    installHandlers(shared);
}

void MarkingList::installHandlers(SharedGridEvents shared) {
    ui::StringGrid& grid = c_.grid;
    grid.onDrawCell = [this](int col, int row, const ui::Rect& rect, ui::GridDrawState state) {
        StringGrid1DrawCell(col, row, rect, state);
    };
    if (shared == SharedGridEvents::HandledByList) {
        grid.onMouseDown = [this](const ui::MouseEvent& event) { StringGrid1MouseDown(event); };
        grid.onKeyDown = [this](ui::KeyEvent& event) { StringGrid1KeyDown(event); };
        grid.onKeyPress = [this](char32_t& character) { StringGrid1KeyPress(character); };
    }
    grid.onMouseUp = [this](const ui::MouseEvent& event) { StringGrid1MouseUp(event); };
    grid.onClick = [this] { StringGrid1Click(); };
    grid.onDblClick = [this] { StringGrid1DblClick(); };
    grid.onGetEditText = [this](int col, int row, Text& text) { StringGrid1GetEditText(col, row, text); };
    grid.onSetEditText = [this](int col, int row, const Text& text) {
        StringGrid1SetEditText(col, row, text);
    };
    grid.onRowMoved = [this](int from, int to) { StringGrid1RowMoved(from, to); };
    c_.followTimer.onTimer = [this] { Timer1Timer(); };
}

void MarkingList::clearRow(int row) {
    for (int col = 1; col <= contentColumns(); ++col)
        setCell(col, row, {});
}

void MarkingList::renumber() {
    ui::StringGrid& grid = c_.grid;
    for (int row = 1; row < grid.rowCount(); ++row)
        grid.setCell(0, row, numberText(row));
}

void MarkingList::clearAllRows() {
    for (int row = 1; row < c_.grid.rowCount(); ++row)
        clearRow(row);
}

void MarkingList::shiftRowsDown(int top, int count) {
    ui::StringGrid& grid = c_.grid;
    const int last = grid.rowCount() - 1;
    top = std::max(top, 1);
    if (count <= 0 || top > last)
        return;
    for (int row = last; row >= top + count; --row)
        grid.setRowCells(row, grid.rowCells(row - count));
    for (int row = top; row <= std::min(last, top + count - 1); ++row)
        grid.setRowCells(row, std::vector<Text>(static_cast<std::size_t>(grid.colCount())));
    renumber();
}

void MarkingList::shiftRowsUp(int from, int count) {
    ui::StringGrid& grid = c_.grid;
    const int last = grid.rowCount() - 1;
    if (count <= 0)
        return;
    for (int row = std::max(from, 1); row <= last; ++row) {
        if (row - count >= 1)
            grid.setRowCells(row - count, grid.rowCells(row));
    }
    for (int row = std::max(1, last - count + 1); row <= last; ++row)
        grid.setRowCells(row, std::vector<Text>(static_cast<std::size_t>(grid.colCount())));
    renumber();
}

std::vector<RowFields> MarkingList::rowsText(int first, int last) const {
    std::vector<RowFields> rows;
    last = std::min(last, c_.grid.rowCount() - 1);
    for (int row = std::max(first, 1); row <= last; ++row) {
        RowFields fields;
        for (int col = 1; col <= contentColumns(); ++col)
            fields.push_back(cell(col, row));
        rows.push_back(std::move(fields));
    }
    return rows;
}

int MarkingList::writeLines(const std::vector<RowFields>& lines, int left, int top, int lastRow) {
    const int lastCol = c_.grid.colCount() - 1;
    lastRow = std::min(lastRow, c_.grid.rowCount() - 1);
    int row = top - 1;
    for (const RowFields& fields : lines) {
        if (row + 1 > lastRow)
            break;
        ++row;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const int col = left + static_cast<int>(i);
            if (col <= lastCol)
                setCell(col, row, fields[i]);
        }
    }
    return row;
}

void MarkingList::setBoxMode(BoxMode mode, const CountLabels& countLabels) {
    boxMode_ = mode;
    const std::vector<ColumnLayout> columns = columnLayout(mode, countLabels);
    ui::StringGrid& grid = c_.grid;
    grid.setColCount(static_cast<int>(columns.size()) + 1);
    grid.setColWidth(0, RowNumberColumnWidth);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const int col = static_cast<int>(i) + 1;
        grid.setColWidth(col, columns[i].width);
        grid.setCell(col, 0, columns[i].header);
    }
}

void MarkingList::setNextFreeRow(int row) {
    changeNextFreeRow(std::clamp(row, 1, c_.grid.rowCount()));
}

void MarkingList::updateNextFreeRow() {
    const ui::StringGrid& grid = c_.grid;
    const int lastCol = std::min(3, grid.colCount() - 1);
    for (int row = grid.rowCount() - 1; row >= 1; --row) {
        for (int col = 1; col <= lastCol; ++col) {
            if (!grid.cell(col, row).empty()) {
                changeNextFreeRow(row + 1);
                return;
            }
        }
    }
    changeNextFreeRow(1);
}

void MarkingList::changeNextFreeRow(int row) {
    if (row == nextFreeRow_)
        return;
    nextFreeRow_ = row;
    // The paint recomputes the full-width flag from the lines up to the next
    // free row: a list that grew or shrank without a cell change (the
    // periodic refresh finding pasted lines) must be painted again, or the
    // flag, the colour and the save path stay stale until something else
    // repaints the list.
    c_.grid.invalidate();
}

void MarkingList::setFullWidth(bool fullWidth) {
    fullWidth_ = fullWidth;
    c_.halfWidthButton.setVisible(fullWidth);
    c_.grid.setColor(fullWidth ? FullWidthColor : NormalColor);
    const bool markItems = !fullWidth && boxMode_ != BoxMode::Text;
    // Turning the flag on always disables them; turning it off leaves them
    // disabled in TEXT, where the mark modes do not exist.
    if (fullWidth || markItems) {
        c_.multiLineMarkItem.setEnabled(markItems);
        c_.numberingMarkItem.setEnabled(markItems);
    }
}

void MarkingList::setFixedColor(ui::Color color) {
    fixedColor_ = color;
    c_.grid.setFixedColor(color);
}

void MarkingList::applyModeLook() {
    const ModeLook look = modeLook(modes_);
    setCell(1, 0, Text(boxMode_ == BoxMode::ThreeBox ? look.threeBoxHeader : look.otherHeader));
    setFixedColor(look.fixedColor);
}

void MarkingList::recomputeFullWidthUpTo(int lastRow) {
    lastRow = std::min(lastRow, c_.grid.rowCount() - 1);
    bool found = false;
    for (int row = 1; row <= lastRow && !found; ++row)
        found = isFullWidth(lineText(row));
    setFullWidth(found);
}

bool MarkingList::selectionHasText() const {
    const ui::GridRect rect = selection();
    for (int row = rect.top; row <= rect.bottom; ++row)
        for (int col = rect.left; col <= rect.right; ++col)
            if (!cell(col, row).empty())
                return true;
    return false;
}

} // namespace lumitag::marking
