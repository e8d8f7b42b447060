#include "conversion/BlueMarkerFile.h"

#include "platform/Encoding.h"

#include <utility>

namespace lumitag::conversion {

namespace {

using markerfile::MarkerDataForm;
namespace headerEntry = markerfile::headerEntry;

constexpr char32_t tab = U'\t';
constexpr TextView workModeThree = U"WorkMode=3";

constexpr std::size_t tableFontCommentLine = headerEntry::tableFontComment - headerEntry::tableFontFirst;
constexpr std::size_t tableFontWorkModeLine = headerEntry::tableFontWorkMode - headerEntry::tableFontFirst;
constexpr std::size_t windowsFontCommentLine =
    headerEntry::windowsFontComment - headerEntry::windowsFontFirst;
constexpr std::size_t windowsFontWorkModeLine =
    headerEntry::windowsFontWorkMode - headerEntry::windowsFontFirst;

// The save's Windows-font lines carry eight empty fields after the text, the
// marking's ten, as the orange window's files do.
constexpr std::size_t saveWindowsFontEmptyFields = 8;
constexpr std::size_t markingWindowsFontEmptyFields = 10;

const Text tableFontTrailer = U" \t1\t";
// Count 1, an ideographic space as text, then eight empty fields.
const Text windowsFontTrailer = Text(U"1\t\u3000") + Text(8, tab);

Text tableFontLine(TextView text, TextView count, TextView numbering) {
    Text line;
    line.reserve(text.size() + count.size() + numbering.size() + 2);
    line += text;
    line += tab;
    line += count;
    line += tab;
    line += numbering;
    return line;
}

Text windowsFontLine(TextView count, TextView text, std::size_t emptyFields) {
    Text line;
    line.reserve(count.size() + text.size() + 1 + emptyFields);
    line += count;
    line += tab;
    line += text;
    line.append(emptyFields, tab);
    return line;
}

// As in the orange window's files: no blanks in the Comment line, and the
// "_" of an unnamed table dropped after the "=".
Text normalisedComment(TextView line) {
    Text out;
    out.reserve(line.size());
    for (char32_t c : line) {
        if (c != U' ')
            out.push_back(c);
    }
    const std::size_t marker = out.find(U"=_");
    if (marker != Text::npos)
        out.erase(marker + 1, 1);
    return out;
}

MarkerDataForm chooseForm(BlueMarkerOptions options) {
    if (options.fullWidth == markerfile::FullWidth::Yes)
        return MarkerDataForm::WindowsFont;
    return options.tableFile == markerfile::TableFile::Present ? MarkerDataForm::TableFont
                                                               : MarkerDataForm::Headerless;
}

std::vector<Text> headerLines(const markerfile::ConditionHeader& header, MarkerDataForm form) {
    switch (form) {
    case MarkerDataForm::TableFont:
        return header.tableFontLines();
    case MarkerDataForm::WindowsFont:
        return header.windowsFontLines();
    case MarkerDataForm::Headerless:
        break;
    }
    return {};
}

// Normalises the Comment line and tells whether the header asks for the
// work-mode-3 trailer. A headerless file has neither.
bool finishHeader(std::vector<Text>& lines, MarkerDataForm form) {
    switch (form) {
    case MarkerDataForm::TableFont:
        lines[tableFontCommentLine] = normalisedComment(lines[tableFontCommentLine]);
        return lines[tableFontWorkModeLine] == workModeThree;
    case MarkerDataForm::WindowsFont:
        lines[windowsFontCommentLine] = normalisedComment(lines[windowsFontCommentLine]);
        return lines[windowsFontWorkModeLine] == workModeThree;
    case MarkerDataForm::Headerless:
        break;
    }
    return false;
}

// The Windows-font save rewrites the buffer's text lines, split at their
// first two TABs as the marking list is filled from them, so that a TAB
// inside a cell's text gives the same fields in the saved file and the list.
Text windowsFontSaveLine(const ResultLine& line) {
    const markerfile::SplitDataLine fields = markerfile::splitDataLine(line.joined());
    return windowsFontLine(fields.second, fields.first, saveWindowsFontEmptyFields);
}

std::optional<BuiltBlueMarkerFile> refusal(MarkerDataForm form, BlueMarkerOptions options) {
    if (form == MarkerDataForm::WindowsFont && options.tableFile == markerfile::TableFile::Missing) {
        BuiltBlueMarkerFile refused;
        refused.refusedWithoutTableFile = true;
        return refused;
    }
    return std::nullopt;
}

} // namespace

BuiltBlueMarkerFile BuildBlueSaveFile(const markerfile::ConditionHeader& filledHeader,
                                      const std::vector<ResultLine>& resultBuffer,
                                      BlueMarkerOptions options) {
    const MarkerDataForm form = chooseForm(options);
    if (std::optional<BuiltBlueMarkerFile> refused = refusal(form, options))
        return std::move(*refused);

    BuiltBlueMarkerFile built;
    built.file.form = form;
    std::vector<Text>& lines = built.file.lines;
    lines = headerLines(filledHeader, form);
    lines.reserve(lines.size() + resultBuffer.size() + 2);
    for (const ResultLine& line : resultBuffer)
        lines.push_back(form == MarkerDataForm::WindowsFont ? windowsFontSaveLine(line) : line.joined());
    // The buffer's text ends with a line break: the data ends with an empty line.
    lines.emplace_back();
    if (finishHeader(lines, form)) {
        lines.push_back(form == MarkerDataForm::WindowsFont ? windowsFontTrailer : tableFontTrailer);
        built.file.endsWithLineBreak = false;
    }
    return built;
}

BuiltBlueMarkerFile BuildBlueMarkingFile(const markerfile::ConditionHeader& filledHeader,
                                         const std::vector<ResultLine>& listRows, BlueMarkerOptions options) {
    const MarkerDataForm form = chooseForm(options);
    if (std::optional<BuiltBlueMarkerFile> refused = refusal(form, options))
        return std::move(*refused);

    BuiltBlueMarkerFile built;
    built.file.form = form;
    std::vector<Text>& lines = built.file.lines;
    lines = headerLines(filledHeader, form);
    lines.reserve(lines.size() + listRows.size() + 1);
    for (const ResultLine& row : listRows) {
        lines.push_back(form == MarkerDataForm::WindowsFont
                            ? windowsFontLine(row.count, row.text, markingWindowsFontEmptyFields)
                            : tableFontLine(row.text, row.count, row.number));
    }
    if (finishHeader(lines, form))
        lines.push_back(form == MarkerDataForm::WindowsFont ? windowsFontTrailer : tableFontTrailer);
    return built;
}

std::string encodeBlueMarkerFile(const BlueMarkerFile& file) {
    std::string bytes = platform::encodeCp932Lines(file.lines);
    if (!file.endsWithLineBreak && !file.lines.empty())
        bytes.resize(bytes.size() - 2);
    return bytes;
}

platform::Status writeBlueMarkerFile(platform::FileSystem& files, const std::filesystem::path& path,
                                     const BlueMarkerFile& file) {
    return files.writeFileAtomically(path, encodeBlueMarkerFile(file));
}

} // namespace lumitag::conversion
