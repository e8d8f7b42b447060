#pragma once

#include "platform/Encoding.h"
#include "platform/FileSystem.h"

#include <vector>

namespace lumitag::platform {

// Text files as lists of lines, in the program's file encodings (Encoding.h).

// Reads and decodes a text file: byte-order mark or CP932, any line ends.
Result<DecodedTextFile> readTextFile(FileSystem& files, const std::filesystem::path& path);

// Writes CP932 lines ended by CR LF, atomically. Characters CP932 cannot
// represent are written as "?" (see charactersChangedByCp932 to warn first).
Status writeCp932TextFile(FileSystem& files, const std::filesystem::path& path,
                          const std::vector<Text>& lines);

// Writes UTF-8 lines with a byte-order mark, ended by CR LF, atomically.
Status writeUtf8BomTextFile(FileSystem& files, const std::filesystem::path& path,
                            const std::vector<Text>& lines);

} // namespace lumitag::platform
