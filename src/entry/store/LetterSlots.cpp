#include "entry/store/LetterSlots.h"

#include <algorithm>

namespace lumitag::entry {

bool LetterSlots::holds(TextView text) const {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

void LetterSlots::pushTop(const Text& text) {
    std::move_backward(texts.begin(), texts.end() - 1, texts.end());
    texts[0] = text;
}

bool LetterSlots::record(const Text& text) {
    for (std::size_t i = Count - 1; i >= 1; --i)
        if (!pinned[i])
            texts[i] = texts[i - 1];
    const auto free = std::find(pinned.begin(), pinned.end(), false);
    if (free == pinned.end())
        return false;
    texts[static_cast<std::size_t>(free - pinned.begin())] = text;
    return true;
}

void LetterSlots::remove(std::size_t index) {
    for (std::size_t i = index; i + 1 < Count; ++i) {
        texts[i] = std::move(texts[i + 1]);
        pinned[i] = pinned[i + 1];
    }
    texts[Count - 1].clear();
    pinned[Count - 1] = false;
}

std::optional<std::size_t> LetterSlots::pin(std::size_t index) {
    if (texts[index].empty())
        return std::nullopt;
    const auto free = std::find(pinned.begin(), pinned.end(), false);
    const std::size_t first = static_cast<std::size_t>(free - pinned.begin());
    if (first >= index) {
        // A, or every box above it is pinned: pinned where it is.
        pinned[index] = true;
        return index;
    }
    Text entry = std::move(texts[index]);
    std::move_backward(texts.begin() + static_cast<std::ptrdiff_t>(first),
                       texts.begin() + static_cast<std::ptrdiff_t>(index),
                       texts.begin() + static_cast<std::ptrdiff_t>(index) + 1);
    texts[first] = std::move(entry);
    pinned[first] = true;
    return first;
}

void LetterSlots::clear() {
    texts = {};
    pinned = {};
}

} // namespace lumitag::entry
