#pragma once

#include "platform/spreadsheet/SpreadsheetError.h"
#include "platform/spreadsheet/calc/CalcHost.h"
#include "platform/spreadsheet/calc/CallGate.h"
#include "platform/spreadsheet/calc/OfficeProcess.h"
#include "platform/spreadsheet/calc/UnoHandle.h"
#include "platform/spreadsheet/calc/UnoListeners.h"

#include <atomic>
#include <chrono>
#include <com/sun/star/connection/XConnection.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <type_traits>
#include <vector>

namespace lumitag::platform::calc {

// The connection to one office: its process (when we started it), the UNO
// bridge, the call gate every call goes through, and the listeners. Shared by
// the host and every workbook, worksheet and range it hands out, so that a
// handle outliving the host fails cleanly instead of touching freed memory.
class CalcSession : public std::enable_shared_from_this<CalcSession> {
public:
    explicit CalcSession(CalcHostOptions options);
    ~CalcSession();
    CalcSession(const CalcSession&) = delete;
    CalcSession& operator=(const CalcSession&) = delete;

    void connect();
    void quit();

    // Runs work on the gate thread. UNO errors, a lost connection and an
    // overrun of the timeout all come out as SpreadsheetError.
    void run(const std::function<void()>& work, std::chrono::milliseconds timeout);
    void run(const std::function<void()>& work) { run(work, options_.callTimeout); }
    template <class Work> auto get(Work work) -> decltype(work()) {
        // The result is not kept in this frame: a call the gate leaves behind
        // must have nowhere here to write to.
        auto result = std::make_shared<std::optional<decltype(work())>>();
        run([result, work] { result->emplace(work()); });
        return std::move(**result);
    }

    // These run on the gate thread, inside run().
    const css::uno::Reference<css::frame::XDesktop2>& desktop() const;
    const css::uno::Reference<css::uno::XComponentContext>& remoteContext() const;
    // Listeners on the document's model and its current view (once per view).
    void attach(const css::uno::Reference<css::sheet::XSpreadsheetDocument>& document);
    void attachNewDocuments();
    // The workbook the office would call active: the current component when it
    // is a spreadsheet, else the last one the program used that is still open,
    // else any open spreadsheet. Empty when none is open.
    css::uno::Reference<css::sheet::XSpreadsheetDocument> activeDocument();
    void noteUsed(const css::uno::Reference<css::sheet::XSpreadsheetDocument>& document);
    // Makes the session release the handle's references when the connection ends.
    template <class Handle, class... Args> std::shared_ptr<Handle> makeHandle(Args&&... args) {
        auto handle = std::make_shared<Handle>(std::forward<Args>(args)...);
        if (handles_.size() >= 2 * handlesAfterPrune_ + 64) {
            std::erase_if(handles_, [](const std::weak_ptr<UnoHandle>& h) { return h.expired(); });
            handlesAfterPrune_ = handles_.size();
        }
        handles_.push_back(handle);
        return handle;
    }
    // Fails when the document has been closed or its connection has ended.
    void requireOpen(const css::uno::Reference<css::uno::XInterface>& document) const;

    ListenerState& state() { return *state_; }
    const CalcHostOptions& options() const { return options_; }
    std::optional<pid_t> processId() const;
    // Whether the office is gone: the connection has ended, or the office
    // this session started has. The bridge learns of a killed office only
    // when its reader thread sees the pipe close, which may come after the
    // next call; the process tells at once. Any thread.
    bool officeGone() const { return state_->bridgeGone || OfficeProcess::hasEnded(officePid_.load()); }
    std::uint64_t callCount() const { return callCount_.load(); }
    std::chrono::nanoseconds callTime() const { return std::chrono::nanoseconds(callNanoseconds_.load()); }
    bool requestedVisible() const { return requestedVisible_; }
    void setRequestedVisible(bool visible) { requestedVisible_ = visible; }

private:
    // Runs work on the gate, turning every failure into SpreadsheetError.
    void guarded(const char* context, std::function<void()> work, std::chrono::milliseconds timeout);
    bool connectedNow() const { return connected_ && !officeGone(); }
    void setProcess(std::optional<OfficeProcess> process);
    bool tryConnectPipe();
    void startAndConnect();
    void dropConnection();
    void abortCalls();

    CalcHostOptions options_;
    std::shared_ptr<ListenerState> state_ = std::make_shared<ListenerState>();
    // The listener object, kept alive by listenerRef_ (UNO counts references).
    HostListener* listener_ = nullptr;
    css::uno::Reference<css::uno::XInterface> listenerRef_;
    css::uno::Reference<css::lang::XEventListener> bridgeListener_;

    // Guards what the abort cuts (it comes from the caller's thread). Both are
    // stored as soon as they exist, before the first call that waits for the
    // office: an office that accepts and never answers is cut off all the same.
    mutable std::mutex bridgeMutex_;
    css::uno::Reference<css::connection::XConnection> connection_;
    css::uno::Reference<css::lang::XComponent> bridge_;
    css::uno::Reference<css::uno::XComponentContext> remoteContext_;
    css::uno::Reference<css::frame::XDesktop2> desktop_;
    bool connected_ = false;

    // Changed only through setProcess(), on the gate thread; its pid is read
    // from any thread.
    std::optional<OfficeProcess> process_;
    std::atomic<pid_t> officePid_{-1};
    std::atomic<std::uint64_t> callCount_{0};
    std::atomic<std::int64_t> callNanoseconds_{0};
    std::vector<css::uno::Reference<css::uno::XInterface>> attachedViews_;
    css::uno::Reference<css::sheet::XSpreadsheetDocument> lastUsed_;
    bool requestedVisible_ = false;
    std::vector<std::weak_ptr<UnoHandle>> handles_;
    std::size_t handlesAfterPrune_ = 0;

    // Set once the gate has left a call behind: that call's thread still uses
    // this session, which therefore stays alive as long as the program runs.
    std::shared_ptr<CalcSession> keepAlive_;

    // Last member: its thread ends before the members it uses.
    CallGate gate_;
};

// The error a failed call into the office raises.
[[noreturn]] void failCall(const std::string& what);

} // namespace lumitag::platform::calc
