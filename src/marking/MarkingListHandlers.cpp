// The event handlers of StringGrid1 and Timer1: painting with the full-width
#include "platform/ProgramTitle.h"
// recompute, the mouse rules, in-cell editing and row moving.
#include "marking/FullWidth.h"
#include "marking/MarkingList.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/MenuItem.h"
#include "ui/SpeedButton.h"
#include "ui/Timer.h"

#include <algorithm>

namespace lumitag::marking {

namespace {

// Only the first 100 lines decide the full-width flag: the marker's Windows
// font form of a data file holds at most 100 lines.
constexpr int FullWidthScanRows = 100;
constexpr int TextInset = 2;

constexpr TextView Digits = U"1234567890";
constexpr TextView HexDigits = U"1234567890ABCDEF";

void run(const std::function<void()>& hook) {
    if (hook)
        hook();
}

bool isCharacterAbove127(TextView text) {
    return std::any_of(text.begin(), text.end(), [](char32_t c) { return c > 127; });
}

void eraseFirst(Text& text, char32_t character) {
    const std::size_t at = text.find(character);
    if (at != Text::npos)
        text.erase(at, 1);
}

} // namespace

// --- Painting ------------------------------------------------------------------------

void MarkingList::StringGrid1DrawCell(int col, int row, const ui::Rect& rect, ui::GridDrawState state) {
    // The top-left cell is painted first in every paint of the grid: the
    // derived state is worked out once per paint, not once per cell, which
    // gives the same result because no cell changes while the grid paints.
    if (col == 0 && row == 0)
        paintPass();
    ui::CellCanvas& canvas = c_.grid.canvas();
    if (state.fixed)
        canvas.brushColor = fixedColor_;
    else if (state.selected || state.focused)
        canvas.brushColor = SelectedColor;
    else
        canvas.brushColor = c_.grid.color();
    canvas.fillRect(rect);
    canvas.font.color = ui::colors::Black;
    canvas.textOut(rect.left + TextInset, rect.top + TextInset, cell(col, row));
}

void MarkingList::paintPass() {
    numberingPresent_ = false;
    if (!refuseFullWidthInMarkMode()) {
        recomputeFullWidth();
    }
    if (snapshotPending_)
        run(hooks_.writeSnapshot);
    if (selectAllFollowUp_) {
        selectAllFollowUp_ = false;
        run(hooks_.sendSelectAllKeys);
    }
    snapshotPending_ = false;
}

bool MarkingList::refuseFullWidthInMarkMode() {
    ui::StringGrid& grid = c_.grid;
    if (!modes_.markMode() || !grid.editorOpen() || grid.editor().text().empty())
        return false;
    Text tested = grid.editor().text();
    eraseFirst(tested, U'【');
    eraseFirst(tested, U'】');
    if (!isCharacterAbove127(tested))
        return false;
    const ui::GridRect rect = selection();
    grid.hideEditor();
    setCell(rect.left, rect.top, {});
    grid.application().showMessage(platform::MessageKind::Information, Text(ProgramTitle),
                                   U"全角文字（漢字、ひらがな等）の入力はできません", platform::Buttons::Ok);
    setCell(rect.left, rect.top, rememberedCellText_);
    grid.showEditor();
    return true;
}

void MarkingList::recomputeFullWidth() {
    bool found = false;
    if (nextFreeRow_ >= 2) {
        const int last = std::min(FullWidthScanRows, c_.grid.rowCount() - 1);
        for (int row = 1; row <= last && !found; ++row) {
            const Text& text = lineText(row);
            if (text.find(U'【') != Text::npos)
                numberingPresent_ = true;
            found = isFullWidth(text);
        }
    }
    setFullWidth(found);
}

// --- Mouse ------------------------------------------------------------------------------

void MarkingList::StringGrid1MouseDown(const ui::MouseEvent& event) {
    c_.followTimer.stop();
    if (modes_.markMode())
        return;
    ui::StringGrid& grid = c_.grid;
    const std::optional<ui::GridCoord> hit = grid.cellAt(event.position);
    if (!hit)
        return;
    const bool rowNumber = hit->col == 0 && hit->row >= 1;
    const bool content = hit->col >= 1 && hit->row >= 1;
    if (event.button == ui::MouseButton::Left) {
        if (rowNumber) {
            select({1, hit->row, 3, hit->row});
            setRowSelect(true);
        } else if (content) {
            // The grid has already selected the pressed cell (or extended the
            // selection to it with Shift).
            setRowSelect(false);
        }
    } else if (event.button == ui::MouseButton::Right) {
        if (content && !selection().contains(hit->col, hit->row))
            select({hit->col, hit->row, hit->col, hit->row});
        if (!empty()) {
            c_.deleteLineItem.setEnabled(true);
            c_.insertLineItem.setEnabled(true);
        }
        contextMenuPending_ = true;
        const bool hasText = selectionHasText();
        c_.cutItem.setEnabled(hasText);
        c_.copyItem.setEnabled(hasText);
    }
}

void MarkingList::StringGrid1MouseUp(const ui::MouseEvent& event) {
    ui::StringGrid& grid = c_.grid;
    const std::optional<ui::GridCoord> hit = grid.cellAt(event.position);
    if (!hit)
        return;
    // A header click picks a whole column of the list for the bulk tools.
    if ((modes_.edit || modes_.multiLineMark) && hit->row == 0 && hit->col >= 1 &&
        hit->col <= contentColumns() && !empty()) {
        select({hit->col, 1, hit->col, nextFreeRow_ - 1});
        return;
    }
    if (modes_.markMode())
        return;
    if (event.button == ui::MouseButton::Left && hit->col == 0 && hit->row >= 1) {
        select({1, hit->row, 1, hit->row});
        setRowSelect(false);
    }
}

void MarkingList::StringGrid1Click() {
    if (doubleClicked_) {
        // The release that ends a double click is no single click: it must not
        // close the editor the double click has just opened.
        doubleClicked_ = false;
    } else if (modes_.edit) {
        setEditing(false);
    }
    if (modes_.stringInsert && !modes_.gridMode())
        run(hooks_.focusEntryField);
    contextMenuPending_ = false;
    const bool hasText = selectionHasText();
    c_.cutItem.setEnabled(hasText);
    c_.copyItem.setEnabled(hasText);
}

void MarkingList::StringGrid1DblClick() {
    if (!modes_.edit)
        return;
    doubleClicked_ = true;
    setEditing(true);
    c_.grid.showEditor();
}

// --- Keys and in-cell editing --------------------------------------------------------------

void MarkingList::StringGrid1KeyDown(ui::KeyEvent& event) {
    if (!modes_.edit)
        return;
    if (event.key == ui::Key::Alt) {
        event.consume();
        return;
    }
    setEditing(true);
}

void MarkingList::StringGrid1KeyPress(char32_t& character) {
    if (boxMode_ == BoxMode::Text || character == ui::chars::Backspace || character == ui::chars::Enter)
        return;
    TextView allowed;
    switch (c_.grid.col()) {
    case 2:
    case 4:
        allowed = Digits;
        break;
    case 3:
        allowed = boxMode_ == BoxMode::OneBox ? HexDigits : Digits;
        break;
    case 5:
        allowed = HexDigits;
        break;
    default:
        return; // the marking text is not filtered here
    }
    if (allowed.find(character) == TextView::npos)
        character = ui::chars::None;
}

void MarkingList::StringGrid1GetEditText(int col, int /*row*/, Text& /*text*/) {
    run(hooks_.takeUndoSnapshot);
    if (modes_.markMode())
        editorIme_ = ui::ImeMode::Disabled;
    else if (col == 1 || boxMode_ == BoxMode::Text)
        editorIme_ = ui::ImeMode::DontCare;
    else
        editorIme_ = ui::ImeMode::Disabled;
}

void MarkingList::StringGrid1SetEditText(int /*col*/, int /*row*/, const Text& text) {
    if (text != rememberedEditorText_) {
        rememberedEditorText_ = text;
        c_.cancelButton.hide();
        return;
    }
    // The closing report repeats the last change: the edit is complete.
    snapshotPending_ = true;
    setEditing(false);
    rememberedEditorText_ = Text{Sentinel};
    markEditDone();
}

void MarkingList::markEditDone() {
    c_.undoItem.setEnabled(true);
    c_.redoItem.setEnabled(false);
}

// --- Row moving ---------------------------------------------------------------------------

void MarkingList::StringGrid1RowMoved(int /*from*/, int /*to*/) {
    renumber();
    run(hooks_.takeUndoSnapshot);
    run(hooks_.writeSnapshot);
    if (!empty()) {
        snapshotPending_ = true;
        c_.cancelButton.hide();
        markEditDone();
    }
}

// --- Timer1 ----------------------------------------------------------------------------------

void MarkingList::Timer1Timer() {
    // A full list has its next free row beyond the grid: the selection stays
    // on the last row instead.
    const int row = std::min(nextFreeRow_, c_.grid.rowCount() - 1);
    const ui::StringGrid& grid = c_.grid;
    const ui::GridRect selected = selection();
    if (grid.col() == 1 && grid.row() == row && selected.top == row && selected.bottom == row)
        return; // unchanged: no repaint
    c_.grid.setCurrent(1, row);
}

} // namespace lumitag::marking
