#pragma once

#include "platform/Text.h"

#include <optional>

namespace lumitag::sheet {

// Lengths the column/row settings window reads and the sizes it gives the
// spreadsheet. Column widths are counted in half-width characters of the
// 11-point standard font (5.5 points each), and a column shows 0.7 of a
// character of padding besides its characters; row heights are in points.
// The spreadsheet host measures both the same way, so that a length asked
// for in millimetres is the length on the printout.

// A number typed into a size box: digits with at most one ".", at least one
// digit ("12", "12.5", ".5", "12."). Nothing for anything else.
std::optional<double> parseLength(TextView text);

// The column width in characters that prints `mm` millimetres wide.
double columnWidthFromMillimetres(double mm);
// The row height in points that prints `mm` millimetres high.
double rowHeightFromMillimetres(double mm);

// The print correction: a test print of `target` millimetres measured
// `measured` millimetres long is corrected by f = 2 − measured ÷ target,
// which is target ÷ measured to first order. Nothing when the target is 0 or
// when f would not be positive (measured at least twice the target): a size
// of 0 hides a column or a row, and a negative one means nothing.
std::optional<double> printCorrectionFactor(double target, double measured);

} // namespace lumitag::sheet
