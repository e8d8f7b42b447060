#pragma once

#include "conversion/ConversionSettings.h"
#include "platform/Text.h"

namespace lumitag::conversion {

// Replaces one occurrence of `target` in `text` by `replacement`, chosen by
// the occurrence rule of the list tools (tools/Occurrence.h): the first for
// n 0 or 1, the n-th when there are at least n, the only one when there is
// one, none when there are two or more but fewer than n. Occurrences are
// counted from the left without overlapping, in the text before the change,
// whatever its length.
Text ReplaceInText(TextView text, TextView target, TextView replacement, int n);

// A setting's replacements: the first pair, then the second pair on the
// result when both its target and its replacement are filled. Occurrence
// boxes that hold no number count as empty (0).
Text applyReplacements(TextView text, const ConversionSetting& setting);

} // namespace lumitag::conversion
