#pragma once

#include "markerfile/TableStore.h"
#include "platform/Encoding.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumitag::markerfile {

// The table file lumitagr.sp3: one line per marker table, 24 fields each,
// separated by commas or blanks, fields optionally in double quotes.

inline constexpr std::string_view tableFileName = "lumitagr.sp3";

struct LoadedTableFile {
    TableStore store;
    // The number of table lines read (at most 20); the table box lists one
    // item per line.
    std::size_t tableLineCount = 0;
    // Lines after the twentieth, which the marker has no table for: they are
    // not read, and the next save of the file leaves them out.
    std::size_t ignoredLineCount = 0;
    platform::TextFileEncoding encoding = platform::TextFileEncoding::Cp932;
};

// Reads the bytes of a table file: a byte-order mark (UTF-8, UTF-16 LE or BE)
// decides the encoding, otherwise CP932; lines end at CR LF, CR or LF. In
// each line the first run of five blanks becomes "_" (the mark of an unnamed
// table) before the line is split into fields. Never fails: what cannot be
// read as a field is left empty.
LoadedTableFile LoadTableFile(std::string_view bytes);

// Reads the table file at `path`. Failure when it is missing or cannot be
// read; the caller then works without a table file.
platform::Result<LoadedTableFile> LoadTableFile(platform::FileSystem& files,
                                                const std::filesystem::path& path);

// Splits one table line into fields: fields are separated by a comma or by
// characters up to U+0020; a field that starts with a double quote runs to the
// closing quote, two quotes inside standing for one.
std::vector<Text> splitTableLine(TextView line);

// Replaces the first run of five blanks in the line by "_".
Text markUnnamedTable(TextView line);

// The 20 lines of the store as written back: every cell in double quotes
// (quotes inside doubled), joined by commas.
std::vector<Text> tableFileLines(const TableStore& store);

// UTF-8 bytes with a byte-order mark of the store's 20 lines, CR LF after each.
std::string encodeTableFile(const TableStore& store);

// Writes the store to `path`, replacing the file as one step.
platform::Status SaveTableFile(platform::FileSystem& files, const std::filesystem::path& path,
                               const TableStore& store);

// The table box item of table line `index` (from 0): the table name, then
// " (Table", the table number, ")" — for example "_ (Table1)".
Text tableBoxItemText(const TableStore& store, std::size_t index);

// The items of the table box, one per table line read.
std::vector<Text> tableBoxItems(const LoadedTableFile& table);

} // namespace lumitag::markerfile
