#include "tools/MarkInsertion.h"

#include "tools/Occurrence.h"

#include <algorithm>

namespace lumitag::tools {

namespace {

constexpr int MarksAllowed = 2;
constexpr int HighestOccurrence = 5;

// Why a gap cannot take a mark.
enum class Refusal { None, Edge, Mark };

bool isMark(TextView text, std::size_t index) {
    return index < text.size() && text[index] == MultiLineMark;
}

// Gap g lies before character index g: 0 is the start, size() the end.
Refusal gapRefusal(TextView text, std::size_t gap) {
    if (gap == 0 || gap >= text.size())
        return Refusal::Edge;
    if (isMark(text, gap - 1) || isMark(text, gap))
        return Refusal::Mark;
    return Refusal::None;
}

Text withMarkAt(TextView text, std::size_t gap) {
    Text result(text);
    result.insert(result.begin() + static_cast<std::ptrdiff_t>(gap), MultiLineMark);
    return result;
}

// The keyword gap on the chosen side of the occurrence at `at`, and why it is
// refused. After the keyword, an existing mark inside the occurrence refuses it too.
Refusal keywordRefusal(TextView text, std::size_t at, std::size_t length, Side side) {
    if (side == Side::Before)
        return gapRefusal(text, at);
    const Refusal refusal = gapRefusal(text, at + length);
    if (refusal == Refusal::None && text.substr(at, length).find(MultiLineMark) != TextView::npos)
        return Refusal::Mark;
    return refusal;
}

bool eligible(TextView text, const MarkInsertion& request) {
    return static_cast<int>(text.size()) >= request.minimumLength && markCount(text) < MarksAllowed;
}

// The second chance of the pre-check: the keyword still occurs after its first
// n - 1 occurrences have been taken out one after another.
bool occursAfterRemovingFirst(TextView text, TextView keyword, int removals) {
    Text rest(text);
    for (int i = 0; i < removals; ++i) {
        const std::size_t at = rest.find(keyword);
        if (at == Text::npos)
            return false;
        rest.erase(at, keyword.size());
    }
    return rest.find(keyword) != Text::npos;
}

} // namespace

int markCount(TextView text) {
    return static_cast<int>(std::count(text.begin(), text.end(), MultiLineMark));
}

std::optional<Text> insertMarkAtPosition(TextView text, int q, Side side) {
    if (q < 1 || markCount(text) >= MarksAllowed)
        return std::nullopt;
    // The stored index of the q-th character that is not a mark.
    int seen = 0;
    std::size_t index = 0;
    for (; index < text.size(); ++index) {
        if (text[index] != MultiLineMark && ++seen == q)
            break;
    }
    if (seen < q)
        return std::nullopt;
    const std::size_t gap = side == Side::Before ? index : index + 1;
    if (gapRefusal(text, gap) != Refusal::None)
        return std::nullopt;
    return withMarkAt(text, gap);
}

std::optional<Text> insertMarkAtKeyword(TextView text, TextView keyword, int n, Side side) {
    if (markCount(text) >= MarksAllowed)
        return std::nullopt;
    const std::optional<std::size_t> at = chosenOccurrence(text, keyword, n);
    if (!at || keywordRefusal(text, *at, keyword.size(), side) != Refusal::None)
        return std::nullopt;
    return withMarkAt(text, side == Side::Before ? *at : *at + keyword.size());
}

bool offersMarkPlace(TextView text, const MarkInsertion& request) {
    if (!eligible(text, request))
        return false;
    if (request.mode == MarkInsertion::Mode::Position)
        return insertMarkAtPosition(text, request.position, request.side).has_value();

    const TextView keyword = request.keyword;
    const std::size_t first = keyword.empty() ? TextView::npos : text.find(keyword);
    if (first == TextView::npos)
        return false;
    const Refusal refusal = keywordRefusal(text, first, keyword.size(), request.side);
    if (refusal == Refusal::None)
        return true;
    return refusal == Refusal::Mark && markCount(text) == 1 && request.occurrence >= 2 &&
           request.occurrence <= HighestOccurrence &&
           occursAfterRemovingFirst(text, keyword, request.occurrence - 1);
}

Text insertMark(TextView text, const MarkInsertion& request) {
    if (!eligible(text, request))
        return Text(text);
    const std::optional<Text> result =
        request.mode == MarkInsertion::Mode::Position
            ? insertMarkAtPosition(text, request.position, request.side)
            : insertMarkAtKeyword(text, request.keyword, request.occurrence, request.side);
    return result.value_or(Text(text));
}

} // namespace lumitag::tools
