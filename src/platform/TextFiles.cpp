#include "platform/TextFiles.h"

namespace lumitag::platform {

Result<DecodedTextFile> readTextFile(FileSystem& files, const std::filesystem::path& path) {
    Result<std::string> bytes = files.readFile(path);
    if (!bytes)
        return Result<DecodedTextFile>::failure(bytes.reason(), bytes.error());
    return Result<DecodedTextFile>::success(decodeTextFile(bytes.value()));
}

Status writeCp932TextFile(FileSystem& files, const std::filesystem::path& path,
                          const std::vector<Text>& lines) {
    return files.writeFileAtomically(path, encodeCp932Lines(lines));
}

Status writeUtf8BomTextFile(FileSystem& files, const std::filesystem::path& path,
                            const std::vector<Text>& lines) {
    return files.writeFileAtomically(path, encodeUtf8BomLines(lines));
}

} // namespace lumitag::platform
