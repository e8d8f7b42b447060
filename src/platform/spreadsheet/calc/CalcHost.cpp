#include "platform/spreadsheet/calc/CalcHost.h"

#include "platform/Encoding.h"
#include "platform/spreadsheet/calc/CalcSession.h"
#include "platform/spreadsheet/calc/CalcWorkbook.h"
#include "platform/spreadsheet/calc/CalcWorksheet.h"
#include "platform/spreadsheet/calc/UnoText.h"

#include <com/sun/star/awt/SystemDependentXWindow.hpp>
#include <com/sun/star/awt/XSystemDependentWindowPeer.hpp>
#include <com/sun/star/awt/XTopWindow2.hpp>
#include <com/sun/star/awt/XWindow2.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XFrames.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XTitle.hpp>
#include <com/sun/star/lang/SystemDependent.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XSheetCellRanges.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>
#include <filesystem>
#include <rtl/process.h>

namespace lumitag::platform::calc {

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

css::beans::PropertyValue property(const char* name, const Any& value) {
    css::beans::PropertyValue result;
    result.Name = rtl::OUString::createFromAscii(name);
    result.Value = value;
    return result;
}

css::uno::Sequence<css::beans::PropertyValue>
properties(std::initializer_list<css::beans::PropertyValue> list) {
    return css::uno::Sequence<css::beans::PropertyValue>(list.begin(), static_cast<sal_Int32>(list.size()));
}

// Every top-level frame of the office that shows a document.
std::vector<Reference<css::frame::XFrame>> documentFrames(const Reference<css::frame::XDesktop2>& desktop) {
    std::vector<Reference<css::frame::XFrame>> frames;
    const Reference<css::container::XIndexAccess> all(desktop->getFrames(), UNO_QUERY_THROW);
    for (sal_Int32 i = 0; i < all->getCount(); ++i) {
        Reference<css::frame::XFrame> frame(all->getByIndex(i), UNO_QUERY);
        if (frame.is()) {
            frames.push_back(frame);
        }
    }
    return frames;
}

Reference<css::frame::XController> controllerOf(const Reference<css::sheet::XSpreadsheetDocument>& document) {
    return Reference<css::frame::XModel>(document, UNO_QUERY_THROW)->getCurrentController();
}

// The address of the selection: a cell, a range, or the first of several ranges.
css::table::CellRangeAddress selectionAddress(const Reference<css::frame::XController>& controller) {
    const Any selection =
        Reference<css::view::XSelectionSupplier>(controller, UNO_QUERY_THROW)->getSelection();
    if (Reference<css::sheet::XCellRangeAddressable> range(selection, UNO_QUERY); range.is()) {
        return range->getRangeAddress();
    }
    if (Reference<css::sheet::XSheetCellRanges> ranges(selection, UNO_QUERY); ranges.is()) {
        const auto addresses = ranges->getRangeAddresses();
        if (addresses.getLength() > 0) {
            return addresses[0];
        }
    }
    failCall("no cells are selected");
}

} // namespace

CalcHost::CalcHost(CalcHostOptions options) : session_(std::make_shared<CalcSession>(std::move(options))) {}

CalcHost::~CalcHost() = default;

void CalcHost::connect() {
    noteOwnChange();
    session_->connect();
}

void CalcHost::quit() {
    noteOwnChange();
    session_->quit();
}

void CalcHost::noteOwnChange() {
    ++session_->state().documentEvents;
}

bool CalcHost::answersStand(std::uint64_t seen) {
    return seen != 0 && seen == session_->state().documentEvents.load() && !session_->officeGone();
}

bool CalcHost::visible() {
    // The watcher asks this, and the spreadsheet's window, every 100 ms. Both
    // change only with a document event of the office or through this host,
    // so until then the last answers stand without a call into the office.
    if (answersStand(visibleSeen_)) {
        return visibleAnswer_;
    }
    const std::uint64_t events = session_->state().documentEvents.load();
    visibleAnswer_ = session_->get([&] {
        const auto frames = documentFrames(session_->desktop());
        if (frames.empty()) {
            // No window yet: the workbooks the program adds will be shown.
            return session_->requestedVisible();
        }
        for (const auto& frame : frames) {
            const Reference<css::awt::XWindow2> window(frame->getContainerWindow(), UNO_QUERY);
            if (window.is() && window->isVisible()) {
                return true;
            }
        }
        return false;
    });
    visibleSeen_ = events;
    return visibleAnswer_;
}

void CalcHost::setVisible(bool visible) {
    noteOwnChange();
    session_->run([&] {
        session_->setRequestedVisible(visible);
        for (const auto& frame : documentFrames(session_->desktop())) {
            if (const auto window = frame->getContainerWindow(); window.is()) {
                window->setVisible(visible);
            }
        }
    });
}

void CalcHost::setScreenUpdating(bool updating) {
    session_->run([&] {
        const auto document = session_->activeDocument();
        if (!document.is()) {
            return;
        }
        const Reference<css::frame::XModel> model(document, UNO_QUERY_THROW);
        if (updating) {
            while (model->hasControllersLocked()) {
                model->unlockControllers();
            }
        } else if (!model->hasControllersLocked()) {
            model->lockControllers();
        }
    });
}

std::shared_ptr<Workbook> CalcHost::addWorkbook() {
    noteOwnChange();
    return session_->get([&]() -> std::shared_ptr<Workbook> {
        const Reference<css::frame::XComponentLoader> loader(session_->desktop(), UNO_QUERY_THROW);
        const auto component = loader->loadComponentFromURL(
            "private:factory/scalc", "_blank", 0,
            properties({property("Hidden", Any(!session_->requestedVisible()))}));
        Reference<css::sheet::XSpreadsheetDocument> document(component, UNO_QUERY);
        if (!document.is()) {
            failCall("the spreadsheet did not create a workbook");
        }
        session_->noteUsed(document);
        return session_->makeHandle<CalcWorkbook>(session_, document);
    });
}

std::shared_ptr<Workbook> CalcHost::openWorkbook(const Text& path) {
    return openWorkbook(path, std::string());
}

std::shared_ptr<Workbook> CalcHost::openWorkbook(const Text& path, const std::string& filterName) {
    noteOwnChange();
    std::shared_ptr<Workbook> workbook;
    session_->run(
        [&] {
            std::error_code error;
            const std::filesystem::path absolute = std::filesystem::absolute(toUtf8(path), error);
            if (error || !std::filesystem::is_regular_file(absolute, error)) {
                failCall("no such workbook file");
            }
            const Reference<css::frame::XComponentLoader> loader(session_->desktop(), UNO_QUERY_THROW);
            // "_default" activates the window of a workbook that is already open.
            auto loadProperties = properties(
                {property("Hidden", Any(!session_->requestedVisible())), property("Silent", Any(true))});
            const auto add = [&](const css::beans::PropertyValue& value) {
                const sal_Int32 count = loadProperties.getLength();
                loadProperties.realloc(count + 1);
                loadProperties.getArray()[count] = value;
            };
            if (session_->options().openReadOnly) {
                add(property("ReadOnly", Any(true)));
            }
            if (!filterName.empty()) {
                add(property("FilterName", Any(rtl::OUString::createFromAscii(filterName.c_str()))));
            }
            const auto component =
                loader->loadComponentFromURL(fileUrl(absolute.string()), "_default", 0, loadProperties);
            Reference<css::sheet::XSpreadsheetDocument> document(component, UNO_QUERY);
            if (!document.is()) {
                if (Reference<css::util::XCloseable> other(component, UNO_QUERY); other.is()) {
                    other->close(true); // opened, but not as a spreadsheet
                }
                failCall("the file is not a workbook");
            }
            session_->noteUsed(document);
            workbook = session_->makeHandle<CalcWorkbook>(session_, document);
        },
        session_->options().openTimeout);
    return workbook;
}

std::shared_ptr<Workbook> CalcHost::activeWorkbook() {
    return session_->get([&]() -> std::shared_ptr<Workbook> {
        const auto document = session_->activeDocument();
        if (!document.is()) {
            failCall("no workbook is open");
        }
        session_->attach(document);
        return session_->makeHandle<CalcWorkbook>(session_, document);
    });
}

std::shared_ptr<Worksheet> CalcHost::activeSheet() {
    return session_->get([&]() -> std::shared_ptr<Worksheet> {
        const auto document = session_->activeDocument();
        if (!document.is()) {
            failCall("no workbook is open");
        }
        const Reference<css::sheet::XSpreadsheetView> view(controllerOf(document), UNO_QUERY_THROW);
        return session_->makeHandle<CalcWorksheet>(session_, document, view->getActiveSheet());
    });
}

CellRef CalcHost::activeCell() {
    return session_->get([&] {
        const auto document = session_->activeDocument();
        if (!document.is()) {
            failCall("no workbook is open");
        }
        // The selection's top-left cell: where the cursor stands after a
        // click, and the first cell of a selected block.
        const css::table::CellRangeAddress address = selectionAddress(controllerOf(document));
        return CellRef{address.StartRow + 1, address.StartColumn + 1};
    });
}

SelectedRows CalcHost::selectedRows() {
    return session_->get([&] {
        const auto document = session_->activeDocument();
        if (!document.is()) {
            failCall("no workbook is open");
        }
        const css::table::CellRangeAddress address = selectionAddress(controllerOf(document));
        return SelectedRows{address.StartRow + 1, address.EndRow - address.StartRow + 1};
    });
}

void CalcHost::maximizeActiveWindow() {
    // Every workbook has a top-level window of its own here, so it always
    // fills its application's window: there is nothing to maximise. The
    // window is still looked up, so that a busy or workbook-less office fails
    // as the program expects. Maximising the top-level window instead would
    // race the program's own placement of it (the window system applies the
    // two in either order) and cover the program's window.
    session_->run([&] {
        const auto document = session_->activeDocument();
        if (!document.is()) {
            failCall("no workbook is open");
        }
        const Reference<css::awt::XTopWindow2> window(
            controllerOf(document)->getFrame()->getContainerWindow(), UNO_QUERY_THROW);
        (void)window->getIsMaximized();
    });
}

void CalcHost::disableKey(const Text& key) {
    const auto& keys = disableableKeys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (key == keys[i].name) {
            session_->state().disabledKeys.fetch_or(1u << i);
            return;
        }
    }
    throw SpreadsheetError("not a key the spreadsheet can switch off");
}

HostWindow CalcHost::mainWindow() {
    if (answersStand(mainWindowSeen_)) {
        return mainWindowAnswer_;
    }
    const std::uint64_t events = session_->state().documentEvents.load();
    mainWindowAnswer_ = session_->get([&] {
        HostWindow result;
        const auto document = session_->activeDocument();
        if (!document.is()) {
            return result;
        }
        const Reference<css::frame::XFrame> frame = controllerOf(document)->getFrame();
        const Reference<css::awt::XSystemDependentWindowPeer> peer(frame->getContainerWindow(), UNO_QUERY);
        if (peer.is()) {
            css::uno::Sequence<sal_Int8> processId(16);
            rtl_getGlobalProcessId(reinterpret_cast<sal_uInt8*>(processId.getArray()));
            css::awt::SystemDependentXWindow xwindow;
            if (peer->getWindowHandle(processId, css::lang::SystemDependent::SYSTEM_XWINDOW) >>= xwindow) {
                result.windowId = static_cast<std::uint64_t>(xwindow.WindowHandle);
            }
        }
        // Calc's X11 windows carry the class "libreoffice-calc".
        result.windowClass = U"libreoffice-calc";
        if (const Reference<css::frame::XTitle> title(frame, UNO_QUERY); title.is()) {
            result.title = fromUno(title->getTitle());
        }
        return result;
    });
    mainWindowSeen_ = events;
    return mainWindowAnswer_;
}

void CalcHost::setEventHandlers(SpreadsheetEvents handlers) {
    handlers_ = std::move(handlers);
}

void CalcHost::pumpEvents() {
    try {
        // Views the user opened in Calc since the last pump get their listeners.
        if (session_->state().newDocumentsWaiting()) {
            session_->run([&] { session_->attachNewDocuments(); });
        }
    } catch (const SpreadsheetError&) {
        // No spreadsheet: nothing to listen to; queued events still go out.
    }
    for (const HostEvent event : session_->state().events.takeAll()) {
        const std::function<void()>* handler = nullptr;
        switch (event) {
        case HostEvent::SheetActivated:
            handler = &handlers_.sheetActivated;
            break;
        case HostEvent::SelectionChanged:
            handler = &handlers_.selectionChanged;
            break;
        case HostEvent::SheetChanged:
            handler = &handlers_.sheetChanged;
            break;
        }
        if (handler != nullptr && *handler) {
            (*handler)();
        }
    }
}

void CalcHost::saveActiveWorkbookAs(const Text& path) {
    noteOwnChange(); // the window's title follows the new name
    session_->run(
        [&] {
            const auto document = session_->activeDocument();
            if (!document.is()) {
                failCall("no workbook is open");
            }
            std::error_code error;
            const std::filesystem::path absolute = std::filesystem::absolute(toUtf8(path), error);
            CalcWorkbook(session_, document).storeAs(absolute.string());
        },
        session_->options().openTimeout);
}

std::optional<pid_t> CalcHost::officeProcessId() const {
    return session_->processId();
}

CalcHost::CallTime CalcHost::callTime() const {
    return {session_->callCount(), session_->callTime()};
}

} // namespace lumitag::platform::calc
