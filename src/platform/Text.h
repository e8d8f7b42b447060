#pragma once

#include <string>
#include <string_view>
#include <type_traits>

namespace lumitag {

// The program's text: Unicode code points. Positions, lengths and caret indexes
// count code points; UTF-8 and CP932 exist only at the file, clipboard and
// front-end boundaries (platform/Encoding.h).
using Text = std::u32string;
using TextView = std::u32string_view;

// One of the ASCII digits 0 to 9; full-width digits are not.
constexpr bool isAsciiDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

// The number in decimal digits, with a minus sign when negative: "12", "-3".
template <typename Number> Text numberText(Number number) {
    static_assert(std::is_integral_v<Number>, "numberText writes whole numbers");
    const std::string digits = std::to_string(number);
    return Text(digits.begin(), digits.end());
}

} // namespace lumitag
