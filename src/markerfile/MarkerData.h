#pragma once

#include "markerfile/ConditionHeader.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumitag::markerfile {

// The marker data file: the text file through which marking lines reach the
// marker software. Lines are CP932 text ended by CR LF; fields inside a data
// line are separated by single TABs, with no quoting.

// The three forms of a file.
enum class MarkerDataForm {
    // Condition header with "FontFlag=0"; data lines: text, count, numbering.
    TableFont,
    // Condition header with "FontFlag=1"; data lines: count, text, ten empty fields.
    WindowsFont,
    // Table-font data lines without any header.
    Headerless,
};

// Box modes of the marking list that write marker data files (the text mode writes none).
enum class BoxMode { OneBox, ThreeBox };

// The grid column whose count is written in the three-box mode.
enum class CountColumn { Column2 = 2, Column3 = 3, Column4 = 4 };

enum class FullWidth { No, Yes };
enum class TableFile { Present, Missing };

// The marking list a file is built from. `lines` are the marking lines, rows
// 1 to N of the grid, each as the cells of its columns (index 0 is the
// row-number column; a missing cell reads as empty).
struct MarkerDataSource {
    std::vector<std::vector<Text>> lines;
    BoxMode boxMode = BoxMode::OneBox;
    // Only used in the three-box mode.
    CountColumn countColumn = CountColumn::Column2;
    FullWidth fullWidth = FullWidth::No;
    TableFile tableFile = TableFile::Present;
};

enum class BuildRefusal {
    // The list holds no line; nothing is built.
    EmptyList,
    // Full-width characters need the Windows-font form, which needs the table file.
    WindowsFontWithoutTableFile,
};

struct MarkerData {
    MarkerDataForm form = MarkerDataForm::TableFont;
    // The file's lines without line ends.
    std::vector<Text> lines;
};

struct BuiltMarkerData {
    // Set when nothing was built; `data` is then empty.
    std::optional<BuildRefusal> refusal;
    MarkerData data;

    bool ok() const { return !refusal.has_value(); }
};

// The lines of the file for the list: the filled header's lines of the form,
// one data line per marking line, then the line of the next free row
// (separators only, or the trailer when the header's work mode is 3), with
// the Comment line normalised. The filled header itself is not changed.
BuiltMarkerData BuildMarkerData(const ConditionHeader& filledHeader, const MarkerDataSource& source);

// CP932 bytes of the lines, CR LF after each. A character CP932 cannot
// represent is written as "?".
std::string encodeMarkerData(const std::vector<Text>& lines);

// Writes the lines as a marker data file, replacing the file as one step.
platform::Status writeMarkerDataFile(platform::FileSystem& files, const std::filesystem::path& path,
                                     const std::vector<Text>& lines);

// Reading a file for the import.

enum class ParsedForm {
    Headerless,
    TableFont,
    WindowsFont,
    // A Windows-font file laid out in more than one column: refused.
    WindowsFontMultiColumn,
    // A header whose font line is neither "FontFlag=0" nor "FontFlag=1": nothing is imported.
    UnknownFontFlag,
};

// One data line of an imported file. A Windows-font line carries no numbering
// (`numbering` stays empty and the numbering column is not written).
struct ImportedLine {
    Text markingText;
    Text count;
    Text numbering;

    friend bool operator==(const ImportedLine&, const ImportedLine&) = default;
};

struct ParsedMarkerData {
    ParsedForm form = ParsedForm::Headerless;
    // The data lines, at most `lineLimit` of them; empty for the refused forms.
    std::vector<ImportedLine> lines;
    // 1000 lines for table-font and headerless files, 100 for Windows-font files.
    std::size_t lineLimit = 0;
    // True when the file holds a line with content beyond the limit: the
    // caller keeps `lines` and tells the user about the limit.
    bool limitExceeded = false;

    bool accepted() const {
        return form == ParsedForm::Headerless || form == ParsedForm::TableFont ||
               form == ParsedForm::WindowsFont;
    }
};

inline constexpr std::size_t importLineLimit = 1000;
inline constexpr std::size_t windowsFontImportLineLimit = 100;

// Finds the header and the form of the file's lines and splits its data lines.
ParsedMarkerData ParseMarkerData(const std::vector<Text>& fileLines);

// The same for the bytes of a file: a byte-order mark decides the encoding,
// otherwise CP932; any line end.
ParsedMarkerData parseMarkerDataFile(std::string_view bytes);

// The two escapes of headerless files: the first "\" directly followed by the
// first "[" becomes "【", then the first "\" directly followed by the first
// "]" becomes "】".
Text replaceHeaderlessEscapes(TextView line);

// Splits a data line into the text before the first TAB, the text between the
// first and second TAB, and the rest. A missing TAB gives an empty field and
// leaves the text to the later part.
struct SplitDataLine {
    Text first;
    Text second;
    Text rest;
};
SplitDataLine splitDataLine(TextView line);

} // namespace lumitag::markerfile
