#include "platform/spreadsheet/calc/CalcWorksheet.h"

#include "platform/spreadsheet/calc/CalcRange.h"
#include "platform/spreadsheet/calc/CalcSession.h"
#include "platform/spreadsheet/calc/CalcUnits.h"
#include "platform/spreadsheet/calc/UnoText.h"

#include <algorithm>
#include <com/sun/star/beans/Property.hpp>
#include <com/sun/star/beans/PropertyAttribute.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/beans/XPropertySetInfo.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/container/XNameContainer.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/datatransfer/DataFlavor.hpp>
#include <com/sun/star/datatransfer/XTransferable.hpp>
#include <com/sun/star/datatransfer/clipboard/SystemClipboard.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XCellRangeFormula.hpp>
#include <com/sun/star/sheet/XCellRangesQuery.hpp>
#include <com/sun/star/sheet/XSheetCellRanges.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/table/XColumnRowRange.hpp>
#include <com/sun/star/table/XTableRows.hpp>

namespace lumitag::platform::calc {

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

// Rows(row).IsVisible of each row, one row at a time: two calls into the
// office per row.
std::vector<RowSpan> hiddenRowsOneByOne(const Reference<css::sheet::XSpreadsheet>& sheet, int firstRow,
                                        int lastRow) {
    const Reference<css::table::XColumnRowRange> columnsRows(sheet, UNO_QUERY_THROW);
    const Reference<css::container::XIndexAccess> rows(columnsRows->getRows(), UNO_QUERY_THROW);
    std::vector<RowSpan> spans;
    for (int row = firstRow; row <= lastRow; ++row) {
        const Reference<css::beans::XPropertySet> properties(rows->getByIndex(row - 1), UNO_QUERY_THROW);
        if (properties->getPropertyValue("IsVisible").get<bool>()) {
            continue;
        }
        if (!spans.empty() && spans.back().last + 1 == row) {
            spans.back().last = row;
        } else {
            spans.push_back({row, row});
        }
    }
    return spans;
}

// The rows first to last that none of the areas covers, as spans.
std::vector<RowSpan> rowsOutside(const css::uno::Sequence<css::table::CellRangeAddress>& areas, int firstRow,
                                 int lastRow) {
    std::vector<RowSpan> covered;
    for (const css::table::CellRangeAddress& area : areas) {
        covered.push_back({std::max(firstRow, area.StartRow + 1), std::min(lastRow, area.EndRow + 1)});
    }
    std::sort(covered.begin(), covered.end(),
              [](const RowSpan& a, const RowSpan& b) { return a.first < b.first; });
    std::vector<RowSpan> outside;
    int next = firstRow;
    for (const RowSpan& span : covered) {
        if (span.first > span.last) {
            continue;
        }
        if (span.first > next) {
            outside.push_back({next, span.first - 1});
        }
        next = std::max(next, span.last + 1);
    }
    if (next <= lastRow) {
        outside.push_back({next, lastRow});
    }
    return outside;
}

// The page style that serves this sheet alone, so that its margins change no
// other sheet: its own style when no other sheet uses it and it is not the
// document's default (which every new sheet takes); otherwise a copy of the
// style, named after the sheet, made for it.
Reference<css::beans::XPropertySet>
sheetOwnPageStyle(const Reference<css::sheet::XSpreadsheetDocument>& document,
                  const Reference<css::sheet::XSpreadsheet>& sheet) {
    const Reference<css::beans::XPropertySet> sheetProperties(sheet, UNO_QUERY_THROW);
    const rtl::OUString styleName = sheetProperties->getPropertyValue("PageStyle").get<rtl::OUString>();
    const Reference<css::style::XStyleFamiliesSupplier> families(document, UNO_QUERY_THROW);
    const Reference<css::container::XNameContainer> pageStyles(
        families->getStyleFamilies()->getByName("PageStyles"), UNO_QUERY_THROW);
    const Reference<css::beans::XPropertySet> current(pageStyles->getByName(styleName), UNO_QUERY_THROW);

    const Reference<css::container::XIndexAccess> sheets(document->getSheets(), UNO_QUERY_THROW);
    int users = 0;
    for (sal_Int32 i = 0; i < sheets->getCount(); ++i) {
        const Reference<css::beans::XPropertySet> other(sheets->getByIndex(i), UNO_QUERY_THROW);
        if (other->getPropertyValue("PageStyle").get<rtl::OUString>() == styleName) {
            ++users;
        }
    }
    if (users == 1 && styleName != "Default") {
        return current;
    }

    const rtl::OUString base = Reference<css::container::XNamed>(sheet, UNO_QUERY_THROW)->getName();
    rtl::OUString name = base;
    for (int n = 2; pageStyles->hasByName(name); ++n) {
        name = base + " (" + rtl::OUString::number(n) + ")";
    }
    const Reference<css::lang::XMultiServiceFactory> factory(document, UNO_QUERY_THROW);
    const Reference<css::beans::XPropertySet> own(factory->createInstance("com.sun.star.style.PageStyle"),
                                                  UNO_QUERY_THROW);
    pageStyles->insertByName(name, Any(own));
    // Everything else of the page stays as the old style had it; what a
    // style does not let one set (its name, its use) is left alone.
    for (const css::beans::Property& property : current->getPropertySetInfo()->getProperties()) {
        if ((property.Attributes & css::beans::PropertyAttribute::READONLY) != 0) {
            continue;
        }
        try {
            own->setPropertyValue(property.Name, current->getPropertyValue(property.Name));
        } catch (const css::uno::Exception&) {
        }
    }
    sheetProperties->setPropertyValue("PageStyle", Any(name));
    return own;
}

Text lowered(TextView text) {
    Text result(text);
    for (char32_t& c : result) {
        if (c >= U'A' && c <= U'Z') {
            c = c - U'A' + U'a';
        }
    }
    return result;
}

} // namespace

bool isAllowedSheetName(TextView name) {
    if (name.empty() || name.size() > 31 || name.front() == U'\'' || name.back() == U'\'') {
        return false;
    }
    return name.find_first_of(U":\\/?*[]") == TextView::npos;
}

std::vector<std::vector<Text>> splitClipboardText(TextView text) {
    std::vector<std::vector<Text>> rows;
    std::vector<Text> row{Text()};
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (c == U'\t') {
            row.emplace_back();
        } else if (c == U'\r' || c == U'\n') {
            if (c == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') {
                ++i;
            }
            rows.push_back(std::move(row));
            row = {Text()};
        } else {
            row.back().push_back(c);
        }
    }
    if (row.size() > 1 || !row.front().empty()) {
        rows.push_back(std::move(row));
    }
    return rows;
}

CalcWorksheet::CalcWorksheet(std::shared_ptr<CalcSession> session,
                             Reference<css::sheet::XSpreadsheetDocument> document,
                             Reference<css::sheet::XSpreadsheet> sheet)
    : session_(std::move(session)), document_(std::move(document)), sheet_(std::move(sheet)) {}

Text CalcWorksheet::name() {
    return session_->get([&] {
        session_->requireOpen(document_);
        return fromUno(Reference<css::container::XNamed>(sheet_, UNO_QUERY_THROW)->getName());
    });
}

void CalcWorksheet::setName(const Text& name) {
    session_->run([&] {
        session_->requireOpen(document_);
        if (!isAllowedSheetName(name)) {
            failCall("the spreadsheet does not allow that sheet name");
        }
        const Reference<css::container::XNamed> named(sheet_, UNO_QUERY_THROW);
        const Text current = fromUno(named->getName());
        const Text wanted = lowered(name);
        // Sheet names are compared without letter case; the sheet's own name
        // in another case is a plain rename.
        for (const rtl::OUString& other : document_->getSheets()->getElementNames()) {
            const Text otherName = fromUno(other);
            if (otherName != current && lowered(otherName) == wanted) {
                failCall("another sheet has that name");
            }
        }
        named->setName(toUno(name));
        // Calc refuses a name silently; the spreadsheet's contract is to fail.
        if (fromUno(named->getName()) != name) {
            failCall("the spreadsheet refused the sheet name");
        }
    });
}

void CalcWorksheet::activate() {
    session_->run([&] {
        session_->requireOpen(document_);
        const Reference<css::frame::XModel> model(document_, UNO_QUERY_THROW);
        const Reference<css::frame::XController> controller = model->getCurrentController();
        const Reference<css::sheet::XSpreadsheetView> view(controller, UNO_QUERY_THROW);
        if (const Reference<css::frame::XFrame> frame = controller->getFrame(); frame.is()) {
            frame->activate();
        }
        view->setActiveSheet(sheet_);
        session_->noteUsed(document_);
    });
}

std::shared_ptr<Range> CalcWorksheet::makeRange(const CellArea& area) {
    session_->requireOpen(document_);
    const Reference<css::table::XCellRange> cells = sheet_->getCellRangeByPosition(
        area.first.column - 1, area.first.row - 1, area.last.column - 1, area.last.row - 1);
    return session_->makeHandle<CalcRange>(session_, document_, sheet_, cells, area);
}

std::shared_ptr<Range> CalcWorksheet::cell(int row, int column) {
    return range(CellRef{row, column}, CellRef{row, column});
}

std::shared_ptr<Range> CalcWorksheet::allCells() {
    return session_->get([&] {
        session_->requireOpen(document_);
        // The sheet's own extent: Calc's sheets may be smaller than the worksheet the callers assume.
        const Reference<css::sheet::XCellRangeAddressable> whole(sheet_, UNO_QUERY_THROW);
        const css::table::CellRangeAddress address = whole->getRangeAddress();
        return makeRange(CellArea{{address.StartRow + 1, address.StartColumn + 1},
                                  {address.EndRow + 1, address.EndColumn + 1}});
    });
}

std::shared_ptr<Range> CalcWorksheet::range(TextView first, TextView last) {
    const std::optional<CellRef> a = parseCellAddress(first);
    const std::optional<CellRef> b = parseCellAddress(last);
    if (!a || !b) {
        throw SpreadsheetError("not a cell address");
    }
    return range(*a, *b);
}

std::shared_ptr<Range> CalcWorksheet::range(CellRef first, CellRef last) {
    return session_->get([&] { return makeRange(areaBetween(first, last)); });
}

bool CalcWorksheet::rowHidden(int row) {
    return session_->get([&] {
        session_->requireOpen(document_);
        const Reference<css::table::XColumnRowRange> columnsRows(sheet_, UNO_QUERY_THROW);
        const Reference<css::beans::XPropertySet> rowProperties(columnsRows->getRows()->getByIndex(row - 1),
                                                                UNO_QUERY_THROW);
        return !rowProperties->getPropertyValue("IsVisible").get<bool>();
    });
}

void CalcWorksheet::setRowHidden(int row, bool hidden) {
    session_->run([&] {
        session_->requireOpen(document_);
        const Reference<css::table::XColumnRowRange> columnsRows(sheet_, UNO_QUERY_THROW);
        const Reference<css::beans::XPropertySet> rowProperties(columnsRows->getRows()->getByIndex(row - 1),
                                                                UNO_QUERY_THROW);
        rowProperties->setPropertyValue("IsVisible", Any(!hidden));
    });
}

std::vector<RowSpan> CalcWorksheet::hiddenRows(int firstRow, int lastRow) {
    return session_->get([&]() -> std::vector<RowSpan> {
        session_->requireOpen(document_);
        const Reference<css::sheet::XCellRangeAddressable> whole(sheet_, UNO_QUERY_THROW);
        const css::table::CellRangeAddress extent = whole->getRangeAddress();
        if (lastRow < firstRow) {
            return {};
        }
        if (firstRow < 1 || lastRow > extent.EndRow + 1) {
            failCall("no such row");
        }
        // The visible cells of the rows across the sheet's whole width, in
        // one query: rows no visible area touches are the hidden ones. A
        // hidden column only splits the areas.
        const Reference<css::sheet::XCellRangesQuery> rows(
            sheet_->getCellRangeByPosition(0, firstRow - 1, extent.EndColumn, lastRow - 1), UNO_QUERY_THROW);
        const css::uno::Sequence<css::table::CellRangeAddress> visible =
            rows->queryVisibleCells()->getRangeAddresses();
        if (visible.getLength() > 0) {
            return rowsOutside(visible, firstRow, lastRow);
        }
        // Nothing visible: every row of the range is hidden, unless every
        // column of the sheet is, which hides all cells whatever the rows.
        const Reference<css::sheet::XCellRangesQuery> sheetCells(sheet_, UNO_QUERY_THROW);
        if (sheetCells->queryVisibleCells()->getRangeAddresses().getLength() > 0) {
            return {{firstRow, lastRow}};
        }
        return hiddenRowsOneByOne(sheet_, firstRow, lastRow);
    });
}

void CalcWorksheet::paste(const Range& destination) {
    const CellArea target = destination.area();
    session_->run([&] {
        session_->requireOpen(document_);
        // The clipboard Calc itself sees (on its display), read as plain text.
        const auto clipboard =
            css::datatransfer::clipboard::SystemClipboard::create(session_->remoteContext());
        const Reference<css::datatransfer::XTransferable> contents = clipboard->getContents();
        css::datatransfer::DataFlavor flavor;
        flavor.MimeType = "text/plain;charset=utf-16";
        flavor.DataType = cppu::UnoType<rtl::OUString>::get();
        if (!contents.is() || !contents->isDataFlavorSupported(flavor)) {
            failCall("the clipboard holds no text");
        }
        rtl::OUString text;
        contents->getTransferData(flavor) >>= text;
        const std::vector<std::vector<Text>> rows = splitClipboardText(fromUno(text));
        if (rows.empty()) {
            return;
        }
        std::size_t columns = 0;
        for (const auto& row : rows) {
            columns = std::max(columns, row.size());
        }
        // Each cell is entered as if typed, as the spreadsheet's paste of text does.
        css::uno::Sequence<css::uno::Sequence<rtl::OUString>> formulas(static_cast<sal_Int32>(rows.size()));
        auto* formulaRows = formulas.getArray();
        for (std::size_t r = 0; r < rows.size(); ++r) {
            css::uno::Sequence<rtl::OUString> line(static_cast<sal_Int32>(columns));
            auto* cells = line.getArray();
            for (std::size_t c = 0; c < rows[r].size(); ++c) {
                cells[c] = toUno(rows[r][c]);
            }
            formulaRows[r] = line;
        }
        enterTexts(
            document_,
            sheet_->getCellRangeByPosition(target.first.column - 1, target.first.row - 1,
                                           target.first.column - 1 + static_cast<sal_Int32>(columns) - 1,
                                           target.first.row - 1 + static_cast<sal_Int32>(rows.size()) - 1),
            formulas);
    });
}

void CalcWorksheet::setPageMargins(const PageMargins& margins) {
    session_->run([&] {
        session_->requireOpen(document_);
        const Reference<css::beans::XPropertySet> style = sheetOwnPageStyle(document_, sheet_);
        // The margins are where the cells print from the paper's edges. Calc
        // puts its header and footer inside the margins, which would move
        // the cells (and print the sheet's name and page number onto label
        // stock), so a sheet with margins set prints without them.
        style->setPropertyValue("HeaderIsOn", Any(false));
        style->setPropertyValue("FooterIsOn", Any(false));
        style->setPropertyValue("LeftMargin", Any(static_cast<sal_Int32>(pointsToHundredthMm(margins.left))));
        style->setPropertyValue("RightMargin",
                                Any(static_cast<sal_Int32>(pointsToHundredthMm(margins.right))));
        style->setPropertyValue("TopMargin", Any(static_cast<sal_Int32>(pointsToHundredthMm(margins.top))));
        style->setPropertyValue("BottomMargin",
                                Any(static_cast<sal_Int32>(pointsToHundredthMm(margins.bottom))));
    });
}

void CalcWorksheet::releaseUno() {
    document_.clear();
    sheet_.clear();
}

} // namespace lumitag::platform::calc
