#include "markerfile/MarkerData.h"
#include "markerfile/TableFile.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

namespace lumitag::markerfile {
namespace {

// Random files built from pieces the parsers react to (header lines, TABs,
// quotes, commas, blank runs, escapes, CP932 lead bytes, byte-order marks)
// mixed with arbitrary bytes.
std::string randomFile(std::mt19937& random) {
    static const std::string pieces[] = {
        "[Condition]\r\n",
        "[MarkingData]\r\n",
        "FontFlag=0\r\n",
        "FontFlag=1\r\n",
        "Column=1\r\n",
        "\t",
        "\t\t",
        "\r\n",
        "\r",
        "\n",
        "\"",
        "\"\"",
        ",",
        "     ",
        " ",
        "\\[",
        "\\]",
        "\\",
        "[",
        "]",
        "\x81",
        "\x94\xD5",
        "\xEF\xBB\xBF",
        "\xFF\xFE",
        "\xFE\xFF",
        std::string(1, '\0'),
        "abc",
        "12",
    };
    std::uniform_int_distribution<int> length(0, 120);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    std::bernoulli_distribution rawByte(0.3);
    std::string bytes;
    const int count = length(random);
    for (int i = 0; i < count; ++i) {
        if (rawByte(random))
            bytes.push_back(static_cast<char>(byte(random)));
        else
            bytes += pieces[piece(random)];
    }
    return bytes;
}

TEST(Parsers, ArbitraryBytesNeverBreakTheMarkerDataOrTableFileReaders) {
    std::mt19937 random(20261210);
    for (int i = 0; i < 2000; ++i) {
        const std::string bytes = randomFile(random);

        const ParsedMarkerData parsed = parseMarkerDataFile(bytes);
        ASSERT_LE(parsed.lines.size(), parsed.lineLimit) << "input " << i;
        if (!parsed.accepted()) {
            ASSERT_TRUE(parsed.lines.empty());
        }

        const LoadedTableFile table = LoadTableFile(bytes);
        ASSERT_LE(table.tableLineCount, tableCount);
        ASSERT_EQ(tableBoxItems(table).size(), table.tableLineCount);
        // Whatever was read can be written back and read again.
        const LoadedTableFile again = LoadTableFile(encodeTableFile(table.store));
        ASSERT_EQ(again.tableLineCount, tableCount);
    }
}

} // namespace
} // namespace lumitag::markerfile
