#include "entry/panel/TextHint.h"

#include "ui/Application.h"

namespace lumitag::entry {

void TextHint::install(ui::Edit& box) {
    box.onMouseEnter = [&box] {
        box.setHint(box.text());
        box.setShowHint(!box.text().empty());
        if (box.text().empty())
            return;
        box.application().setHintColor(Color);
        box.application().setHintHidePause(HidePause);
    };
    box.onMouseLeave = [&box] {
        box.application().setHintColor(ui::colors::InfoBackground);
        box.application().setHintHidePause(UsualHidePause);
    };
}

} // namespace lumitag::entry
