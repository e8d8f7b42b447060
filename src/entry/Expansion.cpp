#include "entry/Expansion.h"

#include <algorithm>
#include <cassert>
#include <limits>

namespace lumitag::entry {
namespace {

std::uint64_t saturatingProduct(std::uint64_t a, std::uint64_t b) {
    if (a != 0 && b > std::numeric_limits<std::uint64_t>::max() / a)
        return std::numeric_limits<std::uint64_t>::max();
    return a * b;
}

} // namespace

Expansion::Expansion(const EntryTexts& entry)
    : fixedText1_(entry.fixedText1), fixedText2_(entry.fixedText2), order_(entry.order) {
    for (std::size_t i = 0; i < values_.size(); ++i) {
        values_[i] = SequenceValues(entry.sequences[i]);
        lineCount_ = saturatingProduct(lineCount_, values_[i].count());
    }
}

std::array<std::uint64_t, 3> Expansion::valueIndexes(std::uint64_t index) const {
    // A saturated product of two counts is still larger than any index, so the
    // outer index comes out as 0, which is what the true product gives.
    const std::uint64_t n1 = values_[0].count();
    const std::uint64_t n2 = values_[1].count();
    const std::uint64_t n3 = values_[2].count();
    if (order_ == LineOrder::LastSequenceFastest)
        return {index / saturatingProduct(n2, n3), index / n3 % n2, index % n3};
    return {index % n1, index / n1 % n2, index / saturatingProduct(n1, n2)};
}

Text Expansion::line(std::uint64_t index) const {
    assert(index < lineCount_);
    const std::array<std::uint64_t, 3> at = valueIndexes(index);
    Text text;
    text.reserve(fixedText1_.size() + fixedText2_.size() + 9);
    values_[0].appendText(at[0], text);
    text += fixedText1_;
    values_[1].appendText(at[1], text);
    text += fixedText2_;
    values_[2].appendText(at[2], text);
    return text;
}

std::vector<Text> Expansion::lines(std::size_t maxLines) const {
    const std::uint64_t count = std::min<std::uint64_t>(maxLines, lineCount_);
    std::vector<Text> result;
    result.reserve(static_cast<std::size_t>(count));
    for (std::uint64_t i = 0; i < count; ++i)
        result.push_back(line(i));
    return result;
}

} // namespace lumitag::entry
