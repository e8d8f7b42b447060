// Any bytes through the decoders of files and the clipboard: nothing crashes,
// well-formed UTF-8 and UTF-16 come back byte for byte, and text the code
// page can hold survives CP932 unchanged.
#include "platform/Encoding.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

using namespace lumitag;

bool holdsReplacement(TextView text) {
    return std::find(text.begin(), text.end(), platform::replacementCharacter) != text.end();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const platform::DecodedTextFile file = platform::decodeTextFile(bytes);
    for (const Text& line : file.lines) {
        if (line.find_first_of(U"\r\n") != Text::npos)
            std::abort();
    }

    const Text utf8 = platform::fromUtf8(bytes);
    if (!holdsReplacement(utf8) && platform::toUtf8(utf8) != bytes)
        std::abort();

    for (const platform::ByteOrder order :
         {platform::ByteOrder::LittleEndian, platform::ByteOrder::BigEndian}) {
        const Text utf16 = platform::fromUtf16(bytes, order);
        if (utf16.size() > bytes.size())
            std::abort();
    }

    const Text cp932 = platform::fromCp932(bytes);
    if (cp932.size() > bytes.size())
        std::abort();
    // Text the check before writing lets through is written and read back as it was.
    for (const Text& text : {utf8, cp932}) {
        if (platform::charactersChangedByCp932(text).empty() &&
            platform::fromCp932(platform::toCp932(text)) != text)
            std::abort();
    }
    return 0;
}
