#include "batch/BatchConversion.h"

#include "batch/OpenedSheetHost.h"
#include "conversion/BoxNumbers.h"
#include "conversion/RunConversion.h"

#include <algorithm>
#include <utility>

namespace lumitag::batch {

namespace {

using conversion::ConversionOutcome;
using conversion::ConversionSetting;
using conversion::ConversionSettings;

// A view of a worksheet whose rows are all hidden: the engine then checks
// every setting's boxes and reads no cell.
class AllRowsHidden final : public platform::Worksheet {
public:
    explicit AllRowsHidden(std::shared_ptr<platform::Worksheet> sheet) : sheet_(std::move(sheet)) {}

    Text name() override { return sheet_->name(); }
    void setName(const Text& name) override { sheet_->setName(name); }
    void activate() override { sheet_->activate(); }
    std::shared_ptr<platform::Range> cell(int row, int column) override { return sheet_->cell(row, column); }
    std::shared_ptr<platform::Range> allCells() override { return sheet_->allCells(); }
    std::shared_ptr<platform::Range> range(TextView first, TextView last) override {
        return sheet_->range(first, last);
    }
    std::shared_ptr<platform::Range> range(platform::CellRef first, platform::CellRef last) override {
        return sheet_->range(first, last);
    }
    bool rowHidden(int) override { return true; }
    void setRowHidden(int row, bool hidden) override { sheet_->setRowHidden(row, hidden); }
    std::vector<platform::RowSpan> hiddenRows(int firstRow, int lastRow) override {
        if (lastRow < firstRow) {
            return {};
        }
        return {{firstRow, lastRow}};
    }
    void paste(const platform::Range& destination) override { sheet_->paste(destination); }
    void setPageMargins(const platform::PageMargins& margins) override { sheet_->setPageMargins(margins); }

private:
    std::shared_ptr<platform::Worksheet> sheet_;
};

// What the conversion read, cell by cell.
struct ReadLog {
    std::vector<platform::RowSpan> hidden;
    // Non-empty cells in reading order; a cell read twice comes twice.
    std::vector<ReadCell> filled;

    void note(int row, int column, const Text& text) {
        if (!text.empty()) {
            filled.push_back({row, column, text});
        }
    }
    // Sorts what was logged for isHidden() and drops repeated cells.
    void settle() {
        std::sort(hidden.begin(), hidden.end(),
                  [](const platform::RowSpan& a, const platform::RowSpan& b) { return a.first < b.first; });
        // Several settings may cover the same rows: one span per stretch.
        std::vector<platform::RowSpan> merged;
        for (const platform::RowSpan& span : hidden) {
            if (!merged.empty() && span.first <= merged.back().last + 1) {
                merged.back().last = std::max(merged.back().last, span.last);
            } else {
                merged.push_back(span);
            }
        }
        hidden = std::move(merged);
        std::stable_sort(filled.begin(), filled.end(), [](const ReadCell& a, const ReadCell& b) {
            return std::pair(a.row, a.column) < std::pair(b.row, b.column);
        });
        filled.erase(std::unique(filled.begin(), filled.end(),
                                 [](const ReadCell& a, const ReadCell& b) {
                                     return a.row == b.row && a.column == b.column;
                                 }),
                     filled.end());
    }
    bool isHidden(int row) const {
        const auto after =
            std::upper_bound(hidden.begin(), hidden.end(), row,
                             [](int r, const platform::RowSpan& span) { return r < span.first; });
        return after != hidden.begin() && std::prev(after)->last >= row;
    }
};

// A range whose reads are logged.
class LoggedRange final : public platform::Range {
public:
    LoggedRange(std::shared_ptr<platform::Range> range, ReadLog& log) : range_(std::move(range)), log_(log) {}

    platform::CellArea area() const override { return range_->area(); }
    Text value() override {
        Text text = range_->value();
        log_.note(area().first.row, area().first.column, text);
        return text;
    }
    std::vector<std::vector<Text>> values() override {
        std::vector<std::vector<Text>> cells = range_->values();
        const platform::CellArea a = area();
        for (std::size_t r = 0; r < cells.size(); ++r) {
            for (std::size_t c = 0; c < cells[r].size(); ++c) {
                log_.note(a.first.row + static_cast<int>(r), a.first.column + static_cast<int>(c),
                          cells[r][c]);
            }
        }
        return cells;
    }
    void setValue(const Text& value) override { range_->setValue(value); }
    std::vector<std::vector<Text>> formulas() override { return range_->formulas(); }
    void setTexts(const std::vector<std::vector<Text>>& texts) override { range_->setTexts(texts); }
    void setValues(const std::vector<std::vector<Text>>& values) override { range_->setValues(values); }
    void setValuesEvery(int step, const std::vector<std::vector<Text>>& rows) override {
        range_->setValuesEvery(step, rows);
    }
    void select() override { range_->select(); }
    void activate() override { range_->activate(); }
    void insertShiftDown() override { range_->insertShiftDown(); }
    void setNumberFormatLocal(const Text& format) override { range_->setNumberFormatLocal(format); }
    void setHorizontalAlignment(platform::HorizontalAlignment a) override {
        range_->setHorizontalAlignment(a);
    }
    void setVerticalAlignment(platform::VerticalAlignment a) override { range_->setVerticalAlignment(a); }
    void setWrapText(bool wrap) override { range_->setWrapText(wrap); }
    void setFontName(const Text& name) override { range_->setFontName(name); }
    void setFontSize(double points) override { range_->setFontSize(points); }
    double columnWidth() override { return range_->columnWidth(); }
    void setColumnWidth(double characters) override { range_->setColumnWidth(characters); }
    double rowHeight() override { return range_->rowHeight(); }
    void setRowHeight(double points) override { range_->setRowHeight(points); }
    bool entireRowHidden() override { return range_->entireRowHidden(); }
    void setEntireRowHidden(bool hidden) override { range_->setEntireRowHidden(hidden); }

private:
    std::shared_ptr<platform::Range> range_;
    ReadLog& log_;
};

// A worksheet whose cell reads and hidden rows are logged.
class LoggedSheet final : public platform::Worksheet {
public:
    LoggedSheet(std::shared_ptr<platform::Worksheet> sheet, ReadLog& log)
        : sheet_(std::move(sheet)), log_(log) {}

    Text name() override { return sheet_->name(); }
    void setName(const Text& name) override { sheet_->setName(name); }
    void activate() override { sheet_->activate(); }
    std::shared_ptr<platform::Range> cell(int row, int column) override {
        return logged(sheet_->cell(row, column));
    }
    std::shared_ptr<platform::Range> allCells() override { return logged(sheet_->allCells()); }
    std::shared_ptr<platform::Range> range(TextView first, TextView last) override {
        return logged(sheet_->range(first, last));
    }
    std::shared_ptr<platform::Range> range(platform::CellRef first, platform::CellRef last) override {
        return logged(sheet_->range(first, last));
    }
    bool rowHidden(int row) override {
        const bool hidden = sheet_->rowHidden(row);
        if (hidden) {
            log_.hidden.push_back({row, row});
        }
        return hidden;
    }
    void setRowHidden(int row, bool hidden) override { sheet_->setRowHidden(row, hidden); }
    std::vector<platform::RowSpan> hiddenRows(int firstRow, int lastRow) override {
        std::vector<platform::RowSpan> spans = sheet_->hiddenRows(firstRow, lastRow);
        log_.hidden.insert(log_.hidden.end(), spans.begin(), spans.end());
        return spans;
    }
    void paste(const platform::Range& destination) override { sheet_->paste(destination); }
    void setPageMargins(const platform::PageMargins& margins) override { sheet_->setPageMargins(margins); }

private:
    std::shared_ptr<platform::Range> logged(std::shared_ptr<platform::Range> range) {
        return std::make_shared<LoggedRange>(std::move(range), log_);
    }

    std::shared_ptr<platform::Worksheet> sheet_;
    ReadLog& log_;
};

BatchOutcome outcomeOf(ConversionOutcome outcome) {
    switch (outcome) {
    case ConversionOutcome::MissingInput:
        return BatchOutcome::MissingInput;
    case ConversionOutcome::InvalidInput:
        return BatchOutcome::InvalidInput;
    case ConversionOutcome::ColumnPast100:
        return BatchOutcome::ColumnPast100;
    case ConversionOutcome::NoSpreadsheet:
    case ConversionOutcome::HostBusy:
    case ConversionOutcome::HostFailed:
        return BatchOutcome::SheetFailed;
    case ConversionOutcome::Completed:
    case ConversionOutcome::LimitReached:
        break;
    }
    return BatchOutcome::Converted;
}

// One engine run: setting `index` alone over rows first to last (both as
// typed when `asTyped`), with the EPLAN target columns and the head remark
// where they belong.
struct Run {
    ConversionSettings settings;
    long long rows = 0;
};

std::vector<Run> planRuns(const ConversionSettings& all) {
    const bool eplan = all.eplan && all.settings[0].workMode == conversion::WorkMode::ColumnsOnOneLine;
    std::vector<int> used{0};
    if (!eplan && all.useSetting2) {
        used.push_back(1);
        if (all.useSetting3) {
            used.push_back(2);
        }
    }
    std::vector<Run> runs;
    for (const int index : used) {
        const ConversionSetting& setting = all.settings[static_cast<std::size_t>(index)];
        ConversionSettings base;
        base.settings[0] = setting;
        base.headerWorkMode = all.headerWorkMode;
        if (eplan) {
            base.eplan = true;
            base.settings[1] = all.settings[1];
            base.headRemark = all.headRemark;
        }
        // The boxes passed the engine's checks: both rows are numbers.
        const int first = *conversion::boxInteger(setting.startRow);
        const int last = *conversion::boxInteger(setting.endRow);
        if (last < first) {
            // No row; EPLAN's head remark line still comes.
            runs.push_back({base, 0});
            continue;
        }
        for (long long from = first; from <= last; from += kRowsPerRun) {
            const long long to = std::min<long long>(last, from + kRowsPerRun - 1);
            Run run{base, to - from + 1};
            run.settings.settings[0].startRow = numberText(from);
            run.settings.settings[0].endRow = numberText(to);
            runs.push_back(std::move(run));
            // The head remark opens the first stretch only.
            base.headRemark.clear();
        }
    }
    return runs;
}

bool isAscii(const Text& text) {
    return std::all_of(text.begin(), text.end(), [](char32_t c) { return c < 0x80; });
}

} // namespace

BatchResult ConvertWithoutLimit(const std::shared_ptr<platform::Worksheet>& sheet,
                                const ConversionSettings& settings, const BatchProgress& progress) {
    BatchResult result;
    try {
        // Every setting's boxes first, as the window would meet them.
        const auto checkView = std::make_shared<AllRowsHidden>(sheet);
        OpenedSheetHost checkHost(checkView);
        const conversion::ConversionResult checked =
            conversion::RunConversion(checkHost, checkView, settings, conversion::ConversionKind::New, {});
        result.outcome = outcomeOf(checked.outcome);
        if (result.outcome != BatchOutcome::Converted) {
            return result;
        }

        ReadLog log;
        const auto logged = std::make_shared<LoggedSheet>(sheet, log);
        OpenedSheetHost host(logged);
        const std::vector<Run> runs = planRuns(settings);
        long long total = 0;
        for (const Run& run : runs) {
            total += run.rows;
        }
        long long done = 0;
        for (const Run& run : runs) {
            const conversion::ConversionResult part =
                conversion::RunConversion(host, logged, run.settings, conversion::ConversionKind::New, {});
            if (part.outcome == ConversionOutcome::HostFailed) {
                result.outcome = BatchOutcome::SheetFailed;
                result.failure = "the spreadsheet failed while cells were read";
                return result;
            }
            if (part.outcome != ConversionOutcome::Completed) {
                // A stretch never reaches the limit, and the boxes were checked.
                result.outcome = outcomeOf(part.outcome);
                return result;
            }
            result.lines.insert(result.lines.end(), part.state.buffer.begin(), part.state.buffer.end());
            result.fullWidth = result.fullWidth || part.state.resultFullWidth;
            done += run.rows;
            if (progress) {
                progress(done, total);
            }
        }
        log.settle();
        for (ReadCell& cell : log.filled) {
            if (log.isHidden(cell.row)) {
                continue;
            }
            ++result.filledCellsRead;
            if (!isAscii(cell.text)) {
                result.nonAsciiCells.push_back(std::move(cell));
            }
        }
    } catch (const platform::SpreadsheetError& error) {
        result.outcome = BatchOutcome::SheetFailed;
        result.failure = error.what();
    }
    return result;
}

} // namespace lumitag::batch
