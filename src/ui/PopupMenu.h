#pragma once

#include "ui/Handler.h"
#include "ui/Key.h"

#include <string>
#include <vector>

namespace lumitag::ui {

class Form;
class MenuItem;

// A context menu owned by a window. Attached to a control (or to the window
// itself) it opens on a right click there; its items' shortcuts work while
// the window is active, whether or not the menu is open.
class PopupMenu {
public:
    PopupMenu(Form& owner, std::string name);
    ~PopupMenu();
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    const std::string& name() const { return name_; }
    Form& owner() const { return owner_; }
    const std::vector<MenuItem*>& items() const { return items_; }

    // The enabled item with this shortcut, or nullptr.
    MenuItem* findShortcut(const Shortcut& shortcut) const;

    // Runs before the menu opens.
    Handler<void()> onPopup;

private:
    friend class MenuItem;

    Form& owner_;
    std::string name_;
    std::vector<MenuItem*> items_;
};

} // namespace lumitag::ui
