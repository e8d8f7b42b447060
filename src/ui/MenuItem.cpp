#include "ui/MenuItem.h"

#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/PopupMenu.h"

#include <algorithm>
#include <cassert>

namespace lumitag::ui {

MenuItem::MenuItem(PopupMenu& menu, std::string name, Text caption, std::string_view shortcut)
    : menu_(menu), name_(std::move(name)), caption_(std::move(caption)) {
    if (!shortcut.empty()) {
        const auto parsed = Shortcut::parse(shortcut);
        assert(parsed && "unknown shortcut text");
        if (parsed)
            shortcut_ = *parsed;
    }
    menu_.items_.push_back(this);
}

MenuItem::~MenuItem() {
    auto& items = menu_.items_;
    items.erase(std::remove(items.begin(), items.end(), this), items.end());
}

void MenuItem::changed() {
    menu_.owner().application().bumpRevision();
}

void MenuItem::setCaption(const Text& caption) {
    if (caption_ != caption) {
        caption_ = caption;
        changed();
    }
}

void MenuItem::setShortcut(const Shortcut& shortcut) {
    if (!(shortcut_ == shortcut)) {
        shortcut_ = shortcut;
        changed();
    }
}

void MenuItem::setEnabled(bool enabled) {
    if (enabled_ != enabled) {
        enabled_ = enabled;
        changed();
    }
}

void MenuItem::setVisible(bool visible) {
    if (visible_ != visible) {
        visible_ = visible;
        changed();
    }
}

void MenuItem::setChecked(bool checked) {
    if (checked_ != checked) {
        checked_ = checked;
        changed();
    }
}

void MenuItem::setSubMenu(PopupMenu* menu) {
    if (subMenu_ != menu) {
        subMenu_ = menu;
        changed();
    }
}

void MenuItem::click() {
    if (enabled_ && onClick)
        onClick();
}

} // namespace lumitag::ui
