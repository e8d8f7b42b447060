#pragma once

#include "platform/Text.h"
#include "ui/Handler.h"
#include "ui/Key.h"

#include <string>
#include <string_view>

namespace lumitag::ui {

class PopupMenu;

// An item of a popup menu. A caption of "-" makes a separator.
class MenuItem {
public:
    // `shortcut` as Shortcut::parse reads it ("Shift+F1"); empty for none.
    MenuItem(PopupMenu& menu, std::string name, Text caption = {}, std::string_view shortcut = {});
    ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    const std::string& name() const { return name_; }
    PopupMenu& menu() const { return menu_; }

    const Text& caption() const { return caption_; }
    void setCaption(const Text& caption);
    bool isSeparator() const { return caption_ == U"-"; }

    const Shortcut& shortcut() const { return shortcut_; }
    void setShortcut(const Shortcut& shortcut);

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool visible() const { return visible_; }
    void setVisible(bool visible);
    bool checked() const { return checked_; }
    void setChecked(bool checked);

    // The menu that opens from this item, or nullptr for an item that is chosen.
    PopupMenu* subMenu() const { return subMenu_; }
    void setSubMenu(PopupMenu* menu);

    // Runs the click handler when the item is enabled, as choosing it does.
    void click();

    Handler<void()> onClick;

private:
    void changed();

    PopupMenu& menu_;
    std::string name_;
    Text caption_;
    Shortcut shortcut_;
    bool enabled_ = true;
    bool visible_ = true;
    bool checked_ = false;
    PopupMenu* subMenu_ = nullptr;
};

} // namespace lumitag::ui
