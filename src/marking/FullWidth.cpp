#include "marking/FullWidth.h"

namespace lumitag::marking {

bool isFullWidth(TextView text) {
    const std::size_t open = text.find(U'【');
    const std::size_t close = text.find(U'】');
    const auto exempt = [&](std::size_t i) {
        return (open != TextView::npos && (i == open || i == open + 1)) ||
               (close != TextView::npos && (i == close || i == close + 1));
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] > 127 && !exempt(i))
            return true;
    }
    return false;
}

} // namespace lumitag::marking
