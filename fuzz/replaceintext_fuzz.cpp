// Any text, target, replacement and occurrence number for ReplaceInText:
// it never crashes and gives what the occurrence rule asks for, worked out
// here the slow way: the text with the chosen non-overlapping occurrence
// (counted from the left in the text before the change) replaced, or the
// text unchanged.
//
// Input: byte 0 the occurrence number (-3 to 252), then the text, the target
// and the replacement as UTF-8, separated by 0xFF bytes (never in UTF-8).
#include "conversion/ReplaceInText.h"
#include "platform/Encoding.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

using namespace lumitag;

// Every start of `target` in `text`, each search beginning behind the last one found.
std::vector<std::size_t> startsOf(const Text& text, const Text& target) {
    std::vector<std::size_t> starts;
    if (target.empty())
        return starts;
    std::size_t at = 0;
    while (at + target.size() <= text.size()) {
        if (text.compare(at, target.size(), target) == 0) {
            starts.push_back(at);
            at += target.size();
        } else {
            ++at;
        }
    }
    return starts;
}

Text expected(const Text& text, const Text& target, const Text& replacement, int n) {
    const std::vector<std::size_t> starts = startsOf(text, target);
    std::size_t chosen = 0;
    if (starts.empty())
        return text;
    if (n <= 1 || starts.size() == 1)
        chosen = starts.front();
    else if (starts.size() >= static_cast<std::size_t>(n))
        chosen = starts[static_cast<std::size_t>(n) - 1];
    else
        return text;
    return text.substr(0, chosen) + replacement + text.substr(chosen + target.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const int n = static_cast<int>(data[0]) - 3;
    std::vector<Text> parts;
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    std::size_t start = 0;
    while (parts.size() < 2) {
        const std::size_t separator = rest.find('\xff', start);
        if (separator == std::string_view::npos)
            break;
        parts.push_back(platform::fromUtf8(rest.substr(start, separator - start)));
        start = separator + 1;
    }
    parts.push_back(platform::fromUtf8(rest.substr(start)));
    parts.resize(3);
    const Text& text = parts[0];
    const Text& target = parts[1];
    const Text& replacement = parts[2];

    if (conversion::ReplaceInText(text, target, replacement, n) != expected(text, target, replacement, n))
        std::abort();
    return 0;
}
