#include "platform/Paths.h"

#include "platform/Encoding.h"

namespace lumitag::platform {

std::filesystem::path pathFromText(TextView text) {
    return std::filesystem::path(toUtf8(text));
}

Text textFromPath(const std::filesystem::path& path) {
    return fromUtf8(path.native());
}

std::string lowerCaseExtension(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    for (char& c : extension) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return extension;
}

} // namespace lumitag::platform
