#include "qt/FormWindow.h"

#include "qt/ControlPainter.h"
#include "qt/FrontEnd.h"
#include "qt/KeyMapping.h"
#include "qt/QtText.h"
#include "ui/Application.h"
#include "ui/Form.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

namespace lumitag::qtfront {

namespace {

std::optional<ui::MouseButton> toModelButton(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return ui::MouseButton::Left;
    case Qt::RightButton:
        return ui::MouseButton::Right;
    case Qt::MiddleButton:
        return ui::MouseButton::Middle;
    default:
        return std::nullopt;
    }
}

// A fixed-size window with a title bar; the form says whether it carries the
// system buttons and whether it stays above the other windows.
Qt::WindowFlags windowFlagsOf(const ui::Form& form) {
    Qt::WindowFlags flags = Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint;
    if (form.systemButtons()) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
    } else {
        flags |= Qt::CustomizeWindowHint;
    }
    if (form.stayOnTop()) {
        flags |= Qt::WindowStaysOnTopHint;
    }
    return flags;
}

ui::Point toModelPoint(QPointF position) {
    const QPoint p = position.toPoint();
    return ui::Point{p.x(), p.y()};
}

} // namespace

FormWindow::FormWindow(FrontEnd& frontEnd, ui::Form& form)
    : QWidget(nullptr, windowFlagsOf(form)), frontEnd_(frontEnd), form_(form) {
    // The window itself is the focus object, so that keys and the input
    // method come here; which control has the focus is the model's business.
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setObjectName(QString::fromStdString(form.name()));
}

void FormWindow::applyBounds(const ui::Rect& bounds) {
    if (appliedBounds_ == bounds) {
        return;
    }
    appliedBounds_ = bounds;
    setFixedSize(std::max(1, bounds.width), std::max(1, bounds.height));
    move(bounds.left, bounds.top);
}

bool FormWindow::usable() const {
    return frontEnd_.hasForm(form_);
}

void FormWindow::setInputMethodAllowed(bool allowed) {
    if (allowed == inputMethodAllowed()) {
        return;
    }
    setAttribute(Qt::WA_InputMethodEnabled, allowed);
    if (!allowed) {
        preedit_.clear();
    }
    if (hasFocus()) {
        QGuiApplication::inputMethod()->update(Qt::ImEnabled);
        if (!allowed) {
            QGuiApplication::inputMethod()->reset();
        }
    }
}

QVariant FormWindow::inputMethodQuery(Qt::InputMethodQuery query) const {
    switch (query) {
    case Qt::ImEnabled:
        return inputMethodAllowed();
    case Qt::ImCursorRectangle:
        if (usable()) {
            if (const auto caret = ControlPainter::caretRectangle(form_)) {
                return *caret;
            }
        }
        return QRect();
    case Qt::ImHints:
        return static_cast<int>(Qt::ImhNone);
    default:
        return QWidget::inputMethodQuery(query);
    }
}

void FormWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (!usable()) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    PaintOptions options;
    options.showAccelerators = frontEnd_.application().isKeyDown(ui::Key::Alt);
    options.caretVisible = frontEnd_.caretVisible();
    options.preedit = preedit_;
    options.fitter = &frontEnd_.textFitter();
    options.area = event->rect();
    ControlPainter(painter, options).paintForm(form_);
}

void FormWindow::mousePressEvent(QMouseEvent* event) {
    const auto button = toModelButton(event->button());
    if (!usable() || !button) {
        return;
    }
    if (frontEnd_.dismissDropDown(form_, toModelPoint(event->position()))) {
        return;
    }
    frontEnd_.application().mouseDown(form_, toModelPoint(event->position()), *button,
                                      toModelModifiers(event->modifiers()));
    frontEnd_.afterInput();
}

void FormWindow::mouseReleaseEvent(QMouseEvent* event) {
    const auto button = toModelButton(event->button());
    if (!usable() || !button) {
        return;
    }
    frontEnd_.application().mouseUp(form_, toModelPoint(event->position()), *button,
                                    toModelModifiers(event->modifiers()));
    frontEnd_.afterInput();
}

void FormWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    const auto button = toModelButton(event->button());
    if (!usable() || !button) {
        return;
    }
    if (frontEnd_.dismissDropDown(form_, toModelPoint(event->position()))) {
        return;
    }
    frontEnd_.application().mouseDoubleClick(form_, toModelPoint(event->position()), *button,
                                             toModelModifiers(event->modifiers()));
    frontEnd_.afterInput();
}

void FormWindow::mouseMoveEvent(QMouseEvent* event) {
    if (!usable()) {
        return;
    }
    frontEnd_.application().mouseMove(form_, toModelPoint(event->position()),
                                      toModelModifiers(event->modifiers()));
    frontEnd_.afterInput();
}

void FormWindow::wheelEvent(QWheelEvent* event) {
    if (!usable()) {
        return;
    }
    const int delta = event->angleDelta().y();
    if (delta != 0) {
        frontEnd_.application().mouseWheel(form_, toModelPoint(event->position()), delta,
                                           toModelModifiers(event->modifiers()));
        frontEnd_.afterInput();
    }
    event->accept();
}

void FormWindow::enterEvent(QEnterEvent* event) {
    if (!usable()) {
        return;
    }
    frontEnd_.application().mouseMove(form_, toModelPoint(event->position()),
                                      toModelModifiers(QGuiApplication::keyboardModifiers()));
    frontEnd_.afterInput();
}

void FormWindow::leaveEvent(QEvent*) {
    if (!usable()) {
        return;
    }
    frontEnd_.application().mouseLeave(form_);
    frontEnd_.afterInput();
}

void FormWindow::inputMethodEvent(QInputMethodEvent* event) {
    if (!usable()) {
        return;
    }
    preedit_ = event->preeditString();
    if (!event->commitString().isEmpty()) {
        // Committed text takes the key-press path of typed characters.
        frontEnd_.application().typeText(toText(event->commitString()));
    }
    event->accept();
    frontEnd_.afterInput();
    update();
}

void FormWindow::closeEvent(QCloseEvent* event) {
    // The model decides: its close query may refuse, and when it agrees the
    // form hides and the front end hides this window with it.
    event->ignore();
    if (!usable() || frontEnd_.application().modal()) {
        return;
    }
    form_.close();
    frontEnd_.afterInput();
}

void FormWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (!usable()) {
        return;
    }
    if (event->type() == QEvent::ActivationChange) {
        frontEnd_.windowActivationChanged(*this);
    } else if (event->type() == QEvent::WindowStateChange) {
        frontEnd_.windowStateChanged(*this);
    }
}

} // namespace lumitag::qtfront
