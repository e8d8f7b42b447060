#pragma once

#include "conversion/ConversionState.h"
#include "markerfile/ConditionHeader.h"
#include "markerfile/MarkerData.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lumitag::conversion {

// The marker data files of the blue window. They share the orange window's
// format (markerfile/MarkerData.h) with these differences: the save writes
// the result buffer followed by one empty line, and the trailer of work mode
// 3 comes after that empty line as the file's last line, without a line
// break; the marking writes exactly the given rows, the trailer after them.
// Neither writes the separator-only line of the next free row.

struct BlueMarkerFile {
    markerfile::MarkerDataForm form = markerfile::MarkerDataForm::TableFont;
    // The file's lines without line ends.
    std::vector<Text> lines;
    // False when the save's trailer ends the file: its last line then has no CR LF.
    bool endsWithLineBreak = true;

    friend bool operator==(const BlueMarkerFile&, const BlueMarkerFile&) = default;
};

struct BuiltBlueMarkerFile {
    // Set when the result holds full-width text but there is no table file:
    // the Windows-font form needs the table's header. `file` is then empty.
    bool refusedWithoutTableFile = false;
    BlueMarkerFile file;

    bool ok() const { return !refusedWithoutTableFile; }
};

// What the outputs need besides the lines.
struct BlueMarkerOptions {
    // The result full-width flag of the conversion: the Windows-font form.
    markerfile::FullWidth fullWidth = markerfile::FullWidth::No;
    // Without the table file the table-font form is written without a header.
    markerfile::TableFile tableFile = markerfile::TableFile::Present;
};

// The file "CTK 保存" writes from the result buffer and the window's filled
// header (with the work length already applied). The header is not changed.
BuiltBlueMarkerFile BuildBlueSaveFile(const markerfile::ConditionHeader& filledHeader,
                                      const std::vector<ResultLine>& resultBuffer, BlueMarkerOptions options);

// The mark file "マーキング" writes from rows 1 to N of the marking list,
// columns 1 to 3 of each row as marking text, count and numbering.
BuiltBlueMarkerFile BuildBlueMarkingFile(const markerfile::ConditionHeader& filledHeader,
                                         const std::vector<ResultLine>& listRows, BlueMarkerOptions options);

// The file's CP932 bytes: CR LF after every line, except after the last when
// `endsWithLineBreak` is false. A character CP932 cannot hold becomes "?".
std::string encodeBlueMarkerFile(const BlueMarkerFile& file);

// Writes the file's bytes, replacing any file at `path` in one step.
platform::Status writeBlueMarkerFile(platform::FileSystem& files, const std::filesystem::path& path,
                                     const BlueMarkerFile& file);

} // namespace lumitag::conversion
