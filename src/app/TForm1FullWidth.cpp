// The full-width tools of the blue window's settings: 全角検索 lists the
// cells of the setting's ranges holding full-width text, 半角変換 maps them
// and the setting's marking lines to half-width text, and choosing a result
// selects its cell in the spreadsheet.
#include "app/Messages.h"
#include "app/TForm1.h"
#include "app/TForm2.h"
#include "conversion/ConversionMessages.h"
#include "conversion/FullWidthCells.h"
#include "marking/ListUndo.h"
#include "marking/MarkingList.h"
#include "platform/HalfWidth.h"
#include "platform/spreadsheet/SpreadsheetError.h"
#include "sheet/SheetMessages.h"
#include "sheet/WindowCoupling.h"
#include "tools/ToolSteps.h"
#include "ui/Application.h"

#include <algorithm>

namespace lumitag::app {

namespace {

// The list columns the conversion writes: marking text, count, number.
constexpr int ConvertedListColumns = 3;

} // namespace

void TForm1::wireFullWidthTools() {
    for (int index = 1; index <= 3; ++index) {
        SettingControls s = setting(index);
        s.fullWidthTools[0]->onClick = [this, index] { FindFullWidthCells(index); };
        s.fullWidthTools[1]->onClick = [this, index] { ConvertSheetToHalfWidth(index); };
        ui::ComboBox& results = fullWidthResults(index);
        // The box only offers what the search found: typing an address into
        // it would select a cell at every keystroke.
        results.setStyle(ui::ComboStyle::DropDownList);
        results.onChange = [this, index] { SelectFoundCell(index); };
    }
}

ui::ComboBox& TForm1::fullWidthResults(int index) {
    return static_cast<ui::ComboBox&>(*setting(index).fullWidthTools[2]);
}

void TForm1::refreshFullWidthTools() {
    // A conversion offers the two buttons; the result box comes with a search.
    for (int index = 1; index <= 3; ++index) {
        const bool found = conversionState_.settingFullWidth[static_cast<std::size_t>(index - 1)];
        SettingControls s = setting(index);
        s.fullWidthTools[0]->setVisible(found);
        s.fullWidthTools[1]->setVisible(found);
        ui::ComboBox& results = fullWidthResults(index);
        results.hide();
        results.setItems({});
        results.setText({});
    }
}

void TForm1::FindFullWidthCells(int index) {
    const ui::WaitCursor wait(application());
    const std::size_t s = static_cast<std::size_t>(index - 1);
    const conversion::FullWidthScanRanges& ranges = conversionState_.scanRanges[s];
    const std::shared_ptr<platform::Worksheet>& sheet = link_.worksheet();
    conversion::FullWidthSearch search;
    if (sheet) {
        search = conversion::FindFullWidthCells(*sheet, settingWorkMode(index), ranges);
    } else if (!conversion::hasScanRanges(ranges)) {
        search.outcome = conversion::FullWidthOutcome::MissingInput;
    } else {
        search.outcome = conversion::FullWidthOutcome::HostFailed;
    }
    if (search.outcome == conversion::FullWidthOutcome::MissingInput) {
        sheet::showMessage(application(), conversion::MissingInputMessage);
        return;
    }

    ui::ComboBox& results = fullWidthResults(index);
    results.setItems(search.entries);
    results.setText(search.found() ? search.entries.front() : Text());
    SettingControls controls = setting(index);
    if (search.outcome == conversion::FullWidthOutcome::HostFailed) {
        // The spreadsheet could not be read to the end: what it did not show
        // is not known to be clean, so the tools stay and the user is told.
        results.setVisible(search.found());
        sheet::showMessage(application(), HostBusyMessage);
    } else {
        conversionState_.settingFullWidth[s] = search.found();
        results.setVisible(search.found());
        if (!search.found()) {
            controls.fullWidthTools[0]->hide();
            controls.fullWidthTools[1]->hide();
        }
    }
    conversionState_.resultFullWidth =
        std::any_of(conversionState_.settingFullWidth.begin(), conversionState_.settingFullWidth.end(),
                    [](bool fullWidth) { return fullWidth; });
}

void TForm1::ConvertSheetToHalfWidth(int index) {
    const ui::WaitCursor wait(application());
    const std::size_t s = static_cast<std::size_t>(index - 1);
    conversion::FullWidthScanRanges& ranges = conversionState_.scanRanges[s];
    if (!conversion::hasScanRanges(ranges)) {
        sheet::showMessage(application(), conversion::MissingInputMessage);
        return;
    }
    ui::ComboBox& results = fullWidthResults(index);
    const bool resultsShown = results.visible();
    results.hide();

    const std::shared_ptr<platform::Worksheet>& sheet = link_.worksheet();
    conversion::HalfWidthConversion sheetStep;
    if (sheet) {
        sheetStep = conversion::ConvertSheetToHalfWidth(*sheet, settingWorkMode(index), ranges);
    } else {
        sheetStep.outcome = conversion::FullWidthOutcome::HostFailed;
    }
    if (sheetStep.outcome == conversion::FullWidthOutcome::HostFailed) {
        // The lines stay as they are until the sheet's cells are converted
        // too: converting again once the spreadsheet answers finishes both.
        results.setVisible(resultsShown);
        sheet::showMessage(application(), HostBusyMessage);
        return;
    }
    if (sheetStep.remark)
        setting(index).boxes[2]->setText(*sheetStep.remark);

    convertSettingLinesToHalfWidth(index);
    FindFullWidthCells(index);
}

void TForm1::convertSettingLinesToHalfWidth(int index) {
    const conversion::LineSpan lines =
        conversion::ConvertSettingLinesToHalfWidth(conversionState_, index - 1);
    marking::MarkingList& list = orange_->list();
    // Buffer line i is list row i + 1; rows past the list's lines are empty.
    const int top = lines.first + 1;
    const int bottom = std::min(lines.first + lines.count, list.lineCount());
    const int columns = std::min(ConvertedListColumns, list.contentColumns());
    bool changes = false;
    for (int row = top; row <= bottom && !changes; ++row)
        for (int col = 1; col <= columns && !changes; ++col)
            changes = platform::toHalfWidth(list.cell(col, row)) != list.cell(col, row);
    if (!changes)
        return;
    // 元に戻す in the orange window takes the mapping back, as after the
    // list's own half-width conversion.
    orange_->undo().TakeConversionUndo();
    for (int col = 1; col <= columns; ++col)
        tools::rewriteColumn(list, col, top, bottom,
                             [](const Text& text) { return platform::toHalfWidth(text); });
}

void TForm1::SelectFoundCell(int index) {
    const Text entry = fullWidthResults(index).text();
    const std::shared_ptr<platform::Worksheet>& sheet = link_.worksheet();
    try {
        // The remark entry names no cell: the spreadsheet refuses it like
        // any other address it cannot use.
        if (!sheet || entry == conversion::RemarkEntry)
            throw platform::SpreadsheetError("the result names no cell");
        sheet->range(entry, entry)->select();
        orange_->coupling().setBlueBoxSelection(true);
        link_.bringWindowToFront();
    } catch (const platform::SpreadsheetError&) {
        sheet::showMessage(application(), HostBusyMessage);
    }
}

conversion::WorkMode TForm1::settingWorkMode(int index) {
    return static_cast<conversion::WorkMode>(setting(index).workMode.itemIndex());
}

} // namespace lumitag::app
