#pragma once

#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "platform/Text.h"
#include "ui/Events.h"
#include "ui/Geometry.h"
#include "ui/TextMetrics.h"
#include "ui/Timer.h"

#include <cstdint>
#include <optional>
#include <set>
#include <vector>

namespace lumitag::ui {

class Control;
class Form;
class MenuItem;
class PopupMenu;

enum class Cursor { Default, Wait };

// A popup menu the user has opened and not yet closed.
struct OpenMenu {
    PopupMenu* menu = nullptr;
    Form* form = nullptr;
    Point position; // in the form's client coordinates
};

// The hint the front end should show now, or nothing.
struct HintState {
    Control* control = nullptr;
    Text text;
    Color color;
    Milliseconds pause{0};
    Milliseconds hidePause{0};
};

// The application: its windows, the input entry points the front end (or the
// test driver) calls, the clock that drives timers, the idle step that
// paints, and the route to modal dialogs.
class Application {
public:
    explicit Application(platform::Dialogs& dialogs);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // --- Outside services -------------------------------------------------
    platform::Clipboard* clipboard() const { return clipboard_; }
    void setClipboard(platform::Clipboard* clipboard) { clipboard_ = clipboard; }
    const TextMetrics& textMetrics() const;
    // nullptr returns to SimpleTextMetrics. The metrics must outlive their use.
    void setTextMetrics(const TextMetrics* metrics) { metrics_ = metrics; }

    // --- Windows -----------------------------------------------------------
    const Text& title() const { return title_; }
    void setTitle(const Text& title);
    // Every form in creation order; the first one is the main form.
    const std::vector<Form*>& forms() const { return forms_; }
    Form* mainForm() const { return forms_.empty() ? nullptr : forms_.front(); }
    Form* activeForm() const { return activeForm_; }
    // The active control of the active form.
    Control* focusedControl() const;
    // Set when the main form has closed; the front end then quits.
    bool terminated() const { return terminated_; }
    void terminate();

    // --- Application events ------------------------------------------------
    bool active() const { return active_; }
    bool minimized() const { return minimized_; }
    // The program gained or lost the desktop's focus.
    void activate();
    void deactivate();
    void minimize();
    void restore();
    Handler<void()> onActivate;
    Handler<void()> onDeactivate;
    Handler<void()> onMinimize;
    Handler<void()> onRestore;

    // --- Keyboard input ----------------------------------------------------
    // A key went down. `typed` is the printable character the key types in
    // the current keyboard layout (0 for none); control characters (Enter,
    // Esc, Backspace, Tab, Ctrl+letter) are derived here.
    void keyDown(Key key, Modifiers modifiers, char32_t typed = 0);
    void keyUp(Key key, Modifiers modifiers);
    // Text committed by the input method: each character takes the key-press
    // path (window, then control, then the default action).
    void typeText(TextView text);
    // Whether the key is held down now, as the last key events tell.
    bool isKeyDown(Key key) const { return keysDown_.contains(key); }

    // --- Mouse input (positions in the form's client coordinates) -------------
    void mouseDown(Form& form, Point position, MouseButton button, Modifiers modifiers = Modifiers::None);
    void mouseUp(Form& form, Point position, MouseButton button, Modifiers modifiers = Modifiers::None);
    // The second press of a double click (the front end reports it instead of a press).
    void mouseDoubleClick(Form& form, Point position, MouseButton button,
                          Modifiers modifiers = Modifiers::None);
    void mouseMove(Form& form, Point position, Modifiers modifiers = Modifiers::None);
    void mouseWheel(Form& form, Point position, int delta, Modifiers modifiers = Modifiers::None);
    // The pointer left the form.
    void mouseLeave(Form& form);
    // The control under the pointer.
    Control* hoveredControl() const { return hovered_; }
    // The control that took the last press and gets moves until the release.
    Control* mouseCapture() const { return capture_; }

    // --- Popup menus -------------------------------------------------------
    const std::optional<OpenMenu>& openMenu() const { return openMenu_; }
    // Runs the menu's popup handler and opens it.
    void popup(PopupMenu& menu, Form& form, Point position);
    // The user chose an item of the open menu: it closes, then the item's click
    // runs; an item with a sub-menu opens the sub-menu instead.
    void chooseMenuItem(MenuItem& item);
    void closeMenu();

    // --- Time ----------------------------------------------------------------
    Milliseconds now() const { return now_; }
    // One wake of the event loop after `elapsed`: the clock moves on, and each
    // enabled timer whose due time has come fires once, earliest first, with
    // the idle step after each; its next due time counts from the new now. A
    // long stall therefore never replays missed ticks. Does nothing while a
    // modal dialog is open.
    void advance(Milliseconds elapsed);
    // The earliest due time of an enabled timer; nothing when none runs.
    std::optional<Milliseconds> nextTimerDue() const;
    // When the loop next has work: the earliest of the running timers, the
    // hint pause of the control under the pointer and the caret's next blink.
    // Nothing when nothing is due; an idle program then sleeps until input.
    std::optional<Milliseconds> nextWake() const;
    // When a front end that wakes in real time wakes next: nextWake(), or a
    // little later so that timers tick together instead of one wake each. A
    // timer or the caret blink comes at most a twentieth of its period late
    // (as coarse system timers do): a wake due that little before another one
    // waits for it, and a timer that runs out of step with one of the same
    // interval made before it, or with one whose interval divides its own,
    // waits that twentieth at each tick until the two share their wakes, on
    // time from then on. The hint pause is never delayed.
    std::optional<Milliseconds> coalescedWake() const;
    // The clock moves on and nothing fires: what has come due fires at the
    // next advance. Does nothing while a modal dialog is open.
    void moveClock(Milliseconds elapsed);
    // For a front end that sleeps between wakes, so that its clock moves only
    // when it wakes. Runs before the model counts a period from now (a timer
    // starts, the pointer reaches another control, the caret blink restarts)
    // and as a modal dialog opens and closes, so that the front end can bring
    // the clock to the present first (moveClock); time that passes while a
    // dialog is open is not counted.
    Handler<void()> onClockNeeded;
    // Runs after the next wake may have moved: a timer was made, destroyed,
    // started, stopped or given another interval, the hint pause began, the
    // caret blink restarted, or a modal dialog opened or closed.
    Handler<void()> onWakeChange;

    // --- Caret ---------------------------------------------------------------
    static constexpr Milliseconds CaretBlink{530};
    // The focused control when it shows a caret now: an edit box, the text of
    // an editable combo box or a grid's open cell editor.
    const Control* caretOwner() const;
    // The caret's blink phase: shown, or hidden for half a blink. Key and
    // mouse input show it and start the blink afresh.
    bool caretVisible() const { return caretVisible_; }

    // --- Painting ------------------------------------------------------------
    // Paints every invalid control that is showing (paint handlers run here
    // and only here). Does nothing while a modal dialog is open.
    void idle();
    bool needsPaint() const;

    // --- Modal dialogs -------------------------------------------------------
    platform::Answer showMessage(const platform::MessageRequest& request);
    platform::Answer showMessage(platform::MessageKind kind, const Text& caption, const Text& text,
                                 platform::Buttons buttons);
    std::optional<Text> openFile(const platform::FileDialogRequest& request);
    std::optional<Text> saveFile(const platform::FileDialogRequest& request);
    // Runs with true as a file dialog opens and with false as it closes.
    Handler<void(bool shown)> onFileDialog;
    // A modal dialog is open.
    bool modal() const { return modalDepth_ > 0; }

    // --- Hints ---------------------------------------------------------------
    bool showHint() const { return showHint_; }
    void setShowHint(bool show);
    Milliseconds hintPause() const { return hintPause_; }
    void setHintPause(Milliseconds pause);
    Milliseconds hintHidePause() const { return hintHidePause_; }
    void setHintHidePause(Milliseconds pause);
    Color hintColor() const { return hintColor_; }
    void setHintColor(Color color);
    // The hint of the control under the pointer, when it has one to show.
    std::optional<HintState> currentHint() const;
    // When the current hint's pause ends: the hint pause after the pointer
    // reached the control. Nothing when there is no hint to show.
    std::optional<Milliseconds> hintDue() const;

    // --- Cursor --------------------------------------------------------------
    Cursor cursor() const { return cursor_; }
    void setCursor(Cursor cursor);
    // Runs when the cursor changes, so that a front end can show it at once:
    // a long operation holds the wait cursor inside a single handler.
    Handler<void(Cursor)> onCursorChange;

    // --- Redraw --------------------------------------------------------------
    // Grows with every change of state a renderer can see.
    std::uint64_t revision() const { return revision_; }
    void bumpRevision() { ++revision_; }

private:
    friend class Control;
    friend class Form;
    friend class Timer;

    void addForm(Form& form);
    void removeForm(Form& form);
    void setActiveForm(Form* form);
    void forgetControl(Control* control);
    void collectTimers(std::vector<Timer*>& out) const;
    // What wakes the loop: every running timer, the hint pause and the caret
    // blink, with the period that bounds how late each may come.
    struct WakeSource {
        Milliseconds due;
        Milliseconds period; // zero: never late (the hint pause)
        bool timer;
    };
    std::vector<WakeSource> wakeSources() const;
    // For Timer: before a new period is counted, and after any change.
    void clockNeeded();
    void wakeChanged();
    void restartCaretBlink();
    void blinkCaret();

    void dispatchKeyDown(Form& form, KeyEvent event, char32_t character);
    void dispatchCharacter(Form& form, char32_t character);
    bool runShortcut(Form& form, const KeyEvent& event);
    bool runAccelerator(Form& form, char32_t character);
    void pressMouse(Form& form, Point position, MouseButton button, Modifiers modifiers);
    void setHovered(Control* control);
    Control* mouseTarget(Form& form, Point position);

    class ModalScope;
    class FileDialogScope;

    platform::Dialogs& dialogs_;
    platform::Clipboard* clipboard_ = nullptr;
    const TextMetrics* metrics_ = nullptr;
    SimpleTextMetrics simpleMetrics_;
    Text title_;
    std::vector<Form*> forms_;
    Form* activeForm_ = nullptr;
    bool terminated_ = false;
    bool active_ = true;
    bool minimized_ = false;
    std::set<Key> keysDown_;
    Control* hovered_ = nullptr;
    Control* capture_ = nullptr;
    MouseButton captureButton_ = MouseButton::Left;
    std::optional<OpenMenu> openMenu_;
    Milliseconds now_{0};
    int modalDepth_ = 0;
    bool showHint_ = true;
    Milliseconds hintPause_{500};
    Milliseconds hintHidePause_{2500};
    Color hintColor_ = colors::InfoBackground;
    Milliseconds hoveredSince_{0};
    bool caretVisible_ = true;
    const Control* caretBlinking_ = nullptr; // the caret owner the blink phase belongs to
    Milliseconds caretBlinkDue_{CaretBlink};
    Cursor cursor_ = Cursor::Default;
    std::uint64_t revision_ = 0;
    // The revision at the last idle step: what was invalid then has been painted.
    std::optional<std::uint64_t> idleRevision_;
};

// Shows the wait cursor for its lifetime and restores the cursor it found.
class WaitCursor {
public:
    explicit WaitCursor(Application& application)
        : application_(application), previous_(application.cursor()) {
        application_.setCursor(Cursor::Wait);
    }
    ~WaitCursor() { application_.setCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    Application& application_;
    Cursor previous_;
};

} // namespace lumitag::ui
