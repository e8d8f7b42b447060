#include "markerfile/MarkerData.h"

#include "platform/Encoding.h"
#include "platform/TextFiles.h"

#include <utility>

namespace lumitag::markerfile {

namespace {

constexpr char32_t tab = U'\t';
constexpr TextView workModeThree = U"WorkMode=3";

// File lines of the header lines the build looks at.
constexpr std::size_t tableFontCommentLine = headerEntry::tableFontComment - headerEntry::tableFontFirst;
constexpr std::size_t tableFontWorkModeLine = headerEntry::tableFontWorkMode - headerEntry::tableFontFirst;
constexpr std::size_t windowsFontCommentLine =
    headerEntry::windowsFontComment - headerEntry::windowsFontFirst;
constexpr std::size_t windowsFontWorkModeLine =
    headerEntry::windowsFontWorkMode - headerEntry::windowsFontFirst;

// A Windows-font data line has twelve fields: count, text and ten empty ones.
constexpr std::size_t windowsFontEmptyFields = 10;

// Lines of the header that decide how a file is read.
constexpr std::size_t fontFlagLine = 4;
constexpr std::size_t columnLine = 6;
constexpr TextView markingDataMarker = U"[MarkingData]";

const Text& cellOf(const std::vector<Text>& cells, std::size_t column) {
    static const Text none;
    return column < cells.size() ? cells[column] : none;
}

Text tableFontDataLine(TextView text, TextView count, TextView numbering) {
    Text line;
    line.reserve(text.size() + count.size() + numbering.size() + 2);
    line += text;
    line += tab;
    line += count;
    line += tab;
    line += numbering;
    return line;
}

Text windowsFontDataLine(TextView count, TextView text) {
    Text line;
    line.reserve(count.size() + text.size() + 1 + windowsFontEmptyFields);
    line += count;
    line += tab;
    line += text;
    line.append(windowsFontEmptyFields, tab);
    return line;
}

// Blanks are deleted from the whole Comment line, and the "_" the table file
// uses for an unnamed table is dropped after the "=", so that an unnamed table
// is written "Comment=" in both forms.
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

MarkerDataForm chooseForm(const MarkerDataSource& source) {
    if (source.fullWidth == FullWidth::Yes)
        return MarkerDataForm::WindowsFont;
    return source.tableFile == TableFile::Present ? MarkerDataForm::TableFont : MarkerDataForm::Headerless;
}

bool isEmptyLine(const ImportedLine& line) {
    return line.markingText.empty() && line.count.empty() && line.numbering.empty();
}

} // namespace

BuiltMarkerData BuildMarkerData(const ConditionHeader& filledHeader, const MarkerDataSource& source) {
    BuiltMarkerData result;
    if (source.lines.empty()) {
        result.refusal = BuildRefusal::EmptyList;
        return result;
    }
    const MarkerDataForm form = chooseForm(source);
    if (form == MarkerDataForm::WindowsFont && source.tableFile == TableFile::Missing) {
        result.refusal = BuildRefusal::WindowsFontWithoutTableFile;
        return result;
    }

    std::vector<Text> lines;
    if (form == MarkerDataForm::TableFont)
        lines = filledHeader.tableFontLines();
    else if (form == MarkerDataForm::WindowsFont)
        lines = filledHeader.windowsFontLines();
    const std::size_t headerSize = lines.size();
    lines.reserve(headerSize + source.lines.size() + 1);

    const std::size_t countColumn =
        source.boxMode == BoxMode::OneBox ? 2 : static_cast<std::size_t>(source.countColumn);
    const std::size_t numberingColumn = source.boxMode == BoxMode::OneBox ? 3 : 5;
    for (const std::vector<Text>& cells : source.lines) {
        const Text& text = cellOf(cells, 1);
        const Text& count = cellOf(cells, countColumn);
        if (form == MarkerDataForm::WindowsFont)
            lines.push_back(windowsFontDataLine(count, text));
        else
            lines.push_back(tableFontDataLine(text, count, cellOf(cells, numberingColumn)));
    }

    // The next free row of the list ends the data: a line of separators only,
    // or, for work mode 3, the trailer line the marker expects there.
    switch (form) {
    case MarkerDataForm::Headerless:
        lines.push_back(tableFontDataLine(U"", U"", U""));
        break;
    case MarkerDataForm::TableFont:
        lines.push_back(lines[tableFontWorkModeLine] == workModeThree ? tableFontDataLine(U" ", U"1", U"")
                                                                      : tableFontDataLine(U"", U"", U""));
        lines[tableFontCommentLine] = normalisedComment(lines[tableFontCommentLine]);
        break;
    case MarkerDataForm::WindowsFont:
        lines.push_back(lines[windowsFontWorkModeLine] == workModeThree ? windowsFontDataLine(U"1", U"\u3000")
                                                                        : windowsFontDataLine(U"", U""));
        lines[windowsFontCommentLine] = normalisedComment(lines[windowsFontCommentLine]);
        break;
    }

    result.data.form = form;
    result.data.lines = std::move(lines);
    return result;
}

std::string encodeMarkerData(const std::vector<Text>& lines) {
    return platform::encodeCp932Lines(lines);
}

platform::Status writeMarkerDataFile(platform::FileSystem& files, const std::filesystem::path& path,
                                     const std::vector<Text>& lines) {
    return platform::writeCp932TextFile(files, path, lines);
}

Text replaceHeaderlessEscapes(TextView line) {
    Text out(line);
    const auto replacePair = [&out](char32_t bracket, char32_t replacement) {
        const std::size_t backslash = out.find(U'\\');
        if (backslash != Text::npos && out.find(bracket) == backslash + 1)
            out.replace(backslash, 2, 1, replacement);
    };
    replacePair(U'[', U'【');
    replacePair(U']', U'】');
    return out;
}

SplitDataLine splitDataLine(TextView line) {
    const auto takeField = [&line]() {
        const std::size_t end = line.find(tab);
        if (end == TextView::npos)
            return Text();
        Text field(line.substr(0, end));
        line.remove_prefix(end + 1);
        return field;
    };
    SplitDataLine split;
    split.first = takeField();
    split.second = takeField();
    split.rest = Text(line);
    return split;
}

ParsedMarkerData ParseMarkerData(const std::vector<Text>& fileLines) {
    ParsedMarkerData parsed;
    std::size_t firstDataLine = 0;
    for (std::size_t i = 1; i < fileLines.size(); ++i) {
        if (fileLines[i] == markingDataMarker) {
            firstDataLine = i + 1;
            break;
        }
    }

    if (firstDataLine == 0) {
        parsed.form = ParsedForm::Headerless;
    } else {
        // A header too short to have the line counts as a line with other text.
        const TextView fontFlag =
            fontFlagLine < fileLines.size() ? TextView(fileLines[fontFlagLine]) : TextView();
        if (fontFlag == U"FontFlag=0") {
            parsed.form = ParsedForm::TableFont;
        } else if (fontFlag == U"FontFlag=1") {
            const bool oneColumn = columnLine < fileLines.size() && fileLines[columnLine] == U"Column=1";
            parsed.form = oneColumn ? ParsedForm::WindowsFont : ParsedForm::WindowsFontMultiColumn;
        } else {
            parsed.form = ParsedForm::UnknownFontFlag;
        }
    }
    if (!parsed.accepted())
        return parsed;

    parsed.lineLimit = parsed.form == ParsedForm::WindowsFont ? windowsFontImportLineLimit : importLineLimit;
    for (std::size_t i = firstDataLine; i < fileLines.size(); ++i) {
        ImportedLine line;
        if (parsed.form == ParsedForm::WindowsFont) {
            SplitDataLine split = splitDataLine(fileLines[i]);
            line.count = std::move(split.first);
            line.markingText = std::move(split.second);
        } else {
            SplitDataLine split = parsed.form == ParsedForm::Headerless
                                      ? splitDataLine(replaceHeaderlessEscapes(fileLines[i]))
                                      : splitDataLine(fileLines[i]);
            line.markingText = std::move(split.first);
            line.count = std::move(split.second);
            line.numbering = std::move(split.rest);
        }
        if (parsed.lines.size() < parsed.lineLimit) {
            parsed.lines.push_back(std::move(line));
        } else if (!isEmptyLine(line)) {
            // Lines without content beyond the limit, such as the separator
            // line this program writes after a full list, would add no line
            // to the list; only content that is really left out is reported.
            parsed.limitExceeded = true;
            break;
        }
    }
    return parsed;
}

ParsedMarkerData parseMarkerDataFile(std::string_view bytes) {
    return ParseMarkerData(platform::decodeTextFile(bytes).lines);
}

} // namespace lumitag::markerfile
