#include "tools/Occurrence.h"

namespace lumitag::tools {

std::vector<std::size_t> occurrences(TextView text, TextView pattern) {
    std::vector<std::size_t> found;
    if (pattern.empty())
        return found;
    for (std::size_t at = text.find(pattern); at != TextView::npos;
         at = text.find(pattern, at + pattern.size()))
        found.push_back(at);
    return found;
}

std::optional<std::size_t> chosenOccurrence(TextView text, TextView pattern, int n) {
    const std::vector<std::size_t> found = occurrences(text, pattern);
    if (found.empty())
        return std::nullopt;
    if (n <= 1 || found.size() == 1)
        return found.front();
    if (found.size() >= static_cast<std::size_t>(n))
        return found[static_cast<std::size_t>(n) - 1];
    return std::nullopt;
}

} // namespace lumitag::tools
