#include "platform/HalfWidth.h"

#include <algorithm>
#include <iterator>

namespace lumitag::platform {

namespace {

struct HalfWidthEntry {
    char32_t from;
    char32_t first;
    char32_t second; // 0 when the half-width form is one character
};

// Sorted by `from`.
constexpr HalfWidthEntry Table[] = {
#include "platform/HalfWidthTable.inc"
};

static_assert(std::size(Table) > 0);

} // namespace

Text toHalfWidth(TextView text) {
    Text result;
    result.reserve(text.size());
    for (const char32_t c : text) {
        const auto* entry =
            std::lower_bound(std::begin(Table), std::end(Table), c,
                             [](const HalfWidthEntry& e, char32_t code) { return e.from < code; });
        if (entry == std::end(Table) || entry->from != c) {
            result.push_back(c);
            continue;
        }
        result.push_back(entry->first);
        if (entry->second != 0)
            result.push_back(entry->second);
    }
    return result;
}

} // namespace lumitag::platform
