#pragma once

#include "platform/spreadsheet/calc/EventQueue.h"

#include <atomic>
#include <com/sun/star/awt/XKeyHandler.hpp>
#include <com/sun/star/document/XDocumentEventListener.hpp>
#include <com/sun/star/sheet/XActivationEventListener.hpp>
#include <com/sun/star/util/XChangesListener.hpp>
#include <com/sun/star/util/XModifyListener.hpp>
#include <com/sun/star/view/XSelectionChangeListener.hpp>
#include <cppuhelper/implbase1.hxx>
#include <cppuhelper/implbase6.hxx>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace lumitag::platform::calc {

// What the listeners share with the host. The office calls the listeners on
// its own threads, so everything here is safe to use from any thread.
struct ListenerState {
    EventQueue events;
    // Bit n set: the key with UNO key code keyCodes[n] is swallowed.
    std::atomic<std::uint32_t> disabledKeys{0};
    // Set when the connection to the office ends.
    std::atomic<bool> bridgeGone{false};
    // Counts the office's document events, closed documents and the
    // program's own changes to documents and windows: whatever can add, show,
    // activate or remove a document window comes with one. Starts at 1.
    std::atomic<std::uint64_t> documentEvents{1};

    // Documents whose views appeared since the host last looked; the host
    // attaches the listeners to them on its own thread.
    void noteNewDocument(const css::uno::Reference<css::uno::XInterface>& document);
    std::vector<css::uno::Reference<css::uno::XInterface>> takeNewDocuments();
    bool newDocumentsWaiting() const;
    // Documents that have been closed (disposed).
    void noteClosed(const css::uno::Reference<css::uno::XInterface>& document);
    bool isClosed(const css::uno::Reference<css::uno::XInterface>& document) const;
    // Lets go of every document of a connection that has ended.
    void forgetDocuments();

private:
    mutable std::mutex mutex_;
    std::vector<css::uno::Reference<css::uno::XInterface>> newDocuments_;
    std::vector<css::uno::Reference<css::uno::XInterface>> closed_;
};

// UNO key codes the host can swallow, with the names the program uses for them.
struct DisabledKeyName {
    const char32_t* name;
    sal_Int16 keyCode;
};
const std::vector<DisabledKeyName>& disableableKeys();

// One listener object for every event the host follows: the view's selection,
// its active sheet and key presses, the document's cell changes and closing,
// and the office's document events (a new view to attach to). It only records;
// the user-interface thread acts.
class HostListener
    : public cppu::WeakImplHelper6<css::view::XSelectionChangeListener, css::sheet::XActivationEventListener,
                                   css::awt::XKeyHandler, css::util::XChangesListener,
                                   css::util::XModifyListener, css::document::XDocumentEventListener> {
public:
    explicit HostListener(std::shared_ptr<ListenerState> state) : state_(std::move(state)) {}

    void SAL_CALL selectionChanged(const css::lang::EventObject& event) override;
    void SAL_CALL activeSpreadsheetChanged(const css::sheet::ActivationEvent& event) override;
    sal_Bool SAL_CALL keyPressed(const css::awt::KeyEvent& event) override;
    sal_Bool SAL_CALL keyReleased(const css::awt::KeyEvent& event) override;
    void SAL_CALL changesOccurred(const css::util::ChangesEvent& event) override;
    void SAL_CALL modified(const css::lang::EventObject& event) override;
    void SAL_CALL documentEventOccured(const css::document::DocumentEvent& event) override;
    void SAL_CALL disposing(const css::lang::EventObject& event) override;

private:
    bool swallows(const css::awt::KeyEvent& event) const;

    std::shared_ptr<ListenerState> state_;
};

// Notes the end of the connection (the office quit, crashed or was cut off).
class BridgeListener : public cppu::WeakImplHelper1<css::lang::XEventListener> {
public:
    explicit BridgeListener(std::shared_ptr<ListenerState> state) : state_(std::move(state)) {}
    void SAL_CALL disposing(const css::lang::EventObject& event) override;

private:
    std::shared_ptr<ListenerState> state_;
};

} // namespace lumitag::platform::calc
