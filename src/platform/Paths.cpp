#include "platform/Paths.h"

#include "platform/Encoding.h"

namespace lumitag::platform {

std::filesystem::path pathFromText(TextView text) {
    return std::filesystem::path(toUtf8(text));
}

Text textFromPath(const std::filesystem::path& path) {
    return fromUtf8(path.native());
}

} // namespace lumitag::platform
