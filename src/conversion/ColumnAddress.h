#pragma once

#include "platform/Text.h"

#include <optional>

namespace lumitag::conversion {

// The blue window's boxes that name a column, by how far they reach: the
// column boxes A to CV (1 to 100), the count column of 線番・記銘板等 one
// more (CW, 101) and the sequence column box one more again (CX, 102).
enum class ColumnBox { Column, CountColumn, SequenceColumn };

// The last column the box accepts: 100, 101 or 102.
int lastColumnOf(ColumnBox box);

// The leave rule of a box that names a column (an empty box is not judged
// here). A number must be 1 to the box's last column; letters must be one
// capital letter, or two: A or B followed by a capital letter, or C followed
// by A up to the box's last letter (V, W or X). Anything longer is refused.
bool isAcceptedColumnText(TextView text, ColumnBox box);

// The letters of a program column: 1 "A" … 26 "Z", 27 "AA" … 100 "CV".
// Nothing outside 1 to 100.
std::optional<Text> ColumnToLetters(int column);

// How a conversion takes a filled column box.
struct ResolvedColumn {
    enum class Kind {
        Column,        // names a column
        NumberPast100, // a number above 100: the conversion stops silently
        Unusable,      // names no cell column (a remark text, 0, "1A")
    };
    Kind kind = Kind::Unusable;
    int column = 0; // for Column
    Text letters;   // for Column: the letters the cells are addressed by
};

// A number 1 to 100 becomes its letters; letters are used as typed (either
// case, as far as the sheet reaches).
ResolvedColumn resolveColumn(TextView text);

} // namespace lumitag::conversion
