#pragma once

#include "qt/DropDownList.h"
#include "qt/HintPresenter.h"
#include "qt/KeyboardInput.h"
#include "qt/MenuPresenter.h"
#include "qt/QtTextMetrics.h"
#include "qt/TextFitter.h"
#include "ui/Geometry.h"
#include "ui/Timer.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>

class QKeyEvent;

namespace lumitag::ui {
class Application;
class ComboBox;
class Control;
class Form;
} // namespace lumitag::ui

namespace lumitag::qtfront {

class FormWindow;

// The real front end of a control model: a top-level window for every form
// the model shows, real input handed to the model, the model's clock driven
// by a real timer, and the screen redrawn from the model after every event.
// The timer wakes only when the model next has work (Application::
// coalescedWake), so an idle program sleeps until a timer is due or input
// arrives, and timers that run side by side share one wake.
//
//     QApplication qt(argc, argv);
//     ... create the platform adapters, the ui::Application and its windows ...
//     qtfront::FrontEnd frontEnd(application);
//     return frontEnd.run();
//
// Requires a QApplication. Installs an application-wide key filter and the
// model's text metrics for its lifetime.
class FrontEnd final : public QObject {
    Q_OBJECT

public:
    explicit FrontEnd(ui::Application& application);
    ~FrontEnd() override;

    ui::Application& application() const { return application_; }

    // Runs the event loop until the model terminates; returns its exit code.
    int run();

    // After every input: the model's idle step, then windows, menus, hints and
    // cursor brought in line with the model, and a repaint when anything a
    // window shows has changed.
    void afterInput();
    // Brings the windows in line with the model without an idle step.
    void synchronize();

    // The window of a form, once the form has been shown; nullptr before.
    FormWindow* windowOf(const ui::Form& form) const;
    bool hasForm(const ui::Form& form) const;
    bool caretVisible() const;
    // The model time the front end wakes at next; nothing when it sleeps
    // until input.
    std::optional<ui::Milliseconds> nextWake() const { return armedWake_; }
    HintPresenter& hints() { return hints_; }
    MenuPresenter& menus() { return menus_; }
    DropDownList& dropDown() { return dropDown_; }
    // Kept across paints: the sizes found for texts that overflow their cells.
    TextFitter& textFitter() { return textFitter_; }

    // For FormWindow: a press outside an open combo list closes it and goes
    // no further, as on the classic desktop. True when the press was used so.
    bool dismissDropDown(const ui::Form& form, ui::Point position);
    bool isOpenDropDown(const ui::ComboBox& combo) const;
    void windowActivationChanged(FormWindow& window);
    void windowStateChanged(FormWindow& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void tick();
    // Real milliseconds since the clock was last read, none while a modal
    // dialog is open (the model's clock stands still then).
    qint64 takeElapsed();
    void armWake();
    void updateCaret();
    void deliverKey(const QKeyEvent& key);
    void deliverHeldKeys();
    void modalWindowHidden(QObject* watched);
    void syncWindows();
    void syncWindow(ui::Form& form);
    void syncActivation();
    void syncMinimized();
    void syncInputMethod();
    void syncDropDown();
    void syncCursor();
    void repaintIfChanged();
    void quitWhenTerminated();
    FormWindow* ownWindowOf(QObject* object) const;

    ui::Application& application_;
    QtTextMetrics metrics_;
    TextFitter textFitter_;
    KeyboardInput keyboard_;
    std::map<const ui::Form*, std::unique_ptr<FormWindow>> windows_;
    // Keys typed while a modal box was closing, for the window that has the
    // focus once the box's call has returned; in the order they were typed.
    std::deque<std::unique_ptr<QKeyEvent>> heldKeys_;
    bool deliveringHeldKey_ = false;
    // The last modal box has closed: modifier releases it took are made up.
    bool modalBoxClosed_ = false;
    DropDownList dropDown_;
    MenuPresenter menus_;
    HintPresenter hints_;

    QTimer clock_;
    QElapsedTimer elapsed_;
    qint64 lastTick_ = 0;
    std::optional<ui::Milliseconds> armedWake_;
    bool ticking_ = false;

    std::uint64_t paintedRevision_ = 0;
    bool paintedAlt_ = false;
    bool paintedCaret_ = true;
    const ui::Form* syncedActive_ = nullptr;
    bool syncedMinimized_ = false;
    bool waitCursorShown_ = false;
    bool synchronizing_ = false;
    bool running_ = false;
};

} // namespace lumitag::qtfront
