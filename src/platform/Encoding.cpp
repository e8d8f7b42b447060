#include "platform/Encoding.h"

#include <cerrno>
#include <iconv.h>
#include <unordered_set>

namespace lumitag::platform {

namespace {

// glibc knows the Windows code page under this name; "SHIFT_JIS" would be the
// plain JIS standard, which lacks the vendor characters (①, Ⅲ, 髙 …) and maps
// 0x5C and 0x7E to ¥ and ‾.
constexpr const char* cp932Name = "CP932";
constexpr const char* utf32Name = "UTF-32LE";

bool isScalarValue(char32_t c) {
    return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

void appendUtf8(std::string& out, char32_t c) {
    if (!isScalarValue(c))
        c = replacementCharacter;
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// One iconv conversion descriptor, closed when it goes out of scope.
class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid())
            iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much of [in, in + inLeft) as possible, appending to out.
    // Returns 0 when all input was used, otherwise the errno iconv stopped
    // with (EILSEQ or EINVAL); in and inLeft then point at the problem.
    int convert(const char*& in, std::size_t& inLeft, std::string& out) {
        char buffer[1024];
        while (inLeft > 0) {
            char* inPtr = const_cast<char*>(in);
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(handle_, &inPtr, &inLeft, &outPtr, &outLeft);
            const int error = result == static_cast<std::size_t>(-1) ? errno : 0;
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            in = inPtr;
            if (error == E2BIG)
                continue;
            if (error != 0)
                return error;
        }
        return 0;
    }

    void reset() { iconv(handle_, nullptr, nullptr, nullptr, nullptr); }

private:
    iconv_t handle_;
};

std::string toUtf32Le(TextView text) {
    std::string bytes;
    bytes.reserve(text.size() * 4);
    for (char32_t c : text) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<char>((c >> shift) & 0xFF));
    }
    return bytes;
}

Text fromUtf32Le(std::string_view bytes) {
    Text text;
    text.reserve(bytes.size() / 4);
    for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4) {
        char32_t c = 0;
        for (int k = 3; k >= 0; --k)
            c = (c << 8) | static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
        text.push_back(c);
    }
    return text;
}

} // namespace

std::string toCp932(TextView text) {
    std::string out;
    Converter converter(cp932Name, utf32Name);
    if (!converter.valid()) {
        // Without the converter only ASCII can be written faithfully.
        for (char32_t c : text) {
            if (c < 0x80) {
                out.push_back(static_cast<char>(c));
            } else {
                out.push_back('?');
            }
        }
        return out;
    }
    out.reserve(text.size() * 2);
    const std::string input = toUtf32Le(text);
    const char* in = input.data();
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
        if (converter.convert(in, inLeft, out) == 0)
            break;
        // iconv stopped before a character it cannot convert (or, with
        // well-formed UTF-32 input, before a surrogate or out-of-range value):
        // "?" stands in for it.
        out.push_back('?');
        const std::size_t skip = inLeft < 4 ? inLeft : 4;
        in += skip;
        inLeft -= skip;
        converter.reset();
    }
    return out;
}

namespace {

void appendLines(std::string& out, const std::vector<Text>& lines, std::string (*encode)(TextView)) {
    for (const Text& line : lines) {
        out += encode(line);
        out += "\r\n";
    }
}

bool startsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

} // namespace

std::string toUtf8(TextView text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text)
        appendUtf8(out, c);
    return out;
}

Text fromUtf8(std::string_view bytes) {
    Text out;
    out.reserve(bytes.size());
    const std::size_t size = bytes.size();
    std::size_t i = 0;
    while (i < size) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            out.push_back(lead);
            ++i;
            continue;
        }
        // Length of the sequence and the smallest value it may encode (which
        // rejects overlong forms).
        std::size_t length = 0;
        char32_t value = 0;
        char32_t minimum = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            value = lead & 0x1F;
            minimum = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            value = lead & 0x0F;
            minimum = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            value = lead & 0x07;
            minimum = 0x10000;
        }
        bool wellFormed = length != 0 && i + length <= size;
        for (std::size_t k = 1; wellFormed && k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                wellFormed = false;
            else
                value = (value << 6) | (next & 0x3F);
        }
        if (wellFormed && value >= minimum && isScalarValue(value)) {
            out.push_back(value);
            i += length;
        } else {
            out.push_back(replacementCharacter);
            ++i;
        }
    }
    return out;
}

Text fromCp932(std::string_view bytes) {
    Converter converter(utf32Name, cp932Name);
    if (!converter.valid()) {
        Text out;
        for (char byte : bytes) {
            const auto b = static_cast<unsigned char>(byte);
            out.push_back(b < 0x80 ? b : replacementCharacter);
        }
        return out;
    }
    std::string utf32;
    utf32.reserve(bytes.size() * 4);
    const char* in = bytes.data();
    std::size_t inLeft = bytes.size();
    while (inLeft > 0) {
        if (converter.convert(in, inLeft, utf32) == 0)
            break;
        // An undefined byte, a lead byte with a bad trail byte (EILSEQ) or a
        // lead byte cut off by the end (EINVAL): replace one byte and go on, so
        // that a good character right after a bad byte survives.
        for (int shift = 0; shift < 32; shift += 8)
            utf32.push_back(static_cast<char>((replacementCharacter >> shift) & 0xFF));
        ++in;
        --inLeft;
        converter.reset();
    }
    return fromUtf32Le(utf32);
}

Text charactersChangedByCp932(TextView text) {
    Text changed;
    std::unordered_set<char32_t> seen;
    for (const char32_t c : text) {
        // ASCII is CP932's own first half; everything else is tried once.
        if (c < 0x80 || !seen.insert(c).second)
            continue;
        const Text one(1, c);
        if (fromCp932(toCp932(one)) != one)
            changed.push_back(c);
    }
    return changed;
}

Text fromUtf16(std::string_view bytes, ByteOrder order) {
    Text out;
    out.reserve(bytes.size() / 2);
    const auto unitAt = [&](std::size_t i) -> char32_t {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return order == ByteOrder::LittleEndian ? (second << 8) | first : (first << 8) | second;
    };
    std::size_t i = 0;
    while (i + 2 <= bytes.size()) {
        const char32_t unit = unitAt(i);
        i += 2;
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 2 <= bytes.size()) {
            const char32_t low = unitAt(i);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                out.push_back(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        out.push_back(unit >= 0xD800 && unit <= 0xDFFF ? replacementCharacter : unit);
    }
    if (i < bytes.size())
        out.push_back(replacementCharacter);
    return out;
}

DecodedTextFile decodeTextFile(std::string_view bytes) {
    DecodedTextFile file;
    Text text;
    if (startsWith(bytes, "\xEF\xBB\xBF")) {
        file.encoding = TextFileEncoding::Utf8WithBom;
        text = fromUtf8(bytes.substr(3));
    } else if (startsWith(bytes, "\xFF\xFE")) {
        file.encoding = TextFileEncoding::Utf16LeWithBom;
        text = fromUtf16(bytes.substr(2), ByteOrder::LittleEndian);
    } else if (startsWith(bytes, "\xFE\xFF")) {
        file.encoding = TextFileEncoding::Utf16BeWithBom;
        text = fromUtf16(bytes.substr(2), ByteOrder::BigEndian);
    } else {
        file.encoding = TextFileEncoding::Cp932;
        text = fromCp932(bytes);
    }
    file.lines = splitLines(text);
    return file;
}

std::vector<Text> splitLines(TextView text) {
    std::vector<Text> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char32_t c = text[i];
        if (c != U'\r' && c != U'\n') {
            ++i;
            continue;
        }
        lines.emplace_back(text.substr(start, i - start));
        i += (c == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') ? 2 : 1;
        start = i;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

std::string encodeCp932Lines(const std::vector<Text>& lines) {
    std::string out;
    appendLines(out, lines, toCp932);
    return out;
}

std::string encodeUtf8BomLines(const std::vector<Text>& lines) {
    std::string out = "\xEF\xBB\xBF";
    appendLines(out, lines, toUtf8);
    return out;
}

} // namespace lumitag::platform
