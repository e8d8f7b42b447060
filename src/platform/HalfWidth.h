#pragma once

#include "platform/Text.h"

namespace lumitag::platform {

// The half-width mapping: every character that has a narrow counterpart in
// the Unicode Character Database is replaced by it. Full-width Latin letters,
// digits and signs become ASCII, the ideographic space a space, katakana and
// kana punctuation their half-width forms; a katakana with a voiced or
// semi-voiced sound mark becomes two characters (ガ → ｶﾞ). Kanji, hiragana
// and every other character stay as they are.
//
// The table behind it is generated at build time from UnicodeData.txt. A
// text of any length is mapped whole.
Text toHalfWidth(TextView text);

} // namespace lumitag::platform
