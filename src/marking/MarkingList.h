#pragma once

#include "marking/BoxMode.h"
#include "marking/Snapshot.h"
#include "platform/Text.h"
#include "ui/Edit.h"
#include "ui/Events.h"
#include "ui/StringGrid.h"

#include <functional>

namespace lumitag::ui {
class Button;
class MenuItem;
class SpeedButton;
class Timer;
} // namespace lumitag::ui

namespace lumitag::marking {

// The controls of the orange-mode window the list reads and writes. The
// window owns them; the list only keeps references.
struct ListControls {
    ui::StringGrid& grid;             // StringGrid1: the list's only storage
    ui::Timer& followTimer;           // Timer1: the selection follows the end of the list
    ui::SpeedButton& halfWidthButton; // SpeedButton51 半角変換
    ui::Button& cancelButton;         // Button9 取消
    ui::MenuItem& undoItem;           // N25 元に戻す
    ui::MenuItem& redoItem;           // N26 やり直し
    ui::MenuItem& multiLineMarkItem;  // N6
    ui::MenuItem& numberingMarkItem;  // N9
    ui::MenuItem& deleteLineItem;     // Del1
    ui::MenuItem& insertLineItem;     // Ins1
    ui::MenuItem& cutItem;            // Cut1
    ui::MenuItem& copyItem;           // Copy1
};

// What the list asks of the rest of the window. Empty hooks do nothing.
struct ListHooks {
    std::function<void()> focusEntryField;
    // Undo text := snapshot memo text.
    std::function<void()> takeUndoSnapshot;
    // Rewrites the snapshot memo from the list, line 1 = the top row of the selection.
    std::function<void()> writeSnapshot;
    // Sends the synthetic keys that finish a select-all.
    std::function<void()> sendSelectAllKeys;
};

// Who handles the grid's mouse press, key down and key press. A list on its
// own handles them; the orange window shares them with the marks and wires
// them itself, calling the list's handlers.
enum class SharedGridEvents { HandledByList, WiredByWindow };

// The list modes other commands switch; the list's mouse and key rules depend on them.
struct ListModes {
    bool edit = false;          // in-cell editing of the list
    bool multiLineMark = false; // inserting the multi-line mark into cells
    bool numberingMark = false; // inserting the numbering brackets into cells
    bool stringInsert = false;  // entries are inserted at the selection, not appended

    bool markMode() const { return multiLineMark || numberingMark; }
    bool gridMode() const { return edit || multiLineMark || numberingMark; }
};

// The marking list: up to 1000 marking lines held in the cells of StringGrid1.
//
// Row 0 is the header, column 0 the row numbers, lines start at row 1. This
// class is the one way other code reads and writes the list; it also carries
// the grid's event handlers (painting, mouse, in-cell editing, row moving)
// and the selection-follows-end timer.
class MarkingList {
public:
    static constexpr int LastRow = 1000;
    static constexpr int RowCount = LastRow + 1;
    static constexpr Text::value_type Sentinel = U'\uFFFF';

    static constexpr ui::Color SelectedColor{221, 244, 247};
    static constexpr ui::Color FullWidthColor{255, 255, 202};
    static constexpr ui::Color NormalColor = ui::colors::White;

    // Sets the grid up as an empty 1BOX list and installs its handlers.
    MarkingList(ListControls controls, ListHooks hooks,
                SharedGridEvents shared = SharedGridEvents::HandledByList);
    MarkingList(const MarkingList&) = delete;
    MarkingList& operator=(const MarkingList&) = delete;

    ui::StringGrid& grid() const { return c_.grid; }
    // Timer1: in the normal mode the selection follows the end of the list.
    ui::Timer& followTimer() const { return c_.followTimer; }
    ListModes& modes() { return modes_; }
    const ListModes& modes() const { return modes_; }
    void setHooks(ListHooks hooks) { hooks_ = std::move(hooks); }

    // --- Cells -------------------------------------------------------------------
    const Text& cell(int col, int row) const { return c_.grid.cell(col, row); }
    void setCell(int col, int row, const Text& text) { c_.grid.setCell(col, row, text); }
    // The marking text of a row (column 1).
    const Text& lineText(int row) const { return cell(1, row); }
    // Content columns are 1 .. contentColumns().
    int contentColumns() const { return contentColumnCount(boxMode_); }
    // Empties the content columns of a row; its number stays.
    void clearRow(int row);
    // Writes "1", "2", … into column 0 of every list row of the grid.
    void renumber();
    // Empties the content columns of every list row of the grid.
    void clearAllRows();
    // Gives the grid its 1001 rows back; rows beyond row 1000 go.
    void resetRowCount() { c_.grid.setRowCount(RowCount); }
    // Moves rows `top` to the grid's last row down by `count` whole rows and
    // empties rows top .. top + count - 1; rows pushed past the grid's last
    // row are gone. Renumbers.
    void shiftRowsDown(int top, int count);
    // Moves rows `from` to the grid's last row up by `count` whole rows
    // (over the rows above them) and empties the last `count` rows. Renumbers.
    void shiftRowsUp(int from, int count);
    // The content columns of rows first .. last.
    std::vector<RowFields> rowsText(int first, int last) const;
    // Writes lines of fields from cell (left, top) on; fields beyond the last
    // column or beyond row `lastRow` are dropped. Returns the last row written.
    int writeLines(const std::vector<RowFields>& lines, int left, int top, int lastRow);

    // --- Box mode ----------------------------------------------------------------
    BoxMode boxMode() const { return boxMode_; }
    // Lays the columns and headers out for the mode; cell texts stay.
    void setBoxMode(BoxMode mode, const CountLabels& countLabels);

    // --- Derived state -----------------------------------------------------------
    // The first row after the last line: 1 when empty, 1001 when full.
    int nextFreeRow() const { return nextFreeRow_; }
    void setNextFreeRow(int row);
    // Applies the rule: the row after the last row whose column 1, 2 or 3 holds text.
    void updateNextFreeRow();
    bool empty() const { return nextFreeRow_ <= 1; }
    int lineCount() const { return nextFreeRow_ - 1; }

    // Set while a line within rows 1 to 100 holds a full-width character.
    bool fullWidth() const { return fullWidth_; }
    // Sets the flag and shows its effects (colour, 半角変換, mark-mode items).
    void setFullWidth(bool fullWidth);
    // Set by the last paint when a scanned line holds "【".
    bool numberingPresent() const { return numberingPresent_; }

    // The undo issue sets this; the next paint rewrites the snapshot memo.
    void setSnapshotPending() { snapshotPending_ = true; }
    bool snapshotPending() const { return snapshotPending_; }
    void setSelectAllFollowUp() { selectAllFollowUp_ = true; }
    // Set by a right press on the list, cleared by the next click.
    bool contextMenuPending() const { return contextMenuPending_; }
    void setContextMenuPending(bool pending) { contextMenuPending_ = pending; }

    // The colour of the header and row-number cells, which the list modes change.
    void setFixedColor(ui::Color color);
    // Writes the header of column 1 and the fixed colour of the current list
    // mode: a grid mode's own, else string insert mode's, else the normal ones.
    void applyModeLook();
    // Sets the full-width flag from column 1 of rows 1 .. lastRow.
    void recomputeFullWidthUpTo(int lastRow);

    // --- Selection and switches --------------------------------------------------
    void select(const ui::GridRect& rect) { c_.grid.setSelection(rect); }
    ui::GridRect selection() const { return c_.grid.selection(); }
    int topRow() const { return c_.grid.topRow(); }
    void setTopRow(int row) { c_.grid.setTopRow(row); }
    // Selects the single cell (col, row) and makes it the current cell.
    void selectCell(int col, int row) { c_.grid.setCurrent(col, row); }
    void setEditing(bool on) { c_.grid.setOption(ui::GridOption::Editing, on); }
    bool editing() const { return c_.grid.option(ui::GridOption::Editing); }
    void setRowSelect(bool on) { c_.grid.setOption(ui::GridOption::RowSelect, on); }
    // Whether some cell of the selection holds text.
    bool selectionHasText() const;

    // The input method the open cell editor asks for (the front end applies it).
    ui::ImeMode editorImeMode() const { return editorIme_; }
    // The cell text the mark modes remember, put back when they refuse input.
    void setRememberedCellText(Text text) { rememberedCellText_ = std::move(text); }
    void forgetRememberedCellText() { rememberedCellText_.clear(); }
    const Text& rememberedCellText() const { return rememberedCellText_; }

    // --- Handlers of StringGrid1 and Timer1 ----------------------------------------
    void StringGrid1DrawCell(int col, int row, const ui::Rect& rect, ui::GridDrawState state);
    void StringGrid1MouseDown(const ui::MouseEvent& event);
    void StringGrid1MouseUp(const ui::MouseEvent& event);
    void StringGrid1Click();
    void StringGrid1DblClick();
    void StringGrid1KeyDown(ui::KeyEvent& event);
    void StringGrid1KeyPress(char32_t& character);
    void StringGrid1GetEditText(int col, int row, Text& text);
    void StringGrid1SetEditText(int col, int row, const Text& text);
    void StringGrid1RowMoved(int from, int to);
    void Timer1Timer();

private:
    void changeNextFreeRow(int row);
    void installHandlers(SharedGridEvents shared);
    // The per-paint work of the draw-cell handler: the full-width recompute,
    // the mark-mode refusal and the pending snapshot.
    void paintPass();
    bool refuseFullWidthInMarkMode();
    void recomputeFullWidth();
    void markEditDone();

    ListControls c_;
    ListHooks hooks_;
    ListModes modes_;
    BoxMode boxMode_ = BoxMode::OneBox;
    int nextFreeRow_ = 1;
    bool fullWidth_ = false;
    bool numberingPresent_ = false;
    bool snapshotPending_ = false;
    bool selectAllFollowUp_ = false;
    bool contextMenuPending_ = false;
    bool doubleClicked_ = false;
    ui::Color fixedColor_ = ui::colors::ButtonFace;
    ui::ImeMode editorIme_ = ui::ImeMode::DontCare;
    Text rememberedEditorText_{Sentinel};
    Text rememberedCellText_;
};

} // namespace lumitag::marking
