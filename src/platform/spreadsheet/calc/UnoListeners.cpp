#include "platform/spreadsheet/calc/UnoListeners.h"

#include <algorithm>
#include <com/sun/star/awt/Key.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>

namespace lumitag::platform::calc {

using css::uno::Reference;
using css::uno::XInterface;

namespace {

Reference<XInterface> identity(const Reference<XInterface>& object) {
    // Two references to one UNO object compare equal only as XInterface.
    return Reference<XInterface>(object, css::uno::UNO_QUERY);
}

} // namespace

void ListenerState::noteNewDocument(const Reference<XInterface>& document) {
    std::lock_guard lock(mutex_);
    newDocuments_.push_back(identity(document));
}

std::vector<Reference<XInterface>> ListenerState::takeNewDocuments() {
    std::lock_guard lock(mutex_);
    std::vector<Reference<XInterface>> taken;
    taken.swap(newDocuments_);
    return taken;
}

bool ListenerState::newDocumentsWaiting() const {
    std::lock_guard lock(mutex_);
    return !newDocuments_.empty();
}

void ListenerState::noteClosed(const Reference<XInterface>& document) {
    std::lock_guard lock(mutex_);
    closed_.push_back(identity(document));
}

bool ListenerState::isClosed(const Reference<XInterface>& document) const {
    const Reference<XInterface> id = identity(document);
    std::lock_guard lock(mutex_);
    return std::find(closed_.begin(), closed_.end(), id) != closed_.end();
}

void ListenerState::forgetDocuments() {
    std::lock_guard lock(mutex_);
    newDocuments_.clear();
    closed_.clear();
}

const std::vector<DisabledKeyName>& disableableKeys() {
    namespace Key = css::awt::Key;
    static const std::vector<DisabledKeyName> keys = {
        {U"{BS}", Key::BACKSPACE}, {U"{DELETE}", Key::DELETE}, {U"{F1}", Key::F1}, {U"{F2}", Key::F2},
        {U"{F3}", Key::F3},        {U"{F4}", Key::F4},         {U"{F5}", Key::F5}, {U"{F6}", Key::F6},
        {U"{F7}", Key::F7},        {U"{F8}", Key::F8},         {U"{F9}", Key::F9}, {U"{F10}", Key::F10},
        {U"{F11}", Key::F11},      {U"{F12}", Key::F12},
    };
    return keys;
}

void HostListener::selectionChanged(const css::lang::EventObject&) {
    state_->events.push(HostEvent::SelectionChanged);
}

void HostListener::activeSpreadsheetChanged(const css::sheet::ActivationEvent&) {
    state_->events.push(HostEvent::SheetActivated);
}

bool HostListener::swallows(const css::awt::KeyEvent& event) const {
    // Like the spreadsheet's OnKey("{F1}", ""): the plain key only, not with
    // Shift, Ctrl or Alt.
    if (event.Modifiers != 0) {
        return false;
    }
    const std::uint32_t disabled = state_->disabledKeys.load();
    const auto& keys = disableableKeys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i].keyCode == event.KeyCode && (disabled & (1u << i)) != 0) {
            return true;
        }
    }
    return false;
}

sal_Bool HostListener::keyPressed(const css::awt::KeyEvent& event) {
    return swallows(event);
}

sal_Bool HostListener::keyReleased(const css::awt::KeyEvent& event) {
    return swallows(event);
}

void HostListener::changesOccurred(const css::util::ChangesEvent&) {
    state_->events.push(HostEvent::SheetChanged);
}

void HostListener::modified(const css::lang::EventObject&) {
    state_->events.push(HostEvent::SheetChanged);
}

void HostListener::documentEventOccured(const css::document::DocumentEvent& event) {
    ++state_->documentEvents;
    // A new view of a spreadsheet: the user opened or created a workbook in the
    // office itself. Its view needs our listeners.
    if (event.EventName == "OnViewCreated" || event.EventName == "OnFocus") {
        Reference<css::sheet::XSpreadsheetDocument> document(event.Source, css::uno::UNO_QUERY);
        if (document.is()) {
            state_->noteNewDocument(document);
        }
    }
}

void HostListener::disposing(const css::lang::EventObject& event) {
    // A document or one of its views went away; only documents are ever looked up.
    state_->noteClosed(event.Source);
    ++state_->documentEvents;
}

void BridgeListener::disposing(const css::lang::EventObject&) {
    state_->bridgeGone = true;
}

} // namespace lumitag::platform::calc
