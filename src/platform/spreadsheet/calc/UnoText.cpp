#include "platform/spreadsheet/calc/UnoText.h"

#include <osl/file.hxx>
#include <rtl/ustrbuf.hxx>

namespace lumitag::platform::calc {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

} // namespace

rtl::OUString toUno(TextView text) {
    rtl::OUStringBuffer buffer(static_cast<sal_Int32>(text.size()));
    for (char32_t c : text) {
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            c = kReplacement;
        }
        buffer.appendUtf32(static_cast<sal_uInt32>(c));
    }
    return buffer.makeStringAndClear();
}

Text fromUno(const rtl::OUString& text) {
    Text result;
    result.reserve(static_cast<std::size_t>(text.getLength()));
    const sal_Unicode* p = text.getStr();
    const sal_Int32 n = text.getLength();
    for (sal_Int32 i = 0; i < n; ++i) {
        const char16_t c = p[i];
        if (isHighSurrogate(c) && i + 1 < n && isLowSurrogate(p[i + 1])) {
            result.push_back(0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) +
                             (static_cast<char32_t>(p[i + 1]) - 0xDC00));
            ++i;
        } else if (isHighSurrogate(c) || isLowSurrogate(c)) {
            result.push_back(kReplacement);
        } else {
            result.push_back(c);
        }
    }
    return result;
}

rtl::OUString fileUrl(std::string_view absolutePath) {
    if (absolutePath.empty() || absolutePath.front() != '/') {
        return rtl::OUString();
    }
    const rtl::OUString path =
        rtl::OStringToOUString(rtl::OString(absolutePath.data(), static_cast<sal_Int32>(absolutePath.size())),
                               RTL_TEXTENCODING_UTF8);
    rtl::OUString url;
    if (osl::FileBase::getFileURLFromSystemPath(path, url) != osl::FileBase::E_None) {
        return rtl::OUString();
    }
    return url;
}

} // namespace lumitag::platform::calc
