#pragma once

#include "platform/Text.h"

#include <string_view>
#include <vector>

namespace lumitag::batch {

// The encodings a wire list exported as text arrives in.
enum class DelimitedEncoding { Utf8, Utf8WithBom, Utf16Le, Utf16Be, Cp932 };

// A CSV or TSV file read into rows of fields.
struct DelimitedText {
    DelimitedEncoding encoding = DelimitedEncoding::Utf8;
    // Row 0 is the file's first record; a record shorter than others simply
    // has fewer fields.
    std::vector<std::vector<Text>> rows;
};

// Picks the encoding: a byte-order mark decides; bytes that are well-formed
// UTF-8 are UTF-8; anything else is CP932 (what spreadsheets on Japanese
// Windows write).
DelimitedEncoding detectEncoding(std::string_view bytes);

// Splits the bytes into records and fields. Fields are separated by
// `separator`; a field that begins with a double quote runs to the closing
// quote and may hold separators and line breaks, two quotes inside standing
// for one. Records end at CR LF, LF or a bare CR; a line end at the very end
// of the file starts no further record. Never fails: a quote left open runs
// to the end of the file.
DelimitedText parseDelimitedText(std::string_view bytes, char32_t separator);

} // namespace lumitag::batch
