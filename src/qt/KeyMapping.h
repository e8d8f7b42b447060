#pragma once

#include "ui/Key.h"

#include <Qt>

namespace lumitag::qtfront {

// The model's key for a Qt key code (the keypad flag picks the number-pad
// keys); Key::None for keys the model does not know.
ui::Key toModelKey(int qtKey, Qt::KeyboardModifiers modifiers);

// Shift, Ctrl and Alt of a Qt modifier set.
ui::Modifiers toModelModifiers(Qt::KeyboardModifiers modifiers);

// The modifier a modifier key itself stands for (Shift for Key::Shift …), else None.
ui::Modifiers modifierOfKey(ui::Key key);

} // namespace lumitag::qtfront
