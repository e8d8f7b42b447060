#pragma once

#include "platform/Text.h"

namespace lumitag::marking {

// Whether a marking text needs the marker's Windows font: it holds a
// character above code 127 at a position that is not exempt. Exempt are the
// first "【" and the character right after it, and the first "】" and the
// character right after it, whatever those characters are; every later
// bracket is tested like any other character.
bool isFullWidth(TextView text);

} // namespace lumitag::marking
