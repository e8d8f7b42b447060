#include "tools/TextEdits.h"

#include "tools/Occurrence.h"

namespace lumitag::tools {

Text replaceOccurrence(TextView text, TextView target, TextView replacement, int n) {
    Text result(text);
    if (const auto at = chosenOccurrence(text, target, n))
        result.replace(*at, target.size(), replacement);
    return result;
}

Text deleteOccurrence(TextView text, TextView target, int n) {
    return replaceOccurrence(text, target, {}, n);
}

bool reachesPosition(TextView text, int position) {
    return position <= 0 || text.size() >= static_cast<std::size_t>(position);
}

Text insertAtPosition(TextView text, TextView insertion, int position, Side side) {
    Text result(text);
    if (!reachesPosition(text, position))
        return result;
    std::size_t at = 0;
    if (position > 0)
        at = side == Side::Before ? static_cast<std::size_t>(position) - 1
                                  : static_cast<std::size_t>(position);
    result.insert(at, insertion);
    return result;
}

Text insertAtKeyword(TextView text, TextView insertion, TextView keyword, int n, Side side) {
    Text result(text);
    if (const auto at = chosenOccurrence(text, keyword, n))
        result.insert(side == Side::Before ? *at : *at + keyword.size(), insertion);
    return result;
}

} // namespace lumitag::tools
