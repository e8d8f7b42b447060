#pragma once

#include "platform/Text.h"

#include <string>
#include <string_view>
#include <vector>

namespace lumitag::platform {

// Conversions between the program's text and the bytes of files, the
// clipboard and the front end. Decoders never fail: a byte they cannot read
// becomes U+FFFD and decoding goes on. CP932 is the Japanese Windows code page
// (Shift_JIS with the vendor extensions), converted by the C library's iconv.

inline constexpr char32_t replacementCharacter = 0xFFFD;

// UTF-8 of the text. A value that is no Unicode scalar (a surrogate, beyond
// U+10FFFF) is written as U+FFFD.
std::string toUtf8(TextView text);

// The code points of UTF-8 bytes. Every byte that does not start a well-formed
// sequence (a stray continuation byte, an overlong form, a surrogate, a
// sequence cut short) becomes one U+FFFD and decoding goes on with the next byte.
Text fromUtf8(std::string_view bytes);

// CP932 bytes of the text. A character CP932 cannot represent is written as "?".
std::string toCp932(TextView text);

// The code points of CP932 bytes; an undefined byte or a lead byte without a
// valid trail byte becomes U+FFFD and decoding goes on with the next byte.
Text fromCp932(std::string_view bytes);

// The characters of the text that do not come back from CP932 as they were,
// each once, in order of first appearance: those toCp932 writes as "?" and
// those it writes as another character's bytes (¥ as \, ‾ as ~), which read
// back as that other character.
Text charactersChangedByCp932(TextView text);

enum class ByteOrder { LittleEndian, BigEndian };

// The code points of UTF-16 bytes; an unpaired surrogate and a lone trailing
// byte become U+FFFD.
Text fromUtf16(std::string_view bytes, ByteOrder order);

// The encoding a text file was read in.
enum class TextFileEncoding { Cp932, Utf8WithBom, Utf16LeWithBom, Utf16BeWithBom };

struct DecodedTextFile {
    TextFileEncoding encoding = TextFileEncoding::Cp932;
    std::vector<Text> lines;
};

// Reads the bytes of a text file: a UTF-8, UTF-16 LE or UTF-16 BE byte-order
// mark selects that encoding (the mark itself is dropped), anything else is
// CP932. Lines end at CR LF, a bare CR or a bare LF; a line end at the very
// end of the file does not start another line, so "a\r\n" is one line and an
// empty file has none.
DecodedTextFile decodeTextFile(std::string_view bytes);

// Splits text into lines as decodeTextFile does.
std::vector<Text> splitLines(TextView text);

// CP932 with CR LF after every line, the last one included, no byte-order
// mark. Characters CP932 cannot represent are written as "?".
std::string encodeCp932Lines(const std::vector<Text>& lines);

// UTF-8 with a byte-order mark and CR LF after every line, the last one included.
std::string encodeUtf8BomLines(const std::vector<Text>& lines);

} // namespace lumitag::platform
