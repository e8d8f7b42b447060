#include "sheet/SettingsFromSelection.h"

#include "sheet/SpreadsheetLink.h"
#include "ui/Edit.h"
#include "ui/Label.h"
#include "ui/RadioGroup.h"

#include <algorithm>

namespace lumitag::sheet {

SettingsFromSelection::SettingsFromSelection(std::vector<SettingBoxes> settings, SpreadsheetLink& link)
    : settings_(std::move(settings)), link_(link) {}

bool SettingsFromSelection::waitsForSelection(const SettingBoxes& setting) {
    // Several columns read in sequence are typed, not taken from one selection.
    if (setting.workMode.itemIndex() == workMode::ColumnsInSequence)
        return false;
    return std::any_of(setting.highlightBoxes.begin(), setting.highlightBoxes.end(),
                       [](const ui::Edit* box) { return box->color() != ui::colors::Window; });
}

std::optional<SheetSelection> SettingsFromSelection::readSelection() {
    platform::SpreadsheetHost& host = link_.host();
    const platform::CellRef cell = host.activeCell();
    if (cell.column > platform::kLastProgramColumn)
        return std::nullopt;
    const platform::SelectedRows rows = host.selectedRows();
    if (rows.rowCount < 1 || rows.firstRow < 1 || rows.firstRow + rows.rowCount - 1 > LastFilledRow)
        return std::nullopt;
    const int lastRow = rows.firstRow + rows.rowCount - 1;
    // One call for the hidden rows of the whole selection, not one per row.
    int visible = rows.rowCount;
    for (const platform::RowSpan& hidden : host.activeSheet()->hiddenRows(rows.firstRow, lastRow))
        visible -= hidden.last - hidden.first + 1;
    return SheetSelection{cell.column, rows.firstRow, rows.rowCount, visible};
}

void SettingsFromSelection::write(SettingBoxes& setting, const SheetSelection& selection) {
    const bool hasHeadRemark = setting.headRemark != nullptr && !setting.headRemark->text().empty();
    const SettingFillTexts texts = settingFillTexts(selection, hasHeadRemark);
    setting.startColumn.setText(texts.startColumn);
    setting.startRow.setText(texts.startRow);
    if (setting.workMode.itemIndex() == workMode::WireNumbers)
        setting.countBox.setText(texts.nextColumn);
    setting.endRow.setText(texts.endRow);
    setting.rowCountLabel.setCaption(texts.rowCountLabel);
    if (setting.outputCountLabel != nullptr)
        setting.outputCountLabel->setCaption(texts.outputCountLabel);
}

void SettingsFromSelection::fill() {
    if (std::none_of(settings_.begin(), settings_.end(), waitsForSelection))
        return;
    const std::optional<SheetSelection> selection = readSelection();
    if (!selection)
        return;
    for (SettingBoxes& setting : settings_)
        if (waitsForSelection(setting))
            write(setting, *selection);
}

} // namespace lumitag::sheet
