#include "sheet/ColumnRowSizing.h"

#include "platform/spreadsheet/CellAddress.h"
#include "platform/spreadsheet/Worksheet.h"
#include "sheet/ColumnRowSizes.h"

namespace lumitag::sheet {

namespace {

template <class T> platform::Result<T> refused(const std::string& why) {
    return platform::Result<T>::failure(why);
}

bool filled(const Text& a, const Text& b, const Text& c, const Text& d) {
    return !a.empty() && !b.empty() && !c.empty() && !d.empty();
}

// One letter "A" to "Z".
std::optional<int> letterColumn(TextView text) {
    if (text.size() != 1 || text[0] < U'A' || text[0] > U'Z')
        return std::nullopt;
    return static_cast<int>(text[0] - U'A') + 1;
}

std::optional<int> rowNumber(TextView text) {
    const auto rows = parseRowList(text, platform::kMaxRow);
    if (!rows || rows.value().size() != 1 || text.find(U':') != TextView::npos)
        return std::nullopt;
    return rows.value().front().first;
}

platform::Result<double> factorOf(const Text& target, const Text& measured) {
    const std::optional<double> t = parseLength(target);
    const std::optional<double> m = parseLength(measured);
    if (!t || !m)
        return refused<double>("a length is not a number");
    const std::optional<double> factor = printCorrectionFactor(*t, *m);
    if (!factor)
        return refused<double>("no correction for a target of 0 or a measured length of twice the target");
    return platform::Result<double>::success(*factor);
}

} // namespace

platform::Result<SizePlan> planColumnWidths(TextView columnList, TextView width, WidthUnit unit) {
    auto columns = parseColumnList(columnList);
    if (!columns)
        return refused<SizePlan>(columns.reason());
    const std::optional<double> number = parseLength(width);
    if (!number)
        return refused<SizePlan>("the width is not a number");
    const double characters = unit == WidthUnit::Millimetres ? columnWidthFromMillimetres(*number) : *number;
    // A few tenths of a millimetre are narrower than the column's padding.
    if (characters < 0)
        return refused<SizePlan>("the width is narrower than a column can be");
    return platform::Result<SizePlan>::success({std::move(columns).value(), characters});
}

platform::Result<SizePlan> planRowHeights(TextView rowList, TextView height, HeightUnit unit) {
    auto rows = parseRowList(rowList, platform::kMaxRow);
    if (!rows)
        return refused<SizePlan>(rows.reason());
    const std::optional<double> number = parseLength(height);
    if (!number)
        return refused<SizePlan>("the height is not a number");
    const double points = unit == HeightUnit::Millimetres ? rowHeightFromMillimetres(*number) : *number;
    return platform::Result<SizePlan>::success({std::move(rows).value(), points});
}

void applyColumnWidths(platform::Worksheet& sheet, const SizePlan& plan) {
    for (const ListSpan& span : plan.spans)
        sheet.range(platform::CellRef{1, span.first}, platform::CellRef{1, span.last})
            ->setColumnWidth(plan.size);
}

void applyRowHeights(platform::Worksheet& sheet, const SizePlan& plan) {
    for (const ListSpan& span : plan.spans)
        sheet.range(platform::CellRef{span.first, 1}, platform::CellRef{span.last, 1})
            ->setRowHeight(plan.size);
}

platform::Result<PrintCorrectionPlan> planPrintCorrection(const PrintCorrectionTexts& t) {
    PrintCorrectionPlan plan;
    if (filled(t.firstColumn, t.lastColumn, t.columnTarget, t.columnMeasured)) {
        const std::optional<int> first = letterColumn(t.firstColumn);
        const std::optional<int> last = letterColumn(t.lastColumn);
        if (!first || !last)
            return refused<PrintCorrectionPlan>("a correction column is not a letter A to Z");
        const auto factor = factorOf(t.columnTarget, t.columnMeasured);
        if (!factor)
            return refused<PrintCorrectionPlan>(factor.reason());
        plan.columns = ScalePlan{{*first, *last}, factor.value()};
    }
    if (filled(t.firstRow, t.lastRow, t.rowTarget, t.rowMeasured)) {
        const std::optional<int> first = rowNumber(t.firstRow);
        const std::optional<int> last = rowNumber(t.lastRow);
        if (!first || !last)
            return refused<PrintCorrectionPlan>("a correction row is not a row of the sheet");
        const auto factor = factorOf(t.rowTarget, t.rowMeasured);
        if (!factor)
            return refused<PrintCorrectionPlan>(factor.reason());
        plan.rows = ScalePlan{{*first, *last}, factor.value()};
    }
    return platform::Result<PrintCorrectionPlan>::success(plan);
}

void applyPrintCorrection(platform::Worksheet& sheet, const PrintCorrectionPlan& plan) {
    // Every column and row has its own size, so each is read and written alone.
    if (plan.columns) {
        for (int column = plan.columns->span.first; column <= plan.columns->span.last; ++column) {
            const auto cell = sheet.cell(1, column);
            cell->setColumnWidth(cell->columnWidth() * plan.columns->factor);
        }
    }
    if (plan.rows) {
        for (int row = plan.rows->span.first; row <= plan.rows->span.last; ++row) {
            const auto cell = sheet.cell(row, 1);
            cell->setRowHeight(cell->rowHeight() * plan.rows->factor);
        }
    }
}

} // namespace lumitag::sheet
