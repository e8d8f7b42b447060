#pragma once

#include "platform/Text.h"

#include <cstddef>
#include <functional>

namespace lumitag::ui {
class ComboBox;
struct KeyEvent;
} // namespace lumitag::ui

namespace lumitag::sheet {

class SpreadsheetLink;

struct SheetBoxHooks {
    // Where the focus goes after a choice or a rename.
    std::function<void()> focusTarget;
    // Docks the spreadsheet against the box's window and brings this program to the front.
    std::function<void()> dockAndBringToFront;
    // Fills the window's cell boxes from the active cell; empty when it has none.
    std::function<void()> fillCellBoxes;
};

// A sheet box (ComboBox1 of either main window): the sheets of the connected
// workbook, the connected sheet's name as its text, choosing a sheet to work
// on and renaming the sheet by typing a new name.
class SheetBox {
public:
    SheetBox(ui::ComboBox& box, SpreadsheetLink& link, SheetBoxHooks hooks);
    SheetBox(const SheetBox&) = delete;
    SheetBox& operator=(const SheetBox&) = delete;

    // Sets the hint and wires the box's events.
    void install();

    // The names of the connected workbook's sheets, the connected sheet's name as the text.
    void fill();
    // No spreadsheet: no items, the placeholder text.
    void showPlaceholder();
    std::size_t itemCount() const;
    void setText(const Text& text);

    void SelectSheet();
    void RenameOnEnter();
    void RenameOnLeaving();
    void KeyDown(ui::KeyEvent& event);
    void KeyPress(char32_t& character);
    void Enter();

private:
    // The rename applies: a spreadsheet, a new text, a connected sheet of another name.
    bool renameWanted(Text& oldName);
    // Renames the active sheet and refills the box; false when the spreadsheet refused.
    bool rename(const Text& newName);
    void putBackSheetName();
    void focusTarget();

    ui::ComboBox& box_;
    SpreadsheetLink& link_;
    SheetBoxHooks hooks_;
};

} // namespace lumitag::sheet
