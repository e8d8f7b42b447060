#pragma once

#include "platform/Text.h"

#include <array>
#include <vector>

namespace lumitag::marking {

// What a marking line holds besides its text: one count, three counts, or a
// second free text. Chosen while the list is empty.
enum class BoxMode { OneBox, ThreeBox, Text };

// One content column of the list in a box mode.
struct ColumnLayout {
    int width = 0;
    Text header; // row 0
};

// The wire-size labels of the three counts of 3BOX (the texts of ComboBox4 to ComboBox6).
using CountLabels = std::array<Text, 3>;

// Width of the row-number column in every box mode.
inline constexpr int RowNumberColumnWidth = 35;

// The content columns of a box mode, column 1 first. The headers are exact,
// with their ideographic spaces (U+3000) and ASCII spaces.
std::vector<ColumnLayout> columnLayout(BoxMode mode, const CountLabels& countLabels);

// The number of content columns: 3 in 1BOX, 5 in 3BOX, 2 in TEXT.
int contentColumnCount(BoxMode mode);

// Left edge of count label `index` (0: Label6, 1: Label56, 2: Label57) in
// 3BOX for a label text of `length` characters; longer labels start further
// left so that they stay centred over their box. Lengths beyond 1..4 clamp.
int countLabelLeft(int index, int length);

} // namespace lumitag::marking
