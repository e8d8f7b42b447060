#pragma once

#include "platform/Text.h"

namespace lumitag::platform::calc {

// Calc measures lengths in 1/100 mm; the program speaks the units of the
// spreadsheet interface: column widths in characters of the standard font, row heights
// and margins in points.
//
// A character of the standard font is a half-width character of the 11-point
// Japanese standard font, 5.5 points wide, and a column holds 0.7 of a
// character of padding besides its characters: 20 mm are 20 / 25.4 * 72 / 5.5
// - 0.7 = 9.607 characters, and that column prints 20 mm wide. Widths below
// one character scale linearly down to zero, so the conversion is continuous
// and can be inverted.
int columnWidthToHundredthMm(double characters);
double columnWidthFromHundredthMm(int hundredthMm);

// 1 point = 1/72 inch = 2540 / 72 hundredths of a millimetre.
int pointsToHundredthMm(double points);
double pointsFromHundredthMm(int hundredthMm);

// Calc keeps row heights in twips (1/20 point); a height read back is rounded to
// the nearest twip, which returns exactly what was written in whole twips.
double rowHeightFromHundredthMm(int hundredthMm);

// A cell's number as the spreadsheet's Value reads as text: up to 15
// significant digits, no trailing zeros, "1E+20" for large magnitudes.
Text numberAsText(double value);

} // namespace lumitag::platform::calc
