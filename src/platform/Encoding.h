#pragma once

#include "platform/Text.h"

#include <string>
#include <string_view>

namespace lumitag::platform {

// UTF-8 of the text. A value that is no Unicode scalar (a surrogate, beyond
// U+10FFFF) is written as U+FFFD.
std::string toUtf8(TextView text);

// The code points of UTF-8 bytes. Never fails: every byte that does not start a
// well-formed sequence (a stray continuation byte, an overlong form, a
// surrogate, a sequence cut short) becomes one U+FFFD and decoding goes on
// with the next byte.
Text fromUtf8(std::string_view bytes);

} // namespace lumitag::platform
