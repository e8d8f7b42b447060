#pragma once

#include "platform/Text.h"

#include <optional>

namespace lumitag::conversion {

// The whole number a box holds: an optional sign and decimal digits, nothing
// else. Numbers beyond the int range are held at its ends, so that a long
// run of digits is still a number but can never overflow.
std::optional<int> boxInteger(TextView text);

} // namespace lumitag::conversion
