#include "platform/spreadsheet/calc/CalcSession.h"

#include <algorithm>
#include <com/sun/star/awt/XUserInputInterception.hpp>
#include <com/sun/star/awt/XWindow2.hpp>
#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/connection/Connector.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/document/XDocumentEventBroadcaster.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/theGlobalEventBroadcaster.hpp>
#include <com/sun/star/sheet/XActivationBroadcaster.hpp>
#include <com/sun/star/util/URLTransformer.hpp>
#include <com/sun/star/util/XChangesNotifier.hpp>
#include <com/sun/star/util/XModifyBroadcaster.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <rtl/bootstrap.hxx>
#include <thread>

namespace lumitag::platform::calc {

using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using css::uno::XInterface;

namespace {

// The UNO runtime of this process: type libraries and the services that
// connect to a remote office (pipe connector, URP bridge). Made once.
Reference<css::uno::XComponentContext> localContext() {
    static const Reference<css::uno::XComponentContext> context = [] {
        // The office's fundamental settings name its type libraries (the office
        // API types among them); unorc names the URE's own types and services.
        rtl::Bootstrap::set("URE_BOOTSTRAP",
                            "vnd.sun.star.pathname:" LUMITAG_OFFICE_PROGRAM_DIR "/fundamentalrc");
        return cppu::defaultBootstrap_InitialComponentContext("file://" LUMITAG_OFFICE_PROGRAM_DIR "/unorc");
    }();
    return context;
}

std::string defaultProfileFolder() {
    namespace fs = std::filesystem;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data == '/') {
        return (fs::path(data) / "lumitag" / "calc-profile").string();
    }
    const char* home = std::getenv("HOME");
    return (fs::path(home != nullptr ? home : "/tmp") / ".local" / "share" / "lumitag" / "calc-profile")
        .string();
}

Reference<XInterface> identity(const Reference<XInterface>& object) {
    return Reference<XInterface>(object, UNO_QUERY);
}

// Whether the document's window is on the screen.
bool isShown(const Reference<css::sheet::XSpreadsheetDocument>& document) {
    const Reference<css::frame::XModel> model(document, UNO_QUERY);
    const Reference<css::frame::XController> controller =
        model.is() ? model->getCurrentController() : nullptr;
    const Reference<css::frame::XFrame> frame = controller.is() ? controller->getFrame() : nullptr;
    const Reference<css::awt::XWindow2> window(frame.is() ? frame->getContainerWindow() : nullptr, UNO_QUERY);
    return window.is() && window->isVisible();
}

std::string narrow(const rtl::OUString& text) {
    return rtl::OUStringToOString(text, RTL_TEXTENCODING_UTF8).getStr();
}

} // namespace

void failCall(const std::string& what) {
    throw SpreadsheetError(what);
}

CalcSession::CalcSession(CalcHostOptions options)
    : options_(std::move(options)), gate_([this] { abortCalls(); }, options_.abortGrace) {
    // The bridge writes to the office's pipe; when the office has died, such
    // a write would raise SIGPIPE and end this program. Ignored, the write
    // fails and the call turns into a SpreadsheetError like any other loss.
    std::signal(SIGPIPE, SIG_IGN);
    if (options_.officeProgram.empty()) {
        options_.officeProgram = LUMITAG_OFFICE_PROGRAM_DIR "/soffice.bin";
    }
    if (options_.profileFolder.empty()) {
        options_.profileFolder = defaultProfileFolder();
    }
    listener_ = new HostListener(state_);
    listenerRef_ = static_cast<css::view::XSelectionChangeListener*>(listener_);
    bridgeListener_ = new BridgeListener(state_);
}

CalcSession::~CalcSession() {
    // Never quits the office: the user's workbooks live in it. Only the
    // connection ends, on the gate thread where every UNO call runs.
    try {
        gate_.run([this] { dropConnection(); }, options_.callTimeout);
    } catch (...) {
        // The connection is gone either way.
    }
}

void CalcSession::guarded(const char* context, std::function<void()> work,
                          std::chrono::milliseconds timeout) {
    const auto begin = std::chrono::steady_clock::now();
    struct Tally {
        CalcSession& session;
        std::chrono::steady_clock::time_point begin;
        ~Tally() {
            ++session.callCount_;
            session.callNanoseconds_ +=
                std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - begin)
                    .count();
        }
    } tally{*this, begin};
    try {
        gate_.run(std::move(work), timeout);
    } catch (const SpreadsheetError&) {
        throw;
    } catch (const css::uno::Exception& error) {
        throw SpreadsheetError(context + narrow(error.Message));
    } catch (const std::exception& error) {
        if (gate_.leftCallBehind() && !keepAlive_) {
            keepAlive_ = weak_from_this().lock();
        }
        throw SpreadsheetError(error.what());
    }
}

void CalcSession::run(const std::function<void()>& work, std::chrono::milliseconds timeout) {
    guarded(
        "spreadsheet call failed: ",
        // The work is copied: the gate may have to hold it longer than this frame lives.
        [this, work] {
            if (!connectedNow()) {
                failCall("not connected to the spreadsheet");
            }
            work();
        },
        timeout);
}

const Reference<css::frame::XDesktop2>& CalcSession::desktop() const {
    return desktop_;
}

const Reference<css::uno::XComponentContext>& CalcSession::remoteContext() const {
    return remoteContext_;
}

std::optional<pid_t> CalcSession::processId() const {
    const pid_t pid = officePid_.load();
    if (pid > 0) {
        return pid;
    }
    return std::nullopt;
}

void CalcSession::setProcess(std::optional<OfficeProcess> process) {
    process_ = std::move(process);
    officePid_ = process_ ? process_->pid() : -1;
}

void CalcSession::connect() {
    // An office that listens on the pipe answers within a call's time, or it
    // is frozen: only starting one may take longer.
    guarded(
        "cannot connect to the spreadsheet: ",
        [this] {
            if (connectedNow()) {
                return;
            }
            dropConnection();
            if (process_ && process_->exitCode()) {
                setProcess(std::nullopt); // the office we started has ended
            }
            tryConnectPipe();
        },
        options_.callTimeout);
    if (connectedNow()) {
        return;
    }
    guarded(
        "cannot connect to the spreadsheet: ",
        [this] {
            if (!connectedNow()) {
                startAndConnect();
            }
        },
        options_.startTimeout + options_.callTimeout);
}

bool CalcSession::tryConnectPipe() {
    const Reference<css::uno::XComponentContext> local = localContext();
    Reference<css::connection::XConnection> connection;
    try {
        connection = css::connection::Connector::create(local)->connect(
            "pipe,name=" + rtl::OUString::createFromAscii(options_.pipeName.c_str()));
    } catch (const css::connection::NoConnectException&) {
        return false; // nobody listens (no office, or a stale pipe of an ended one)
    }
    {
        std::lock_guard lock(bridgeMutex_);
        connection_ = connection;
    }
    const Reference<css::bridge::XBridge> bridge =
        css::bridge::BridgeFactory::create(local)->createBridge("", "urp", connection, nullptr);
    const Reference<css::lang::XComponent> bridgeComponent(bridge, UNO_QUERY_THROW);
    state_->bridgeGone = false;
    bridgeComponent->addEventListener(bridgeListener_);
    {
        std::lock_guard lock(bridgeMutex_);
        bridge_ = bridgeComponent;
    }
    // The abort sets the flag before it looks for what to cut: either it finds
    // the bridge stored above, or the flag is seen here.
    if (gate_.aborted()) {
        abortCalls();
        failCall("the spreadsheet did not answer in time");
    }
    // The first calls that wait for the office's answer.
    const Reference<css::uno::XComponentContext> remote(bridge->getInstance("StarOffice.ComponentContext"),
                                                        UNO_QUERY_THROW);
    const Reference<css::frame::XDesktop2> desktop = css::frame::Desktop::create(remote);
    remoteContext_ = remote;
    desktop_ = desktop;
    connected_ = true;
    // Views the user opens in the office get our listeners too.
    Reference<css::document::XDocumentEventBroadcaster> events(
        css::frame::theGlobalEventBroadcaster::get(remote), UNO_QUERY);
    if (events.is()) {
        events->addDocumentEventListener(Reference<css::document::XDocumentEventListener>(listener_));
    }
    return true;
}

void CalcSession::startAndConnect() {
    seedProfile(options_.profileFolder);
    const OfficeStart how{options_.officeProgram, options_.profileFolder,      options_.pipeName,
                          options_.headless,      options_.officeEndsWithHost, options_.temporaryFolder};
    const auto deadline = std::chrono::steady_clock::now() + options_.startTimeout;
    // A fresh profile makes the office set itself up and ask for a restart
    // (exit code 81); a second restart would mean something else is wrong.
    int restarts = 0;
    setProcess(OfficeProcess::start(how));
    if (!process_) {
        failCall("cannot start " + options_.officeProgram);
    }
    for (;;) {
        if (gate_.aborted()) {
            // Cut off after the timeout: trying again would wait once more.
            // The office we started never answered: of no use to anyone.
            process_->kill();
            setProcess(std::nullopt);
            failCall("the spreadsheet did not answer in time");
        }
        try {
            if (tryConnectPipe()) {
                return;
            }
        } catch (const css::uno::Exception&) {
            // Accepting, but not ready to answer yet: try again.
            dropConnection();
        }
        if (const std::optional<int> code = process_->exitCode()) {
            if (*code == OfficeProcess::kRestartRequested && restarts < 2) {
                ++restarts;
                setProcess(OfficeProcess::start(how));
                if (!process_) {
                    failCall("cannot start " + options_.officeProgram);
                }
                continue;
            }
            setProcess(std::nullopt);
            failCall("the spreadsheet ended while starting (exit code " + std::to_string(*code) + ")");
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            // It never answered: it is of no use to anyone, and we started it.
            process_->kill();
            setProcess(std::nullopt);
            failCall("the spreadsheet did not answer in time");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

void CalcSession::dropConnection() {
    Reference<css::connection::XConnection> connection;
    Reference<css::lang::XComponent> bridge;
    {
        std::lock_guard lock(bridgeMutex_);
        connection = connection_;
        bridge = bridge_;
        connection_.clear();
        bridge_.clear();
    }
    connected_ = false;
    attachedViews_.clear();
    lastUsed_.clear();
    for (const std::weak_ptr<UnoHandle>& weak : handles_) {
        if (const auto handle = weak.lock()) {
            handle->releaseUno();
        }
    }
    handles_.clear();
    handlesAfterPrune_ = 0;
    state_->forgetDocuments();
    desktop_.clear();
    remoteContext_.clear();
    if (bridge.is()) {
        try {
            bridge->dispose();
        } catch (const css::uno::Exception&) {
        }
    } else if (connection.is()) {
        // A connection that never got its bridge.
        try {
            connection->close();
        } catch (const css::uno::Exception&) {
        }
    }
}

void CalcSession::abortCalls() {
    // Runs on the caller's thread while a call hangs. Closing the connection
    // first means that no answer can arrive any more and wakes whatever reads
    // or writes it; disposing the bridge makes the pending call return with an
    // error. Neither waits for the office. The connection is then gone; the
    // next connect() builds a new one.
    Reference<css::connection::XConnection> connection;
    Reference<css::lang::XComponent> bridge;
    {
        std::lock_guard lock(bridgeMutex_);
        connection = connection_;
        bridge = bridge_;
    }
    state_->bridgeGone = true;
    if (connection.is()) {
        try {
            connection->close();
        } catch (const css::uno::Exception&) {
        }
    }
    if (bridge.is()) {
        try {
            bridge->dispose();
        } catch (const css::uno::Exception&) {
        }
    }
}

void CalcSession::quit() {
    run([this] {
        // The office's own Quit command, sent without waiting for it: the
        // office asks about unsaved workbooks itself, as the spreadsheet's Quit does.
        const Reference<css::frame::XDispatchProvider> provider(desktop_, UNO_QUERY_THROW);
        css::util::URL url;
        url.Complete = ".uno:Quit";
        css::util::URLTransformer::create(remoteContext_)->parseStrict(url);
        const Reference<css::frame::XDispatch> dispatch = provider->queryDispatch(url, "_self", 0);
        if (!dispatch.is()) {
            failCall("the spreadsheet cannot quit now");
        }
        dispatch->dispatch(url, {});
        // Every operation fails until the next connect(), which finds the
        // office again if the user kept it running.
        connected_ = false;
        attachedViews_.clear();
        lastUsed_.clear();
    });
}

void CalcSession::attach(const Reference<css::sheet::XSpreadsheetDocument>& document) {
    const Reference<css::frame::XModel> model(document, UNO_QUERY);
    if (!model.is()) {
        return;
    }
    const Reference<css::frame::XController> controller = model->getCurrentController();
    if (!controller.is()) {
        return;
    }
    const Reference<XInterface> view = identity(controller);
    if (std::find(attachedViews_.begin(), attachedViews_.end(), view) != attachedViews_.end()) {
        return;
    }
    attachedViews_.push_back(view);
    if (const Reference<css::view::XSelectionSupplier> selection(controller, UNO_QUERY); selection.is()) {
        selection->addSelectionChangeListener(Reference<css::view::XSelectionChangeListener>(listener_));
    }
    if (const Reference<css::sheet::XActivationBroadcaster> sheets(controller, UNO_QUERY); sheets.is()) {
        sheets->addActivationEventListener(Reference<css::sheet::XActivationEventListener>(listener_));
    }
    if (const Reference<css::awt::XUserInputInterception> input(controller, UNO_QUERY); input.is()) {
        input->addKeyHandler(Reference<css::awt::XKeyHandler>(listener_));
    }
    // A document with a new view keeps its model listeners; add them once.
    const Reference<XInterface> id = identity(document);
    if (std::find(attachedViews_.begin(), attachedViews_.end(), id) == attachedViews_.end()) {
        attachedViews_.push_back(id);
        if (const Reference<css::util::XChangesNotifier> changes(document, UNO_QUERY); changes.is()) {
            changes->addChangesListener(Reference<css::util::XChangesListener>(listener_));
        }
        // Calc reports cell changes made through its API only to listeners on
        // the cells themselves: one listener per sheet covers every cell.
        const Reference<css::container::XIndexAccess> sheets(document->getSheets(), UNO_QUERY_THROW);
        for (sal_Int32 i = 0; i < sheets->getCount(); ++i) {
            if (const Reference<css::util::XModifyBroadcaster> cells(sheets->getByIndex(i), UNO_QUERY);
                cells.is()) {
                cells->addModifyListener(Reference<css::util::XModifyListener>(listener_));
            }
        }
        if (const Reference<css::lang::XComponent> component(document, UNO_QUERY); component.is()) {
            component->addEventListener(
                Reference<css::lang::XEventListener>(static_cast<css::util::XChangesListener*>(listener_)));
        }
    }
}

void CalcSession::attachNewDocuments() {
    for (const Reference<XInterface>& document : state_->takeNewDocuments()) {
        attach(Reference<css::sheet::XSpreadsheetDocument>(document, UNO_QUERY));
    }
}

void CalcSession::noteUsed(const Reference<css::sheet::XSpreadsheetDocument>& document) {
    lastUsed_ = document;
    attach(document);
}

Reference<css::sheet::XSpreadsheetDocument> CalcSession::activeDocument() {
    const bool lastUsedOpen = lastUsed_.is() && !state_->isClosed(lastUsed_);
    Reference<css::sheet::XSpreadsheetDocument> current(desktop_->getCurrentComponent(), UNO_QUERY);
    if (current.is() && !state_->isClosed(current)) {
        // The office's current component follows the window the user worked
        // in last; a hidden window never becomes current, so a hidden workbook
        // the program used last stays the active one.
        if (!lastUsedOpen || current == lastUsed_ || isShown(lastUsed_)) {
            return current;
        }
    }
    if (lastUsedOpen) {
        return lastUsed_;
    }
    const Reference<css::container::XEnumeration> components = desktop_->getComponents()->createEnumeration();
    while (components->hasMoreElements()) {
        Reference<css::sheet::XSpreadsheetDocument> document(components->nextElement(), UNO_QUERY);
        if (document.is() && !state_->isClosed(document)) {
            return document;
        }
    }
    return {};
}

void CalcSession::requireOpen(const Reference<XInterface>& document) const {
    if (!document.is()) {
        failCall("the connection this object came through has ended");
    }
    if (state_->isClosed(document)) {
        failCall("the workbook has been closed");
    }
}

} // namespace lumitag::platform::calc
