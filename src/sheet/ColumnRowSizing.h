#pragma once

#include "platform/Result.h"
#include "platform/Text.h"
#include "sheet/ColumnRowLists.h"

#include <optional>
#include <vector>

namespace lumitag::platform {
class Worksheet;
}

namespace lumitag::sheet {

// Setting column widths, row heights and the print correction on a sheet.
// Each command is planned from the window's texts first and applied only
// when the whole plan is good: a bad list item or number changes nothing.
// Applying may throw SpreadsheetError; what was set before the failure stays.

enum class WidthUnit { Characters, Millimetres };
enum class HeightUnit { Points, Millimetres };

struct SizePlan {
    std::vector<ListSpan> spans; // columns or rows
    double size = 0;             // characters or points
};

platform::Result<SizePlan> planColumnWidths(TextView columnList, TextView width, WidthUnit unit);
platform::Result<SizePlan> planRowHeights(TextView rowList, TextView height, HeightUnit unit);
// ColumnWidth of row 1's cells in each span.
void applyColumnWidths(platform::Worksheet& sheet, const SizePlan& plan);
// RowHeight of column A's cells in each span.
void applyRowHeights(platform::Worksheet& sheet, const SizePlan& plan);

// The print correction's boxes as typed. A group whose four boxes are not
// all filled is left out.
struct PrintCorrectionTexts {
    Text firstColumn{}, lastColumn{}, columnTarget{}, columnMeasured{};
    Text firstRow{}, lastRow{}, rowTarget{}, rowMeasured{};
};

struct ScalePlan {
    ListSpan span;     // nothing when last < first
    double factor = 1; // the print correction factor
};

struct PrintCorrectionPlan {
    std::optional<ScalePlan> columns;
    std::optional<ScalePlan> rows;
};

platform::Result<PrintCorrectionPlan> planPrintCorrection(const PrintCorrectionTexts& texts);
// Columns first: each size is read, multiplied by the factor and written back.
void applyPrintCorrection(platform::Worksheet& sheet, const PrintCorrectionPlan& plan);

} // namespace lumitag::sheet
