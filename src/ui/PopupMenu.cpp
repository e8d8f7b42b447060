#include "ui/PopupMenu.h"

#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/MenuItem.h"

#include <algorithm>

namespace lumitag::ui {

PopupMenu::PopupMenu(Form& owner, std::string name) : owner_(owner), name_(std::move(name)) {
    owner_.menus_.push_back(this);
}

PopupMenu::~PopupMenu() {
    Application& application = owner_.application();
    if (application.openMenu() && application.openMenu()->menu == this)
        application.closeMenu();
    auto& menus = owner_.menus_;
    menus.erase(std::remove(menus.begin(), menus.end(), this), menus.end());
}

MenuItem* PopupMenu::findShortcut(const Shortcut& shortcut) const {
    for (MenuItem* item : items_) {
        if (item->enabled() && !item->shortcut().empty() && item->shortcut() == shortcut)
            return item;
    }
    return nullptr;
}

} // namespace lumitag::ui
