#include "ui/Form.h"

#include "ui/Application.h"

#include <algorithm>

namespace lumitag::ui {

Form::Form(Application& application, std::string name) : Control(application, std::move(name)) {
    form_ = this;
    visible_ = false;
    application.addForm(*this);
}

Form::~Form() {
    application().removeForm(*this);
}

void Form::show() {
    if (!visible_) {
        visible_ = true;
        changed();
        if (onShow)
            onShow();
    }
    activate();
}

void Form::hide() {
    if (!visible_)
        return;
    visible_ = false;
    changed();
    if (onHide)
        onHide();
    Application& app = application();
    if (app.activeForm() == this) {
        Form* next = nullptr;
        for (Form* form : app.forms()) {
            if (form != this && form->visible()) {
                next = form;
                break;
            }
        }
        app.setActiveForm(next);
    }
}

CloseResult Form::close() {
    bool canClose = true;
    if (onCloseQuery)
        onCloseQuery(canClose);
    if (!canClose)
        return CloseResult::Refused;
    if (onClose)
        onClose();
    hide();
    if (application().mainForm() == this)
        application().terminate();
    return CloseResult::Closed;
}

bool Form::active() const {
    return application().activeForm() == this;
}

void Form::activate() {
    if (!visible_)
        return;
    application().setActiveForm(this);
    if (activeControl_ == nullptr || !activeControl_->canFocus())
        focusFirstControl();
}

bool Form::focusControl(Control* control, FocusReason /*reason*/) {
    if (control != nullptr && (&control->form() != this || !control->canFocus()))
        return false;
    const int request = ++focusRequest_;
    if (control == activeControl_)
        return true;
    Control* old = activeControl_;
    if (old != nullptr && old != exiting_) {
        // Exit handler first: it may put the focus back (validation) or move it
        // elsewhere, and then that request stands instead of this one.
        exiting_ = old;
        if (old->onExit)
            old->onExit();
        exiting_ = nullptr;
        if (focusRequest_ != request)
            return activeControl_ == control;
        if (control != nullptr && !control->canFocus())
            return false;
        if (activeControl_ == old)
            old->focusLost();
    }
    activeControl_ = control;
    if (old != nullptr)
        old->changed();
    if (control != nullptr) {
        control->changed();
        if (control->onEnter)
            control->onEnter();
    }
    return activeControl_ == control;
}

std::vector<Control*> Form::tabSequence() const {
    std::vector<Control*> sequence;
    auto visit = [&sequence](auto& self, const Control& parent) -> void {
        std::vector<Control*> ordered = parent.children();
        std::stable_sort(ordered.begin(), ordered.end(),
                         [](const Control* a, const Control* b) { return a->tabOrder() < b->tabOrder(); });
        for (Control* child : ordered) {
            sequence.push_back(child);
            self(self, *child);
        }
    };
    visit(visit, *this);
    return sequence;
}

Control* Form::nextTabStop(Control* from, bool forward) const {
    std::vector<Control*> sequence = tabSequence();
    if (!forward)
        std::reverse(sequence.begin(), sequence.end());
    const auto start = std::find(sequence.begin(), sequence.end(), from);
    const std::size_t count = sequence.size();
    const std::size_t first =
        start == sequence.end() ? 0 : static_cast<std::size_t>(start - sequence.begin()) + 1;
    for (std::size_t i = 0; i < count; ++i) {
        Control* candidate = sequence[(first + i) % count];
        if (candidate != from && candidate->tabStop() && candidate->canFocus())
            return candidate;
    }
    return nullptr;
}

void Form::focusFirstControl() {
    if (Control* first = nextTabStop(nullptr, true))
        focusControl(first, FocusReason::Activation);
}

void Form::forgetControl(Control* control) {
    for (Control* c = activeControl_; c != nullptr; c = c->parent()) {
        if (c == control) {
            activeControl_->focusLost();
            activeControl_ = nullptr;
            changed();
            return;
        }
    }
}

} // namespace lumitag::ui
