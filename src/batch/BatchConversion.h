#pragma once

#include "conversion/ConversionSettings.h"
#include "conversion/ConversionState.h"
#include "platform/spreadsheet/Worksheet.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lumitag::batch {

// A cell the conversion read that holds characters beyond ASCII, for telling
// where a character the output file cannot hold came from.
struct ReadCell {
    int row = 1;
    int column = 1;
    Text text;

    friend bool operator==(const ReadCell&, const ReadCell&) = default;
};

enum class BatchOutcome {
    Converted,
    MissingInput,  // a box the conversion needs is empty
    InvalidInput,  // a row, count or occurrence box is no number, or rows off the sheet
    ColumnPast100, // a column box holds a number above 100
    SheetFailed,   // the spreadsheet failed while cells were read
};

struct BatchResult {
    BatchOutcome outcome = BatchOutcome::Converted;
    // Every line of every setting, in the order the blue window produces them.
    std::vector<conversion::ResultLine> lines;
    // A setting produced full-width text: the file needs the Windows-font form.
    bool fullWidth = false;
    // The non-empty cells read in visible rows.
    int filledCellsRead = 0;
    // The cells read in visible rows with characters beyond ASCII, by row and
    // column, each once.
    std::vector<ReadCell> nonAsciiCells;
    // What the spreadsheet said when it failed.
    std::string failure;
};

// Rows done and rows in all, after each stretch of rows.
using BatchProgress = std::function<void(long long done, long long total)>;

// The blue window's conversion of the sheet with the given settings, without
// the marking list's limit of 1000 lines: every line the settings give. It
// runs the window's own engine over stretches of rows short enough that no
// stretch can reach the limit, and joins their lines, so that a result of up
// to 1000 lines is exactly the window's. The boxes are checked first for
// every setting that runs, before any cell is read.
BatchResult ConvertWithoutLimit(const std::shared_ptr<platform::Worksheet>& sheet,
                                const conversion::ConversionSettings& settings,
                                const BatchProgress& progress = {});

// The rows one engine run covers: a row gives at most four lines (four
// columns in turn, or two in EPLAN), so a stretch stays below 1000 lines.
inline constexpr int kRowsPerRun = 249;

} // namespace lumitag::batch
