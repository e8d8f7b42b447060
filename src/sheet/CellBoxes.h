#pragma once

#include "platform/spreadsheet/CellAddress.h"
#include "ui/Geometry.h"

#include <functional>

namespace lumitag::ui {
class Edit;
struct KeyEvent;
} // namespace lumitag::ui

namespace lumitag::sheet {

struct CellBoxControls {
    ui::Edit& Edit14; // column box
    ui::Edit& Edit15; // row box
};

struct CellBoxHooks {
    // Enter in the row box: the transfer into the sheet.
    std::function<void()> transfer;
};

// The column box and the row box of the orange window: the cell the
// transfer starts at. They take only their characters, check their text when
// the focus leaves them, and lead from one to the other with Enter and the
// arrow keys.
class CellBoxes {
public:
    static constexpr ui::Color FocusColor = ui::colors::FocusedBox;
    static constexpr int ColumnBoxLength = 3;
    static constexpr int RowBoxLength = 4;

    CellBoxes(CellBoxControls controls, CellBoxHooks hooks);
    CellBoxes(const CellBoxes&) = delete;
    CellBoxes& operator=(const CellBoxes&) = delete;

    // Sets the boxes' limits and hints and wires their events.
    void install();

    // Column box := the column letters of the cell, row box := its row.
    void fill(platform::CellRef cell);
    void clear();

    void Edit14KeyDown(ui::KeyEvent& event);
    void Edit14KeyPress(char32_t& character);
    void Edit14Exit();
    void Edit15KeyDown(ui::KeyEvent& event);
    void Edit15KeyPress(char32_t& character);
    void Edit15Exit();

private:
    CellBoxControls c_;
    CellBoxHooks hooks_;
};

} // namespace lumitag::sheet
