#pragma once

#include "platform/Encoding.h"
#include "platform/Text.h"

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace lumitag::batch::test {

using Rows = std::vector<std::vector<Text>>;

// The table file the marker file tests use.
inline std::string testTableFile() {
    std::ifstream in(LUMITAG_TABLE_TEST_DATA, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The rows as a UTF-8 CSV file with CR LF line ends, quoting where a field needs it.
inline std::string csvOf(const Rows& rows) {
    std::string csv;
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            const std::string field = platform::toUtf8(row[c]);
            csv += (c > 0 ? "," : "") +
                   (field.find_first_of(",\"\r\n") != std::string::npos ? "\"" + field + "\"" : field);
        }
        csv += "\r\n";
    }
    return csv;
}

} // namespace lumitag::batch::test
