#include "markerfile/TableFile.h"

#include "platform/Text.h"
#include "platform/TextFiles.h"

#include <algorithm>
#include <utility>

namespace lumitag::markerfile {

namespace {

constexpr char32_t quote = U'"';
constexpr char32_t comma = U',';

// Blanks and control characters separate fields like a comma does.
bool isSeparatorBlank(char32_t c) {
    return c <= U' ';
}

Text quotedField(const Text& cell) {
    Text field;
    field.reserve(cell.size() + 2);
    field.push_back(quote);
    for (char32_t c : cell) {
        if (c == quote)
            field.push_back(quote);
        field.push_back(c);
    }
    field.push_back(quote);
    return field;
}

} // namespace

Text markUnnamedTable(TextView line) {
    const std::size_t run = line.find(U"     ");
    if (run == TextView::npos)
        return Text(line);
    Text out;
    out.reserve(line.size() - 4);
    out += line.substr(0, run);
    out += U'_';
    out += line.substr(run + 5);
    return out;
}

std::vector<Text> splitTableLine(TextView line) {
    std::vector<Text> fields;
    const std::size_t size = line.size();
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < size && isSeparatorBlank(line[i]))
            ++i;
    };

    skipBlanks();
    while (i < size) {
        Text field;
        if (line[i] == quote) {
            // A quoted field runs to the closing quote, or to the end of the
            // line when there is none; two quotes stand for one.
            ++i;
            while (i < size) {
                if (line[i] != quote) {
                    field.push_back(line[i++]);
                } else if (i + 1 < size && line[i + 1] == quote) {
                    field.push_back(quote);
                    i += 2;
                } else {
                    ++i;
                    break;
                }
            }
        } else {
            const std::size_t start = i;
            while (i < size && !isSeparatorBlank(line[i]) && line[i] != comma)
                ++i;
            field = Text(line.substr(start, i - start));
        }
        fields.push_back(std::move(field));

        skipBlanks();
        if (i < size && line[i] == comma) {
            if (i + 1 == size)
                fields.emplace_back();
            ++i;
            skipBlanks();
        }
    }
    return fields;
}

LoadedTableFile LoadTableFile(std::string_view bytes) {
    LoadedTableFile table;
    platform::DecodedTextFile file = platform::decodeTextFile(bytes);
    table.encoding = file.encoding;
    table.tableLineCount = std::min(file.lines.size(), tableCount);
    table.ignoredLineCount = file.lines.size() - table.tableLineCount;
    for (std::size_t row = 0; row < table.tableLineCount; ++row) {
        std::vector<Text> fields = splitTableLine(markUnnamedTable(file.lines[row]));
        const std::size_t columns = std::min(fields.size(), tableColumnCount);
        for (std::size_t column = 0; column < columns; ++column)
            table.store.setCell(row, column, std::move(fields[column]));
    }
    return table;
}

platform::Result<LoadedTableFile> LoadTableFile(platform::FileSystem& files,
                                                const std::filesystem::path& path) {
    platform::Result<std::string> bytes = files.readFile(path);
    if (!bytes)
        return platform::Result<LoadedTableFile>::failure(bytes.reason());
    return platform::Result<LoadedTableFile>::success(LoadTableFile(bytes.value()));
}

std::vector<Text> tableFileLines(const TableStore& store) {
    std::vector<Text> lines;
    lines.reserve(tableCount);
    for (std::size_t row = 0; row < tableCount; ++row) {
        Text line;
        for (std::size_t column = 0; column < tableColumnCount; ++column) {
            if (column > 0)
                line.push_back(comma);
            line += quotedField(store.cell(row, column));
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string encodeTableFile(const TableStore& store) {
    return platform::encodeUtf8BomLines(tableFileLines(store));
}

platform::Status SaveTableFile(platform::FileSystem& files, const std::filesystem::path& path,
                               const TableStore& store) {
    return platform::writeUtf8BomTextFile(files, path, tableFileLines(store));
}

Text tableBoxItemText(const TableStore& store, std::size_t index) {
    Text item = store.cell(index, tableColumn::tableName);
    item += U" (Table";
    item += numberText(index + 1);
    item += U")";
    return item;
}

std::vector<Text> tableBoxItems(const LoadedTableFile& table) {
    std::vector<Text> items;
    items.reserve(table.tableLineCount);
    for (std::size_t i = 0; i < table.tableLineCount; ++i)
        items.push_back(tableBoxItemText(table.store, i));
    return items;
}

} // namespace lumitag::markerfile
