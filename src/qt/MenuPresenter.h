#pragma once

#include <QMenu>
#include <functional>
#include <vector>

namespace lumitag::ui {
class Application;
class Form;
class MenuItem;
class PopupMenu;
} // namespace lumitag::ui

namespace lumitag::qtfront {

// Shows the model's open popup menu as a real QMenu. Choosing an item is the
// model's item choice; closing the menu otherwise closes the model's menu.
// Item shortcuts are only displayed: the model runs them from its key path.
class MenuPresenter {
public:
    using WindowOf = std::function<QWidget*(const ui::Form&)>;

    MenuPresenter(ui::Application& application, WindowOf windowOf, std::function<void()> afterInput);

    // Follows the model's open menu; called after every event.
    void update();
    QMenu& menu() { return menu_; }

    // A caption as QMenu shows it: the "&X" accelerator marks dropped (no Qt
    // mnemonic), "&&" kept as a literal "&".
    static QString menuText(const ui::MenuItem& item);

private:
    void build(ui::PopupMenu& menu);
    // The items of `menu` into `target`; an item with a sub-menu becomes a sub-menu.
    void addItems(QMenu& target, ui::PopupMenu& menu);

    ui::Application& application_;
    WindowOf windowOf_;
    std::function<void()> afterInput_;
    QMenu menu_;
    std::vector<QMenu*> subMenus_; // children of menu_, made again at each build
    bool presented_ = false;
};

} // namespace lumitag::qtfront
