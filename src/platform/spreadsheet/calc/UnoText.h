#pragma once

#include "platform/Text.h"

#include <rtl/ustring.hxx>
#include <string_view>

namespace lumitag::platform::calc {

// UNO strings are UTF-16; the program's text is code points. A lone surrogate
// on either side becomes U+FFFD.
rtl::OUString toUno(TextView text);
Text fromUno(const rtl::OUString& text);

// The file URL ("file:///…") of an absolute UTF-8 path, percent-encoded as UNO
// expects; empty when the path is not absolute.
rtl::OUString fileUrl(std::string_view absolutePath);

} // namespace lumitag::platform::calc
