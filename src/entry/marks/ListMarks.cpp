#include "entry/marks/ListMarks.h"

#include "entry/marks/MarkRules.h"
#include "marking/ListUndo.h"
#include "marking/MarkingList.h"
#include "ui/Button.h"
#include "ui/MenuItem.h"

namespace lumitag::entry {

namespace {

constexpr TextView StartValueCharacters = U"1234567890ABCDEF";

bool holds(TextView text, char32_t c) {
    return text.find(c) != TextView::npos;
}

} // namespace

ListMarks::ListMarks(ListMarkControls controls) : c_(controls) {}

ui::StringGrid& ListMarks::grid() const {
    return c_.list.grid();
}

void ListMarks::install() {
    grid().onExit = [this] { StringGrid1Exit(); };
}

int ListMarks::numberingColumn() const {
    return c_.list.boxMode() == marking::BoxMode::ThreeBox ? 5 : 3;
}

// --- Clicks ---------------------------------------------------------------------------------

void ListMarks::StringGrid1MarkClick(const ui::MouseEvent& event) {
    marking::MarkingList& list = c_.list;
    const marking::ListModes& modes = list.modes();
    if (!modes.markMode() || event.button != ui::MouseButton::Left)
        return;
    ui::StringGrid& g = grid();
    const std::optional<ui::GridCoord> hit = g.cellAt(event.position);
    if (!hit || hit->col != 1 || hit->row < 1)
        return;
    // The grid has made the pressed cell current already.
    if (modes.multiLineMark)
        c_.Button9.hide();
    countStep_ = CountStep::None;
    list.setRememberedCellText(list.cell(1, hit->row));
    if (!g.editorOpen()) {
        // The editor opens on the cell and the click is repeated in it, so
        // that the caret stands at the clicked character.
        list.setEditing(true);
        g.showEditor();
        g.setEditorCaret(g.editorPositionAt(event.position));
    }
    const ui::EditableText& editor = g.editor();
    const MarkClick result = modes.multiLineMark ? multiLineMarkClick(editor.text(), editor.caret())
                                                 : numberingMarkClick(editor.text(), editor.caret());
    if (result.change != MarkClick::Change::None)
        g.setEditorText(result.text, result.caret);
    // A mark added at the end of the text leaves the editor open for more typing.
    if (!result.keepsEditorOpen)
        commitCell();
    if (modes.numberingMark)
        numberingClicked(hit->row);
}

void ListMarks::commitCell() {
    grid().hideEditor();
    c_.list.setEditing(false);
}

void ListMarks::numberingClicked(int row) {
    numberingRow_ = row;
    const Text& text = c_.list.lineText(row);
    const bool open = holds(text, NumberingOpen);
    const bool close = holds(text, NumberingClose);
    if (open && close)
        startCountStep(row);
    else if (!open && !close)
        c_.list.setCell(numberingColumn(), row, {});
}

void ListMarks::startCountStep(int row) {
    ui::StringGrid& g = grid();
    g.hideEditor();
    c_.list.setEditing(true);
    c_.list.selectCell(2, row);
    g.showEditor();
    countStep_ = CountStep::Count;
}

void ListMarks::abandonCountStep() {
    countStep_ = CountStep::None;
    commitCell();
}

// --- Keys -----------------------------------------------------------------------------------

void ListMarks::StringGrid1MarkKeyDown(ui::KeyEvent& event) {
    if (!c_.list.modes().numberingMark)
        return;
    ui::StringGrid& g = grid();
    const ui::Key key = event.key;
    if (countStep_ != CountStep::None) {
        if (key == ui::Key::Up || key == ui::Key::Down || (key == ui::Key::Left && g.col() == 2)) {
            abandonCountStep();
            return;
        }
        if (key != ui::Key::Enter)
            return;
        event.consume();
        if (countStep_ == CountStep::Count) {
            g.hideEditor();
            c_.list.setEditing(true);
            c_.list.selectCell(numberingColumn(), numberingRow_);
            g.showEditor();
            countStep_ = CountStep::EndValue;
        } else {
            countStep_ = CountStep::None;
            commitCell();
        }
        return;
    }
    // Enter in the numbering row's text closes a start value of at least two characters.
    if (key != ui::Key::Enter || !g.editorOpen() || g.col() != 1 || g.row() != numberingRow_)
        return;
    const Text& text = g.editor().text();
    if (holds(text, NumberingClose) || !caretInsideNumbering(text, g.editor().caret(), 1))
        return;
    event.consume();
    Text closed = text;
    const int caret = g.editor().caret();
    closed.insert(static_cast<std::size_t>(caret), 1, NumberingClose);
    g.setEditorText(closed, caret + 1);
    commitCell();
    startCountStep(numberingRow_);
}

void ListMarks::StringGrid1MarkKeyPress(char32_t& character) {
    // The count and the end value columns have the list's own filters.
    if (!c_.list.modes().numberingMark || countStep_ != CountStep::None || grid().col() != 1)
        return;
    if (character == ui::chars::Backspace || character == ui::chars::Enter ||
        holds(StartValueCharacters, character))
        return;
    character = ui::chars::None;
}

// --- Leaving the list -----------------------------------------------------------------------------

void ListMarks::StringGrid1Exit() {
    marking::MarkingList& list = c_.list;
    if (!list.modes().numberingMark || list.contextMenuPending())
        return;
    countStep_ = CountStep::None;
    c_.undo.WriteSnapshot(list.selection().top);
    list.forgetRememberedCellText();
    list.modes().numberingMark = false;
    list.applyModeLook();
    c_.N5.setEnabled(true);
    if (!list.fullWidth() && list.boxMode() != marking::BoxMode::Text) {
        c_.N6.setEnabled(true);
        c_.N9.setEnabled(true);
    }
    list.setEditing(false);
}

} // namespace lumitag::entry
