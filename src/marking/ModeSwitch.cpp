#include "marking/ModeSwitch.h"

#include "marking/ListUndo.h"
#include "marking/MarkingList.h"
#include "platform/ProgramTitle.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/MenuItem.h"
#include "ui/Panel.h"
#include "ui/SpeedButton.h"
#include "ui/Timer.h"

namespace lumitag::marking {

namespace {

constexpr TextView FullWidthInListMessage = U"グリッド内に全角文字があります(この機能は使用できません)";

void focusAndSelect(ui::Edit& edit) {
    edit.form().focusControl(&edit);
    edit.selectAll();
}

} // namespace

ModeSwitch::ModeSwitch(ModeSwitchControls controls, ListWindowHooks hooks, ListUndo& undo)
    : c_(controls), hooks_(std::move(hooks)), undo_(undo) {}

// --- String insert mode -------------------------------------------------------------------

void ModeSwitch::N1Click() {
    restoreUndoAfterEntry();
    MarkingList& list = c_.list;
    if (list.modes().stringInsert)
        return;
    list.setEditing(false);
    list.grid().application().setCursor(ui::Cursor::Default);
    list.modes().stringInsert = true;
    list.applyModeLook();
    c_.items.N1.setEnabled(false);
    c_.items.N2.setEnabled(true);
    focusEntryField();
}

void ModeSwitch::N2Click() {
    MarkingList& list = c_.list;
    if (!list.modes().stringInsert)
        return;
    list.grid().application().setCursor(ui::Cursor::Default);
    c_.items.dropStringInsertMode(c_.list);
    focusEntryField();
}

void ModeSwitch::N14Click() {
    if (c_.items.N1.enabled()) {
        N1Click();
        return;
    }
    if (c_.list.modes().gridMode()) {
        // Back to the entry fields; that ends edit and multi-line mark mode.
        if (c_.entry.CheckBox4.checked()) {
            focusAndSelect(*c_.entry.fields[LastEntryRecord::Edit6]);
            N2Click();
        } else {
            focusAndSelect(*c_.entry.fields[LastEntryRecord::Edit3]);
        }
        return;
    }
    N2Click();
}

// --- Grid modes ------------------------------------------------------------------------------

void ModeSwitch::N5Click() {
    restoreUndoAfterEntry();
    enterGridMode(true, false, false);
}

void ModeSwitch::N6Click() {
    enterGridMode(false, true, false);
}

void ModeSwitch::N9Click() {
    enterGridMode(false, false, true);
}

void ModeSwitch::enterGridMode(bool edit, bool multiLineMark, bool numberingMark) {
    MarkingList& list = c_.list;
    ui::StringGrid& grid = list.grid();
    ui::Application& app = grid.application();
    list.followTimer().stop();
    grid.form().focusControl(&grid);
    app.setCursor(ui::Cursor::Default);
    list.setContextMenuPending(false);
    if (grid.editorOpen()) {
        // An open cell editor commits its text first, as the user's Enter would.
        app.keyDown(ui::Key::Enter, ui::Modifiers::None);
        app.keyUp(ui::Key::Enter, ui::Modifiers::None);
    }
    ListModes& modes = list.modes();
    modes.edit = edit;
    modes.multiLineMark = multiLineMark;
    modes.numberingMark = numberingMark;
    list.forgetRememberedCellText();
    c_.Panel2.setVisible(!edit && !multiLineMark);
    c_.Panel6.setVisible(multiLineMark);
    c_.Panel8.setVisible(edit);
    list.applyModeLook();
    if (multiLineMark || numberingMark) {
        // The mark modes change cells click by click; there is no undo step for them.
        c_.items.N25.setEnabled(false);
        c_.items.N26.setEnabled(false);
    }
}

void ModeSwitch::EntryFieldEnter() {
    MarkingList& list = c_.list;
    ListModes& modes = list.modes();
    restoreUndoAfterEntry();
    if ((modes.edit || modes.multiLineMark) && !list.contextMenuPending())
        undo_.WriteSnapshot(list.selection().top);
    list.forgetRememberedCellText();
    modes.edit = false;
    modes.multiLineMark = false;
    showNormalPanels();
    c_.N5.setEnabled(true);
    offerMarkModes();
    list.setEditing(false);
}

void ModeSwitch::showNormalPanels() {
    MarkingList& list = c_.list;
    c_.Panel6.hide();
    c_.Panel8.hide();
    c_.Panel2.show();
    list.applyModeLook();
    if (!list.modes().stringInsert)
        list.followTimer().start();
}

void ModeSwitch::endGridModes() {
    MarkingList& list = c_.list;
    list.forgetRememberedCellText();
    list.modes().edit = false;
    list.modes().multiLineMark = false;
    list.modes().numberingMark = false;
    showNormalPanels();
    c_.N5.setEnabled(true);
    offerMarkModes();
    list.setEditing(false);
    focusEntryField();
}

void ModeSwitch::N17Click() {
    if (c_.N5.enabled()) {
        N5Click();
        return;
    }
    if (c_.list.modes().gridMode() && !c_.list.contextMenuPending())
        endGridModes();
}

void ModeSwitch::N18Click() {
    MarkingList& list = c_.list;
    if (list.boxMode() == BoxMode::Text)
        return; // no mark modes for free texts
    const ListModes& modes = list.modes();
    if (c_.N6.enabled() && !modes.numberingMark) {
        c_.N6.click();
        return;
    }
    if (c_.N9.enabled() && modes.multiLineMark) {
        c_.N9.click();
        return;
    }
    if (c_.Button4.visible() && !c_.N6.enabled() && !c_.N9.enabled())
        list.grid().application().showMessage(platform::MessageKind::Information, Text(ProgramTitle),
                                              Text(FullWidthInListMessage), platform::Buttons::Ok);
    if ((modes.numberingMark || modes.edit) && !list.contextMenuPending())
        endGridModes();
}

// --- Esc and F7 --------------------------------------------------------------------------------

void ModeSwitch::N7Click() {
    const bool listFocused = c_.list.grid().focused();
    if (!listFocused && c_.items.Button9.visible())
        undo_.Button9Click();
    if (c_.list.grid().focused() && c_.items.N25.enabled())
        undo_.N25Click();
    ui::SpeedButton& multiLineCancel = *c_.items.toolCancelButtons[0];
    if (multiLineCancel.enabled())
        multiLineCancel.click();
}

void ModeSwitch::N11Click() {
    const auto& fields = c_.entry.fields;
    using F = LastEntryRecord;
    const struct {
        ui::Edit* first;
        ui::Edit* second;
        ui::CheckBox& fix;
    } pairs[] = {
        {fields[F::Edit1], fields[F::Edit2], c_.entry.sequences[0].fix},
        {fields[F::Edit4], fields[F::Edit5], c_.entry.sequences[1].fix},
        {fields[F::Edit7], fields[F::Edit8], c_.entry.sequences[2].fix},
        {fields[F::Edit3], nullptr, c_.entry.CheckBox4},
        {fields[F::Edit6], nullptr, c_.entry.CheckBox6},
    };
    const auto focusedIn = [](const auto& pair) {
        return pair.first->focused() || (pair.second != nullptr && pair.second->focused());
    };
    // Ticking wins: only when no focused field's box can be ticked is one unticked.
    for (const auto& pair : pairs) {
        if (focusedIn(pair) && !pair.fix.checked()) {
            pair.fix.setChecked(true);
            return;
        }
    }
    for (const auto& pair : pairs) {
        if (focusedIn(pair) && pair.fix.checked()) {
            pair.fix.setChecked(false);
            return;
        }
    }
}

// --- Helpers -------------------------------------------------------------------------------------

void ModeSwitch::restoreUndoAfterEntry() {
    // While the last entry can still be cancelled, undo stays reachable.
    if (c_.items.Button9.visible() && !c_.items.N25.enabled())
        c_.items.N25.setEnabled(true);
}

void ModeSwitch::offerMarkModes() {
    if (!c_.list.fullWidth() && c_.list.boxMode() != BoxMode::Text) {
        c_.N6.setEnabled(true);
        c_.N9.setEnabled(true);
    }
}

void ModeSwitch::focusEntryField() {
    if (hooks_.focusEntryField)
        hooks_.focusEntryField();
}

} // namespace lumitag::marking
