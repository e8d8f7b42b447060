// Reading CSV and TSV files into rows, and the worksheet over them.
#include "batch/DelimitedText.h"

#include "batch/DelimitedSheet.h"
#include "platform/Encoding.h"
#include "platform/spreadsheet/SpreadsheetError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lumitag::batch {
namespace {

using ::testing::ElementsAre;
using Rows = std::vector<std::vector<Text>>;

TEST(DelimitedText, RecordsAndFields) {
    struct Case {
        const char* name;
        std::string bytes;
        char32_t separator;
        Rows rows;
    };
    const std::vector<Case> cases = {
        {"CR LF", "a,b\r\nc,d\r\n", U',', {{U"a", U"b"}, {U"c", U"d"}}},
        {"LF and no final line end", "a,b\nc", U',', {{U"a", U"b"}, {U"c"}}},
        {"bare CR", "a\rb\r", U',', {{U"a"}, {U"b"}}},
        {"an empty line is an empty row", "a\r\n\r\nb\r\n", U',', {{U"a"}, {U""}, {U"b"}}},
        {"empty fields", ",x,\r\n", U',', {{U"", U"x", U""}}},
        {"quoted separator, doubled quote and line break",
         "\"a,b\",\"say \"\"hi\"\"\",\"1\r\n2\"\r\nz",
         U',',
         {{U"a,b", U"say \"hi\"", U"1\r\n2"}, {U"z"}}},
        {"a quote inside an unquoted field is text", "ab\"c,d", U',', {{U"ab\"c", U"d"}}},
        {"a quote left open runs to the end", "\"abc\r\nd", U',', {{U"abc\r\nd"}}},
        {"TSV keeps commas", "a,b\tc\r\n", U'\t', {{U"a,b", U"c"}}},
        {"nothing", "", U',', {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseDelimitedText(c.bytes, c.separator).rows, c.rows) << c.name;
    }
}

TEST(DelimitedText, EncodingIsDetected) {
    const Text japanese = U"線番,端子台";
    struct Case {
        const char* name;
        std::string bytes;
        DelimitedEncoding encoding;
    };
    std::string utf16le = "\xFF\xFE";
    for (const char32_t c : japanese) {
        utf16le.push_back(static_cast<char>(c & 0xFF));
        utf16le.push_back(static_cast<char>(c >> 8));
    }
    const std::vector<Case> cases = {
        {"UTF-8", platform::toUtf8(japanese), DelimitedEncoding::Utf8},
        {"UTF-8 with its mark", "\xEF\xBB\xBF" + platform::toUtf8(japanese), DelimitedEncoding::Utf8WithBom},
        {"CP932", platform::toCp932(japanese), DelimitedEncoding::Cp932},
        {"UTF-16 LE", utf16le, DelimitedEncoding::Utf16Le},
    };
    for (const Case& c : cases) {
        const DelimitedText text = parseDelimitedText(c.bytes, U',');
        EXPECT_EQ(text.encoding, c.encoding) << c.name;
        EXPECT_EQ(text.rows, (Rows{{U"線番", U"端子台"}})) << c.name;
    }
    // Plain ASCII reads the same either way.
    EXPECT_EQ(detectEncoding("A,1\r\n"), DelimitedEncoding::Utf8);
}

TEST(DelimitedSheet, CellsAndBlocksReachBeyondTheFileAsEmpty) {
    const auto sheet = std::make_shared<DelimitedSheet>(U"list", Rows{{U"a", U"b"}, {U"c"}});
    EXPECT_EQ(sheet->cell(1, 2)->value(), U"b");
    EXPECT_EQ(sheet->cell(2, 2)->value(), U"");
    EXPECT_EQ(sheet->cell(900, 50)->value(), U"");
    EXPECT_THAT(sheet->range(platform::CellRef{1, 1}, platform::CellRef{3, 2})->values(),
                ElementsAre(ElementsAre(U"a", U"b"), ElementsAre(U"c", U""), ElementsAre(U"", U"")));
    EXPECT_THAT(sheet->range(U"B1", U"A2")->values(),
                ElementsAre(ElementsAre(U"a", U"b"), ElementsAre(U"c", U"")));
    EXPECT_TRUE(sheet->hiddenRows(1, 1000).empty());
    EXPECT_FALSE(sheet->rowHidden(2));
}

TEST(DelimitedSheet, FailsLikeASheetOffItsEdgesAndRefusesChanges) {
    const auto sheet = std::make_shared<DelimitedSheet>(U"list", Rows{{U"a"}});
    EXPECT_THROW(sheet->cell(0, 1), platform::SpreadsheetError);
    EXPECT_THROW(sheet->cell(1, platform::kMaxColumn + 1), platform::SpreadsheetError);
    EXPECT_THROW(sheet->hiddenRows(1, platform::kMaxRow + 1), platform::SpreadsheetError);
    EXPECT_THROW(sheet->range(U"A1", U"B"), platform::SpreadsheetError);
    EXPECT_THROW(sheet->cell(1, 1)->setValue(U"x"), platform::SpreadsheetError);
    EXPECT_THROW(sheet->setName(U"x"), platform::SpreadsheetError);
    EXPECT_EQ(sheet->cell(1, 1)->value(), U"a");
}

} // namespace
} // namespace lumitag::batch
