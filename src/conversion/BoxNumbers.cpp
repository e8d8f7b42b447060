#include "conversion/BoxNumbers.h"

#include <algorithm>
#include <limits>

namespace lumitag::conversion {

std::optional<int> boxInteger(TextView text) {
    bool negative = false;
    if (!text.empty() && (text.front() == U'-' || text.front() == U'+')) {
        negative = text.front() == U'-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    constexpr long long limit = std::numeric_limits<int>::max();
    long long value = 0;
    for (const char32_t c : text) {
        if (!isAsciiDigit(c)) {
            return std::nullopt;
        }
        value = std::min(limit + 1, value * 10 + (c - U'0'));
    }
    const long long signedValue = negative ? -value : value;
    return static_cast<int>(
        std::clamp(signedValue, static_cast<long long>(std::numeric_limits<int>::min()), limit));
}

} // namespace lumitag::conversion
