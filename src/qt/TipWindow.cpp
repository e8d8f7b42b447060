#include "qt/TipWindow.h"

#include "qt/UiFont.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <algorithm>

namespace lumitag::qtfront {

namespace {

// Space between the tip and the control, and below the pointer's hot spot
// (the arrow itself is about this tall).
constexpr int kGap = 2;
constexpr int kPointerHeight = 20;

int clampInto(int start, int length, int low, int high) {
    // Prefers the low edge when the length does not fit at all.
    return std::max(low, std::min(start, high - length));
}

} // namespace

QRect placeTip(QSize tipSize, QRect control, QPoint pointer, QRect screen) {
    const int left = clampInto(pointer.x(), tipSize.width(), screen.left(), screen.right() + 1);
    const int below = std::max(control.bottom() + 1 + kGap, pointer.y() + kPointerHeight);
    const int above = control.top() - kGap - tipSize.height();
    const int roomBelow = screen.bottom() + 1 - below;
    const int roomAbove = above + tipSize.height() - screen.top();
    int top = below;
    if (roomBelow < tipSize.height()) {
        if (roomAbove >= tipSize.height()) {
            top = above;
        } else if (roomAbove > roomBelow) {
            top = screen.top();
        } else {
            top = clampInto(below, tipSize.height(), screen.top(), screen.bottom() + 1);
        }
    }
    return QRect(QPoint(left, top), tipSize);
}

TipWindow::TipWindow()
    : QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                          Qt::WindowTransparentForInput) {
    setObjectName(QStringLiteral("TipWindow"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setTextFormat(Qt::PlainText);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setMargin(2);
    setAutoFillBackground(true);
    setFont(uiFont(12));
    stay_.setSingleShot(true);
    connect(&stay_, &QTimer::timeout, this, &TipWindow::hideTip);
}

void TipWindow::showTip(const QString& text, QColor color, QRect control, QPoint pointer, int stayMs) {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, color);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    setText(text);
    adjustSize();
    const QScreen* screen = QGuiApplication::screenAt(pointer);
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    const QRect area = screen != nullptr ? screen->availableGeometry() : QRect();
    setGeometry(area.isValid() ? placeTip(size(), control, pointer, area)
                               : QRect(pointer + QPoint(0, kPointerHeight), size()));
    show();
    if (stayMs > 0) {
        stay_.start(stayMs);
    } else {
        stay_.stop();
    }
}

void TipWindow::hideTip() {
    stay_.stop();
    hide();
}

void TipWindow::mousePressEvent(QMouseEvent* event) {
    hideTip();
    const QPoint global = event->globalPosition().toPoint();
    QWidget* target = QApplication::widgetAt(global);
    target_ = target != this ? target : nullptr;
    forward(event);
}

void TipWindow::mouseMoveEvent(QMouseEvent* event) {
    forward(event);
}

void TipWindow::mouseReleaseEvent(QMouseEvent* event) {
    forward(event);
    target_ = nullptr;
}

void TipWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    forward(event);
}

void TipWindow::forward(QMouseEvent* event) {
    if (target_ == nullptr) {
        event->ignore();
        return;
    }
    const QPointF global = event->globalPosition();
    QMouseEvent passed(event->type(), target_->mapFromGlobal(global), global, event->button(),
                       event->buttons(), event->modifiers(), event->pointingDevice());
    QCoreApplication::sendEvent(target_, &passed);
}

} // namespace lumitag::qtfront
