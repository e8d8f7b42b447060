#include "entry/marks/MarkRules.h"

#include "platform/Text.h"

#include <algorithm>
#include <cstddef>

namespace lumitag::entry {

namespace {

constexpr std::size_t None = TextView::npos;

int position(std::size_t index) {
    return static_cast<int>(index);
}

MarkClick unchanged(TextView text, int caret) {
    return {Text(text), caret, MarkClick::Change::None, 0, false};
}

MarkClick removeAt(TextView text, std::size_t index) {
    Text edited(text);
    const char32_t mark = edited[index];
    edited.erase(index, 1);
    return {std::move(edited), position(index), MarkClick::Change::Removed, mark, false};
}

MarkClick insertAt(TextView text, int caret, char32_t mark) {
    Text edited(text);
    const bool atEnd = caret == position(edited.size());
    edited.insert(static_cast<std::size_t>(caret), 1, mark);
    return {std::move(edited), caret + 1, MarkClick::Change::Inserted, mark, atEnd};
}

// The caret stands directly before or directly after the character at `index`.
bool nextTo(std::size_t index, int caret) {
    return index != None && (caret == position(index) || caret == position(index) + 1);
}

// One character before the bracket's position (counted from 1), or one after it.
bool besideBracket(std::size_t index, int caret) {
    return index != None && (caret == position(index) || caret == position(index) + 2);
}

} // namespace

MarkClick multiLineMarkClick(TextView text, int caret) {
    caret = std::clamp(caret, 0, position(text.size()));
    if (caret == 0)
        return unchanged(text, caret);
    const std::size_t first = text.find(MultiLineMark);
    const std::size_t second = first == None ? None : text.find(MultiLineMark, first + 1);
    if (second != None && nextTo(second, caret))
        return removeAt(text, second);
    if (nextTo(first, caret))
        return removeAt(text, first);
    if (second == None)
        return insertAt(text, caret, MultiLineMark);
    return unchanged(text, caret);
}

MarkClick numberingMarkClick(TextView text, int caret) {
    caret = std::clamp(caret, 0, position(text.size()));
    const std::size_t open = text.find(NumberingOpen);
    const std::size_t close = text.find(NumberingClose);
    if (besideBracket(open, caret))
        return removeAt(text, open);
    if (besideBracket(close, caret))
        return removeAt(text, close);
    if ((open == None && close == None) || (open == None && caret <= position(close)))
        return insertAt(text, caret, NumberingOpen);
    if (open != None && close == None && caret > position(open) + 2) {
        // The start value runs from the second character after "【" to the caret.
        const std::size_t from = open + 2;
        if (readsAsHexadecimal(text.substr(from, static_cast<std::size_t>(caret) - from)))
            return insertAt(text, caret, NumberingClose);
    }
    return unchanged(text, caret);
}

bool readsAsHexadecimal(TextView text) {
    if (text.empty() || text.size() > 8)
        return false;
    return std::all_of(text.begin(), text.end(), [](char32_t c) {
        return isAsciiDigit(c) || (c >= U'A' && c <= U'F') || (c >= U'a' && c <= U'f');
    });
}

Text withoutFirstBrackets(TextView text) {
    Text copy(text);
    for (char32_t bracket : {NumberingOpen, NumberingClose}) {
        const std::size_t at = copy.find(bracket);
        if (at != None)
            copy.erase(at, 1);
    }
    return copy;
}

bool hasCharacterAbove127(TextView text) {
    return std::any_of(text.begin(), text.end(), [](char32_t c) { return c > 127; });
}

bool caretInsideNumbering(TextView text, int caret, int margin) {
    const std::size_t open = text.find(NumberingOpen);
    if (open == None || caret <= position(open) + 1 + margin)
        return false;
    const std::size_t close = text.find(NumberingClose);
    return close == None || caret <= position(close);
}

} // namespace lumitag::entry
