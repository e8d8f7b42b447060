#include "sheet/TransferCommand.h"

#include "platform/spreadsheet/SpreadsheetError.h"
#include "sheet/SheetMessages.h"
#include "sheet/SpreadsheetLink.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/RadioButton.h"

#include <optional>
#include <utility>

namespace lumitag::sheet {

using platform::CellArea;
using platform::CellRef;

TransferCommand::TransferCommand(TransferControls controls, SpreadsheetLink& link,
                                 platform::Clipboard& clipboard, TransferHooks hooks)
    : c_(controls), link_(link), clipboard_(clipboard), hooks_(std::move(hooks)) {}

TransferSpacing TransferCommand::spacing() const {
    if (c_.RadioButton2.checked())
        return TransferSpacing::EverySecondRow;
    if (c_.RadioButton3.checked())
        return TransferSpacing::EveryThirdRow;
    if (c_.RadioButton4.checked())
        return TransferSpacing::EveryFourthRow;
    return TransferSpacing::Continuous;
}

void TransferCommand::gyak1Click() {
    order_ = TransferOrder::Reverse;
    c_.Button21.click();
    order_ = TransferOrder::ListOrder;
}

void TransferCommand::Button21Click() {
    // The reverse order holds for this one transfer, however it ends.
    const TransferOrder order = std::exchange(order_, TransferOrder::ListOrder);
    ui::Application& app = c_.window.application();
    const TransferList list = hooks_.list();
    if (c_.Edit14.text().empty() || c_.Edit15.text().empty() || list.lines.empty() ||
        !link_.connectedAndVisible()) {
        finish();
        return;
    }
    if (!c_.CheckBox35.checked() && !confirm(app, OverwriteQuestion))
        return;

    hooks_.stopWatcher();
    std::optional<ui::WaitCursor> wait;
    try {
        if (link_.host().activeCell().column > platform::kLastProgramColumn &&
            !confirm(app, ActiveCellBeyondQuestion)) {
            hooks_.startWatcher();
            return;
        }
        wait.emplace(app);
        const std::optional<int> column = transferColumn(c_.Edit14.text());
        const std::optional<int> row = transferRow(c_.Edit15.text());
        if (!column || !row) {
            wait.reset();
            hooks_.startWatcher();
            return;
        }
        write(planTransfer(list.lines, {*row, *column}, spacing(), order), list.numberingPresent);
    } catch (const platform::SpreadsheetError&) {
        // What was written before the failure stays in the sheet.
        wait.reset();
        showMessage(app, HostBusyMessage);
        hooks_.startWatcher();
        return;
    }
    wait.reset();
    finish();
}

void TransferCommand::write(const TransferPlan& plan, bool numberingPresent) {
    const std::shared_ptr<platform::Worksheet> sheet = link_.worksheet();
    if (!sheet)
        throw platform::SpreadsheetError("no worksheet is connected");
    const CellArea& block = plan.block;
    const int target = plan.targetColumn();
    const CellRef targetCell = block.first;

    if (c_.CheckBox35.checked())
        sheet->range(block.first, block.last)->insertShiftDown();
    // The marking texts and the numbering column stay text as written.
    sheet->range(block.first, CellRef{block.last.row, target})->setNumberFormatLocal(U"@");
    if (plan.lastColumn() != target)
        sheet->range(CellRef{block.first.row, plan.lastColumn()}, block.last)->setNumberFormatLocal(U"@");
    sheet->range(block.first, block.last)->setHorizontalAlignment(platform::HorizontalAlignment::Center);
    if (c_.CheckBox39.checked()) {
        if (plan.lastColumn() != target)
            sheet->range(CellRef{block.first.row, target + 1}, block.last)
                ->setColumnWidth(LinkedCountColumnWidth);
        const std::shared_ptr<platform::Range> cell = sheet->cell(targetCell.row, target);
        if (const std::optional<double> width =
                linkedColumnWidth(plan.longestText, cell->columnWidth(), numberingPresent))
            cell->setColumnWidth(*width);
    }

    if (plan.step == 1) {
        sheet->range(block.first, block.last)->setValues(plan.lines);
    } else {
        // One call for every line, the rows between left as they are. A host
        // failure inside it may leave the lines before it written: those are
        // what the busy message tells the user stays in the sheet.
        const int lastLineRow = plan.rowOfLine(plan.lines.size() - 1);
        sheet->range(block.first, CellRef{lastLineRow, plan.lastColumn()})
            ->setValuesEvery(plan.step, plan.lines);
    }

    // The block is written without going through the selection, so the
    // selection moves once, at the end: to the row after the block, or to
    // the target cell when the block ends at the sheet's last row. Selecting
    // the target first would scroll the spreadsheet's view there and back,
    // a fifth of the whole transfer's time.
    if (plan.nextRow <= platform::kMaxRow)
        sheet->cell(plan.nextRow, target)->activate();
    else
        sheet->cell(targetCell.row, target)->select();
    c_.Edit15.setText(numberText(plan.nextRow));
    clipboard_.clear();
}

void TransferCommand::finish() {
    hooks_.focusEntryField();
    hooks_.bringToFront();
    hooks_.startWatcher();
}

} // namespace lumitag::sheet
