#include "conversion/RunConversion.h"

#include "conversion/BlockReading.h"
#include "conversion/BoxNumbers.h"
#include "conversion/ColumnAddress.h"
#include "conversion/ConversionMessages.h"
#include "conversion/PerCellReading.h"
#include "conversion/ReplaceInText.h"
#include "marking/FullWidth.h"
#include "platform/spreadsheet/CellAddress.h"
#include "sheet/SheetMessages.h"

#include <optional>

namespace lumitag::conversion {

namespace {

// A column box as the conversion uses it: not given (0), or the column and
// the letters it is remembered by.
struct UsedColumn {
    int column = 0;
    Text letters;

    bool given() const { return column != 0; }
};

// A setting's boxes once checked: the columns it reads and its rows.
struct CheckedSetting {
    std::array<UsedColumn, 4> columns;
    UsedColumn countColumn;                  // 線番・記銘板等
    UsedColumn sequenceColumn;               // 線番・記銘板等, when given
    std::array<UsedColumn, 4> targetColumns; // EPLAN: setting 2's column boxes
    int startRow = 1;
    int endRow = 0;
};

// Turns column boxes into columns, remembering the worst problem met: a
// number above 100 stops at once, a text that names no column only after
// the number checks.
class ColumnChecker {
public:
    UsedColumn use(TextView text) {
        if (text.empty()) {
            return {};
        }
        const ResolvedColumn resolved = resolveColumn(text);
        switch (resolved.kind) {
        case ResolvedColumn::Kind::Column:
            return {resolved.column, resolved.letters};
        case ResolvedColumn::Kind::NumberPast100:
            past100_ = true;
            break;
        case ResolvedColumn::Kind::Unusable:
            unusable_ = true;
            break;
        }
        return {};
    }
    bool past100() const { return past100_; }
    bool unusable() const { return unusable_; }

private:
    bool past100_ = false;
    bool unusable_ = false;
};

bool isInteger(TextView text) {
    return boxInteger(text).has_value();
}

class Conversion {
public:
    Conversion(const ConversionSettings& settings, SheetCells& cells, ConversionState& state)
        : settings_(settings), cells_(cells), state_(state) {}

    // Runs setting `index`; the outcome that ends the conversion, or nothing
    // to go on with the next setting.
    std::optional<ConversionOutcome> runSetting(int index);

    const Text& message() const { return message_; }
    bool eplan() const {
        return settings_.eplan && settings_.settings[0].workMode == WorkMode::ColumnsOnOneLine;
    }

private:
    std::optional<ConversionOutcome> check(int index, CheckedSetting& checked);
    std::optional<ConversionOutcome> runRow(int index, const CheckedSetting& checked, int row);
    std::optional<ConversionOutcome> runEplanRow(const CheckedSetting& checked, int row);
    // Appends a line and runs the full-width scan on `scanned`.
    void append(int index, ResultLine line, TextView scanned);
    bool full() const { return state_.resultLineCount() >= kMaxResultLines; }
    ConversionOutcome limit();
    Text cell(int row, const UsedColumn& column) {
        return column.given() ? cells_.text(row, column.column) : Text();
    }
    Text replaced(const ConversionSetting& setting, Text text) const {
        return setting.replaces ? applyReplacements(text, setting) : text;
    }

    const ConversionSettings& settings_;
    SheetCells& cells_;
    ConversionState& state_;
    Text message_;
};

std::optional<ConversionOutcome> Conversion::check(int index, CheckedSetting& checked) {
    const ConversionSetting& setting = settings_.settings[static_cast<std::size_t>(index)];
    const WorkMode mode = setting.workMode;
    const bool isEplan = index == 0 && eplan();
    const bool replaces = setting.replaces && !isEplan;

    // Boxes that must be filled.
    bool missing = setting.columns[0].empty() || setting.startRow.empty() || setting.endRow.empty() ||
                   setting.count.empty();
    missing = missing || (mode == WorkMode::ColumnsInTurn && setting.columns[1].empty());
    missing = missing || (isEplan && settings_.settings[1].columns[0].empty());
    missing = missing || (replaces && (setting.first.target.empty() || setting.first.text.empty()));
    if (missing) {
        message_ = Text(MissingInputMessage);
        return ConversionOutcome::MissingInput;
    }

    // The columns the mode reads. Remark ticks count only in 複数列を一行
    // (and not in EPLAN, which hides them).
    ColumnChecker columns;
    checked.columns[0] = columns.use(setting.columns[0]);
    switch (mode) {
    case WorkMode::SingleColumn:
        break;
    case WorkMode::ColumnsInTurn:
        for (std::size_t c = 1; c < 4; ++c) {
            checked.columns[c] = columns.use(setting.columns[c]);
        }
        break;
    case WorkMode::ColumnsOnOneLine:
        checked.columns[1] = columns.use(setting.columns[1]);
        if (isEplan || !setting.column3IsRemark) {
            checked.columns[2] = columns.use(setting.columns[2]);
        }
        if (isEplan || !setting.column4IsRemark) {
            checked.columns[3] = columns.use(setting.columns[3]);
        }
        if (isEplan) {
            for (std::size_t c = 0; c < 4; ++c) {
                checked.targetColumns[c] = columns.use(settings_.settings[1].columns[c]);
            }
        }
        break;
    case WorkMode::WireNumbers:
        checked.countColumn = columns.use(setting.count);
        checked.sequenceColumn = columns.use(setting.sequenceColumn);
        break;
    }
    if (columns.past100()) {
        return ConversionOutcome::ColumnPast100;
    }

    // Numbers.
    bool valid = isInteger(setting.startRow) && isInteger(setting.endRow);
    valid = valid && (mode == WorkMode::WireNumbers || isInteger(setting.count));
    valid = valid && (setting.first.occurrence.empty() || isInteger(setting.first.occurrence));
    valid = valid && (setting.second.occurrence.empty() || isInteger(setting.second.occurrence));
    if (valid) {
        checked.startRow = *boxInteger(setting.startRow);
        checked.endRow = *boxInteger(setting.endRow);
        // Rows must lie on the sheet, and so must columns: the spreadsheet
        // could not address them.
        valid = checked.startRow >= 1 && checked.startRow <= platform::kMaxRow &&
                (checked.endRow < checked.startRow || checked.endRow <= platform::kMaxRow) &&
                !columns.unusable();
    }
    if (!valid) {
        message_ = Text(InvalidInputMessage);
        return ConversionOutcome::InvalidInput;
    }
    return std::nullopt;
}

void Conversion::append(int index, ResultLine line, TextView scanned) {
    state_.buffer.push_back(std::move(line));
    bool& fullWidth = state_.settingFullWidth[static_cast<std::size_t>(index)];
    if (!fullWidth && !scanned.empty() && marking::isFullWidth(scanned)) {
        fullWidth = true;
    }
}

ConversionOutcome Conversion::limit() {
    const int count = state_.resultLineCount();
    message_ = eplan() && !settings_.headRemark.empty() ? limitMessageWithRemark(count) : limitMessage(count);
    return ConversionOutcome::LimitReached;
}

std::optional<ConversionOutcome> Conversion::runSetting(int index) {
    const ConversionSetting& setting = settings_.settings[static_cast<std::size_t>(index)];
    LineSpan& lines = state_.settingLines[static_cast<std::size_t>(index)];
    lines.first = state_.resultLineCount();
    const auto noteLines = [&] { lines.count = state_.resultLineCount() - lines.first; };

    CheckedSetting checked;
    if (const std::optional<ConversionOutcome> stop = check(index, checked)) {
        return stop;
    }
    const bool isEplan = index == 0 && eplan();

    if (isEplan && !settings_.headRemark.empty()) {
        if (full()) {
            return limit();
        }
        // The head remark line is neither scanned nor checked against the limit.
        state_.buffer.push_back({settings_.headRemark, setting.count, {}});
    }

    CellsToRead toRead{checked.startRow, checked.endRow, {}, kMaxResultLines - state_.resultLineCount()};
    for (const auto* group : {&checked.columns, &checked.targetColumns}) {
        for (const UsedColumn& column : *group) {
            if (column.given()) {
                toRead.columns.push_back(column.column);
            }
        }
    }
    for (const UsedColumn* column : {&checked.countColumn, &checked.sequenceColumn}) {
        if (column->given()) {
            toRead.columns.push_back(column->column);
        }
    }
    cells_.prepare(toRead);

    for (int row = checked.startRow; row <= checked.endRow; ++row) {
        if (cells_.rowHidden(row)) {
            continue;
        }
        const std::optional<ConversionOutcome> stop =
            isEplan ? runEplanRow(checked, row) : runRow(index, checked, row);
        if (stop) {
            noteLines();
            return stop;
        }
    }
    noteLines();
    return std::nullopt;
}

std::optional<ConversionOutcome> Conversion::runRow(int index, const CheckedSetting& checked, int row) {
    const ConversionSetting& setting = settings_.settings[static_cast<std::size_t>(index)];
    switch (setting.workMode) {
    case WorkMode::SingleColumn: {
        if (full()) {
            return limit();
        }
        const Text text = replaced(setting, cell(row, checked.columns[0]));
        // A replaced text that came out empty gives an empty line, without its count.
        ResultLine line =
            setting.replaces && text.empty() ? ResultLine{} : ResultLine{text, setting.count, {}};
        append(index, std::move(line), text);
        break;
    }
    case WorkMode::ColumnsInTurn:
        for (const UsedColumn& column : checked.columns) {
            if (!column.given()) {
                continue;
            }
            if (full()) {
                return limit();
            }
            const Text text = replaced(setting, cell(row, column));
            append(index, {text, setting.count, {}}, text);
            // The limit stops at once: the row's further cells are not read.
            if (full()) {
                return limit();
            }
        }
        return std::nullopt;
    case WorkMode::ColumnsOnOneLine: {
        if (full()) {
            return limit();
        }
        Text text = replaced(setting, cell(row, checked.columns[0]));
        const Text second = cell(row, checked.columns[1]);
        if (!second.empty()) {
            text += U',' + second;
        }
        const auto addPart = [&](std::size_t c, bool isRemark) {
            if (isRemark) {
                if (!setting.columns[c].empty()) {
                    text += U',' + setting.columns[c];
                }
            } else if (const Text value = cell(row, checked.columns[c]); !value.empty()) {
                text += U',' + value;
            }
        };
        addPart(2, setting.column3IsRemark);
        addPart(3, setting.column4IsRemark);
        append(index, {text, setting.count, {}}, text);
        break;
    }
    case WorkMode::WireNumbers: {
        if (full()) {
            return limit();
        }
        Text text = replaced(setting, cell(row, checked.columns[0]));
        Text count = cell(row, checked.countColumn);
        Text number = cell(row, checked.sequenceColumn);
        // The marker's work modes 2 and 3 need a character on every line.
        if (text.empty() &&
            (settings_.headerWorkMode == U"WorkMode=2" || settings_.headerWorkMode == U"WorkMode=3")) {
            text = U" ";
        }
        const Text scanned = text + count + U'\t' + number;
        append(index, {std::move(text), std::move(count), std::move(number)}, scanned);
        break;
    }
    }
    if (full()) {
        return limit();
    }
    return std::nullopt;
}

std::optional<ConversionOutcome> Conversion::runEplanRow(const CheckedSetting& checked, int row) {
    const Text& count = settings_.settings[0].count;
    // One line from the first column's cell and the given further columns:
    // the first part never empty and without a leading "-", the others after ":".
    const auto eplanLine = [&](const std::array<UsedColumn, 4>& columns) {
        Text text = cell(row, columns[0]);
        if (text.empty()) {
            text = U" ";
        } else if (text.front() == U'-') {
            text.erase(0, 1);
        }
        for (std::size_t c = 1; c < 4; ++c) {
            if (!columns[c].given()) {
                continue;
            }
            const Text value = cell(row, columns[c]);
            if (!value.empty() && value != U" ") {
                text += U':' + value;
            }
        }
        return text;
    };
    for (const auto* columns : {&checked.columns, &checked.targetColumns}) {
        if (full()) {
            return limit();
        }
        const Text text = eplanLine(*columns);
        append(0, {text, count, {}}, text);
        if (full()) {
            return limit();
        }
    }
    // With the head remark in front, 999 lines hold it and 499 whole pairs.
    if (!settings_.headRemark.empty() && state_.resultLineCount() == kMaxResultLines - 1) {
        return limit();
    }
    return std::nullopt;
}

// The full-width scan ranges a finished setting remembers.
FullWidthScanRanges scanRangesOf(const ConversionSetting& setting) {
    const auto letters = [](TextView text) {
        const ResolvedColumn resolved = resolveColumn(text);
        return resolved.kind == ResolvedColumn::Kind::Column ? resolved.letters : Text();
    };
    FullWidthScanRanges ranges;
    ranges.column1 = letters(setting.columns[0]);
    switch (setting.workMode) {
    case WorkMode::SingleColumn:
        break;
    case WorkMode::ColumnsInTurn:
        ranges.column2 = letters(setting.columns[1]);
        ranges.column3 = letters(setting.columns[2]);
        ranges.column4 = letters(setting.columns[3]);
        break;
    case WorkMode::ColumnsOnOneLine:
        ranges.column2 = letters(setting.columns[1]);
        ranges.column3 = setting.column3IsRemark ? setting.columns[2] : letters(setting.columns[2]);
        break;
    case WorkMode::WireNumbers:
        ranges.countColumn = letters(setting.count);
        ranges.sequenceColumn = letters(setting.sequenceColumn);
        break;
    }
    ranges.startRow = setting.startRow;
    ranges.endRow = setting.endRow;
    return ranges;
}

} // namespace

bool appliesStartState(ConversionOutcome outcome) {
    switch (outcome) {
    case ConversionOutcome::NoSpreadsheet:
    case ConversionOutcome::HostBusy:
    case ConversionOutcome::HostFailed:
        return false;
    default:
        return true;
    }
}

bool finishes(ConversionOutcome outcome) {
    return outcome == ConversionOutcome::Completed || outcome == ConversionOutcome::LimitReached;
}

void UndoLastAdd(ConversionState& state) {
    if (state.addUndoMark >= 0 && state.addUndoMark < state.resultLineCount()) {
        state.buffer.resize(static_cast<std::size_t>(state.addUndoMark));
    }
}

ConversionResult RunConversion(platform::SpreadsheetHost& host,
                               const std::shared_ptr<platform::Worksheet>& sheet,
                               const ConversionSettings& settings, ConversionKind kind,
                               const ConversionState& before, CellReading reading) {
    ConversionResult result;
    result.state = before;
    if (!sheet || !host.isVisible()) {
        result.outcome = ConversionOutcome::NoSpreadsheet;
        result.message = Text(OpenWorkbookMessage);
        return result;
    }
    // The spreadsheet refuses the active cell while a cell is being edited.
    try {
        host.activeCell();
    } catch (const platform::SpreadsheetError&) {
        result.outcome = ConversionOutcome::HostBusy;
        result.message = Text(sheet::HostBusyMessage);
        return result;
    }

    ConversionState& state = result.state;
    if (kind == ConversionKind::New) {
        state.buffer.clear();
        state.resultFullWidth = false;
        state.addUndoMark = 0;
    } else {
        state.addUndoMark = state.resultLineCount();
    }
    state.settingFullWidth = {};
    state.scanRanges = {};
    state.settingLines = {};

    BlockReading blocks(*sheet);
    PerCellReading perCell(*sheet);
    SheetCells& cells = reading == CellReading::Blocks ? static_cast<SheetCells&>(blocks) : perCell;
    Conversion conversion(settings, cells, state);

    std::optional<ConversionOutcome> end;
    try {
        end = conversion.runSetting(0);
        if (!end && !conversion.eplan() && settings.useSetting2) {
            end = conversion.runSetting(1);
            if (!end && settings.useSetting3) {
                end = conversion.runSetting(2);
            }
        }
    } catch (const platform::SpreadsheetError&) {
        // Nothing half done: the window keeps the list and the buffer of before.
        result.state = before;
        result.outcome = ConversionOutcome::HostFailed;
        result.message = Text(sheet::HostBusyMessage);
        return result;
    }
    result.outcome = end.value_or(ConversionOutcome::Completed);
    result.message = result.outcome == ConversionOutcome::Completed
                         ? completionMessage(state.resultLineCount())
                         : conversion.message();
    if (finishes(result.outcome)) {
        for (std::size_t s = 0; s < state.settingFullWidth.size(); ++s) {
            if (state.settingFullWidth[s]) {
                state.scanRanges[s] = scanRangesOf(settings.settings[s]);
                state.resultFullWidth = true;
            }
        }
    }
    return result;
}

} // namespace lumitag::conversion
