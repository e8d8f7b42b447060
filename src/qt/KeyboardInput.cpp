#include "qt/KeyboardInput.h"

#include "qt/KeyMapping.h"
#include "qt/QtText.h"
#include "ui/Application.h"

#include <QKeyEvent>

namespace lumitag::qtfront {

void KeyboardInput::keyPress(const QKeyEvent& event) {
    const ui::Key key = toModelKey(event.key(), event.modifiers());
    const ui::Modifiers own = modifierOfKey(key);
    held_ = held_ | own;
    const ui::Modifiers modifiers = toModelModifiers(event.modifiers()) | held_;

    // Text is typed only when it is printable and neither Ctrl nor Alt is held
    // (the model derives Ctrl+letter and the control characters itself).
    const std::u32string text = event.text().toStdU32String();
    const bool chord =
        hasModifier(modifiers, ui::Modifiers::Ctrl) || hasModifier(modifiers, ui::Modifiers::Alt);
    const bool printable = !text.empty() && text.front() >= 0x20 && text.front() != 0x7F && !chord;

    if (key == ui::Key::None) {
        // A key the model has no code for may still type something.
        if (printable) {
            application_.typeText(text);
        }
        return;
    }
    application_.keyDown(key, modifiers, printable ? text.front() : 0);
    if (printable && text.size() > 1) {
        application_.typeText(TextView(text).substr(1));
    }
}

void KeyboardInput::keyRelease(const QKeyEvent& event) {
    // Auto-repeat comes as repeated key downs, as on the classic desktop;
    // the releases Qt sends between them are not real.
    if (event.isAutoRepeat()) {
        return;
    }
    const ui::Key key = toModelKey(event.key(), event.modifiers());
    if (key == ui::Key::None) {
        return;
    }
    const ui::Modifiers own = modifierOfKey(key);
    held_ = ui::withoutModifier(held_, own);
    const ui::Modifiers modifiers = ui::withoutModifier(toModelModifiers(event.modifiers()) | held_, own);
    application_.keyUp(key, modifiers);
}

void KeyboardInput::releaseModifiersNotHeld(Qt::KeyboardModifiers heldNow) {
    struct ModifierKey {
        ui::Key key;
        Qt::KeyboardModifier qt;
    };
    static constexpr ModifierKey keys[] = {
        {ui::Key::Shift, Qt::ShiftModifier},
        {ui::Key::Control, Qt::ControlModifier},
        {ui::Key::Alt, Qt::AltModifier},
    };
    for (const ModifierKey& modifier : keys) {
        if (application_.isKeyDown(modifier.key) && !heldNow.testFlag(modifier.qt)) {
            held_ = ui::withoutModifier(held_, modifierOfKey(modifier.key));
            application_.keyUp(modifier.key, held_);
        }
    }
}

} // namespace lumitag::qtfront
