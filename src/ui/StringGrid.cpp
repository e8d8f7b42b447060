#include "ui/StringGrid.h"

#include "platform/Clipboard.h"
#include "ui/Application.h"

#include <algorithm>

namespace lumitag::ui {
namespace {
constexpr int textInset = 2; // the default drawing puts text 2 pixels in from the cell's corner
} // namespace

StringGrid::StringGrid(Control& parent, std::string name) : Control(parent, std::move(name)) {
    setDefaultColor(colors::Window);
    setTabStop(true);
    cells_.resize(static_cast<std::size_t>(colCount_ * rowCount_));
    colWidths_.assign(static_cast<std::size_t>(colCount_), defaultColWidth_);
}

// --- Shape ---------------------------------------------------------------------

void StringGrid::resizeCells(int cols, int rows) {
    std::vector<Text> resized(static_cast<std::size_t>(cols * rows));
    for (int r = 0; r < std::min(rows, rowCount_); ++r) {
        for (int c = 0; c < std::min(cols, colCount_); ++c)
            resized[static_cast<std::size_t>(r * cols + c)] =
                std::move(cells_[static_cast<std::size_t>(index(c, r))]);
    }
    cells_ = std::move(resized);
    colCount_ = cols;
    rowCount_ = rows;
    colWidths_.resize(static_cast<std::size_t>(cols), defaultColWidth_);
    fixedCols_ = std::min(fixedCols_, cols - 1);
    fixedRows_ = std::min(fixedRows_, rows - 1);
    clampSelection();
    changed();
}

void StringGrid::setColCount(int count) {
    count = std::max(1, count);
    if (count != colCount_)
        resizeCells(count, rowCount_);
}

void StringGrid::setRowCount(int count) {
    count = std::max(1, count);
    if (count != rowCount_)
        resizeCells(colCount_, count);
}

void StringGrid::setFixedCols(int count) {
    if (assign(fixedCols_, std::clamp(count, 0, colCount_ - 1)))
        clampSelection();
}

void StringGrid::setFixedRows(int count) {
    if (assign(fixedRows_, std::clamp(count, 0, rowCount_ - 1)))
        clampSelection();
}

void StringGrid::setDefaultColWidth(int width) {
    defaultColWidth_ = std::max(0, width);
    colWidths_.assign(static_cast<std::size_t>(colCount_), defaultColWidth_);
    changed();
}

int StringGrid::colWidth(int col) const {
    return col >= 0 && col < colCount_ ? colWidths_[static_cast<std::size_t>(col)] : 0;
}

void StringGrid::setColWidth(int col, int width) {
    if (col >= 0 && col < colCount_)
        assign(colWidths_[static_cast<std::size_t>(col)], std::max(0, width));
}

void StringGrid::setDefaultRowHeight(int height) {
    if (assign(rowHeight_, std::max(1, height)))
        clampSelection();
}

bool StringGrid::option(GridOption option) const {
    return (options_ & static_cast<unsigned>(option)) != 0;
}

void StringGrid::setOption(GridOption option, bool on) {
    const unsigned bit = static_cast<unsigned>(option);
    assign(options_, on ? options_ | bit : options_ & ~bit);
    if (option == GridOption::Editing && !on)
        hideEditor();
}

// --- Cells ---------------------------------------------------------------------

const Text& StringGrid::cell(int col, int row) const {
    static const Text empty;
    if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_)
        return empty;
    return cells_[static_cast<std::size_t>(index(col, row))];
}

void StringGrid::setCell(int col, int row, const Text& text) {
    if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_)
        return;
    assign(cells_[static_cast<std::size_t>(index(col, row))], text);
}

std::vector<Text> StringGrid::rowCells(int row) const {
    std::vector<Text> result;
    for (int c = 0; c < colCount_; ++c)
        result.push_back(cell(c, row));
    return result;
}

void StringGrid::setRowCells(int row, const std::vector<Text>& cells) {
    for (int c = 0; c < colCount_; ++c)
        setCell(c, row, c < static_cast<int>(cells.size()) ? cells[static_cast<std::size_t>(c)] : Text{});
}

void StringGrid::clearRow(int row) {
    for (int c = 0; c < colCount_; ++c)
        setCell(c, row, {});
}

void StringGrid::moveRow(int from, int to) {
    if (from < 0 || from >= rowCount_ || to < 0 || to >= rowCount_ || from == to)
        return;
    const auto rowBegin = [this](int r) { return cells_.begin() + index(0, r); };
    if (from < to)
        std::rotate(rowBegin(from), rowBegin(from + 1), rowBegin(to + 1));
    else
        std::rotate(rowBegin(to), rowBegin(from), rowBegin(from + 1));
    changed();
}

// --- Selection -----------------------------------------------------------------

void StringGrid::clampSelection() {
    const auto clampCoord = [this](GridCoord& c) {
        c.col = std::clamp(c.col, fixedCols_, colCount_ - 1);
        c.row = std::clamp(c.row, fixedRows_, rowCount_ - 1);
    };
    clampCoord(anchor_);
    clampCoord(current_);
    topRow_ = std::clamp(topRow_, fixedRows_, maxTopRow());
    leftCol_ = std::clamp(leftCol_, fixedCols_, colCount_ - 1);
}

void StringGrid::setCol(int col) {
    setCurrent(col, current_.row);
}

void StringGrid::setRow(int row) {
    setCurrent(current_.col, row);
}

void StringGrid::setCurrent(int col, int row) {
    hideEditor();
    current_ = {col, row};
    anchor_ = current_;
    clampSelection();
    scrollIntoView(current_.row);
    changed();
}

GridRect StringGrid::selection() const {
    GridRect rect{std::min(anchor_.col, current_.col), std::min(anchor_.row, current_.row),
                  std::max(anchor_.col, current_.col), std::max(anchor_.row, current_.row)};
    if (option(GridOption::RowSelect)) {
        rect.left = fixedCols_;
        rect.right = colCount_ - 1;
    }
    return rect;
}

void StringGrid::setSelection(const GridRect& rect) {
    hideEditor();
    anchor_ = {rect.left, rect.top};
    current_ = {rect.right, rect.bottom};
    clampSelection();
    changed();
}

bool StringGrid::userMoveTo(int col, int row, bool extend) {
    col = std::clamp(col, fixedCols_, colCount_ - 1);
    row = std::clamp(row, fixedRows_, rowCount_ - 1);
    if (onSelectCell) {
        bool canSelect = true;
        onSelectCell(col, row, canSelect);
        if (!canSelect)
            return false;
    }
    hideEditor();
    current_ = {col, row};
    if (!extend || !option(GridOption::RangeSelect))
        anchor_ = current_;
    clampSelection();
    scrollIntoView(current_.row);
    changed();
    return true;
}

// --- Scrolling and geometry ------------------------------------------------------

int StringGrid::visibleRowCount() const {
    const int line = rowHeight_ + gridLineWidth();
    return std::max(1, (height() - fixedRows_ * line) / line);
}

int StringGrid::maxTopRow() const {
    return std::max(fixedRows_, rowCount_ - visibleRowCount());
}

void StringGrid::setTopRow(int row) {
    row = std::clamp(row, fixedRows_, maxTopRow());
    if (assign(topRow_, row) && onTopLeftChanged)
        onTopLeftChanged();
}

void StringGrid::setLeftCol(int col) {
    col = std::clamp(col, fixedCols_, colCount_ - 1);
    if (assign(leftCol_, col) && onTopLeftChanged)
        onTopLeftChanged();
}

void StringGrid::scrollIntoView(int row) {
    if (row < fixedRows_)
        return;
    if (row < topRow_)
        setTopRow(row);
    else if (row >= topRow_ + visibleRowCount())
        setTopRow(row - visibleRowCount() + 1);
}

std::vector<int> StringGrid::paintedRows() const {
    std::vector<int> rows;
    const int line = rowHeight_ + gridLineWidth();
    int y = 0;
    for (int r = 0; r < fixedRows_ && y < height(); ++r, y += line)
        rows.push_back(r);
    for (int r = topRow_; r < rowCount_ && y < height(); ++r, y += line)
        rows.push_back(r);
    return rows;
}

std::vector<int> StringGrid::paintedCols() const {
    std::vector<int> cols;
    int x = 0;
    for (int c = 0; c < fixedCols_ && x < width(); ++c) {
        cols.push_back(c);
        x += colWidth(c) + gridLineWidth();
    }
    for (int c = leftCol_; c < colCount_ && x < width(); ++c) {
        cols.push_back(c);
        x += colWidth(c) + gridLineWidth();
    }
    return cols;
}

std::optional<Rect> StringGrid::cellRect(int col, int row) const {
    std::optional<int> left;
    int x = 0;
    for (int c : paintedCols()) {
        if (c == col) {
            left = x;
            break;
        }
        x += colWidth(c) + gridLineWidth();
    }
    std::optional<int> top;
    int y = 0;
    for (int r : paintedRows()) {
        if (r == row) {
            top = y;
            break;
        }
        y += rowHeight_ + gridLineWidth();
    }
    if (!left || !top)
        return std::nullopt;
    return Rect{*left, *top, colWidth(col), rowHeight_};
}

std::optional<GridCoord> StringGrid::cellAt(Point position) const {
    if (position.x < 0 || position.y < 0 || position.x >= width() || position.y >= height())
        return std::nullopt;
    std::optional<int> col;
    int x = 0;
    for (int c : paintedCols()) {
        x += colWidth(c) + gridLineWidth();
        if (position.x < x) {
            col = c;
            break;
        }
    }
    std::optional<int> row;
    int y = 0;
    for (int r : paintedRows()) {
        y += rowHeight_ + gridLineWidth();
        if (position.y < y) {
            row = r;
            break;
        }
    }
    if (!col || !row)
        return std::nullopt;
    return GridCoord{*col, *row};
}

// --- In-cell editor ----------------------------------------------------------------

void StringGrid::openEditor(std::optional<char32_t> firstCharacter) {
    if (editorOpen_ || !option(GridOption::Editing) || current_.col < fixedCols_ || current_.row < fixedRows_)
        return;
    editorOriginal_ = cell(current_.col, current_.row);
    Text text = editorOriginal_;
    if (onGetEditText)
        onGetEditText(current_.col, current_.row, text);
    editorOpen_ = true;
    editor_.setText(text);
    editor_.selectAll();
    changed();
    if (firstCharacter) {
        // Typing on a cell starts an edit that replaces its text.
        editor_.insert(Text(1, *firstCharacter), editorMaxLength_);
        reportEditText();
    }
}

void StringGrid::showEditor() {
    openEditor(std::nullopt);
}

void StringGrid::reportEditText() {
    const Text text = editor_.text();
    setCell(current_.col, current_.row, text);
    if (onSetEditText)
        onSetEditText(current_.col, current_.row, text);
}

void StringGrid::hideEditor() {
    if (!editorOpen_)
        return;
    editorOpen_ = false;
    changed();
    reportEditText(); // the closing report
}

void StringGrid::setEditorCaret(int position) {
    if (!editorOpen_)
        return;
    editor_.moveCaret(position, false);
    changed();
}

void StringGrid::setEditorText(const Text& text, int caret) {
    if (!editorOpen_)
        return;
    const bool differs = text != editor_.text();
    editor_.setText(text);
    editor_.moveCaret(caret, false);
    changed();
    if (differs)
        reportEditText();
}

int StringGrid::editorPositionAt(Point position) const {
    const auto rect = cellRect(current_.col, current_.row);
    const int x = position.x - (rect ? rect->left : 0) - textInset;
    const Text& text = editorOpen_ ? editor_.text() : cell(current_.col, current_.row);
    return application().textMetrics().positionAt(text, font(), x);
}

void StringGrid::cancelEditor() {
    if (!editorOpen_)
        return;
    editor_.setText(editorOriginal_);
    hideEditor();
}

// --- Input -----------------------------------------------------------------------

void StringGrid::defaultKeyDown(KeyEvent& event) {
    const bool extend = event.shift();
    if (editorOpen_) {
        const Text before = editor_.text();
        // F2 puts the caret at the end; Up, Down and paging leave the editor and move.
        bool editorKey = true;
        if (event.key == Key::F2)
            editor_.moveCaret(editor_.size(), false);
        else
            editorKey = editor_.applyEditingKey(event.key, extend);
        if (editorKey) {
            event.consume();
            changed();
            if (editor_.text() != before)
                reportEditText();
            return;
        }
    }
    const int page = visibleRowCount();
    bool moved = true;
    switch (event.key) {
    case Key::Up:
        userMoveTo(current_.col, current_.row - 1, extend);
        break;
    case Key::Down:
        userMoveTo(current_.col, current_.row + 1, extend);
        break;
    case Key::Left:
        userMoveTo(current_.col - 1, current_.row, extend);
        break;
    case Key::Right:
        userMoveTo(current_.col + 1, current_.row, extend);
        break;
    case Key::PageUp:
        setTopRow(topRow_ - page);
        userMoveTo(current_.col, current_.row - page, extend);
        break;
    case Key::PageDown:
        setTopRow(topRow_ + page);
        userMoveTo(current_.col, current_.row + page, extend);
        break;
    case Key::Home:
        if (event.ctrl())
            userMoveTo(current_.col, fixedRows_, extend);
        else
            userMoveTo(fixedCols_, current_.row, extend);
        break;
    case Key::End:
        if (event.ctrl())
            userMoveTo(current_.col, rowCount_ - 1, extend);
        else
            userMoveTo(colCount_ - 1, current_.row, extend);
        break;
    case Key::F2:
        showEditor();
        moved = false;
        break;
    default:
        return;
    }
    event.consume();
    if (moved && onClick)
        onClick();
}

void StringGrid::defaultChar(char32_t character) {
    if (!editorOpen_) {
        if (!option(GridOption::Editing))
            return;
        if (character == chars::Enter)
            showEditor();
        else if (character >= 0x20 && character != 0x7F)
            openEditor(character);
        return;
    }
    platform::Clipboard* clipboard = application().clipboard();
    const Text before = editor_.text();
    switch (character) {
    case chars::Enter:
        hideEditor();
        return;
    case chars::Escape:
        cancelEditor();
        return;
    case chars::Backspace:
        editor_.backspace();
        break;
    case chars::CtrlA:
        editor_.selectAll();
        break;
    case chars::CtrlC:
        if (clipboard != nullptr && editor_.hasSelection())
            clipboard->setText(editor_.selectedText());
        break;
    case chars::CtrlX:
        if (clipboard != nullptr && editor_.hasSelection()) {
            clipboard->setText(editor_.selectedText());
            editor_.insert({});
        }
        break;
    case chars::CtrlV:
        if (clipboard != nullptr) {
            const Text pasted = clipboard->text();
            editor_.insert(TextView(pasted).substr(0, std::min(pasted.find(U'\r'), pasted.find(U'\n'))),
                           editorMaxLength_);
        }
        break;
    default:
        if (character < 0x20 || character == 0x7F)
            return;
        editor_.insert(Text(1, character), editorMaxLength_);
        break;
    }
    changed();
    if (editor_.text() != before)
        reportEditText();
}

void StringGrid::defaultMouseDown(const MouseEvent& event) {
    if (event.button != MouseButton::Left)
        return;
    const auto hit = cellAt(event.position);
    if (!hit)
        return;
    if (hit->col < fixedCols_ || hit->row < fixedRows_) {
        if (hit->col < fixedCols_ && hit->row >= fixedRows_ && option(GridOption::RowMoving)) {
            drag_ = Drag::MovingRow;
            dragFromRow_ = hit->row;
        }
        return;
    }
    if (editorOpen_ && *hit == GridCoord{current_.col, current_.row}) {
        setEditorCaret(editorPositionAt(event.position));
        return;
    }
    const bool extend = hasModifier(event.modifiers, Modifiers::Shift);
    if (userMoveTo(hit->col, hit->row, extend))
        drag_ = Drag::Selecting;
}

void StringGrid::defaultMouseMove(const MouseEvent& event) {
    if (drag_ != Drag::Selecting || application().mouseCapture() != this || !option(GridOption::RangeSelect))
        return;
    const auto hit = cellAt(event.position);
    if (hit && hit->col >= fixedCols_ && hit->row >= fixedRows_ && !(*hit == current_))
        userMoveTo(hit->col, hit->row, true);
}

void StringGrid::defaultMouseUp(const MouseEvent& event, bool /*inside*/) {
    if (event.button != MouseButton::Left)
        return;
    const Drag drag = drag_;
    drag_ = Drag::None;
    if (drag == Drag::Selecting) {
        if (onClick)
            onClick();
    } else if (drag == Drag::MovingRow) {
        const auto hit = cellAt(event.position);
        const int to = hit ? std::max(hit->row, fixedRows_) : dragFromRow_;
        if (to != dragFromRow_) {
            moveRow(dragFromRow_, to);
            if (onRowMoved)
                onRowMoved(dragFromRow_, to);
        }
    }
}

void StringGrid::defaultDoubleClick(const MouseEvent& event) {
    const auto hit = cellAt(event.position);
    if (event.button == MouseButton::Left && hit && *hit == current_)
        showEditor();
}

void StringGrid::defaultWheel(WheelEvent& event) {
    // The wheel moves the current row, as the classic grid does.
    if (event.delta < 0)
        userMoveTo(current_.col, current_.row + 1, false);
    else if (event.delta > 0)
        userMoveTo(current_.col, current_.row - 1, false);
    event.handled = true;
    if (onClick)
        onClick();
}

void StringGrid::focusLost() {
    drag_ = Drag::None;
    hideEditor();
}

// --- Painting --------------------------------------------------------------------

void StringGrid::paint() {
    paintRecord_.clear();
    const bool hasFocus = focused();
    const GridRect selected = selection();
    const bool rowSelect = option(GridOption::RowSelect);
    for (int row : paintedRows()) {
        for (int col : paintedCols()) {
            // A draw-cell handler may change the grid's shape; stop at what no longer exists.
            if (row >= rowCount_ || col >= colCount_)
                continue;
            const auto rect = cellRect(col, row);
            if (!rect)
                continue;
            GridDrawState state;
            state.fixed = col < fixedCols_ || row < fixedRows_;
            state.selected = !state.fixed && selected.contains(col, row);
            state.focused = hasFocus && col == current_.col && row == current_.row;
            PaintedCell painted{col, row, *rect, {}, {}};
            canvas_.begin(painted);
            Font font = this->font();
            // Default drawing: the focused cell stays in the grid colour unless
            // whole rows are selected; other selected cells are highlighted.
            const bool highlighted = state.selected && (!state.focused || rowSelect);
            canvas_.brushColor = state.fixed ? fixedColor_ : highlighted ? colors::Highlight : color();
            font.color = highlighted ? colors::HighlightText : font.color;
            canvas_.font = font;
            canvas_.fillRect(*rect);
            canvas_.textOut(rect->left + textInset, rect->top + textInset, cell(col, row));
            if (onDrawCell)
                onDrawCell(col, row, *rect, state);
            canvas_.end();
            paintRecord_.push_back(std::move(painted));
        }
    }
    application().bumpRevision();
}

const PaintedCell* StringGrid::paintedCell(int col, int row) const {
    for (const PaintedCell& painted : paintRecord_) {
        if (painted.col == col && painted.row == row)
            return &painted;
    }
    return nullptr;
}

} // namespace lumitag::ui
