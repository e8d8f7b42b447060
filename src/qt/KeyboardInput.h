#pragma once

#include "ui/Key.h"

#include <Qt>

class QKeyEvent;

namespace lumitag::ui {
class Application;
}

namespace lumitag::qtfront {

// Turns Qt's key events into the model's key downs, key ups and typed
// characters. Shift, Ctrl and Alt are tracked from the key events themselves,
// because a modifier key's own events do not reliably carry its state (the
// release of Alt pressed alone carries none), and Alt alone is a key the
// model sees like any other.
class KeyboardInput {
public:
    explicit KeyboardInput(ui::Application& application) : application_(application) {}

    void keyPress(const QKeyEvent& event);
    void keyRelease(const QKeyEvent& event);
    // The keyboard went to another program: modifiers held now are unknown.
    void forgetHeldModifiers() { held_ = ui::Modifiers::None; }
    // Shift, Ctrl or Alt the model still has down while the keyboard holds
    // them no more (their release went to a box that was open meanwhile)
    // come up in the model now.
    void releaseModifiersNotHeld(Qt::KeyboardModifiers heldNow);

private:
    ui::Application& application_;
    ui::Modifiers held_ = ui::Modifiers::None;
};

} // namespace lumitag::qtfront
