#pragma once

#include "platform/Text.h"

namespace lumitag {

// The program's name as the user meets it: the caption of its message boxes
// and of the blue window, and the name of its single-instance lock.
inline constexpr TextView ProgramTitle = U"ルミタグ";

} // namespace lumitag
