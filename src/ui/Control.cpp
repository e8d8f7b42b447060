#include "ui/Control.h"

#include "ui/Application.h"
#include "ui/Form.h"

#include <algorithm>

namespace lumitag::ui {

Control::Control(Application& application, std::string name)
    : application_(&application), name_(std::move(name)) {}

Control::Control(Control& parent, std::string name)
    : application_(parent.application_), form_(parent.form_), parent_(&parent), name_(std::move(name)) {
    tabOrder_ = static_cast<int>(parent.children_.size());
    parent.children_.push_back(this);
    parent.changed();
}

Control::~Control() {
    for (Control* child : children_)
        child->parent_ = nullptr;
    if (parent_ != nullptr)
        parent_->removeChild(this);
    if (form_ != nullptr && form_ != this)
        form_->forgetControl(this);
    application_->forgetControl(this);
}

void Control::removeChild(Control* child) {
    children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
    changed();
}

void Control::changed() {
    invalid_ = true;
    application_->bumpRevision();
}

void Control::invalidate() {
    changed();
}

void Control::bringToFront() {
    if (parent_ == nullptr)
        return;
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    siblings.push_back(this);
    parent_->changed();
}

void Control::sendToBack() {
    if (parent_ == nullptr)
        return;
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    siblings.insert(siblings.begin(), this);
    parent_->changed();
}

void Control::setBounds(const Rect& bounds) {
    if (assign(bounds_, bounds) && parent_ != nullptr)
        parent_->changed();
}

void Control::setPosition(int left, int top) {
    setBounds({left, top, bounds_.width, bounds_.height});
}

void Control::setSize(int width, int height) {
    setBounds({bounds_.left, bounds_.top, width, height});
}

Point Control::formPosition() const {
    Point position;
    for (const Control* c = this; c != nullptr && c->parent_ != nullptr; c = c->parent_)
        position = position + c->bounds_.topLeft();
    return position;
}

void Control::setVisible(bool visible) {
    if (!assign(visible_, visible))
        return;
    if (parent_ != nullptr)
        parent_->changed();
    if (!visible && form_ != nullptr && form_ != this)
        form_->forgetControl(this);
}

bool Control::showing() const {
    for (const Control* c = this; c != nullptr; c = c->parent_) {
        if (!c->visible_)
            return false;
    }
    return true;
}

void Control::setEnabled(bool enabled) {
    if (!assign(enabled_, enabled))
        return;
    if (!enabled && form_ != nullptr && form_ != this)
        form_->forgetControl(this);
}

bool Control::effectivelyEnabled() const {
    for (const Control* c = this; c != nullptr; c = c->parent_) {
        if (!c->enabled_)
            return false;
    }
    return true;
}

Color Control::color() const {
    return parentColor_ && parent_ != nullptr ? parent_->color() : color_;
}

void Control::setColor(Color color) {
    const bool wasFollowing = parentColor_;
    parentColor_ = false;
    if (!assign(color_, color) && wasFollowing)
        changed();
}

void Control::setParentColor(bool follow) {
    assign(parentColor_, follow);
}

Font Control::font() const {
    return parentFont_ && parent_ != nullptr ? parent_->font() : font_;
}

void Control::setFont(const Font& font) {
    const bool wasFollowing = parentFont_;
    parentFont_ = false;
    if (!assign(font_, font) && wasFollowing)
        changed();
}

void Control::setParentFont(bool follow) {
    assign(parentFont_, follow);
}

void Control::setCaption(const Text& caption) {
    assign(caption_, caption);
}

char32_t Control::accelerator() const {
    for (std::size_t i = 0; i + 1 < caption_.size(); ++i) {
        if (caption_[i] != U'&')
            continue;
        const char32_t next = caption_[i + 1];
        if (next == U'&') {
            ++i; // "&&" is a literal "&"
            continue;
        }
        return next >= U'a' && next <= U'z' ? next - U'a' + U'A' : next;
    }
    return 0;
}

void Control::setHint(const Text& hint) {
    assign(hint_, hint);
}

void Control::setShowHint(bool show) {
    parentShowHint_ = false;
    showHint_ = show;
    changed();
}

void Control::setParentShowHint(bool follow) {
    assign(parentShowHint_, follow);
}

bool Control::showHintInEffect() const {
    if (parentShowHint_ && parent_ != nullptr)
        return parent_->showHintInEffect();
    return showHint_;
}

void Control::setTabStop(bool tabStop) {
    assign(tabStop_, tabStop);
}

void Control::setTabOrder(int order) {
    assign(tabOrder_, order);
}

void Control::setPopupMenu(PopupMenu* menu) {
    assign(popupMenu_, menu);
}

bool Control::focused() const {
    return application_->focusedControl() == this;
}

bool Control::setFocus() {
    return form_ != nullptr && form_->focusControl(this, FocusReason::Code);
}

bool Control::canFocus() const {
    if (focusPolicy() != FocusPolicy::TakesFocus || form_ == nullptr)
        return false;
    // The form itself may still be hidden: the focus is then kept for when it shows.
    for (const Control* c = this; c != nullptr && c != form_; c = c->parent_) {
        if (!c->visible_ || !c->enabled_)
            return false;
    }
    return form_->enabled_;
}

Control* Control::controlAt(Point local) {
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        Control* child = *it;
        if (child->visible_ && child->bounds_.contains(local))
            return child->controlAt(local - child->bounds_.topLeft());
    }
    return this;
}

void Control::defaultMouseUp(const MouseEvent& event, bool inside) {
    if (inside && event.button == MouseButton::Left && onClick)
        onClick();
}

} // namespace lumitag::ui
