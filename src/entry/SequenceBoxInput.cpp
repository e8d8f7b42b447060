#include "entry/SequenceBoxInput.h"

#include "platform/Text.h"

#include <algorithm>

namespace lumitag::entry {
namespace {

constexpr char32_t backspace = U'\b';

bool isUpperHexDigit(char32_t c) {
    return isAsciiDigit(c) || (c >= U'A' && c <= U'F');
}
bool isAsciiLetterOrDigit(char32_t c) {
    return isAsciiDigit(c) || (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z');
}

} // namespace

bool acceptsCharacter(SequenceMode mode, SequenceBox box, char32_t character) {
    if (character == backspace)
        return true;
    if (mode == SequenceMode::Range && box != SequenceBox::Middle)
        return isAsciiLetterOrDigit(character);
    return character != U' ';
}

bool isValidRangeText(TextView text) {
    switch (text.size()) {
    case 0:
        return true;
    case 1:
        return isAsciiLetterOrDigit(text[0]);
    case 2:
        return std::all_of(text.begin(), text.end(), isUpperHexDigit);
    case 3:
        return std::all_of(text.begin(), text.end(), isAsciiDigit);
    default:
        return false;
    }
}

} // namespace lumitag::entry
