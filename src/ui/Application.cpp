#include "ui/Application.h"

#include "ui/ComboBox.h"
#include "ui/Control.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/MenuItem.h"
#include "ui/PopupMenu.h"
#include "ui/StringGrid.h"

#include <algorithm>
#include <cassert>

namespace lumitag::ui {
namespace {

// The character a key yields on its own, as the classic message loop turns
// key presses into characters. Alt chords yield none (they arrive as system
// characters, which reach no key-press handler).
char32_t characterFor(Key key, Modifiers modifiers, char32_t typed) {
    const bool ctrl = hasModifier(modifiers, Modifiers::Ctrl);
    const bool alt = hasModifier(modifiers, Modifiers::Alt);
    if (alt && !ctrl)
        return chars::None;
    if (ctrl && !alt) {
        if (key >= Key::A && key <= Key::Z)
            return static_cast<char32_t>(static_cast<int>(key) - static_cast<int>(Key::A) + 1);
        return chars::None;
    }
    switch (key) {
    case Key::Enter:
        return chars::Enter;
    case Key::Escape:
        return chars::Escape;
    case Key::Backspace:
        return chars::Backspace;
    case Key::Tab:
        return chars::Tab;
    default:
        break;
    }
    return typed >= 0x20 && typed != 0x7F ? typed : chars::None;
}

// The character an Alt chord names for accelerators.
char32_t acceleratorFor(Key key) {
    if ((key >= Key::A && key <= Key::Z) || (key >= Key::D0 && key <= Key::D9))
        return static_cast<char32_t>(key);
    return 0;
}

bool takesAccelerators(const Control& control) {
    switch (control.kind()) {
    case ControlKind::Button:
    case ControlKind::SpeedButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
        return true;
    default:
        return false;
    }
}

bool insideForm(const Control* control, const Form& form) {
    return control != nullptr && &control->form() == &form;
}

} // namespace

class Application::ModalScope {
public:
    explicit ModalScope(Application& application) : application_(application) {
        application_.closeMenu();
        application_.capture_ = nullptr;
        // The time up to the opening counts; the time the dialog is open does not.
        application_.clockNeeded();
        ++application_.modalDepth_;
        application_.bumpRevision();
        application_.wakeChanged();
    }
    ~ModalScope() {
        application_.clockNeeded();
        --application_.modalDepth_;
        application_.bumpRevision();
        application_.wakeChanged();
    }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    Application& application_;
};

class Application::FileDialogScope {
public:
    explicit FileDialogScope(Application& application) : application_(application) {
        if (application_.onFileDialog)
            application_.onFileDialog(true);
    }
    ~FileDialogScope() {
        if (application_.onFileDialog)
            application_.onFileDialog(false);
    }
    FileDialogScope(const FileDialogScope&) = delete;
    FileDialogScope& operator=(const FileDialogScope&) = delete;

private:
    Application& application_;
};

Application::Application(platform::Dialogs& dialogs) : dialogs_(dialogs) {}

Application::~Application() {
    assert(forms_.empty() && "forms must be destroyed before their application");
}

const TextMetrics& Application::textMetrics() const {
    return metrics_ != nullptr ? *metrics_ : static_cast<const TextMetrics&>(simpleMetrics_);
}

void Application::setTitle(const Text& title) {
    if (title_ != title) {
        title_ = title;
        bumpRevision();
    }
}

Control* Application::focusedControl() const {
    return activeForm_ != nullptr ? activeForm_->activeControl() : nullptr;
}

void Application::terminate() {
    terminated_ = true;
    bumpRevision();
}

void Application::addForm(Form& form) {
    forms_.push_back(&form);
    bumpRevision();
}

void Application::removeForm(Form& form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), &form), forms_.end());
    if (activeForm_ == &form)
        activeForm_ = nullptr;
    if (openMenu_ && openMenu_->form == &form)
        openMenu_.reset();
    bumpRevision();
}

void Application::setActiveForm(Form* form) {
    if (form == activeForm_)
        return;
    Form* old = activeForm_;
    activeForm_ = form;
    bumpRevision();
    if (old != nullptr) {
        if (Control* focused = old->activeControl())
            focused->invalidate();
        if (old->onDeactivate)
            old->onDeactivate();
    }
    if (form != nullptr && form->onActivate)
        form->onActivate();
}

void Application::forgetControl(Control* control) {
    if (hovered_ == control)
        hovered_ = nullptr;
    if (capture_ == control)
        capture_ = nullptr;
    if (caretBlinking_ == control)
        caretBlinking_ = nullptr;
}

// --- Application events ------------------------------------------------------

void Application::activate() {
    if (active_)
        return;
    active_ = true;
    bumpRevision();
    if (onActivate)
        onActivate();
}

void Application::deactivate() {
    if (!active_)
        return;
    active_ = false;
    closeMenu();
    bumpRevision();
    if (onDeactivate)
        onDeactivate();
}

void Application::minimize() {
    if (minimized_)
        return;
    minimized_ = true;
    bumpRevision();
    if (onMinimize)
        onMinimize();
}

void Application::restore() {
    if (!minimized_)
        return;
    minimized_ = false;
    bumpRevision();
    if (onRestore)
        onRestore();
}

// --- Keyboard ------------------------------------------------------------------

void Application::keyDown(Key key, Modifiers modifiers, char32_t typed) {
    keysDown_.insert(key);
    if (openMenu_) {
        // A key while a menu is open closes it and goes no further.
        closeMenu();
    } else if (activeForm_ != nullptr && !modal()) {
        dispatchKeyDown(*activeForm_, KeyEvent{key, modifiers}, characterFor(key, modifiers, typed));
    }
    // A key shows the caret, wherever the key has put it, and starts its blink afresh.
    restartCaretBlink();
}

void Application::dispatchKeyDown(Form& form, KeyEvent event, char32_t character) {
    // The control the key was addressed to keeps it through every phase, even
    // when a handler moves the focus on the way.
    Control* target = form.activeControl();

    // Phase 1: an enabled menu-item shortcut of the active window runs and consumes the key.
    if (runShortcut(form, event))
        return;

    // Phase 2: the window's key-down, when the window previews keys.
    if (form.keyPreview() && form.onKeyDown) {
        form.onKeyDown(event);
        if (event.consumed())
            return;
    }

    // Phase 3: the focused control's key-down.
    if (target != nullptr && target->onKeyDown) {
        target->onKeyDown(event);
        if (event.consumed())
            return;
    }

    // Dialog keys nobody consumed: accelerators, Tab, Alt+F4. They yield no character.
    if (event.alt() && !event.ctrl()) {
        if (event.key == Key::F4) {
            form.close();
            return;
        }
        const char32_t accelerator = acceleratorFor(event.key);
        if (accelerator != 0 && runAccelerator(form, accelerator))
            return;
    }
    if (event.key == Key::Tab && !event.ctrl() && !event.alt()) {
        if (Control* next = form.nextTabStop(target, !event.shift()))
            form.focusControl(next, FocusReason::Tab);
        return;
    }

    // Phase 5 for keys: the control's own key action (caret moves, Delete, grid moves).
    if (target != nullptr && target->effectivelyEnabled()) {
        target->defaultKeyDown(event);
        if (event.consumed())
            return;
    }

    // Phase 4 (and 5 for characters): key-press handlers, then the default action.
    if (character != chars::None)
        dispatchCharacter(form, character);
}

void Application::dispatchCharacter(Form& form, char32_t character) {
    Control* target = form.activeControl();
    if (form.keyPreview() && form.onKeyPress) {
        form.onKeyPress(character);
        if (character == chars::None)
            return;
    }
    if (target != nullptr && target->onKeyPress) {
        target->onKeyPress(character);
        if (character == chars::None)
            return;
    }
    if (target != nullptr && target->effectivelyEnabled())
        target->defaultChar(character);
}

bool Application::runShortcut(Form& form, const KeyEvent& event) {
    const Shortcut pressed{event.key, event.modifiers};
    for (PopupMenu* menu : form.popupMenus()) {
        if (MenuItem* item = menu->findShortcut(pressed)) {
            closeMenu();
            item->click();
            return true;
        }
    }
    return false;
}

bool Application::runAccelerator(Form& form, char32_t character) {
    Control* found = nullptr;
    auto search = [&](auto& self, Control& parent) -> void {
        for (Control* child : parent.children()) {
            if (found != nullptr)
                return;
            if (takesAccelerators(*child) && child->accelerator() == character && child->showing() &&
                child->effectivelyEnabled()) {
                found = child;
                return;
            }
            self(self, *child);
        }
    };
    search(search, form);
    if (found == nullptr)
        return false;
    found->acceleratorPressed();
    return true;
}

void Application::keyUp(Key key, Modifiers modifiers) {
    keysDown_.erase(key);
    if (activeForm_ != nullptr && !modal()) {
        Form& form = *activeForm_;
        Control* target = form.activeControl();
        KeyEvent event{key, modifiers};
        // Key up: the window first, when it previews keys.
        if (form.keyPreview() && form.onKeyUp)
            form.onKeyUp(event);
        if (!event.consumed() && target != nullptr && target->onKeyUp)
            target->onKeyUp(event);
    }
    restartCaretBlink();
}

void Application::typeText(TextView text) {
    if (openMenu_)
        closeMenu();
    for (char32_t character : text) {
        if (activeForm_ == nullptr || modal())
            return;
        if (character >= 0x20 && character != 0x7F)
            dispatchCharacter(*activeForm_, character);
    }
}

// --- Mouse ---------------------------------------------------------------------

Control* Application::mouseTarget(Form& form, Point position) {
    return form.controlAt(position);
}

void Application::setHovered(Control* control) {
    if (control == hovered_)
        return;
    Control* old = hovered_;
    // The hint pause counts from the moment the pointer reaches the control.
    clockNeeded();
    hoveredSince_ = now_;
    hovered_ = control;
    bumpRevision();
    wakeChanged();
    if (old != nullptr && old->onMouseLeave)
        old->onMouseLeave();
    if (control != nullptr && hovered_ == control && control->onMouseEnter)
        control->onMouseEnter();
}

void Application::mouseDown(Form& form, Point position, MouseButton button, Modifiers modifiers) {
    pressMouse(form, position, button, modifiers);
    // A press shows the caret, wherever the press has put it, and starts its blink afresh.
    restartCaretBlink();
}

void Application::pressMouse(Form& form, Point position, MouseButton button, Modifiers modifiers) {
    if (openMenu_) {
        // The press that dismisses a menu goes nowhere else.
        closeMenu();
        return;
    }
    if (!form.visible() || modal())
        return;
    if (activeForm_ != &form)
        form.activate();
    Control* target = mouseTarget(form, position);
    setHovered(target);
    if (!target->effectivelyEnabled())
        return;
    capture_ = target;
    captureButton_ = button;
    // Click to focus: a control that takes the focus gets it from a left or right press.
    if (button != MouseButton::Middle && target->focusPolicy() == FocusPolicy::TakesFocus &&
        !target->focused())
        form.focusControl(target, FocusReason::Click);
    const MouseEvent event{button, modifiers, position - target->formPosition()};
    // The control's own reaction comes first, then the handler, as in the classic toolkit.
    target->defaultMouseDown(event);
    if (target->onMouseDown)
        target->onMouseDown(event);
}

void Application::mouseDoubleClick(Form& form, Point position, MouseButton button, Modifiers modifiers) {
    mouseDown(form, position, button, modifiers);
    Control* target = capture_;
    if (target == nullptr || !insideForm(target, form))
        return;
    const MouseEvent event{button, modifiers, position - target->formPosition()};
    target->defaultDoubleClick(event);
    if (target->onDblClick)
        target->onDblClick();
}

void Application::mouseUp(Form& form, Point position, MouseButton button, Modifiers modifiers) {
    if (modal())
        return;
    const bool captured = capture_ != nullptr && captureButton_ == button;
    Control* target = captured ? capture_ : mouseTarget(form, position);
    if (captured)
        capture_ = nullptr;
    if (target == nullptr || !insideForm(target, form) || !target->effectivelyEnabled())
        return;
    const MouseEvent event{button, modifiers, position - target->formPosition()};
    const bool inside = Rect{0, 0, target->width(), target->height()}.contains(event.position);
    target->defaultMouseUp(event, inside && captured);
    if (target->onMouseUp)
        target->onMouseUp(event);
    if (button != MouseButton::Right || !target->showing())
        return;
    // The context menu: the nearest one up the parent chain. Edit boxes keep
    // the system's own edit menu, so a window's menu never opens over them.
    for (Control* c = target; c != nullptr; c = c->parent()) {
        if (c->popupMenu() != nullptr) {
            popup(*c->popupMenu(), form, position);
            return;
        }
        if (c->kind() == ControlKind::Edit || c->kind() == ControlKind::ComboBox)
            return;
    }
}

void Application::mouseMove(Form& form, Point position, Modifiers modifiers) {
    if (modal())
        return;
    Control* under = mouseTarget(form, position);
    setHovered(under);
    Control* target = capture_ != nullptr ? capture_ : under;
    if (target == nullptr || !insideForm(target, form) || !target->effectivelyEnabled())
        return;
    const MouseEvent event{captureButton_, modifiers, position - target->formPosition()};
    target->defaultMouseMove(event);
    if (target->onMouseMove)
        target->onMouseMove(event);
}

void Application::mouseLeave(Form& form) {
    if (insideForm(hovered_, form))
        setHovered(nullptr);
}

void Application::mouseWheel(Form& form, Point position, int delta, Modifiers modifiers) {
    if (openMenu_ || modal() || &form != activeForm_)
        return;
    // The wheel goes to the focused control and climbs to its parents until one uses it.
    WheelEvent event{delta, modifiers, {}, false};
    Control* start = form.activeControl() != nullptr ? form.activeControl() : &form;
    for (Control* c = start; c != nullptr; c = c->parent()) {
        event.position = position - c->formPosition();
        if (c->onMouseWheel)
            c->onMouseWheel(event);
        if (event.handled)
            return;
        if (c->effectivelyEnabled())
            c->defaultWheel(event);
        if (event.handled)
            return;
    }
}

// --- Menus ---------------------------------------------------------------------

void Application::popup(PopupMenu& menu, Form& form, Point position) {
    if (menu.onPopup)
        menu.onPopup();
    openMenu_ = OpenMenu{&menu, &form, position};
    bumpRevision();
}

void Application::chooseMenuItem(MenuItem& item) {
    // An item with a sub-menu opens it where its menu was open.
    if (PopupMenu* subMenu = item.subMenu(); subMenu != nullptr && openMenu_ && item.enabled()) {
        const OpenMenu parent = *openMenu_;
        closeMenu();
        popup(*subMenu, *parent.form, parent.position);
        return;
    }
    closeMenu();
    if (item.visible() && !item.isSeparator())
        item.click();
}

void Application::closeMenu() {
    if (!openMenu_)
        return;
    openMenu_.reset();
    bumpRevision();
}

// --- Time and painting -----------------------------------------------------------

void Application::collectTimers(std::vector<Timer*>& out) const {
    out.clear();
    for (const Form* form : forms_) {
        for (Timer* timer : form->timers())
            out.push_back(timer);
    }
}

std::optional<Milliseconds> Application::nextTimerDue() const {
    std::optional<Milliseconds> next;
    for (const Form* form : forms_) {
        for (const Timer* timer : form->timers()) {
            if (timer->enabled() && (!next || timer->due() < *next))
                next = timer->due();
        }
    }
    return next;
}

std::vector<Application::WakeSource> Application::wakeSources() const {
    std::vector<WakeSource> sources;
    for (const Form* form : forms_) {
        for (const Timer* timer : form->timers()) {
            if (timer->enabled())
                sources.push_back({timer->due(), timer->interval(), true});
        }
    }
    // A hint whose pause has ended is showing (or has shown) already.
    if (const std::optional<Milliseconds> hint = hintDue(); hint && *hint > now_)
        sources.push_back({*hint, Milliseconds{0}, false});
    if (const Control* owner = caretOwner())
        // A caret that has just appeared starts its blink at this wake.
        sources.push_back({owner == caretBlinking_ ? caretBlinkDue_ : now_ + CaretBlink, CaretBlink, false});
    return sources;
}

std::optional<Milliseconds> Application::nextWake() const {
    std::optional<Milliseconds> next;
    for (const WakeSource& source : wakeSources()) {
        if (!next || source.due < *next)
            next = source.due;
    }
    return next;
}

std::optional<Milliseconds> Application::coalescedWake() const {
    const std::vector<WakeSource> sources = wakeSources();
    if (sources.empty())
        return std::nullopt;
    const auto earliest =
        std::min_element(sources.begin(), sources.end(),
                         [](const WakeSource& a, const WakeSource& b) { return a.due < b.due; });
    // The latest wake at which nothing comes more than a twentieth of its period late.
    Milliseconds latest = Milliseconds::max();
    for (const WakeSource& source : sources)
        latest = std::min(latest, source.due + source.period / 20);
    // Wakes due by then share the last of them.
    Milliseconds wake = earliest->due;
    for (const WakeSource& source : sources) {
        if (source.due <= latest)
            wake = std::max(wake, source.due);
    }
    if (!earliest->timer || earliest->period.count() == 0)
        return wake;
    // A timer falls into step with a timer it can follow: one that ticks more
    // often at a divisor of its interval, or one of the same interval that
    // was made before it. Until it shares a wake with one of them it waits
    // its share at each tick; as the timers it follows never wait for it,
    // this always ends.
    const std::size_t index = static_cast<std::size_t>(earliest - sources.begin());
    const Milliseconds period = earliest->period;
    std::optional<Milliseconds> leader;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const WakeSource& other = sources[i];
        const bool follows = other.timer && other.period.count() > 0 &&
                             (other.period < period ? period % other.period == Milliseconds{0}
                                                    : other.period == period && i < index);
        if (!follows)
            continue;
        if (other.due <= wake)
            return wake; // in step already
        if (!leader || other.due < *leader)
            leader = other.due;
    }
    return leader ? std::min(latest, *leader) : wake;
}

void Application::moveClock(Milliseconds elapsed) {
    if (!modal() && elapsed.count() > 0)
        now_ += elapsed;
}

void Application::clockNeeded() {
    if (onClockNeeded)
        onClockNeeded();
}

void Application::wakeChanged() {
    if (onWakeChange)
        onWakeChange();
}

const Control* Application::caretOwner() const {
    const Control* focused = focusedControl();
    if (focused == nullptr || minimized_ || !focused->showing())
        return nullptr;
    switch (focused->kind()) {
    case ControlKind::Edit:
        return focused; // a read-only box shows its caret too
    case ControlKind::ComboBox:
        return static_cast<const ComboBox*>(focused)->style() == ComboStyle::DropDown ? focused : nullptr;
    case ControlKind::StringGrid:
        return static_cast<const StringGrid*>(focused)->editorOpen() ? focused : nullptr;
    default:
        return nullptr;
    }
}

void Application::restartCaretBlink() {
    clockNeeded();
    caretBlinking_ = caretOwner();
    caretVisible_ = true;
    caretBlinkDue_ = now_ + CaretBlink;
    wakeChanged();
}

void Application::blinkCaret() {
    const Control* owner = caretOwner();
    if (owner != caretBlinking_) {
        // The caret moved to another box (or went): it starts shown, for a whole phase.
        caretBlinking_ = owner;
        caretVisible_ = true;
        caretBlinkDue_ = now_ + CaretBlink;
    } else if (owner != nullptr && caretBlinkDue_ <= now_) {
        caretVisible_ = !caretVisible_;
        caretBlinkDue_ = now_ + CaretBlink;
    }
}

void Application::advance(Milliseconds elapsed) {
    if (modal() || elapsed.count() < 0)
        return;
    // Nothing elapsed still fires what moveClock has brought due.
    now_ += elapsed;
    // One wake of the event loop: every timer that has come due fires once,
    // earliest first, however many of its periods the stall has swallowed, and
    // counts its next period from now. A firing timer is due later than now
    // afterwards, and a timer started by a handler counts from now too, so this
    // runs at most once per timer. The timers are looked up again after every
    // handler because a handler may stop, start or destroy any of them.
    std::vector<Timer*> timers;
    while (true) {
        collectTimers(timers);
        Timer* next = nullptr;
        for (Timer* timer : timers) {
            if (timer->enabled() && timer->due() <= now_ && (next == nullptr || timer->due() < next->due()))
                next = timer;
        }
        if (next == nullptr)
            break;
        next->due_ = now_ + next->interval();
        if (next->onTimer)
            next->onTimer();
        idle();
    }
    blinkCaret();
}

namespace {

void paintTree(Control& control, void (*paintOne)(Control&)) {
    if (!control.visible())
        return;
    paintOne(control);
    const std::vector<Control*> children = control.children();
    for (Control* child : children)
        paintTree(*child, paintOne);
}

bool anyInvalid(const Control& control) {
    if (!control.visible())
        return false;
    if (control.invalid())
        return true;
    return std::any_of(control.children().begin(), control.children().end(),
                       [](const Control* child) { return anyInvalid(*child); });
}

} // namespace

void Application::idle() {
    if (modal())
        return;
    // Most idle steps find nothing to paint and return without walking the
    // trees. A control that a paint handler invalidates moves the revision on,
    // so the next idle step looks again.
    const bool paintNeeded = needsPaint();
    idleRevision_ = revision_;
    if (!paintNeeded)
        return;
    const std::vector<Form*> forms = forms_;
    for (Form* form : forms) {
        paintTree(*form, [](Control& control) {
            if (!control.invalid_)
                return;
            // Cleared first: a control that invalidates itself while painting
            // is painted again at the next idle step, not in a loop now.
            control.invalid_ = false;
            control.paint();
        });
    }
}

bool Application::needsPaint() const {
    // Every invalidation moves the revision on; since the last idle step nothing has.
    if (revision_ == idleRevision_)
        return false;
    return std::any_of(forms_.begin(), forms_.end(), [](const Form* form) { return anyInvalid(*form); });
}

// --- Dialogs ---------------------------------------------------------------------

platform::Answer Application::showMessage(const platform::MessageRequest& request) {
    ModalScope modal(*this);
    return dialogs_.showMessage(request);
}

platform::Answer Application::showMessage(platform::MessageKind kind, const Text& caption, const Text& text,
                                          platform::Buttons buttons) {
    return showMessage(platform::MessageRequest{kind, caption, text, buttons});
}

std::optional<Text> Application::openFile(const platform::FileDialogRequest& request) {
    FileDialogScope shown(*this);
    ModalScope modal(*this);
    return dialogs_.openFile(request);
}

std::optional<Text> Application::saveFile(const platform::FileDialogRequest& request) {
    FileDialogScope shown(*this);
    ModalScope modal(*this);
    return dialogs_.saveFile(request);
}

// --- Hints and cursor -------------------------------------------------------------

void Application::setShowHint(bool show) {
    if (showHint_ != show) {
        showHint_ = show;
        bumpRevision();
    }
}

void Application::setHintPause(Milliseconds pause) {
    if (hintPause_ != pause) {
        hintPause_ = pause;
        bumpRevision();
        wakeChanged();
    }
}

void Application::setHintHidePause(Milliseconds pause) {
    if (hintHidePause_ != pause) {
        hintHidePause_ = pause;
        bumpRevision();
    }
}

void Application::setHintColor(Color color) {
    if (!(hintColor_ == color)) {
        hintColor_ = color;
        bumpRevision();
    }
}

std::optional<HintState> Application::currentHint() const {
    if (!showHint_ || hovered_ == nullptr || !hovered_->showHintInEffect())
        return std::nullopt;
    // A control without a hint of its own shows its parent's.
    for (const Control* c = hovered_; c != nullptr; c = c->parent()) {
        if (!c->hint().empty())
            return HintState{hovered_, c->hint(), hintColor_, hintPause_, hintHidePause_};
    }
    return std::nullopt;
}

std::optional<Milliseconds> Application::hintDue() const {
    if (!currentHint())
        return std::nullopt;
    return hoveredSince_ + hintPause_;
}

void Application::setCursor(Cursor cursor) {
    if (cursor_ != cursor) {
        cursor_ = cursor;
        bumpRevision();
        if (onCursorChange)
            onCursorChange(cursor);
    }
}

} // namespace lumitag::ui
