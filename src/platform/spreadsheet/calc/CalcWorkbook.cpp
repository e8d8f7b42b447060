#include "platform/spreadsheet/calc/CalcWorkbook.h"

#include "platform/spreadsheet/calc/CalcSession.h"
#include "platform/spreadsheet/calc/CalcWorksheet.h"
#include "platform/spreadsheet/calc/UnoText.h"

#include <array>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/frame/XTitle.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/util/URLTransformer.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <rtl/uri.hxx>

namespace lumitag::platform::calc {

using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

CalcWorkbook::CalcWorkbook(std::shared_ptr<CalcSession> session,
                           Reference<css::sheet::XSpreadsheetDocument> document)
    : session_(std::move(session)), document_(std::move(document)) {}

Text CalcWorkbook::name() {
    return session_->get([&] {
        session_->requireOpen(document_);
        // A saved workbook is called by its file name, a new one by its title ("Untitled 1").
        const Reference<css::frame::XModel> model(document_, UNO_QUERY_THROW);
        const rtl::OUString url = model->getURL();
        if (!url.isEmpty()) {
            const rtl::OUString last = url.copy(url.lastIndexOf('/') + 1);
            return fromUno(rtl::Uri::decode(last, rtl_UriDecodeWithCharset, RTL_TEXTENCODING_UTF8));
        }
        const Reference<css::frame::XTitle> title(document_, UNO_QUERY_THROW);
        return fromUno(title->getTitle());
    });
}

int CalcWorkbook::sheetCount() {
    return session_->get([&] {
        session_->requireOpen(document_);
        const Reference<css::container::XIndexAccess> sheets(document_->getSheets(), UNO_QUERY_THROW);
        return static_cast<int>(sheets->getCount());
    });
}

std::vector<Text> CalcWorkbook::sheetNames() {
    return session_->get([&] {
        session_->requireOpen(document_);
        std::vector<Text> names;
        // Element names come in sheet order.
        for (const rtl::OUString& name : document_->getSheets()->getElementNames()) {
            names.push_back(fromUno(name));
        }
        return names;
    });
}

std::shared_ptr<Worksheet> CalcWorkbook::worksheet(const Text& name) {
    return session_->get([&]() -> std::shared_ptr<Worksheet> {
        session_->requireOpen(document_);
        const auto sheets = document_->getSheets();
        const rtl::OUString unoName = toUno(name);
        if (!sheets->hasByName(unoName)) {
            failCall("no sheet of that name");
        }
        Reference<css::sheet::XSpreadsheet> sheet(sheets->getByName(unoName), UNO_QUERY_THROW);
        return session_->makeHandle<CalcWorksheet>(session_, document_, sheet);
    });
}

std::shared_ptr<Worksheet> CalcWorkbook::worksheet(int index) {
    return session_->get([&]() -> std::shared_ptr<Worksheet> {
        session_->requireOpen(document_);
        const Reference<css::container::XIndexAccess> sheets(document_->getSheets(), UNO_QUERY_THROW);
        if (index < 1 || index > sheets->getCount()) {
            failCall("no sheet at that index");
        }
        Reference<css::sheet::XSpreadsheet> sheet(sheets->getByIndex(index - 1), UNO_QUERY_THROW);
        return session_->makeHandle<CalcWorksheet>(session_, document_, sheet);
    });
}

void CalcWorkbook::close() {
    // What the host remembers of the office's windows is asked again.
    ++session_->state().documentEvents;
    session_->run([&] {
        session_->requireOpen(document_);
        const Reference<css::util::XModifiable> modifiable(document_, UNO_QUERY_THROW);
        if (!modifiable->isModified()) {
            Reference<css::util::XCloseable>(document_, UNO_QUERY_THROW)->close(true);
            return;
        }
        // Unsaved changes: Calc's own Close command asks the user whether to
        // save. It is sent without waiting (dispatch is one-way), so the
        // program is not frozen while the user decides.
        const Reference<css::frame::XModel> model(document_, UNO_QUERY_THROW);
        const Reference<css::frame::XFrame> frame = model->getCurrentController()->getFrame();
        const Reference<css::frame::XDispatchProvider> provider(frame, UNO_QUERY_THROW);
        css::util::URL url;
        url.Complete = ".uno:CloseDoc";
        css::util::URLTransformer::create(session_->remoteContext())->parseStrict(url);
        const Reference<css::frame::XDispatch> dispatch = provider->queryDispatch(url, "_self", 0);
        if (!dispatch.is()) {
            failCall("the workbook cannot be closed now");
        }
        dispatch->dispatch(url, {});
    });
}

void CalcWorkbook::storeAs(const std::string& path) {
    session_->requireOpen(document_);
    const rtl::OUString url = fileUrl(path);
    if (url.isEmpty()) {
        failCall("not an absolute path");
    }
    rtl::OUString filter;
    if (url.endsWithIgnoreAsciiCase(".xlsx")) {
        filter = "Calc MS Excel 2007 XML";
    } else if (url.endsWithIgnoreAsciiCase(".xls")) {
        filter = "MS Excel 97";
    } else if (url.endsWithIgnoreAsciiCase(".ods")) {
        filter = "calc8";
    } else {
        failCall("unknown workbook format");
    }
    css::beans::PropertyValue filterName;
    filterName.Name = "FilterName";
    filterName.Value <<= filter;
    css::beans::PropertyValue overwrite;
    overwrite.Name = "Overwrite";
    overwrite.Value <<= true;
    Reference<css::frame::XStorable>(document_, UNO_QUERY_THROW)
        ->storeAsURL(
            url, css::uno::Sequence<css::beans::PropertyValue>(std::array{filterName, overwrite}.data(), 2));
}

void CalcWorkbook::releaseUno() {
    document_.clear();
}

} // namespace lumitag::platform::calc
