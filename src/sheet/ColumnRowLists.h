#pragma once

#include "platform/Result.h"
#include "platform/Text.h"

#include <vector>

namespace lumitag::sheet {

// Columns or rows first to last, both included (1 for column A and row 1).
struct ListSpan {
    int first = 1;
    int last = 1;

    friend bool operator==(const ListSpan&, const ListSpan&) = default;
};

// The column and row lists of the column/row settings window: items
// separated by ",", each a single name or a range of two names joined by ":".
//
// A single column item is used whole ("AA" is column AA). In a column range
// only the first letter of each end counts: "A:F" is A to F, "AA:AC" is
// column A alone. A range whose end precedes its start ("E:C", "9:3") covers
// nothing; that is not a mistake.
//
// The whole list is read before anything is set, so that a list with one bad
// item changes no column at all. A bad item is an empty one (",A", "A,,B",
// "A,"), a range with an empty or extra end ("A:", "A:B:C"), a column past
// CV, a row 0, a row past the sheet, or any character other than the listed
// ones (spaces, full-width letters and digits, signs). The reason names the
// item for the developer; the user sees the window's one message.

// The items as spans, in list order (repeats kept, a range that covers
// nothing left out), so that a range is set with one call to the spreadsheet.
platform::Result<std::vector<ListSpan>> parseColumnList(TextView list);
// Rows lie in 1 to lastRow.
platform::Result<std::vector<ListSpan>> parseRowList(TextView list, int lastRow);

} // namespace lumitag::sheet
