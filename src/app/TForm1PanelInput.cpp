// Typing in the blue window's settings: what each box takes from the
// keyboard, Enter and the arrows walking the boxes, the rules a box applies
// when it is left, and the setting's rows shown and counted in the sheet.
#include "app/Messages.h"
#include "app/TForm1.h"
#include "conversion/ColumnAddress.h"
#include "conversion/SettingRules.h"
#include "sheet/CellBoxes.h"
#include "sheet/SettingFill.h"
#include "sheet/SheetMessages.h"
#include "sheet/SpreadsheetLink.h"
#include "ui/Application.h"
#include "ui/Key.h"

#include <algorithm>

namespace lumitag::app {

namespace {

constexpr TextView HiddenRowMessage = U"その行は非表示です";

// The box roles in the order of a setting's boxes.
constexpr std::array<conversion::SettingBox, 8> BoxRoles{
    conversion::SettingBox::Column1, conversion::SettingBox::Column2,        conversion::SettingBox::Column3,
    conversion::SettingBox::Column4, conversion::SettingBox::StartRow,       conversion::SettingBox::EndRow,
    conversion::SettingBox::Count,   conversion::SettingBox::SequenceColumn,
};
constexpr std::size_t StartRowBox = 4;
constexpr std::size_t EndRowBox = 5;

// Refused: emptied, and the focus goes back into the box.
void reject(ui::Edit& box) {
    box.clear();
    box.setFocus();
}

// A column box as the sheet addresses it: a number 1 to 100 becomes its
// letters, so that "3" with rows 5 to 9 selects C5:C9 and not rows 35 to 39.
// Nothing for a text that names no column (a remark).
std::optional<Text> sheetColumnLetters(TextView text) {
    const conversion::ResolvedColumn column = conversion::resolveColumn(text);
    if (column.kind != conversion::ResolvedColumn::Kind::Column)
        return std::nullopt;
    return column.letters;
}

} // namespace

void TForm1::wireSettingRules() {
    wireModeRules();
    wireInputRules();
}

void TForm1::wireInputRules() {
    for (int index = 1; index <= 3; ++index) {
        SettingControls s = setting(index);
        for (std::size_t box = 0; box < s.boxes.size(); ++box) {
            ui::Edit* edit = s.boxes[box];
            edit->onKeyDown = [this, index, box](ui::KeyEvent& event) { settingKeyDown(index, box, event); };
            edit->onKeyPress = [this, index, box](char32_t& c) { settingKeyPress(index, box, c); };
            edit->onExit = [this, index, box, edit] {
                edit->setColor(ui::colors::Window);
                settingBoxExit(index, box);
            };
            edit->onClick = [this, index, box, edit] {
                edit->selectAll();
                if (box <= 3)
                    selectColumnInSheet(index, box);
            };
        }
        ReplacementControls r = replacement(index);
        for (std::size_t box = 0; box < r.boxes.size(); ++box) {
            ui::Edit* edit = r.boxes[box];
            // The occurrence boxes sit outside the walk of Enter and the arrows.
            const std::size_t chainBox = s.boxes.size() + box;
            edit->onKeyDown = [this, index, chainBox](ui::KeyEvent& event) {
                settingKeyDown(index, chainBox, event);
            };
            if (box == 1 || box == 4) {
                edit->onKeyPress = [](char32_t& c) {
                    if (!conversion::passesKeyFilter(conversion::KeyFilter::Occurrence, c))
                        c = ui::chars::None;
                };
            } else {
                edit->onKeyPress = [](char32_t& c) {
                    if (c == ui::chars::Enter)
                        c = ui::chars::None;
                };
            }
            edit->onClick = [edit] { edit->selectAll(); };
        }
        s.panel.onClick = [this, s] {
            focusControl(s.boxes[0]);
            s.boxes[0]->selectAll();
        };
    }
    Edit40.onKeyDown = [this](ui::KeyEvent& event) {
        if (event.key == ui::Key::Enter) {
            event.consume();
            focusFirstSettingBox();
        }
    };
}

void TForm1::settingKeyPress(int index, std::size_t box, char32_t& character) {
    if (character == ui::chars::Enter) {
        character = ui::chars::None;
        return;
    }
    const auto mode = static_cast<conversion::WorkMode>(setting(index).workMode.itemIndex());
    const conversion::KeyFilter filter = conversion::keyFilterOf(BoxRoles[box], mode);
    if (conversion::passesKeyFilter(filter, character))
        return;
    character = ui::chars::None;
    if (filter == conversion::KeyFilter::ColumnCharacters)
        showMessage(application(), sheet::ColumnCharactersMessage);
}

std::vector<ui::Edit*> TForm1::focusChain(int index) {
    SettingControls s = setting(index);
    ReplacementControls r = replacement(index);
    std::vector<ui::Edit*> chain(s.boxes.begin(), s.boxes.end());
    for (const std::size_t box : {0U, 2U, 3U, 5U})
        chain.push_back(r.boxes[box]);
    std::erase_if(chain, [](const ui::Edit* box) { return !box->showing() || !box->effectivelyEnabled(); });
    return chain;
}

void TForm1::focusAfterSetting(int index) {
    const bool nextUsed = (index == 1 && CheckBox1.checked()) || (index == 2 && CheckBox2.checked());
    if (nextUsed) {
        ui::Edit* next = setting(index + 1).boxes[0];
        focusControl(next);
        next->selectAll();
        return;
    }
    focusControl(Button5.visible() ? static_cast<ui::Control*>(&Button5) : &Button2);
}

// Enter and Down go forward through the setting's shown boxes, Up goes
// back; Enter never reaches the box.
void TForm1::settingKeyDown(int index, std::size_t box, ui::KeyEvent& event) {
    const bool forward = event.key == ui::Key::Enter || event.key == ui::Key::Down;
    const bool back = event.key == ui::Key::Up;
    if (!forward && !back)
        return;
    event.consume();
    SettingControls s = setting(index);
    // In EPLAN the count is fixed: the end row leads to the target columns.
    if (forward && index == 1 && box == EndRowBox && !Edit31.enabled()) {
        focusControl(&Edit2);
        Edit2.selectAll();
        return;
    }
    const std::vector<ui::Edit*> chain = focusChain(index);
    ui::Edit* current = box < s.boxes.size() ? s.boxes[box] : replacement(index).boxes[box - s.boxes.size()];
    const auto at = std::find(chain.begin(), chain.end(), current);
    if (at == chain.end())
        return;
    if (forward) {
        if (std::next(at) == chain.end()) {
            focusAfterSetting(index);
            return;
        }
        focusControl(*std::next(at));
        (*std::next(at))->selectAll();
    } else if (at != chain.begin()) {
        focusControl(*std::prev(at));
        (*std::prev(at))->selectAll();
    }
}

void TForm1::settingBoxExit(int index, std::size_t box) {
    SettingControls s = setting(index);
    ui::Edit& edit = *s.boxes[box];
    const auto mode = static_cast<conversion::WorkMode>(s.workMode.itemIndex());
    if (box == EndRowBox) {
        switch (conversion::judgeEndRow(s.boxes[StartRowBox]->text(), edit.text())) {
        case conversion::EndRowVerdict::Rejected:
            reject(edit);
            return;
        case conversion::EndRowVerdict::StartRowMissing:
            edit.clear();
            s.boxes[StartRowBox]->setFocus();
            return;
        case conversion::EndRowVerdict::Accepted:
            break;
        }
    } else if (!conversion::isAcceptedBoxText(BoxRoles[box], mode, edit.text())) {
        reject(edit);
        return;
    }
    if (box == 0 || box == StartRowBox || box == EndRowBox)
        ShowRangeInSheet(index);
}

void TForm1::ShowRangeInSheet(int settingIndex) {
    SettingControls s = setting(settingIndex);
    const Text& column = s.boxes[0]->text();
    const Text& startRow = s.boxes[StartRowBox]->text();
    const Text& endRow = s.boxes[EndRowBox]->text();
    if (column.empty() || startRow.empty() || endRow.empty() || !link_.connectedAndVisible())
        return;
    const std::optional<Text> letters = sheetColumnLetters(column);
    if (!letters)
        return;
    try {
        platform::SpreadsheetHost& host = link_.host();
        const std::shared_ptr<platform::Worksheet> sheet = host.activeSheet();
        if (!sheet)
            return;
        sheet->range(*letters + startRow, *letters + endRow)->select();
        const platform::SelectedRows rows = host.selectedRows();
        if (rows.rowCount < 1)
            return;
        const int lastRow = rows.firstRow + rows.rowCount - 1;
        // One query for the hidden rows of the whole range.
        const std::vector<platform::RowSpan> hidden = sheet->hiddenRows(rows.firstRow, lastRow);
        const auto isHidden = [&hidden](int row) {
            return std::any_of(hidden.begin(), hidden.end(), [row](const platform::RowSpan& span) {
                return row >= span.first && row <= span.last;
            });
        };
        if (isHidden(rows.firstRow) || isHidden(lastRow)) {
            showMessage(application(), HiddenRowMessage);
            ui::Edit* box = isHidden(rows.firstRow) ? s.boxes[StartRowBox] : s.boxes[EndRowBox];
            focusControl(box);
            return;
        }
        int visibleRows = rows.rowCount;
        for (const platform::RowSpan& span : hidden)
            visibleRows -= std::min(span.last, lastRow) - std::max(span.first, rows.firstRow) + 1;
        const sheet::SettingFillTexts texts = sheet::settingFillTexts({.activeColumn = 1,
                                                                       .firstRow = rows.firstRow,
                                                                       .rowCount = rows.rowCount,
                                                                       .visibleRowCount = visibleRows},
                                                                      !Edit40.text().empty());
        s.rowCountLabel.setCaption(texts.rowCountLabel);
        if (settingIndex == 1)
            Label63.setCaption(texts.outputCountLabel);
    } catch (const platform::SpreadsheetError&) {
        showMessage(application(), HostBusyMessage);
    }
}

// Clicking a column box shows its column over the setting's rows.
void TForm1::selectColumnInSheet(int index, std::size_t column) {
    SettingControls s = setting(index);
    const Text& startRow = s.boxes[StartRowBox]->text();
    const Text& endRow = s.boxes[EndRowBox]->text();
    if (startRow.empty() || endRow.empty() || !link_.connectedAndVisible())
        return;
    const std::optional<Text> letters = sheetColumnLetters(s.boxes[column]->text());
    if (!letters)
        return;
    try {
        if (const std::shared_ptr<platform::Worksheet> sheet = link_.host().activeSheet())
            sheet->range(*letters + startRow, *letters + endRow)->select();
    } catch (const platform::SpreadsheetError&) {
        showMessage(application(), HostBusyMessage);
    }
}

} // namespace lumitag::app
