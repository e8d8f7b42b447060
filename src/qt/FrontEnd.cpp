#include "qt/FrontEnd.h"

#include "qt/ControlPainter.h"
#include "qt/FormWindow.h"
#include "qt/QtText.h"
#include "ui/Application.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/StringGrid.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <algorithm>
#include <limits>
#include <vector>

namespace lumitag::qtfront {

namespace {

// How often a key typed while a modal box was coming up tries again to reach it.
constexpr qint64 kHeldKeyRetry = 10;

// Whether the focused control takes text from the input method.
bool acceptsInputMethod(const ui::Control* control) {
    if (control == nullptr || !control->effectivelyEnabled()) {
        return false;
    }
    switch (control->kind()) {
    case ui::ControlKind::Edit: {
        const auto& edit = static_cast<const ui::Edit&>(*control);
        return edit.imeMode() != ui::ImeMode::Disabled && !edit.readOnly();
    }
    case ui::ControlKind::ComboBox:
        return static_cast<const ui::ComboBox&>(*control).style() == ui::ComboStyle::DropDown;
    case ui::ControlKind::StringGrid:
        return static_cast<const ui::StringGrid&>(*control).option(ui::GridOption::Editing);
    default:
        return false;
    }
}

// A key Qt still delivers to a box that has just closed, because the
// platform's focus has not moved on yet; it belongs to the window that has
// the focus next.
bool addressedToClosedWindow(QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    return widget != nullptr && !widget->window()->isVisible();
}

} // namespace

FrontEnd::FrontEnd(ui::Application& application)
    : application_(application), keyboard_(application), dropDown_(*this),
      menus_(
          application, [this](const ui::Form& form) -> QWidget* { return windowOf(form); },
          [this] { afterInput(); }),
      hints_(application,
             [this](const ui::Control& control) -> QWidget* { return windowOf(control.form()); }) {
    application_.setTextMetrics(&metrics_);
    // The wait cursor must show while a long handler runs, not after it.
    application_.onCursorChange = [this](ui::Cursor) { syncCursor(); };
    // Windows come and go with the model's forms (both main windows are
    // hidden for a moment while the mode switches); the model says when to quit.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    qApp->installEventFilter(this);

    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive) {
            application_.activate();
        } else if (state == Qt::ApplicationInactive) {
            keyboard_.forgetHeldModifiers();
            application_.deactivate();
        }
        afterInput();
    });

    // One single-shot wake, armed for the model's next due time. Precise, so
    // that it never comes early and finds nothing due.
    clock_.setSingleShot(true);
    clock_.setTimerType(Qt::PreciseTimer);
    connect(&clock_, &QTimer::timeout, this, &FrontEnd::tick);
    elapsed_.start();
    application_.onClockNeeded = [this] { application_.moveClock(ui::Milliseconds{takeElapsed()}); };
    application_.onWakeChange = [this] {
        if (!ticking_) {
            armWake(); // a timer started or stopped outside a wake, e.g. by a queued event
        }
    };

    synchronize();
    armWake();
}

FrontEnd::~FrontEnd() {
    qApp->removeEventFilter(this);
    application_.setTextMetrics(nullptr);
    application_.onCursorChange = nullptr;
    application_.onClockNeeded.clear();
    application_.onWakeChange.clear();
    if (waitCursorShown_) {
        QApplication::restoreOverrideCursor();
    }
    hints_.hide();
}

int FrontEnd::run() {
    synchronize();
    if (application_.terminated()) {
        return 0;
    }
    running_ = true;
    const int code = QApplication::exec();
    running_ = false;
    return code;
}

FormWindow* FrontEnd::windowOf(const ui::Form& form) const {
    const auto found = windows_.find(&form);
    return found != windows_.end() ? found->second.get() : nullptr;
}

bool FrontEnd::hasForm(const ui::Form& form) const {
    const auto& forms = application_.forms();
    return std::find(forms.begin(), forms.end(), &form) != forms.end();
}

FormWindow* FrontEnd::ownWindowOf(QObject* object) const {
    // Key events reach a window's QWindow first and then its widget; only the
    // widget's copy is taken, so that each key reaches the model once.
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) {
        return nullptr;
    }
    QWidget* top = widget->window();
    for (const auto& [form, window] : windows_) {
        if (window.get() == top) {
            return window.get();
        }
    }
    return nullptr;
}

bool FrontEnd::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::Hide) {
        modalWindowHidden(watched);
        return false;
    }
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride) {
        return false;
    }
    if (ownWindowOf(watched) == nullptr && !addressedToClosedWindow(watched)) {
        return false; // open message boxes, file dialogs and menus handle their own keys
    }
    if (type == QEvent::ShortcutOverride) {
        // Every key is the model's: nothing in Qt may treat it as a shortcut.
        event->accept();
        return true;
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (application_.modal() || !heldKeys_.empty()) {
        // Qt blocks input to our windows while a box is open, so a key gets
        // here during a modal call only once the box has closed and before the
        // call has returned to its handler. It waits for the call to return
        // (and behind any key that is waiting already).
        heldKeys_.emplace_back(key.clone());
        deliverHeldKeys();
        armWake(); // a key still held tries again shortly
        return true;
    }
    deliverKey(key);
    return true;
}

void FrontEnd::deliverKey(const QKeyEvent& key) {
    if (key.type() == QEvent::KeyPress) {
        keyboard_.keyPress(key);
    } else {
        keyboard_.keyRelease(key);
    }
    afterInput();
}

void FrontEnd::deliverHeldKeys() {
    while (!heldKeys_.empty()) {
        if (application_.modal()) {
            // A key that was waiting ran a command that opened another box:
            // what was typed ahead goes to that box, as to any window that
            // has the focus when the key is read.
            QWidget* box = QApplication::activeModalWidget();
            if (box == nullptr || !box->isVisible()) {
                return; // not up yet; the next tick tries again
            }
            const std::unique_ptr<QKeyEvent> key = std::move(heldKeys_.front());
            heldKeys_.pop_front();
            QWidget* target = box->focusWidget() != nullptr ? box->focusWidget() : box;
            QCoreApplication::sendEvent(target, key.get());
            continue;
        }
        if (deliveringHeldKey_) {
            return; // the loop further up goes on with the next key
        }
        const std::unique_ptr<QKeyEvent> key = std::move(heldKeys_.front());
        heldKeys_.pop_front();
        deliveringHeldKey_ = true;
        deliverKey(*key);
        deliveringHeldKey_ = false;
    }
}

void FrontEnd::modalWindowHidden(QObject* watched) {
    // When a modal box closes, the platform gives the focus back on its own
    // time (a window manager picks a window; without one nothing gets it), and
    // a key typed meanwhile goes nowhere. The window the model has active
    // takes the focus back at once.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || !widget->isWindow() || !widget->isModal() || ownWindowOf(widget) != nullptr ||
        QGuiApplication::modalWindow() != nullptr) {
        return;
    }
    modalBoxClosed_ = true;
    if (application_.minimized()) {
        return;
    }
    const ui::Form* active = application_.activeForm();
    FormWindow* window = active != nullptr ? windowOf(*active) : nullptr;
    if (window != nullptr && window->isVisible()) {
        window->raise();
        window->activateWindow();
    }
}

qint64 FrontEnd::takeElapsed() {
    const qint64 now = elapsed_.elapsed();
    const qint64 delta = now - lastTick_;
    lastTick_ = now;
    // While a dialog is open the model's clock stands still; that time is not
    // made up afterwards.
    return application_.modal() ? 0 : std::max<qint64>(delta, 0);
}

void FrontEnd::tick() {
    deliverHeldKeys();
    if (application_.modal()) {
        takeElapsed();
        armWake();
        return;
    }
    const std::uint64_t revision = application_.revision();
    ticking_ = true;
    application_.advance(ui::Milliseconds{takeElapsed()});
    ticking_ = false;
    if (application_.revision() != revision || !heldKeys_.empty()) {
        afterInput();
        return;
    }
    // Nothing a window shows has changed (every such change moves the
    // revision): the windows are in line already and nothing is repainted but
    // a blinking caret or a hint whose pause has ended.
    hints_.update();
    repaintIfChanged();
    armWake();
}

void FrontEnd::armWake() {
    if (application_.terminated()) {
        armedWake_.reset();
        clock_.stop();
        return;
    }
    // Timers that run side by side share their wakes: each is at most a
    // twentieth of its interval late for it.
    armedWake_ = application_.modal() ? std::nullopt : application_.coalescedWake();
    qint64 wait = -1;
    if (armedWake_) {
        // The model's clock stands where it was last read; real time has moved on since.
        const qint64 sinceRead = elapsed_.elapsed() - lastTick_;
        wait = std::max<qint64>((*armedWake_ - application_.now()).count() - sinceRead, 0);
    }
    if (!heldKeys_.empty()) {
        wait = wait < 0 ? kHeldKeyRetry : std::min(wait, kHeldKeyRetry);
    }
    if (wait < 0) {
        clock_.stop();
        return;
    }
    clock_.start(static_cast<int>(std::min<qint64>(wait, std::numeric_limits<int>::max())));
}

bool FrontEnd::caretVisible() const {
    return application_.caretVisible();
}

void FrontEnd::updateCaret() {
    // Only the caret's own strip changes between two phases of its blink.
    const ui::Form* active = application_.activeForm();
    FormWindow* window = active != nullptr ? windowOf(*active) : nullptr;
    if (window == nullptr || !window->isVisible()) {
        return;
    }
    if (const std::optional<QRect> caret = ControlPainter::caretRectangle(*active)) {
        window->update(caret->adjusted(-1, -1, 1, 1));
    }
}

void FrontEnd::afterInput() {
    if (!application_.modal()) {
        if (modalBoxClosed_) {
            modalBoxClosed_ = false;
            keyboard_.releaseModifiersNotHeld(QGuiApplication::queryKeyboardModifiers());
        }
        application_.idle();
    }
    synchronize();
    if (!application_.modal()) {
        deliverHeldKeys();
    }
    armWake();
}

void FrontEnd::synchronize() {
    if (synchronizing_) {
        return; // showing or activating a window reports back while we sync
    }
    synchronizing_ = true;
    syncWindows();
    syncMinimized();
    syncActivation();
    syncInputMethod();
    syncDropDown();
    menus_.update();
    hints_.update();
    syncCursor();
    repaintIfChanged();
    synchronizing_ = false;
    quitWhenTerminated();
}

void FrontEnd::syncWindows() {
    const QString title = toQString(application_.title());
    if (QCoreApplication::applicationName() != title && !title.isEmpty()) {
        QCoreApplication::setApplicationName(title);
    }
    // A copy: showing a window reports its activation to the model, whose
    // handlers may create or destroy forms.
    const std::vector<ui::Form*> forms = application_.forms();
    for (ui::Form* form : forms) {
        if (hasForm(*form)) {
            syncWindow(*form);
        }
    }
    // Windows of forms that no longer exist go, but not from inside their own events.
    for (auto it = windows_.begin(); it != windows_.end();) {
        if (hasForm(*it->first)) {
            ++it;
            continue;
        }
        FormWindow* window = it->second.release();
        window->hide();
        window->deleteLater();
        if (syncedActive_ == it->first) {
            syncedActive_ = nullptr;
        }
        it = windows_.erase(it);
    }
}

void FrontEnd::syncWindow(ui::Form& form) {
    FormWindow* window = windowOf(form);
    if (window == nullptr) {
        if (!form.visible() || application_.terminated()) {
            return; // a window is made when its form first shows
        }
        window = windows_.emplace(&form, std::make_unique<FormWindow>(*this, form)).first->second.get();
    }
    if (!form.visible() || application_.terminated()) {
        if (window->isVisible()) {
            window->hide();
        }
        return;
    }
    const QString caption = toQString(form.caption());
    if (window->windowTitle() != caption) {
        window->setWindowTitle(caption);
    }
    window->applyBounds(form.bounds());
    if (!window->isVisible()) {
        if (application_.minimized()) {
            window->showMinimized();
        } else {
            window->show();
        }
    }
}

void FrontEnd::syncMinimized() {
    if (application_.minimized() == syncedMinimized_) {
        return;
    }
    syncedMinimized_ = application_.minimized();
    for (const auto& [form, window] : windows_) {
        if (!form->visible()) {
            continue;
        }
        if (syncedMinimized_) {
            window->showMinimized();
        } else {
            window->showNormal();
        }
    }
}

void FrontEnd::syncActivation() {
    const ui::Form* active = application_.activeForm();
    if (active == syncedActive_) {
        return;
    }
    syncedActive_ = active;
    FormWindow* window = active != nullptr ? windowOf(*active) : nullptr;
    if (window != nullptr && window->isVisible() && !window->isActiveWindow() && !application_.minimized()) {
        window->raise();
        window->activateWindow();
    }
}

void FrontEnd::windowActivationChanged(FormWindow& window) {
    if (window.isActiveWindow()) {
        ui::Form& form = window.form();
        if (form.visible() && application_.activeForm() != &form && !application_.modal()) {
            form.activate();
        }
        syncedActive_ = application_.activeForm();
    } else if (ownWindowOf(QApplication::activeWindow()) == nullptr) {
        keyboard_.forgetHeldModifiers();
    }
    afterInput();
}

void FrontEnd::windowStateChanged(FormWindow& window) {
    const bool minimized = window.windowState().testFlag(Qt::WindowMinimized);
    if (minimized && !application_.minimized()) {
        syncedMinimized_ = true;
        application_.minimize();
    } else if (!minimized && application_.minimized()) {
        syncedMinimized_ = false;
        application_.restore();
    }
    afterInput();
}

void FrontEnd::syncInputMethod() {
    for (const auto& [form, window] : windows_) {
        const bool allowed = form->active() && acceptsInputMethod(form->activeControl());
        window->setInputMethodAllowed(allowed);
    }
}

bool FrontEnd::isOpenDropDown(const ui::ComboBox& combo) const {
    return application_.focusedControl() == &combo && combo.droppedDown() && combo.showing();
}

void FrontEnd::syncDropDown() {
    ui::Control* focused = application_.focusedControl();
    auto* combo = focused != nullptr && focused->kind() == ui::ControlKind::ComboBox
                      ? static_cast<ui::ComboBox*>(focused)
                      : nullptr;
    FormWindow* window = combo != nullptr ? windowOf(combo->form()) : nullptr;
    if (combo == nullptr || window == nullptr || !isOpenDropDown(*combo) || !window->isVisible()) {
        if (dropDown_.isVisible() || dropDown_.combo() != nullptr) {
            dropDown_.close();
        }
        return;
    }
    const ui::Point position = combo->formPosition();
    dropDown_.showFor(*combo, window->mapToGlobal(QPoint(position.x, position.y + combo->height())));
}

bool FrontEnd::dismissDropDown(const ui::Form& form, ui::Point position) {
    ui::ComboBox* combo = dropDown_.combo();
    if (combo == nullptr || !isOpenDropDown(*combo)) {
        return false;
    }
    const ui::Point origin = combo->formPosition();
    const ui::Rect bounds{origin.x, origin.y, combo->width(), combo->height()};
    if (&combo->form() == &form && bounds.contains(position)) {
        return false; // the box itself toggles its list
    }
    combo->closeList();
    afterInput();
    return true;
}

void FrontEnd::syncCursor() {
    const bool wait = application_.cursor() == ui::Cursor::Wait;
    if (wait == waitCursorShown_) {
        return;
    }
    waitCursorShown_ = wait;
    if (wait) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void FrontEnd::repaintIfChanged() {
    const bool alt = application_.isKeyDown(ui::Key::Alt);
    const bool caret = application_.caretVisible();
    if (application_.revision() == paintedRevision_ && alt == paintedAlt_) {
        // Nothing a window shows has changed: a tick that changed nothing paints nothing.
        if (caret != paintedCaret_) {
            paintedCaret_ = caret;
            updateCaret();
        }
        return;
    }
    paintedRevision_ = application_.revision();
    paintedAlt_ = alt;
    paintedCaret_ = caret;
    for (const auto& [form, window] : windows_) {
        if (window->isVisible()) {
            window->update();
        }
    }
    if (dropDown_.isVisible()) {
        dropDown_.update();
    }
}

void FrontEnd::quitWhenTerminated() {
    if (!application_.terminated()) {
        return;
    }
    armedWake_.reset();
    clock_.stop();
    hints_.hide();
    dropDown_.close();
    for (const auto& [form, window] : windows_) {
        window->hide();
    }
    if (running_) {
        QCoreApplication::exit(0);
    }
}

} // namespace lumitag::qtfront
