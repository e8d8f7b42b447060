#pragma once

#include <string>
#include <string_view>

namespace lumitag {

// The program's text: Unicode code points. Positions, lengths and caret indexes
// count code points; UTF-8 and CP932 exist only at the file, clipboard and
// front-end boundaries (platform/Encoding.h).
using Text = std::u32string;
using TextView = std::u32string_view;

} // namespace lumitag
