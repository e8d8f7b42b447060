#pragma once

#include "platform/spreadsheet/Range.h"
#include "platform/spreadsheet/calc/UnoHandle.h"

#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <com/sun/star/uno/Any.hxx>
#include <memory>
#include <optional>

namespace lumitag::platform::calc {

class CalcSession;

// A rectangle of cells of a Calc sheet.
class CalcRange final : public UnoHandle, public Range {
public:
    CalcRange(std::shared_ptr<CalcSession> session,
              css::uno::Reference<css::sheet::XSpreadsheetDocument> document,
              css::uno::Reference<css::sheet::XSpreadsheet> sheet,
              css::uno::Reference<css::table::XCellRange> cells, CellArea area);

    CellArea area() const override { return area_; }
    Text value() override;
    void setValue(const Text& value) override;
    std::vector<std::vector<Text>> values() override;
    std::vector<std::vector<Text>> formulas() override;
    void setTexts(const std::vector<std::vector<Text>>& texts) override;
    void setValues(const std::vector<std::vector<Text>>& values) override;
    void setValuesEvery(int step, const std::vector<std::vector<Text>>& rows) override;
    void select() override;
    void activate() override;
    void insertShiftDown() override;
    void setNumberFormatLocal(const Text& format) override;
    void setHorizontalAlignment(HorizontalAlignment alignment) override;
    void setVerticalAlignment(VerticalAlignment alignment) override;
    void setWrapText(bool wrap) override;
    void setFontName(const Text& name) override;
    void setFontSize(double points) override;
    double columnWidth() override;
    void setColumnWidth(double characters) override;
    double rowHeight() override;
    void setRowHeight(double points) override;
    bool entireRowHidden() override;
    void setEntireRowHidden(bool hidden) override;

    void releaseUno() override;

private:
    void setProperty(const char* name, const css::uno::Any& value);
    void selectOnGate(const css::uno::Reference<css::table::XCellRange>& cells);

    std::shared_ptr<CalcSession> session_;
    css::uno::Reference<css::sheet::XSpreadsheetDocument> document_;
    css::uno::Reference<css::sheet::XSpreadsheet> sheet_;
    css::uno::Reference<css::table::XCellRange> cells_;
    CellArea area_;
};

// Whether the range's cells are formatted as text ("@"): what is written into
// them stays text, as typing into them does. False for mixed formats.
bool isTextFormatted(const css::uno::Reference<css::sheet::XSpreadsheetDocument>& document,
                     const css::uno::Reference<css::table::XCellRange>& cells);

// Writes each text into its cell as typing it would: a number becomes a number,
// except in cells formatted as text, where it stays text.
void enterTexts(const css::uno::Reference<css::sheet::XSpreadsheetDocument>& document,
                const css::uno::Reference<css::table::XCellRange>& cells,
                const css::uno::Sequence<css::uno::Sequence<rtl::OUString>>& texts);

// The number a plain decimal text stands for ("12", "-3", "1.50", "007"):
// ASCII digits with an optional leading minus and one decimal point, nothing
// else. Nothing for any other text, so that no formula, date or percentage is
// made from what the program writes.
std::optional<double> plainDecimalNumber(TextView text);

// A cell's value from a data array as the program reads it: text as it is, a
// number as numberAsText writes it, an empty cell as empty text.
Text cellValueText(const css::uno::Any& value);

} // namespace lumitag::platform::calc
