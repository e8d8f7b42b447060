#include "qt/KeyMapping.h"

namespace lumitag::qtfront {

using ui::Key;

namespace {

Key keypadKey(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return static_cast<Key>(static_cast<int>(Key::NumPad0) + (qtKey - Qt::Key_0));
    }
    switch (qtKey) {
    case Qt::Key_Asterisk:
        return Key::Multiply;
    case Qt::Key_Plus:
        return Key::Add;
    case Qt::Key_Minus:
        return Key::Subtract;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return Key::Decimal;
    case Qt::Key_Slash:
        return Key::Divide;
    default:
        return Key::None;
    }
}

// Punctuation and shifted digits name the key that types them on a Japanese
// keyboard, as the classic virtual-key codes do.
Key symbolKey(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Exclam:
        return Key::D1;
    case Qt::Key_QuoteDbl:
        return Key::D2;
    case Qt::Key_NumberSign:
        return Key::D3;
    case Qt::Key_Dollar:
        return Key::D4;
    case Qt::Key_Percent:
        return Key::D5;
    case Qt::Key_Ampersand:
        return Key::D6;
    case Qt::Key_Apostrophe:
        return Key::D7;
    case Qt::Key_ParenLeft:
        return Key::D8;
    case Qt::Key_ParenRight:
        return Key::D9;
    case Qt::Key_Colon:
    case Qt::Key_Asterisk:
        return Key::Semicolon;
    case Qt::Key_Semicolon:
    case Qt::Key_Plus:
        return Key::Plus;
    case Qt::Key_Comma:
    case Qt::Key_Less:
        return Key::Comma;
    case Qt::Key_Minus:
    case Qt::Key_Equal:
        return Key::Minus;
    case Qt::Key_Period:
    case Qt::Key_Greater:
        return Key::Period;
    case Qt::Key_Slash:
    case Qt::Key_Question:
        return Key::Slash;
    case Qt::Key_At:
    case Qt::Key_QuoteLeft:
        return Key::Backquote;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
        return Key::LeftBracket;
    case Qt::Key_yen:
    case Qt::Key_Bar:
        return Key::Backslash;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
        return Key::RightBracket;
    case Qt::Key_AsciiCircum:
    case Qt::Key_AsciiTilde:
        return Key::Quote;
    case Qt::Key_Backslash:
    case Qt::Key_Underscore:
        return Key::Underscore;
    default:
        return Key::None;
    }
}

} // namespace

Key toModelKey(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (const Key key = keypadKey(qtKey); key != Key::None) {
            return key;
        }
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        return static_cast<Key>(static_cast<int>(Key::A) + (qtKey - Qt::Key_A));
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return static_cast<Key>(static_cast<int>(Key::D0) + (qtKey - Qt::Key_0));
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) {
        return static_cast<Key>(static_cast<int>(Key::F1) + (qtKey - Qt::Key_F1));
    }
    switch (qtKey) {
    case Qt::Key_Backspace:
        return Key::Backspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return Key::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Key::Enter;
    case Qt::Key_Shift:
        return Key::Shift;
    case Qt::Key_Control:
        return Key::Control;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return Key::Alt;
    case Qt::Key_Pause:
        return Key::Pause;
    case Qt::Key_CapsLock:
    case Qt::Key_Eisu_toggle:
        return Key::CapsLock;
    case Qt::Key_Escape:
        return Key::Escape;
    case Qt::Key_Space:
        return Key::Space;
    case Qt::Key_PageUp:
        return Key::PageUp;
    case Qt::Key_PageDown:
        return Key::PageDown;
    case Qt::Key_End:
        return Key::End;
    case Qt::Key_Home:
        return Key::Home;
    case Qt::Key_Left:
        return Key::Left;
    case Qt::Key_Up:
        return Key::Up;
    case Qt::Key_Right:
        return Key::Right;
    case Qt::Key_Down:
        return Key::Down;
    case Qt::Key_Insert:
        return Key::Insert;
    case Qt::Key_Delete:
        return Key::Delete;
    default:
        return symbolKey(qtKey);
    }
}

ui::Modifiers toModelModifiers(Qt::KeyboardModifiers modifiers) {
    ui::Modifiers result = ui::Modifiers::None;
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        result = result | ui::Modifiers::Shift;
    }
    if (modifiers.testFlag(Qt::ControlModifier)) {
        result = result | ui::Modifiers::Ctrl;
    }
    if (modifiers.testFlag(Qt::AltModifier)) {
        result = result | ui::Modifiers::Alt;
    }
    return result;
}

ui::Modifiers modifierOfKey(Key key) {
    switch (key) {
    case Key::Shift:
        return ui::Modifiers::Shift;
    case Key::Control:
        return ui::Modifiers::Ctrl;
    case Key::Alt:
        return ui::Modifiers::Alt;
    default:
        return ui::Modifiers::None;
    }
}

} // namespace lumitag::qtfront
