#pragma once

#include "platform/Text.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace lumitag::tools {

// Where `pattern` occurs in `text`: the non-overlapping occurrences from the
// left (after one is found the search goes on behind it), as start indices.
// An empty pattern has none.
std::vector<std::size_t> occurrences(TextView text, TextView pattern);

// The occurrence rule every bulk tool shares: which occurrence of `pattern` a
// tool acts on, given the occurrence number n (0 when none is given).
//
// - n = 0: the first occurrence.
// - n >= 1: the n-th occurrence when the text holds at least n; the only one
//   when it holds exactly one; none when it holds two or more but fewer than n.
//
// Occurrences are always counted in the text as it is before the change.
std::optional<std::size_t> chosenOccurrence(TextView text, TextView pattern, int n);

} // namespace lumitag::tools
