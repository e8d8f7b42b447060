#include "ui/Key.h"

#include <array>
#include <cctype>
#include <utility>

namespace lumitag::ui {
namespace {

struct NamedKey {
    std::string_view name;
    Key key;
};

// The first name of a key is the one toString writes.
constexpr std::array namedKeys{
    NamedKey{"Esc", Key::Escape},     NamedKey{"Escape", Key::Escape},
    NamedKey{"Enter", Key::Enter},    NamedKey{"Return", Key::Enter},
    NamedKey{"Tab", Key::Tab},        NamedKey{"Space", Key::Space},
    NamedKey{"BkSp", Key::Backspace}, NamedKey{"Backspace", Key::Backspace},
    NamedKey{"Del", Key::Delete},     NamedKey{"Delete", Key::Delete},
    NamedKey{"Ins", Key::Insert},     NamedKey{"Insert", Key::Insert},
    NamedKey{"Home", Key::Home},      NamedKey{"End", Key::End},
    NamedKey{"PgUp", Key::PageUp},    NamedKey{"PageUp", Key::PageUp},
    NamedKey{"PgDn", Key::PageDown},  NamedKey{"PageDown", Key::PageDown},
    NamedKey{"Left", Key::Left},      NamedKey{"Right", Key::Right},
    NamedKey{"Up", Key::Up},          NamedKey{"Down", Key::Down},
    NamedKey{"Shift", Key::Shift},    NamedKey{"Ctrl", Key::Control},
    NamedKey{"Alt", Key::Alt},        NamedKey{"CapsLock", Key::CapsLock},
    NamedKey{"Pause", Key::Pause},
};

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

} // namespace

Key keyFromName(std::string_view name) {
    if (name.size() == 1) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
        if (c >= 'A' && c <= 'Z')
            return static_cast<Key>(c);
        if (c >= '0' && c <= '9')
            return static_cast<Key>(c);
    }
    if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f')) {
        int number = 0;
        for (char c : name.substr(1)) {
            if (c < '0' || c > '9')
                return Key::None;
            number = number * 10 + (c - '0');
        }
        if (number >= 1 && number <= 12)
            return static_cast<Key>(static_cast<int>(Key::F1) + number - 1);
        return Key::None;
    }
    for (const NamedKey& named : namedKeys) {
        if (equalsIgnoringCase(named.name, name))
            return named.key;
    }
    return Key::None;
}

std::string keyName(Key key) {
    const int code = static_cast<int>(key);
    if ((key >= Key::A && key <= Key::Z) || (key >= Key::D0 && key <= Key::D9))
        return std::string(1, static_cast<char>(code));
    if (key >= Key::F1 && key <= Key::F12)
        return "F" + std::to_string(code - static_cast<int>(Key::F1) + 1);
    for (const NamedKey& named : namedKeys) {
        if (named.key == key)
            return std::string(named.name);
    }
    return "Key" + std::to_string(code);
}

std::optional<Shortcut> Shortcut::parse(std::string_view text) {
    Shortcut result;
    while (true) {
        const std::size_t plus = text.find('+', 1); // "+" alone would be a key name
        if (plus == std::string_view::npos)
            break;
        const std::string_view part = text.substr(0, plus);
        if (equalsIgnoringCase(part, "Shift"))
            result.modifiers = result.modifiers | Modifiers::Shift;
        else if (equalsIgnoringCase(part, "Ctrl") || equalsIgnoringCase(part, "Control"))
            result.modifiers = result.modifiers | Modifiers::Ctrl;
        else if (equalsIgnoringCase(part, "Alt"))
            result.modifiers = result.modifiers | Modifiers::Alt;
        else
            return std::nullopt;
        text.remove_prefix(plus + 1);
    }
    result.key = keyFromName(text);
    if (result.key == Key::None)
        return std::nullopt;
    return result;
}

std::string Shortcut::toString() const {
    std::string text;
    if (hasModifier(modifiers, Modifiers::Ctrl))
        text += "Ctrl+";
    if (hasModifier(modifiers, Modifiers::Shift))
        text += "Shift+";
    if (hasModifier(modifiers, Modifiers::Alt))
        text += "Alt+";
    return text + keyName(key);
}

} // namespace lumitag::ui
