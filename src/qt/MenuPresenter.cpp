#include "qt/MenuPresenter.h"

#include "qt/QtText.h"
#include "qt/UiFont.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/MenuItem.h"
#include "ui/PopupMenu.h"

#include <QAction>
#include <QTimer>

namespace lumitag::qtfront {

MenuPresenter::MenuPresenter(ui::Application& application, WindowOf windowOf,
                             std::function<void()> afterInput)
    : application_(application), windowOf_(std::move(windowOf)), afterInput_(std::move(afterInput)) {
    menu_.setFont(uiFont(12));
    QObject::connect(&menu_, &QMenu::aboutToHide, [this] {
        application_.closeMenu();
        // Not from inside the menu's own hiding: the front end may touch the menu.
        QTimer::singleShot(0, &menu_, [this] { afterInput_(); });
    });
}

QString MenuPresenter::menuText(const ui::MenuItem& item) {
    const Text& caption = item.caption();
    Text shown;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == U'&' && i + 1 < caption.size()) {
            if (caption[i + 1] == U'&') {
                shown += U"&&";
                ++i;
            }
            continue;
        }
        shown += caption[i] == U'&' ? Text(U"&&") : Text(1, caption[i]);
    }
    QString text = toQString(shown);
    if (!item.shortcut().empty()) {
        text += QLatin1Char('\t') + QString::fromStdString(item.shortcut().toString());
    }
    return text;
}

void MenuPresenter::build(ui::PopupMenu& menu) {
    menu_.clear();
    for (QMenu* subMenu : subMenus_) {
        delete subMenu;
    }
    subMenus_.clear();
    addItems(menu_, menu);
}

void MenuPresenter::addItems(QMenu& target, ui::PopupMenu& menu) {
    for (ui::MenuItem* item : menu.items()) {
        if (!item->visible()) {
            continue;
        }
        if (item->isSeparator()) {
            target.addSeparator();
            continue;
        }
        if (ui::PopupMenu* subMenu = item->subMenu(); subMenu != nullptr && subMenu != &menu) {
            auto* sub = new QMenu(menuText(*item), &menu_);
            subMenus_.push_back(sub);
            sub->setEnabled(item->enabled());
            target.addMenu(sub);
            addItems(*sub, *subMenu);
            continue;
        }
        QAction* action = target.addAction(menuText(*item));
        action->setEnabled(item->enabled());
        action->setCheckable(item->checked());
        action->setChecked(item->checked());
        QObject::connect(action, &QAction::triggered, &menu_, [this, &menu, item] {
            // The item still belongs to the menu that was shown.
            const auto& items = menu.items();
            if (std::find(items.begin(), items.end(), item) == items.end()) {
                return;
            }
            application_.chooseMenuItem(*item);
            afterInput_();
        });
    }
}

void MenuPresenter::update() {
    const std::optional<ui::OpenMenu>& open = application_.openMenu();
    if (!open) {
        presented_ = false;
        if (menu_.isVisible()) {
            menu_.hide();
        }
        return;
    }
    if (presented_ || open->menu == nullptr || open->form == nullptr) {
        return;
    }
    presented_ = true;
    build(*open->menu);
    QWidget* window = windowOf_(*open->form);
    const QPoint local(open->position.x, open->position.y);
    menu_.popup(window != nullptr ? window->mapToGlobal(local) : local);
}

} // namespace lumitag::qtfront
