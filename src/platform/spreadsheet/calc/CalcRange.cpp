#include "platform/spreadsheet/calc/CalcRange.h"

#include "platform/spreadsheet/calc/CalcSession.h"
#include "platform/spreadsheet/calc/CalcUnits.h"
#include "platform/spreadsheet/calc/UnoText.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/Locale.hpp>
#include <com/sun/star/sheet/CellFlags.hpp>
#include <com/sun/star/sheet/CellInsertMode.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XCellRangeFormula.hpp>
#include <com/sun/star/sheet/XCellRangeMovement.hpp>
#include <com/sun/star/sheet/XCellRangesQuery.hpp>
#include <com/sun/star/sheet/XSheetCellRanges.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <com/sun/star/sheet/XUniqueCellFormatRangesSupplier.hpp>
#include <com/sun/star/table/CellHoriJustify.hpp>
#include <com/sun/star/table/CellVertJustify2.hpp>
#include <com/sun/star/table/XColumnRowRange.hpp>
#include <com/sun/star/util/NumberFormat.hpp>
#include <com/sun/star/util/XNumberFormats.hpp>
#include <com/sun/star/util/XNumberFormatsSupplier.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace lumitag::platform::calc {

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using css::uno::XInterface;

Text cellValueText(const Any& value) {
    if (double number = 0; value >>= number) {
        return numberAsText(number);
    }
    if (rtl::OUString text; value >>= text) {
        return fromUno(text);
    }
    return Text();
}

namespace {

// Whether the number format of that key is a text format ("@").
bool isTextFormat(const Reference<css::util::XNumberFormats>& formats, sal_Int32 key) {
    const Reference<css::beans::XPropertySet> format = formats->getByKey(key);
    sal_Int16 type = 0;
    return format.is() && (format->getPropertyValue("Type") >>= type) &&
           (type & css::util::NumberFormat::TEXT) != 0;
}

Reference<css::util::XNumberFormats>
numberFormatsOf(const Reference<css::sheet::XSpreadsheetDocument>& document) {
    return Reference<css::util::XNumberFormatsSupplier>(document, UNO_QUERY_THROW)->getNumberFormats();
}

} // namespace

bool isTextFormatted(const Reference<css::sheet::XSpreadsheetDocument>& document,
                     const Reference<css::table::XCellRange>& cells) {
    sal_Int32 key = 0;
    if (!(Reference<css::beans::XPropertySet>(cells, UNO_QUERY_THROW)->getPropertyValue("NumberFormat") >>=
          key)) {
        return false;
    }
    return isTextFormat(numberFormatsOf(document), key);
}

void enterTexts(const Reference<css::sheet::XSpreadsheetDocument>& document,
                const Reference<css::table::XCellRange>& cells,
                const css::uno::Sequence<css::uno::Sequence<rtl::OUString>>& texts) {
    if (isTextFormatted(document, cells)) {
        // Calc's formula entry ignores the text format; store the texts as they are.
        css::uno::Sequence<css::uno::Sequence<Any>> data(texts.getLength());
        for (sal_Int32 r = 0; r < texts.getLength(); ++r) {
            css::uno::Sequence<Any> row(texts[r].getLength());
            for (sal_Int32 c = 0; c < texts[r].getLength(); ++c) {
                row.getArray()[c] <<= texts[r][c];
            }
            data.getArray()[r] = row;
        }
        Reference<css::sheet::XCellRangeData>(cells, UNO_QUERY_THROW)->setDataArray(data);
        return;
    }
    Reference<css::sheet::XCellRangeFormula>(cells, UNO_QUERY_THROW)->setFormulaArray(texts);
}

std::optional<double> plainDecimalNumber(TextView text) {
    std::string ascii;
    ascii.reserve(text.size());
    bool digit = false;
    bool point = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (c >= U'0' && c <= U'9') {
            digit = true;
        } else if (c == U'-' && i == 0) {
        } else if (c == U'.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
        ascii.push_back(static_cast<char>(c));
    }
    if (!digit) {
        return std::nullopt;
    }
    double number = 0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), number);
    if (error != std::errc() || end != ascii.data() + ascii.size()) {
        return std::nullopt;
    }
    return number;
}

namespace {

// Whether the cells of each column the values go to are formatted as text:
// [column][line] for the lines at rows 0, step, 2 × step … of the block.
// The office hands out the block as ranges of equal formatting in one call;
// each such range is asked its number format once, and each format whether
// it is text once, however many columns and mixed cells the block has.
std::vector<std::vector<bool>> textFormattedCells(const Reference<css::sheet::XSpreadsheetDocument>& document,
                                                  const Reference<css::table::XCellRange>& cells, int lines,
                                                  int step, int columns) {
    const int rows = (lines - 1) * step + 1;
    std::vector<std::vector<bool>> text(static_cast<std::size_t>(columns),
                                        std::vector<bool>(static_cast<std::size_t>(lines), false));
    const Reference<css::table::XCellRange> block =
        cells->getCellRangeByPosition(0, 0, columns - 1, rows - 1);
    const css::table::CellRangeAddress origin =
        Reference<css::sheet::XCellRangeAddressable>(block, UNO_QUERY_THROW)->getRangeAddress();
    const Reference<css::container::XIndexAccess> parts =
        Reference<css::sheet::XUniqueCellFormatRangesSupplier>(block, UNO_QUERY_THROW)
            ->getUniqueCellFormatRanges();
    const Reference<css::util::XNumberFormats> formats = numberFormatsOf(document);
    std::map<sal_Int32, bool> textKeys;
    const sal_Int32 count = parts->getCount();
    for (sal_Int32 i = 0; i < count; ++i) {
        const Reference<css::sheet::XSheetCellRanges> part(parts->getByIndex(i), UNO_QUERY_THROW);
        sal_Int32 key = 0;
        if (!(Reference<css::beans::XPropertySet>(part, UNO_QUERY_THROW)->getPropertyValue("NumberFormat") >>=
              key)) {
            continue;
        }
        auto known = textKeys.find(key);
        if (known == textKeys.end()) {
            known = textKeys.emplace(key, isTextFormat(formats, key)).first;
        }
        if (!known->second) {
            continue;
        }
        for (const css::table::CellRangeAddress& address : part->getRangeAddresses()) {
            const int firstColumn = std::max(0, address.StartColumn - origin.StartColumn);
            const int lastColumn = std::min(columns - 1, address.EndColumn - origin.StartColumn);
            // The lines whose rows fall inside the part.
            const int firstRow = std::max(0, address.StartRow - origin.StartRow);
            const int lastRow = std::min(rows - 1, address.EndRow - origin.StartRow);
            const int firstLine = (firstRow + step - 1) / step;
            for (int c = firstColumn; c <= lastColumn; ++c) {
                for (int line = firstLine; line * step <= lastRow; ++line) {
                    text[static_cast<std::size_t>(c)][static_cast<std::size_t>(line)] = true;
                }
            }
        }
    }
    return text;
}

// One row of a data array: a plain decimal number becomes a number unless its
// cell is formatted as text, every other text stays a string. Calc's formula
// entry would ignore a text format and read dates and formulas, so the program
// decides itself what becomes a number.
css::uno::Sequence<Any> dataRow(const std::vector<Text>& texts,
                                const std::vector<std::vector<bool>>& textCells, std::size_t line) {
    css::uno::Sequence<Any> row(static_cast<sal_Int32>(texts.size()));
    auto* cells = row.getArray();
    for (std::size_t c = 0; c < texts.size(); ++c) {
        const std::optional<double> number = textCells[c][line] ? std::nullopt : plainDecimalNumber(texts[c]);
        if (number) {
            cells[c] <<= *number;
        } else {
            cells[c] <<= toUno(texts[c]);
        }
    }
    return row;
}

} // namespace

CalcRange::CalcRange(std::shared_ptr<CalcSession> session,
                     Reference<css::sheet::XSpreadsheetDocument> document,
                     Reference<css::sheet::XSpreadsheet> sheet, Reference<css::table::XCellRange> cells,
                     CellArea area)
    : session_(std::move(session)), document_(std::move(document)), sheet_(std::move(sheet)),
      cells_(std::move(cells)), area_(area) {}

Text CalcRange::value() {
    // The same bulk read as values(), over the top-left cell alone, so that
    // both read every cell alike.
    return session_->get([&] {
        session_->requireOpen(document_);
        const Reference<css::sheet::XCellRangeData> cell(cells_->getCellRangeByPosition(0, 0, 0, 0),
                                                         UNO_QUERY_THROW);
        const auto data = cell->getDataArray();
        return data.getLength() > 0 && data[0].getLength() > 0 ? cellValueText(data[0][0]) : Text();
    });
}

std::vector<std::vector<Text>> CalcRange::values() {
    return session_->get([&] {
        session_->requireOpen(document_);
        const Reference<css::sheet::XCellRangeData> data(cells_, UNO_QUERY_THROW);
        std::vector<std::vector<Text>> rows;
        for (const auto& row : data->getDataArray()) {
            std::vector<Text> cells;
            cells.reserve(static_cast<std::size_t>(row.getLength()));
            for (const Any& cell : row) {
                cells.push_back(cellValueText(cell));
            }
            rows.push_back(std::move(cells));
        }
        return rows;
    });
}

std::vector<std::vector<Text>> CalcRange::formulas() {
    return session_->get([&] {
        session_->requireOpen(document_);
        // The formula array holds every cell's content, constants too; the
        // query for formula cells tells which of them are formulas.
        const auto contents =
            Reference<css::sheet::XCellRangeFormula>(cells_, UNO_QUERY_THROW)->getFormulaArray();
        std::vector<std::vector<Text>> rows(static_cast<std::size_t>(contents.getLength()));
        for (sal_Int32 r = 0; r < contents.getLength(); ++r) {
            rows[static_cast<std::size_t>(r)].resize(static_cast<std::size_t>(contents[r].getLength()));
        }
        const css::table::CellRangeAddress origin =
            Reference<css::sheet::XCellRangeAddressable>(cells_, UNO_QUERY_THROW)->getRangeAddress();
        const Reference<css::sheet::XSheetCellRanges> found =
            Reference<css::sheet::XCellRangesQuery>(cells_, UNO_QUERY_THROW)
                ->queryContentCells(css::sheet::CellFlags::FORMULA);
        for (const css::table::CellRangeAddress& part : found->getRangeAddresses()) {
            for (sal_Int32 row = part.StartRow; row <= part.EndRow; ++row) {
                for (sal_Int32 column = part.StartColumn; column <= part.EndColumn; ++column) {
                    const sal_Int32 r = row - origin.StartRow;
                    const sal_Int32 c = column - origin.StartColumn;
                    if (r >= 0 && r < contents.getLength() && c >= 0 && c < contents[r].getLength()) {
                        rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] =
                            fromUno(contents[r][c]);
                    }
                }
            }
        }
        return rows;
    });
}

void CalcRange::setTexts(const std::vector<std::vector<Text>>& texts) {
    const bool fits = std::cmp_equal(texts.size(), area_.rowCount()) &&
                      std::all_of(texts.begin(), texts.end(), [&](const std::vector<Text>& row) {
                          return std::cmp_equal(row.size(), area_.columnCount());
                      });
    if (!fits) {
        throw SpreadsheetError("the texts do not match the range's rows and columns");
    }
    // Strings in a data array become text cells as they are; an empty
    // string would leave an empty text cell, so those go in as void.
    css::uno::Sequence<css::uno::Sequence<Any>> data(static_cast<sal_Int32>(texts.size()));
    for (std::size_t r = 0; r < texts.size(); ++r) {
        css::uno::Sequence<Any> row(static_cast<sal_Int32>(texts[r].size()));
        for (std::size_t c = 0; c < texts[r].size(); ++c) {
            if (!texts[r][c].empty()) {
                row.getArray()[c] <<= toUno(texts[r][c]);
            }
        }
        data.getArray()[r] = row;
    }
    session_->run([&] {
        session_->requireOpen(document_);
        Reference<css::sheet::XCellRangeData>(cells_, UNO_QUERY_THROW)->setDataArray(data);
    });
}

void CalcRange::setValue(const Text& value) {
    session_->run([&] {
        session_->requireOpen(document_);
        // Entered as if typed (a number becomes a number unless the cell is
        // formatted as text), which is what the spreadsheet's Value does.
        const rtl::OUString text = toUno(value);
        css::uno::Sequence<rtl::OUString> row(area_.columnCount());
        for (sal_Int32 c = 0; c < row.getLength(); ++c) {
            row.getArray()[c] = text;
        }
        css::uno::Sequence<css::uno::Sequence<rtl::OUString>> formulas(area_.rowCount());
        for (sal_Int32 r = 0; r < formulas.getLength(); ++r) {
            formulas.getArray()[r] = row;
        }
        enterTexts(document_, cells_, formulas);
    });
}

void CalcRange::setValues(const std::vector<std::vector<Text>>& values) {
    requireBlockFits(area_, values);
    const int rows = area_.rowCount();
    session_->run([&] {
        session_->requireOpen(document_);
        // One data array: numbers as numbers, texts as strings.
        const std::vector<std::vector<bool>> textCells =
            textFormattedCells(document_, cells_, rows, 1, area_.columnCount());
        css::uno::Sequence<css::uno::Sequence<Any>> data(rows);
        auto* dataRows = data.getArray();
        for (int r = 0; r < rows; ++r) {
            dataRows[r] =
                dataRow(values[static_cast<std::size_t>(r)], textCells, static_cast<std::size_t>(r));
        }
        Reference<css::sheet::XCellRangeData>(cells_, UNO_QUERY_THROW)->setDataArray(data);
    });
}

void CalcRange::setValuesEvery(int step, const std::vector<std::vector<Text>>& rows) {
    requireLinesFitEvery(area_, step, rows);
    const int lines = static_cast<int>(rows.size());
    const int lastColumn = area_.columnCount() - 1;
    // The call writes row by row, so it is given time by the line on top of
    // a single call's: a working office busy with 1000 lines is not taken
    // for a frozen one.
    const std::chrono::milliseconds timeout =
        session_->options().callTimeout + std::chrono::milliseconds(10) * lines;
    session_->run(
        [&] {
            session_->requireOpen(document_);
            // The formats of the whole block are asked once; then each line gets a
            // data array of its own row, so the rows between are left alone: a
            // data array over them would have to carry their contents, and
            // formulas do not survive that.
            const std::vector<std::vector<bool>> textCells =
                textFormattedCells(document_, cells_, lines, step, area_.columnCount());
            for (int line = 0; line < lines; ++line) {
                const int r = line * step;
                const css::uno::Sequence<Any> row =
                    dataRow(rows[static_cast<std::size_t>(line)], textCells, static_cast<std::size_t>(line));
                const css::uno::Sequence<css::uno::Sequence<Any>> data(&row, 1);
                Reference<css::sheet::XCellRangeData>(cells_->getCellRangeByPosition(0, r, lastColumn, r),
                                                      UNO_QUERY_THROW)
                    ->setDataArray(data);
            }
        },
        timeout);
}

void CalcRange::selectOnGate(const Reference<css::table::XCellRange>& cells) {
    session_->requireOpen(document_);
    const Reference<css::sheet::XSpreadsheetDocument> active = session_->activeDocument();
    const Reference<css::frame::XModel> model(document_, UNO_QUERY_THROW);
    const Reference<css::sheet::XSpreadsheetView> view(model->getCurrentController(), UNO_QUERY_THROW);
    // Calc hands out a new object for a sheet on every request: sheets are
    // compared by their index.
    const auto sheetIndex = [](const Reference<XInterface>& sheet) {
        return Reference<css::sheet::XCellRangeAddressable>(sheet, UNO_QUERY_THROW)->getRangeAddress().Sheet;
    };
    if (active != document_ || sheetIndex(view->getActiveSheet()) != sheetIndex(sheet_)) {
        failCall("the range is not on the active sheet");
    }
    Reference<css::view::XSelectionSupplier>(view, UNO_QUERY_THROW)->select(Any(cells));
}

void CalcRange::select() {
    session_->run([&] { selectOnGate(cells_); });
}

void CalcRange::activate() {
    session_->run([&] { selectOnGate(cells_->getCellRangeByPosition(0, 0, 0, 0)); });
}

void CalcRange::insertShiftDown() {
    session_->run([&] {
        session_->requireOpen(document_);
        const Reference<css::sheet::XCellRangeAddressable> addressable(cells_, UNO_QUERY_THROW);
        Reference<css::sheet::XCellRangeMovement>(sheet_, UNO_QUERY_THROW)
            ->insertCells(addressable->getRangeAddress(), css::sheet::CellInsertMode_DOWN);
    });
}

void CalcRange::setProperty(const char* name, const Any& value) {
    session_->run([&] {
        session_->requireOpen(document_);
        Reference<css::beans::XPropertySet>(cells_, UNO_QUERY_THROW)
            ->setPropertyValue(rtl::OUString::createFromAscii(name), value);
    });
}

void CalcRange::setNumberFormatLocal(const Text& format) {
    session_->run([&] {
        session_->requireOpen(document_);
        const Reference<css::util::XNumberFormats> formats = numberFormatsOf(document_);
        // The user's locale: the format code is in the spreadsheet's local syntax.
        const css::lang::Locale locale;
        const rtl::OUString code = toUno(format);
        sal_Int32 key = formats->queryKey(code, locale, false);
        if (key < 0) {
            key = formats->addNew(code, locale);
        }
        Reference<css::beans::XPropertySet>(cells_, UNO_QUERY_THROW)
            ->setPropertyValue("NumberFormat", Any(key));
    });
}

void CalcRange::setHorizontalAlignment(HorizontalAlignment alignment) {
    using css::table::CellHoriJustify;
    CellHoriJustify justify = CellHoriJustify::CellHoriJustify_STANDARD;
    switch (alignment) {
    case HorizontalAlignment::General:
        justify = CellHoriJustify::CellHoriJustify_STANDARD;
        break;
    case HorizontalAlignment::Left:
        justify = CellHoriJustify::CellHoriJustify_LEFT;
        break;
    case HorizontalAlignment::Center:
        justify = CellHoriJustify::CellHoriJustify_CENTER;
        break;
    case HorizontalAlignment::Right:
        justify = CellHoriJustify::CellHoriJustify_RIGHT;
        break;
    }
    setProperty("HoriJustify", Any(justify));
}

void CalcRange::setVerticalAlignment(VerticalAlignment alignment) {
    namespace Vert = css::table::CellVertJustify2;
    sal_Int32 justify = Vert::STANDARD;
    switch (alignment) {
    case VerticalAlignment::Top:
        justify = Vert::TOP;
        break;
    case VerticalAlignment::Center:
        justify = Vert::CENTER;
        break;
    case VerticalAlignment::Bottom:
        justify = Vert::BOTTOM;
        break;
    }
    setProperty("VertJustify", Any(justify));
}

void CalcRange::setWrapText(bool wrap) {
    setProperty("IsTextWrapped", Any(wrap));
}

void CalcRange::setFontName(const Text& name) {
    // One font for every script, as the spreadsheet's Font.Name: Japanese
    // text is drawn with Calc's Asian font.
    const Any font(toUno(name));
    session_->run([&] {
        session_->requireOpen(document_);
        const Reference<css::beans::XPropertySet> properties(cells_, UNO_QUERY_THROW);
        properties->setPropertyValue("CharFontName", font);
        properties->setPropertyValue("CharFontNameAsian", font);
        properties->setPropertyValue("CharFontNameComplex", font);
    });
}

void CalcRange::setFontSize(double points) {
    const Any size(static_cast<float>(points));
    session_->run([&] {
        session_->requireOpen(document_);
        const Reference<css::beans::XPropertySet> properties(cells_, UNO_QUERY_THROW);
        properties->setPropertyValue("CharHeight", size);
        properties->setPropertyValue("CharHeightAsian", size);
        properties->setPropertyValue("CharHeightComplex", size);
    });
}

double CalcRange::columnWidth() {
    return session_->get([&] {
        session_->requireOpen(document_);
        const Reference<css::table::XColumnRowRange> columnsRows(cells_, UNO_QUERY_THROW);
        const Reference<css::beans::XPropertySet> first(columnsRows->getColumns()->getByIndex(0),
                                                        UNO_QUERY_THROW);
        return columnWidthFromHundredthMm(first->getPropertyValue("Width").get<sal_Int32>());
    });
}

void CalcRange::setColumnWidth(double characters) {
    session_->run([&] {
        session_->requireOpen(document_);
        const Reference<css::table::XColumnRowRange> columnsRows(cells_, UNO_QUERY_THROW);
        Reference<css::beans::XPropertySet>(columnsRows->getColumns(), UNO_QUERY_THROW)
            ->setPropertyValue("Width", Any(static_cast<sal_Int32>(columnWidthToHundredthMm(characters))));
    });
}

double CalcRange::rowHeight() {
    return session_->get([&] {
        session_->requireOpen(document_);
        const Reference<css::table::XColumnRowRange> columnsRows(cells_, UNO_QUERY_THROW);
        const Reference<css::beans::XPropertySet> first(columnsRows->getRows()->getByIndex(0),
                                                        UNO_QUERY_THROW);
        return rowHeightFromHundredthMm(first->getPropertyValue("Height").get<sal_Int32>());
    });
}

void CalcRange::setRowHeight(double points) {
    session_->run([&] {
        session_->requireOpen(document_);
        const Reference<css::table::XColumnRowRange> columnsRows(cells_, UNO_QUERY_THROW);
        Reference<css::beans::XPropertySet>(columnsRows->getRows(), UNO_QUERY_THROW)
            ->setPropertyValue("Height", Any(static_cast<sal_Int32>(pointsToHundredthMm(points))));
    });
}

bool CalcRange::entireRowHidden() {
    return session_->get([&] {
        session_->requireOpen(document_);
        const Reference<css::table::XColumnRowRange> columnsRows(cells_, UNO_QUERY_THROW);
        const Reference<css::container::XIndexAccess> rows(columnsRows->getRows(), UNO_QUERY_THROW);
        // Hidden only when every row is; the first shown row answers.
        const sal_Int32 count = rows->getCount();
        for (sal_Int32 i = 0; i < count; ++i) {
            const Reference<css::beans::XPropertySet> row(rows->getByIndex(i), UNO_QUERY_THROW);
            if (row->getPropertyValue("IsVisible").get<bool>()) {
                return false;
            }
        }
        return true;
    });
}

void CalcRange::setEntireRowHidden(bool hidden) {
    session_->run([&] {
        session_->requireOpen(document_);
        const Reference<css::table::XColumnRowRange> columnsRows(cells_, UNO_QUERY_THROW);
        Reference<css::beans::XPropertySet>(columnsRows->getRows(), UNO_QUERY_THROW)
            ->setPropertyValue("IsVisible", Any(!hidden));
    });
}

void CalcRange::releaseUno() {
    document_.clear();
    sheet_.clear();
    cells_.clear();
}

} // namespace lumitag::platform::calc
