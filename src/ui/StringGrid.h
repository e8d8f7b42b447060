#pragma once

#include "ui/CellCanvas.h"
#include "ui/Control.h"
#include "ui/EditableText.h"

#include <optional>
#include <vector>

namespace lumitag::ui {

enum class GridOption : unsigned {
    Editing = 1,     // cells can be edited in place
    RowSelect = 2,   // the selection covers whole rows
    RangeSelect = 4, // Shift and dragging select a range of cells
    RowMoving = 8,   // rows can be dragged by their fixed cell
    AlwaysShowEditor = 16,
};

struct GridCoord {
    int col = 0;
    int row = 0;
    bool operator==(const GridCoord&) const = default;
};

struct GridRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const GridRect&) const = default;
    bool contains(int col, int row) const {
        return col >= left && col <= right && row >= top && row <= bottom;
    }
};

// How a cell is being drawn.
struct GridDrawState {
    bool selected = false;
    bool focused = false; // the current cell while the grid has the focus
    bool fixed = false;
};

// A grid of text cells with fixed rows and columns at the top and left.
//
// The grid paints only in the application's idle step: the default drawing of
// each visible cell, then the draw-cell handler, which may draw over it
// through canvas(). The record of the last paint is what the renderer shows.
// Only visible cells are painted, however many rows the grid has.
class StringGrid : public Control {
public:
    StringGrid(Control& parent, std::string name);

    ControlKind kind() const override { return ControlKind::StringGrid; }
    FocusPolicy focusPolicy() const override { return FocusPolicy::TakesFocus; }

    // --- Shape -----------------------------------------------------------------
    int colCount() const { return colCount_; }
    void setColCount(int count);
    int rowCount() const { return rowCount_; }
    // Cells of kept rows keep their text; new rows are empty.
    void setRowCount(int count);
    int fixedCols() const { return fixedCols_; }
    void setFixedCols(int count);
    int fixedRows() const { return fixedRows_; }
    void setFixedRows(int count);
    int defaultColWidth() const { return defaultColWidth_; }
    // Also sets every column to this width.
    void setDefaultColWidth(int width);
    int colWidth(int col) const;
    void setColWidth(int col, int width);
    int defaultRowHeight() const { return rowHeight_; }
    void setDefaultRowHeight(int height);
    int gridLineWidth() const { return 1; }
    Color fixedColor() const { return fixedColor_; }
    void setFixedColor(Color color) { assign(fixedColor_, color); }

    bool option(GridOption option) const;
    void setOption(GridOption option, bool on);

    // --- Cells -----------------------------------------------------------------
    const Text& cell(int col, int row) const;
    void setCell(int col, int row, const Text& text);
    std::vector<Text> rowCells(int row) const;
    void setRowCells(int row, const std::vector<Text>& cells);
    void clearRow(int row);
    // Moves a whole row to another index, shifting the rows between.
    void moveRow(int from, int to);

    // --- Selection -------------------------------------------------------------
    int col() const { return current_.col; }
    int row() const { return current_.row; }
    // Moves the current cell (the selection collapses onto it).
    void setCol(int col);
    void setRow(int row);
    void setCurrent(int col, int row);
    // The selected rectangle; whole rows while RowSelect is on.
    GridRect selection() const;
    // Selects a rectangle: the anchor goes to its top-left, the current cell to its bottom-right.
    void setSelection(const GridRect& rect);

    // --- Scrolling and geometry ------------------------------------------------
    int topRow() const { return topRow_; }
    void setTopRow(int row);
    int leftCol() const { return leftCol_; }
    void setLeftCol(int col);
    // Non-fixed rows fully visible at once.
    int visibleRowCount() const;
    // Rows painted now: the fixed rows, then topRow on while any part shows.
    std::vector<int> paintedRows() const;
    std::vector<int> paintedCols() const;
    // A cell's rectangle in the grid's coordinates; nothing when not on screen.
    std::optional<Rect> cellRect(int col, int row) const;
    // The cell under a point in the grid's coordinates.
    std::optional<GridCoord> cellAt(Point position) const;

    // --- In-cell editor --------------------------------------------------------
    bool editorOpen() const { return editorOpen_; }
    const EditableText& editor() const { return editor_; }
    // Opens the editor on the current cell when editing is on.
    void showEditor();
    // Closes the editor, keeping its text.
    void hideEditor();
    // Closes the editor and puts back the text the cell had when it opened.
    void cancelEditor();
    // Moves the open editor's caret; nothing is selected.
    void setEditorCaret(int position);
    // Replaces the open editor's text as an edit would (the change is
    // reported) and puts the caret at `caret`.
    void setEditorText(const Text& text, int caret);
    // The caret position in the current cell's text nearest to a point in the
    // grid's coordinates, as a click into the open editor would place it.
    int editorPositionAt(Point position) const;
    int editorMaxLength() const { return editorMaxLength_; }
    void setEditorMaxLength(int length) { editorMaxLength_ = length; }

    // --- Painting --------------------------------------------------------------
    // The canvas of the cell being drawn, valid inside the draw-cell handler.
    CellCanvas& canvas() { return canvas_; }
    const std::vector<PaintedCell>& paintRecord() const { return paintRecord_; }
    // The record of one cell of the last paint, or nullptr.
    const PaintedCell* paintedCell(int col, int row) const;

    // --- Events ----------------------------------------------------------------
    Handler<void(int col, int row, const Rect& rect, GridDrawState state)> onDrawCell;
    // Set the flag to false to keep the current cell.
    Handler<void(int col, int row, bool& canSelect)> onSelectCell;
    // The editor opens on a cell; the handler may change the text it starts with.
    Handler<void(int col, int row, Text& text)> onGetEditText;
    // The editor's text, after each change and once more when it closes.
    Handler<void(int col, int row, const Text& text)> onSetEditText;
    // The user dragged a row to another index.
    Handler<void(int from, int to)> onRowMoved;
    Handler<void()> onTopLeftChanged;

protected:
    void defaultKeyDown(KeyEvent& event) override;
    void defaultChar(char32_t character) override;
    void defaultMouseDown(const MouseEvent& event) override;
    void defaultMouseMove(const MouseEvent& event) override;
    void defaultMouseUp(const MouseEvent& event, bool inside) override;
    void defaultDoubleClick(const MouseEvent& event) override;
    void defaultWheel(WheelEvent& event) override;
    void paint() override;
    void focusLost() override;

private:
    int index(int col, int row) const { return row * colCount_ + col; }
    void resizeCells(int cols, int rows);
    // The user moves the current cell: select-cell, move, scroll into view, click.
    bool userMoveTo(int col, int row, bool extend);
    void scrollIntoView(int row);
    void clampSelection();
    void reportEditText();
    void openEditor(std::optional<char32_t> firstCharacter);
    int maxTopRow() const;

    int colCount_ = 5;
    int rowCount_ = 5;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    int defaultColWidth_ = 64;
    std::vector<int> colWidths_;
    int rowHeight_ = 24;
    Color fixedColor_ = colors::ButtonFace;
    unsigned options_ = static_cast<unsigned>(GridOption::RangeSelect);
    std::vector<Text> cells_;

    GridCoord anchor_{1, 1};
    GridCoord current_{1, 1};
    int topRow_ = 1;
    int leftCol_ = 1;

    bool editorOpen_ = false;
    EditableText editor_;
    Text editorOriginal_;
    int editorMaxLength_ = 0;

    enum class Drag { None, Selecting, MovingRow };
    Drag drag_ = Drag::None;
    int dragFromRow_ = 0;

    CellCanvas canvas_;
    std::vector<PaintedCell> paintRecord_;
};

} // namespace lumitag::ui
