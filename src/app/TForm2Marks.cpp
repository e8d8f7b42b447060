// The numbering and multi-line marks of the orange window: the mark buttons,
// the end value box and the clicks into the list in the mark modes.
#include "app/TForm2.h"

namespace lumitag::app {

void TForm2::wireMarks() {
    numberingMarks_ = std::make_unique<entry::NumberingMarks>(entry::NumberingMarkControls{
        .form = *this,
        .list = list_,
        .sequences = sequenceControls(),
        .Edit3 = Edit3,
        .Edit6 = Edit6,
        .Edit9 = Edit9,
        .Edit16 = Edit16,
        .SpeedButton22 = SpeedButton22,
        .SpeedButton23 = SpeedButton23,
        .SpeedButton24 = SpeedButton24,
    });
    numberingMarks_->install();
    listMarks_ = std::make_unique<entry::ListMarks>(entry::ListMarkControls{
        .list = list_, .undo = undo_, .Button9 = Button9, .N5 = N5, .N6 = N6, .N9 = N9});
    listMarks_->install();
}

std::array<ui::Edit*, 11> TForm2::entryBoxes() {
    return {&Edit1, &Edit11, &Edit2, &Edit3, &Edit4, &Edit12, &Edit5, &Edit6, &Edit7, &Edit13, &Edit8};
}

} // namespace lumitag::app
