#pragma once

#include "sheet/SettingFill.h"

#include <array>
#include <optional>
#include <vector>

namespace lumitag::ui {
class Edit;
class Label;
class RadioGroup;
} // namespace lumitag::ui

namespace lumitag::sheet {

class SpreadsheetLink;

// The boxes of one setting of the blue window that a selection in the sheet fills.
struct SettingBoxes {
    ui::RadioGroup& workMode;
    // Column 1, 2 and 3, start row and end row: one of them in the focus
    // colour marks the setting the user is filling.
    std::array<const ui::Edit*, 5> highlightBoxes;
    ui::Edit& startColumn;
    ui::Edit& startRow;
    ui::Edit& endRow;
    ui::Edit& countBox; // takes the next column in 線番・記銘板等
    ui::Label& rowCountLabel;
    // Setting 1 only: the output-count label and the head remark box.
    ui::Label* outputCountLabel = nullptr;
    const ui::Edit* headRemark = nullptr;
};

// Fills the blue window's settings from the user's selection in the sheet:
// every setting whose work mode is not 複数列を連続 and one of whose boxes is
// highlighted takes the selected block's column and rows and counts its
// visible rows.
class SettingsFromSelection {
public:
    // The row boxes hold four digits. A block reaching past this row (a whole
    // column selected) fills nothing: its rows could not be typed, and
    // counting a million hidden-row flags would freeze the program. Nor does
    // an active cell right of column CV: the settings would name another
    // column than the one selected.
    static constexpr int LastFilledRow = 9999;

    SettingsFromSelection(std::vector<SettingBoxes> settings, SpreadsheetLink& link);

    // Reads the selection only when some setting waits for it. Throws
    // platform::SpreadsheetError when the spreadsheet refuses.
    void fill();

private:
    static bool waitsForSelection(const SettingBoxes& setting);
    std::optional<SheetSelection> readSelection();
    static void write(SettingBoxes& setting, const SheetSelection& selection);

    std::vector<SettingBoxes> settings_;
    SpreadsheetLink& link_;
};

} // namespace lumitag::sheet
