#include "sheet/CellBoxes.h"

#include "sheet/ColumnLetters.h"
#include "sheet/SheetMessages.h"
#include "ui/Edit.h"
#include "ui/Events.h"

namespace lumitag::sheet {

namespace {

// Leaving a box whose text the transfer cannot use empties it and keeps the
// focus there; a good text lets the focus go and the box its colour.
void checkOnLeaving(ui::Edit& box, bool valid) {
    if (valid) {
        box.setColor(ui::colors::Window);
        return;
    }
    box.clear();
    box.setFocus();
}

} // namespace

CellBoxes::CellBoxes(CellBoxControls controls, CellBoxHooks hooks) : c_(controls), hooks_(std::move(hooks)) {}

void CellBoxes::install() {
    ui::Edit& column = c_.Edit14;
    ui::Edit& row = c_.Edit15;
    column.setMaxLength(ColumnBoxLength);
    column.setHint(U"列を指定します（ここにA(1)からCV(100)まで入力します　（エクセル側をクリック選択"
                   U"することもできます））");
    row.setMaxLength(RowBoxLength);
    row.setHint(U"行を指定します（Enterを押すと転送します）");
    for (ui::Edit* box : {&column, &row}) {
        box->onClick = [box] { box->selectAll(); };
        box->onEnter = [box] { box->setColor(FocusColor); };
    }
    column.onKeyDown = [this](ui::KeyEvent& event) { Edit14KeyDown(event); };
    column.onKeyPress = [this](char32_t& character) { Edit14KeyPress(character); };
    column.onExit = [this] { Edit14Exit(); };
    row.onKeyDown = [this](ui::KeyEvent& event) { Edit15KeyDown(event); };
    row.onKeyPress = [this](char32_t& character) { Edit15KeyPress(character); };
    row.onExit = [this] { Edit15Exit(); };
}

void CellBoxes::fill(platform::CellRef cell) {
    c_.Edit14.setText(columnBoxLetters(cell.column));
    c_.Edit15.setText(numberText(cell.row));
}

void CellBoxes::clear() {
    c_.Edit14.clear();
    c_.Edit15.clear();
}

void CellBoxes::Edit14KeyDown(ui::KeyEvent& event) {
    ui::Edit& column = c_.Edit14;
    if (event.key == ui::Key::Alt) {
        event.consume();
        return;
    }
    const bool atEnd = column.selStart() == static_cast<int>(column.text().size());
    if (!column.text().empty() && (event.key == ui::Key::Enter || (event.key == ui::Key::Right && atEnd))) {
        event.consume();
        if (c_.Edit15.setFocus())
            c_.Edit15.selectAll();
    }
}

void CellBoxes::Edit14KeyPress(char32_t& character) {
    if (character == ui::chars::Backspace)
        return;
    if (character == ui::chars::Enter) {
        character = ui::chars::None;
        return;
    }
    if (!isColumnBoxCharacter(character)) {
        character = ui::chars::None;
        showMessage(c_.Edit14.application(), ColumnCharactersMessage);
    }
}

void CellBoxes::Edit14Exit() {
    checkOnLeaving(c_.Edit14, isValidColumnBoxText(c_.Edit14.text()));
}

void CellBoxes::Edit15KeyDown(ui::KeyEvent& event) {
    ui::Edit& row = c_.Edit15;
    if (event.key == ui::Key::Alt) {
        event.consume();
        return;
    }
    if (event.key == ui::Key::Left && row.selStart() == 0) {
        event.consume();
        c_.Edit14.setFocus();
        return;
    }
    if (event.key == ui::Key::Enter && !row.text().empty()) {
        event.consume();
        if (hooks_.transfer)
            hooks_.transfer();
    }
}

void CellBoxes::Edit15KeyPress(char32_t& character) {
    if (character == ui::chars::Backspace)
        return;
    if (!isAsciiDigit(character))
        character = ui::chars::None;
}

void CellBoxes::Edit15Exit() {
    checkOnLeaving(c_.Edit15, isValidRowBoxText(c_.Edit15.text()));
}

} // namespace lumitag::sheet
