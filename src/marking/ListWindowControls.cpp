#include "marking/ListWindowControls.h"

#include "marking/MarkingList.h"
#include "ui/MenuItem.h"
#include "ui/SpeedButton.h"

namespace lumitag::marking {

void dropStringInsertMode(const ListWindowControls& c) {
    if (!c.list.modes().stringInsert)
        return;
    c.list.modes().stringInsert = false;
    c.list.applyModeLook();
    c.N1.setEnabled(true);
    c.N2.setEnabled(false);
}

void disableLineItems(const ListWindowControls& c) {
    for (ui::MenuItem* item : {&c.Cut1, &c.Copy1, &c.Del1, &c.Ins1})
        item->setEnabled(false);
}

void setToolCancelButtons(const ListWindowControls& c, bool enabled) {
    for (ui::SpeedButton* button : c.toolCancelButtons)
        button->setEnabled(enabled);
}

void markListChanged(const ListWindowControls& c) {
    c.N25.setEnabled(true);
    c.N26.setEnabled(false);
}

} // namespace lumitag::marking
