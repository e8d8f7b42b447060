#pragma once

#include "markerfile/TableStore.h"
#include "platform/Text.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace lumitag::markerfile::testsupport {

// The bytes of lines each ended by CR LF.
inline std::string crlf(std::initializer_list<std::string_view> lines) {
    std::string bytes;
    for (std::string_view line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

// A table line whose value columns hold their own column number, so that a
// header value shows which column it came from; the table number, name, work
// mode and PitchY column are given.
inline std::vector<Text> tableRow(Text tableNumber, Text name, Text workMode) {
    std::vector<Text> row;
    for (int column = 0; column < 24; ++column) {
        const std::string digits = std::to_string(column);
        row.emplace_back(digits.begin(), digits.end());
    }
    row[1] = Text(U"SP3P");
    row[3] = std::move(tableNumber);
    row[4] = std::move(name);
    row[5] = std::move(workMode);
    row[9] = Text(U"5");
    return row;
}

inline TableStore storeWithRows(const std::vector<std::vector<Text>>& rows) {
    TableStore store;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            store.setCell(r, c, rows[r][c]);
    }
    return store;
}

} // namespace lumitag::markerfile::testsupport
