#include "marking/ListStateItems.h"

#include "marking/MarkingList.h"
#include "ui/MenuItem.h"
#include "ui/SpeedButton.h"

namespace lumitag::marking {

void ListStateItems::markListChanged() const {
    N25.setEnabled(true);
    N26.setEnabled(false);
}

void ListStateItems::disableLineItems() const {
    for (ui::MenuItem* item : {&Cut1, &Copy1, &Del1, &Ins1})
        item->setEnabled(false);
}

void ListStateItems::setToolCancelButtons(bool enabled) const {
    for (ui::SpeedButton* button : toolCancelButtons)
        button->setEnabled(enabled);
}

void ListStateItems::dropStringInsertMode(MarkingList& list) const {
    if (!list.modes().stringInsert)
        return;
    list.modes().stringInsert = false;
    list.applyModeLook();
    N1.setEnabled(true);
    N2.setEnabled(false);
}

} // namespace lumitag::marking
