#pragma once

#include "platform/Text.h"

#include <vector>

namespace lumitag::marking {

// The content columns of one list row, column 1 first.
using RowFields = std::vector<Text>;

// A list snapshot is the whole list as text, the form undo keeps it in:
// line 1 the row to select after restoring, then one line per row with its
// content columns joined by TAB. Every line ends with CR LF.
Text makeSnapshot(int selectRow, const std::vector<RowFields>& rows);

// A snapshot split at its first CR LF.
struct SnapshotParts {
    int selectRow = 1; // 1 when line 1 is not a row number
    Text body;         // the rows' lines
};
SnapshotParts splitSnapshot(TextView snapshot);

// The rows of a text of CR-terminated lines, each split at its TABs. An LF
// right after a CR belongs to the line break; text after the last CR is no
// line and is dropped. Pasted text and snapshots are read the same way.
std::vector<RowFields> parseLines(TextView text);

bool holdsCarriageReturn(TextView text);

} // namespace lumitag::marking
