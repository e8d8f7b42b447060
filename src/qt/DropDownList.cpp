#include "qt/DropDownList.h"

#include "qt/FrontEnd.h"
#include "qt/QtText.h"
#include "qt/UiFont.h"
#include "ui/ComboBox.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>
#include <algorithm>

namespace lumitag::qtfront {

namespace {

// Space left and right of an item's text inside the list's border.
constexpr int kItemPadding = 2;

} // namespace

DropDownList::DropDownList(FrontEnd& frontEnd)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      frontEnd_(frontEnd) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setObjectName(QStringLiteral("DropDownList"));
}

int DropDownList::itemCount() const {
    return combo_ != nullptr ? static_cast<int>(combo_->items().size()) : 0;
}

int DropDownList::visibleCount() const {
    return combo_ != nullptr ? std::clamp(itemCount(), 1, std::max(1, combo_->dropDownCount())) : 1;
}

int DropDownList::listWidth() const {
    // As wide as the box, or as its longest item where that is wider, so that
    // every item is read whole (table names end in the number that tells
    // them apart).
    if (combo_ == nullptr) {
        return 1;
    }
    const QFontMetrics metrics(toQFont(combo_->font()));
    int widest = 0;
    for (const Text& item : combo_->items()) {
        widest = std::max(widest, metrics.horizontalAdvance(toQString(item)));
    }
    return std::max(combo_->width(), widest + 2 * kItemPadding + 2);
}

int DropDownList::itemHeight() const {
    const QFontMetrics metrics(combo_ != nullptr ? toQFont(combo_->font()) : uiFont(12));
    return metrics.height() + 2;
}

void DropDownList::keepChoiceVisible() {
    const int index = combo_->itemIndex();
    if (index != shownIndex_) {
        shownIndex_ = index;
        if (index >= 0 && index < top_) {
            top_ = index;
        } else if (index >= top_ + visibleCount()) {
            top_ = index - visibleCount() + 1;
        }
        hovered_ = -1;
    }
    top_ = std::clamp(top_, 0, std::max(0, itemCount() - visibleCount()));
}

void DropDownList::showFor(ui::ComboBox& combo, QPoint globalTopLeft) {
    if (combo_ != &combo) {
        combo_ = &combo;
        top_ = 0;
        shownIndex_ = -2;
        hovered_ = -1;
    }
    keepChoiceVisible();
    setFont(toQFont(combo.font()));
    QRect geometry(globalTopLeft, QSize(listWidth(), visibleCount() * itemHeight() + 2));
    // A list wider than its box may not run off the screen's right edge.
    if (const QScreen* screen = QGuiApplication::screenAt(globalTopLeft)) {
        const QRect available = screen->availableGeometry();
        if (geometry.right() > available.right()) {
            geometry.moveRight(std::max(available.right(), globalTopLeft.x() + combo.width() - 1));
        }
    }
    if (this->geometry() != geometry) {
        setGeometry(geometry);
    }
    if (!isVisible()) {
        show();
    }
    update();
}

void DropDownList::close() {
    combo_ = nullptr;
    hovered_ = -1;
    hide();
}

int DropDownList::itemAt(QPoint position) const {
    if (combo_ == nullptr || !rect().adjusted(1, 1, -1, -1).contains(position)) {
        return -1;
    }
    const int index = top_ + (position.y() - 1) / itemHeight();
    return index < itemCount() ? index : -1;
}

void DropDownList::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (combo_ == nullptr || !frontEnd_.isOpenDropDown(*combo_)) {
        return;
    }
    painter.setFont(toQFont(combo_->font()));
    const int height = itemHeight();
    // The item under the pointer is highlighted, else the chosen one.
    const int highlighted = hovered_ >= 0 ? hovered_ : combo_->itemIndex();
    for (int i = 0; i < visibleCount() && top_ + i < itemCount(); ++i) {
        const int index = top_ + i;
        const QRect row(1, 1 + i * height, width() - 2, height);
        const bool lit = index == highlighted;
        if (lit) {
            painter.fillRect(row, toQColor(ui::colors::Highlight));
        }
        painter.setPen(lit ? toQColor(ui::colors::HighlightText) : toQColor(combo_->font().color));
        painter.drawText(row.adjusted(kItemPadding, 0, -kItemPadding, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         toQString(combo_->items()[static_cast<std::size_t>(index)]));
    }
}

void DropDownList::mousePressEvent(QMouseEvent* event) {
    if (combo_ == nullptr || event->button() != Qt::LeftButton || !frontEnd_.isOpenDropDown(*combo_)) {
        return;
    }
    const int index = itemAt(event->position().toPoint());
    if (index >= 0) {
        ui::ComboBox& combo = *combo_;
        close();
        combo.choose(index);
        frontEnd_.afterInput();
    }
}

void DropDownList::mouseMoveEvent(QMouseEvent* event) {
    const int index = itemAt(event->position().toPoint());
    if (index != hovered_) {
        hovered_ = index;
        update();
    }
}

void DropDownList::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0 && combo_ != nullptr) {
        top_ = std::clamp(top_ - steps * 3, 0, std::max(0, itemCount() - visibleCount()));
        update();
    }
    event->accept();
}

} // namespace lumitag::qtfront
