#include "marking/MarkingList.h"

#include "marking/FullWidth.h"
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

Text numberText(int n) {
    const std::string digits = std::to_string(n);
    return Text(digits.begin(), digits.end());
}

} // namespace

MarkingList::MarkingList(ListControls controls, ListHooks hooks) : c_(controls), hooks_(std::move(hooks)) {
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
    installHandlers();
}

void MarkingList::installHandlers() {
    ui::StringGrid& grid = c_.grid;
    grid.onDrawCell = [this](int col, int row, const ui::Rect& rect, ui::GridDrawState state) {
        StringGrid1DrawCell(col, row, rect, state);
    };
    grid.onMouseDown = [this](const ui::MouseEvent& event) { StringGrid1MouseDown(event); };
    grid.onMouseUp = [this](const ui::MouseEvent& event) { StringGrid1MouseUp(event); };
    grid.onClick = [this] { StringGrid1Click(); };
    grid.onDblClick = [this] { StringGrid1DblClick(); };
    grid.onKeyDown = [this](ui::KeyEvent& event) { StringGrid1KeyDown(event); };
    grid.onKeyPress = [this](char32_t& character) { StringGrid1KeyPress(character); };
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
    nextFreeRow_ = std::clamp(row, 1, c_.grid.rowCount());
}

void MarkingList::updateNextFreeRow() {
    const ui::StringGrid& grid = c_.grid;
    const int lastCol = std::min(3, grid.colCount() - 1);
    for (int row = grid.rowCount() - 1; row >= 1; --row) {
        for (int col = 1; col <= lastCol; ++col) {
            if (!grid.cell(col, row).empty()) {
                nextFreeRow_ = row + 1;
                return;
            }
        }
    }
    nextFreeRow_ = 1;
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

bool MarkingList::selectionHasText() const {
    const ui::GridRect rect = selection();
    for (int row = rect.top; row <= rect.bottom; ++row)
        for (int col = rect.left; col <= rect.right; ++col)
            if (!cell(col, row).empty())
                return true;
    return false;
}

} // namespace lumitag::marking
