// The orange window's list commands: undo, the list menu (PopupMenu1), the
// window menu's mode keys and the periodic refresh, wired to their controls.
#include "app/TForm2.h"

namespace lumitag::app {

std::array<marking::SequenceControls, 3> TForm2::sequenceControls() {
    return {marking::SequenceControls{Edit1, Edit11, Edit2, Tilde1, Label15, CheckBox3},
            marking::SequenceControls{Edit4, Edit12, Edit5, Tilde2, Label16, CheckBox5},
            marking::SequenceControls{Edit7, Edit13, Edit8, Tilde3, Label17, CheckBox7}};
}

marking::EntryFieldControls TForm2::entryFieldControls() {
    using Field = marking::LastEntryRecord;
    marking::EntryFieldControls controls{
        .fields = {},
        .sequences = sequenceControls(),
        .CheckBox36 = CheckBox36,
        .CheckBox4 = CheckBox4,
        .CheckBox6 = CheckBox6,
    };
    ui::Edit* fields[] = {&Edit1, &Edit2, &Edit3, &Edit4,  &Edit5,  &Edit6,
                          &Edit7, &Edit8, &Edit9, &Edit16, &Edit46, &Edit49};
    static_assert(std::size(fields) == Field::FieldCount);
    std::copy(std::begin(fields), std::end(fields), controls.fields.begin());
    return controls;
}

marking::ListStateItems TForm2::listStateItems() {
    return {
        .N25 = N25,
        .N26 = N26,
        .Cut1 = Cut1,
        .Copy1 = Copy1,
        .Del1 = Del1,
        .Ins1 = Ins1,
        .N1 = N1,
        .N2 = N2,
        .Button9 = Button9,
        .toolCancelButtons = {&SpeedButton33, &SpeedButton35, &SpeedButton37, &SpeedButton39},
    };
}

marking::UndoControls TForm2::undoControls() {
    return {.list = list_, .items = listStateItems(), .entry = entryFieldControls()};
}

marking::ModeSwitchControls TForm2::modeSwitchControls() {
    return {
        .list = list_,
        .items = listStateItems(),
        .entry = entryFieldControls(),
        .N5 = N5,
        .N6 = N6,
        .N9 = N9,
        .Button4 = Button4,
        .Panel2 = Panel2,
        .Panel6 = Panel6,
        .Panel8 = Panel8,
    };
}

marking::ListCommandControls TForm2::listCommandControls() {
    return {
        .list = list_,
        .items = listStateItems(),
        .Paste1 = Paste1,
        .SpeedButton51 = SpeedButton51,
        .N5 = N5,
        .N6 = N6,
        .N9 = N9,
        .N28 = N28,
        .gyak2 = gyak2,
        .CTK2 = CTK2,
        .gyak1 = &gyak1,
        .Button4 = Button4,
        .Button18 = Button18,
        .Panel13 = Panel13,
        .Panel14 = Panel14,
        .sizeButtons = {&RadioButton10, &RadioButton11, &RadioButton12},
        .countLabels = {&ComboBox4, &ComboBox5, &ComboBox6},
    };
}

void TForm2::wireListCommands() {
    list_.setHooks({[this] { FocusEntryField(); }, [this] { undo_.TakeUndoSnapshot(); },
                    [this] { undo_.WriteSnapshot(list_.selection().top); },
                    [this] { listCommands_.SendSelectAllKeys(); }});

    // Undo and the ways to it.
    Button9.onClick = [this] { undo_.Button9Click(); };
    for (ui::SpeedButton* cancel : {&SpeedButton33, &SpeedButton35, &SpeedButton37, &SpeedButton39}) {
        cancel->setEnabled(false);
        cancel->onClick = [this] { undo_.ToolCancelClick(); };
    }

    // The list menu.
    PopupMenu1.onPopup = [this] { listCommands_.PopupMenu1Popup(); };
    N5.onClick = [this] { modeSwitch_.N5Click(); };
    N6.onClick = [this] { modeSwitch_.N6Click(); };
    N9.onClick = [this] { modeSwitch_.N9Click(); };
    Del1.onClick = [this] { listCommands_.Del1Click(); };
    Ins1.onClick = [this] { listCommands_.Ins1Click(); };
    gyak2.onClick = [this] { listCommands_.gyak2Click(); };
    N1.onClick = [this] { modeSwitch_.N1Click(); };
    N2.onClick = [this] { modeSwitch_.N2Click(); };

    Button16.onClick = [this] { listCommands_.Button16Click(); };
    Button16.setHint(U"グリッドの最後の文字列を１行削除します");
    Button17.onClick = [this] { listCommands_.Button17Click(); };

    onMouseWheel = [this](ui::WheelEvent& event) { listCommands_.FormMouseWheel(event); };
}

} // namespace lumitag::app
