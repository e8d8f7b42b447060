#include "sheet/SheetBox.h"

#include "sheet/CellBoxes.h"
#include "sheet/ColumnLetters.h"
#include "sheet/SheetMessages.h"
#include "sheet/SpreadsheetLink.h"
#include "ui/ComboBox.h"
#include "ui/Events.h"

#include <algorithm>

namespace lumitag::sheet {

SheetBox::SheetBox(ui::ComboBox& box, SpreadsheetLink& link, SheetBoxHooks hooks)
    : box_(box), link_(link), hooks_(std::move(hooks)) {}

void SheetBox::install() {
    box_.setHint(U"エクセルシート名の変更とシートの選択ができます");
    box_.setText(Text(SheetBoxPlaceholder));
    box_.onClick = [this] { SelectSheet(); };
    box_.onCloseUp = [this] { focusTarget(); };
    box_.onEnter = [this] { Enter(); };
    box_.onExit = [this] { RenameOnLeaving(); };
    box_.onKeyDown = [this](ui::KeyEvent& event) { KeyDown(event); };
    box_.onKeyPress = [this](char32_t& character) { KeyPress(character); };
}

void SheetBox::fill() {
    const std::shared_ptr<platform::Worksheet>& worksheet = link_.worksheet();
    if (!worksheet)
        throw platform::SpreadsheetError("no worksheet is connected");
    std::vector<Text> names = link_.sheetNames();
    const Text name = worksheet->name();
    box_.setItems(std::move(names));
    box_.setText(name);
}

void SheetBox::showPlaceholder() {
    box_.setItems({});
    box_.setText(Text(SheetBoxPlaceholder));
}

std::size_t SheetBox::itemCount() const {
    return box_.items().size();
}

void SheetBox::setText(const Text& text) {
    box_.setText(text);
}

void SheetBox::SelectSheet() {
    if (!link_.visible())
        return;
    try {
        const std::shared_ptr<platform::Workbook>& workbook = link_.workbook();
        if (!workbook)
            return;
        std::shared_ptr<platform::Worksheet> worksheet = workbook->worksheet(box_.text());
        worksheet->activate();
        link_.connectWorksheet(std::move(worksheet));
        if (hooks_.dockAndBringToFront)
            hooks_.dockAndBringToFront();
    } catch (const platform::SpreadsheetError&) {
        // The choice ends silently. The box shows the connected sheet again, so
        // that leaving it does not offer to rename that sheet to the chosen name.
        putBackSheetName();
        return;
    }
    try {
        box_.setText(link_.host().activeSheet()->name());
        if (hooks_.fillCellBoxes)
            hooks_.fillCellBoxes();
    } catch (const platform::SpreadsheetError&) {
        // The sheet is chosen; its name and cell show at the next synchronisation.
    }
    focusTarget();
}

bool SheetBox::renameWanted(Text& oldName) {
    if (box_.text().empty() || !link_.worksheet() || !link_.visible())
        return false;
    try {
        oldName = link_.worksheet()->name();
    } catch (const platform::SpreadsheetError&) {
        return false;
    }
    return box_.text() != oldName;
}

bool SheetBox::rename(const Text& newName) {
    try {
        link_.host().activeSheet()->setName(newName);
        fill();
        return true;
    } catch (const platform::SpreadsheetError&) {
        // The spreadsheet refused the name (a name in use, one it forbids, or
        // it is busy). Its reason is for developers; the user learns which
        // name failed. The typed text stays until the next fill.
        showError(box_.application(), renameRefusedMessage(newName));
        return false;
    }
}

void SheetBox::putBackSheetName() {
    try {
        if (link_.worksheet())
            box_.setText(link_.worksheet()->name());
    } catch (const platform::SpreadsheetError&) {
        // The name shows again at the next fill.
    }
}

void SheetBox::RenameOnEnter() {
    Text oldName;
    if (!renameWanted(oldName))
        return;
    const Text newName = box_.text();
    const std::vector<Text>& items = box_.items();
    if (std::find(items.begin(), items.end(), newName) != items.end()) {
        showMessage(box_.application(), nameInUseMessage(newName));
        return;
    }
    if (!confirm(box_.application(), renameQuestionOnEnter(oldName, newName))) {
        putBackSheetName();
        focusTarget();
        return;
    }
    if (rename(newName))
        putBackSheetName();
    focusTarget();
}

void SheetBox::RenameOnLeaving() {
    Text oldName;
    if (renameWanted(oldName)) {
        const Text newName = box_.text();
        if (!confirm(box_.application(), renameQuestionOnLeaving(oldName, newName))) {
            putBackSheetName();
            box_.setColor(ui::colors::Window);
            focusTarget();
            return;
        }
        if (rename(newName))
            putBackSheetName();
    }
    if (box_.text().empty())
        putBackSheetName();
    focusTarget();
    box_.setColor(ui::colors::Window);
}

void SheetBox::KeyDown(ui::KeyEvent& event) {
    // Enter in the open list chooses; in the box it renames.
    if (event.key == ui::Key::Enter && !box_.droppedDown()) {
        event.consume();
        RenameOnEnter();
    }
}

void SheetBox::KeyPress(char32_t& character) {
    if (isForbiddenSheetNameCharacter(character) || character == ui::chars::Enter)
        character = ui::chars::None;
}

void SheetBox::Enter() {
    if (link_.visible())
        box_.setColor(CellBoxes::FocusColor);
    else
        focusTarget();
}

void SheetBox::focusTarget() {
    if (hooks_.focusTarget)
        hooks_.focusTarget();
}

} // namespace lumitag::sheet
