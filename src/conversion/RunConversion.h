#pragma once

#include "conversion/ConversionSettings.h"
#include "conversion/ConversionState.h"
#include "platform/spreadsheet/SpreadsheetHost.h"

#include <memory>

namespace lumitag::conversion {

// A new conversion (CTK 変換, 新規 変換, F9) replaces the list; an add
// conversion (追加 変換) appends to the lines of the previous ones.
enum class ConversionKind { New, Add };

// How the cells are read: in blocks (the program), or one host call per cell
// and per row's hidden state (the reference the tests compare against).
enum class CellReading { Blocks, PerCell };

enum class ConversionOutcome {
    NoSpreadsheet, // "エクセルファイルを開いてください"; nothing changed
    HostBusy,      // the busy test failed: the host busy message; nothing changed
    HostFailed,    // the spreadsheet failed while cells were read: the host
                   // busy message; everything as before the conversion
    MissingInput,  // "未入力箇所があります"
    InvalidInput,  // "入力が正しくありません"
    ColumnPast100, // a column box held a number above 100: no message
    Completed,     // every setting ran: the completion message
    LimitReached,  // the lines reached the limit: the limit message
};

// The start state has been applied (a new conversion empties the list and
// the buffer); lines of settings that ran before a stop stay in the buffer.
bool appliesStartState(ConversionOutcome outcome);
// The window finishes: it shows its buttons, rebuilds the list from the
// buffer and records the change for undo.
bool finishes(ConversionOutcome outcome);

struct ConversionResult {
    ConversionOutcome outcome = ConversionOutcome::NoSpreadsheet;
    // The information box to show, empty for none.
    Text message;
    // The state to keep: the buffer, the add-undo mark, the full-width flags
    // and what they remember.
    ConversionState state;
};

// Reads the cell blocks the settings describe from the connected worksheet
// and turns them into marking lines, starting from `before` (the state of
// the previous conversions). Shows nothing: the window shows the result's
// message and applies its state. A failure of the spreadsheet comes back as
// HostFailed; other exceptions pass through to the window's error box.
ConversionResult RunConversion(platform::SpreadsheetHost& host,
                               const std::shared_ptr<platform::Worksheet>& sheet,
                               const ConversionSettings& settings, ConversionKind kind,
                               const ConversionState& before, CellReading reading = CellReading::Blocks);

} // namespace lumitag::conversion
