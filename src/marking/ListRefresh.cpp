// The periodic refresh (Timer5): the next free row and the enabled state of
// the list's commands, every 100 ms.
#include "marking/ListCommands.h"
#include "marking/MarkingList.h"
#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/MenuItem.h"
#include "ui/Panel.h"
#include "ui/RadioButton.h"

namespace lumitag::marking {

void ListCommands::Timer5Timer() {
    MarkingList& list = c_.list;
    const ListModes& modes = list.modes();
    list.updateNextFreeRow();
    const bool lines = !list.empty();
    const bool markModes = lines && !list.fullWidth() && list.boxMode() != BoxMode::Text;
    c_.items.N1.setEnabled(lines && !modes.stringInsert);
    c_.N5.setEnabled(lines && !modes.edit);
    c_.N6.setEnabled(markModes && !modes.multiLineMark);
    c_.N9.setEnabled(markModes && !modes.numberingMark);

    c_.N28.setEnabled(lines);
    c_.gyak2.setEnabled(lines);
    c_.Panel14.setVisible(!lines);
    c_.CTK2.setEnabled(!lines && list.boxMode() == BoxMode::OneBox);
    if (!lines) {
        c_.Panel13.hide();
        c_.sizeButtons[0]->setChecked(true);
        c_.Button4.hide();
        c_.Button18.hide();
        if (c_.gyak1 != nullptr)
            c_.gyak1->setEnabled(false);
        return;
    }
    const bool markerData = list.boxMode() != BoxMode::Text;
    c_.Button4.setVisible(markerData);
    c_.Button18.setVisible(markerData);
    if (modes.markMode() && list.selection().left != 1)
        list.setEditing(true);
    if (list.boxMode() == BoxMode::ThreeBox) {
        for (std::size_t i = 0; i < c_.sizeButtons.size(); ++i)
            c_.sizeButtons[i]->setCaption(c_.countLabels[i]->text());
        c_.Panel13.show();
    }
    if (c_.gyak1 != nullptr)
        c_.gyak1->setEnabled(hooks_.spreadsheetVisible && hooks_.spreadsheetVisible());
}

} // namespace lumitag::marking
