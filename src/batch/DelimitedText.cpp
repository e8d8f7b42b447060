#include "batch/DelimitedText.h"

#include "platform/Encoding.h"

namespace lumitag::batch {

namespace {

constexpr std::string_view utf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view utf16LeBom = "\xFF\xFE";
constexpr std::string_view utf16BeBom = "\xFE\xFF";

// Well-formed UTF-8 comes back unchanged from a decode and an encode; any
// byte the decoder cannot read turns into U+FFFD, whose bytes differ.
bool isWellFormedUtf8(std::string_view bytes) {
    return platform::toUtf8(platform::fromUtf8(bytes)) == bytes;
}

Text decode(std::string_view bytes, DelimitedEncoding encoding) {
    switch (encoding) {
    case DelimitedEncoding::Utf8:
        return platform::fromUtf8(bytes);
    case DelimitedEncoding::Utf8WithBom:
        return platform::fromUtf8(bytes.substr(utf8Bom.size()));
    case DelimitedEncoding::Utf16Le:
        return platform::fromUtf16(bytes.substr(utf16LeBom.size()), platform::ByteOrder::LittleEndian);
    case DelimitedEncoding::Utf16Be:
        return platform::fromUtf16(bytes.substr(utf16BeBom.size()), platform::ByteOrder::BigEndian);
    case DelimitedEncoding::Cp932:
        return platform::fromCp932(bytes);
    }
    return {};
}

} // namespace

DelimitedEncoding detectEncoding(std::string_view bytes) {
    if (bytes.starts_with(utf8Bom)) {
        return DelimitedEncoding::Utf8WithBom;
    }
    if (bytes.starts_with(utf16LeBom)) {
        return DelimitedEncoding::Utf16Le;
    }
    if (bytes.starts_with(utf16BeBom)) {
        return DelimitedEncoding::Utf16Be;
    }
    return isWellFormedUtf8(bytes) ? DelimitedEncoding::Utf8 : DelimitedEncoding::Cp932;
}

DelimitedText parseDelimitedText(std::string_view bytes, char32_t separator) {
    DelimitedText result;
    result.encoding = detectEncoding(bytes);
    const Text text = decode(bytes, result.encoding);

    std::vector<Text> record;
    Text field;
    // Whether the current record has begun: a line end right after the
    // previous one still gives an empty record, the end of the file does not.
    bool inRecord = false;
    const auto endField = [&] {
        record.push_back(std::move(field));
        field.clear();
    };
    const auto endRecord = [&] {
        endField();
        result.rows.push_back(std::move(record));
        record.clear();
        inRecord = false;
    };

    std::size_t i = 0;
    while (i < text.size()) {
        const char32_t c = text[i];
        if (c == U'"' && field.empty() && (i == 0 || !inRecord || text[i - 1] == separator)) {
            // A quoted field: up to the quote that is not doubled.
            inRecord = true;
            ++i;
            while (i < text.size()) {
                if (text[i] == U'"') {
                    if (i + 1 < text.size() && text[i + 1] == U'"') {
                        field.push_back(U'"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field.push_back(text[i++]);
            }
            continue;
        }
        if (c == separator) {
            inRecord = true;
            endField();
            ++i;
            continue;
        }
        if (c == U'\r' || c == U'\n') {
            endRecord();
            i += c == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n' ? 2 : 1;
            continue;
        }
        inRecord = true;
        field.push_back(c);
        ++i;
    }
    if (inRecord) {
        endRecord();
    }
    return result;
}

} // namespace lumitag::batch
