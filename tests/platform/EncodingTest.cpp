#include "platform/Encoding.h"

#include <gtest/gtest.h>
#include <random>

namespace lumitag::platform {
namespace {

constexpr char32_t R = replacementCharacter;

TEST(Utf8, RoundTripsEveryPlaneAndReplacesNonScalarValues) {
    const Text text = U"A\u00E9\u3042\u9AD9\U00020BB7\U0001F600\u007F\u0080\u07FF\u0800\uFFFF\U0010FFFF";
    EXPECT_EQ(fromUtf8(toUtf8(text)), text);
    EXPECT_EQ(toUtf8(U"髙"), "\xE9\xAB\x99");

    Text bad;
    bad.push_back(0xD800);
    bad.push_back(0x110000);
    EXPECT_EQ(toUtf8(bad), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Utf8, MalformedBytesBecomeOneReplacementEachAndDecodingGoesOn) {
    struct Case {
        std::string bytes;
        Text expected;
    };
    const Case cases[] = {
        {"a\x80"
         "b",
         {U'a', R, U'b'}},                  // stray continuation byte
        {"\xC0\xAF", {R, R}},               // overlong "/"
        {"\xE0\x80\xAF", {R, R, R}},        // overlong three-byte form
        {"\xED\xA0\x80", {R, R, R}},        // encoded surrogate
        {"\xF4\x90\x80\x80", {R, R, R, R}}, // beyond U+10FFFF
        {"\xE3\x81", {R, R}},               // cut short at the end
        {"\xE3\x81"
         "A",
         {R, R, U'A'}},       // cut short by an ASCII byte
        {"\xFF\xFE", {R, R}}, // never valid in UTF-8
        {"\xE3\x81\x82\xE3", {U'あ', R}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fromUtf8(c.bytes), c.expected) << testing::PrintToString(c.bytes);
}

TEST(Cp932, ConvertsVendorCharactersAndTheAsciiRange) {
    const Text text = U"ABC~\\ あア漢髙①Ⅲ♯ｱ－";
    const std::string bytes = toCp932(text);
    EXPECT_EQ(bytes.substr(0, 6), "ABC~\\ ");
    EXPECT_EQ(toCp932(U"髙"), "\xFB\xFC");
    EXPECT_EQ(toCp932(U"①"), "\x87\x40");
    EXPECT_EQ(toCp932(U"ｱ"), "\xB1");
    EXPECT_EQ(fromCp932(bytes), text);
}

TEST(Cp932, CharactersThatDoNotComeBackAreListedOnce) {
    const Text text = U"a𠮷é😀b𠮷";
    EXPECT_EQ(toCp932(text), "a???b?");
    EXPECT_EQ(charactersChangedByCp932(text), U"𠮷é😀");
    EXPECT_EQ(charactersChangedByCp932(U"髙①Ⅲ♯～ｶﾀｶﾅ漢字\\~"), U"");
    // ¥ and ‾ are written as the bytes of \ and ~, the wave dash 〜 as those of
    // the full-width tilde ～, and read back as those: changed as surely as 𠮷.
    EXPECT_EQ(toCp932(U"¥‾"), "\\~");
    EXPECT_EQ(toCp932(U"〜"), toCp932(U"～"));
    EXPECT_EQ(charactersChangedByCp932(U"¥100 ‾ 〜 𠮷é ¥"), U"¥‾〜𠮷é");

    Text invalid = U"x";
    invalid.push_back(0xDC00);
    invalid.push_back(0x110000);
    EXPECT_EQ(toCp932(invalid), "x??");
    EXPECT_EQ(charactersChangedByCp932(invalid).size(), 2u);
}

TEST(Cp932, UndefinedAndBrokenBytesBecomeReplacementsWithoutLosingNeighbours) {
    struct Case {
        std::string bytes;
        Text expected;
    };
    const Case cases[] = {
        {"\x80", {R}},
        {"\xA0", {R}},
        {"\xFD\xFE\xFF", {R, R, R}},
        {"\x81", {R}},               // lead byte at the end
        {"\x81 A", {R, U' ', U'A'}}, // lead byte with an invalid trail byte
        {"\x82\xA0\x81", {U'あ', R}},
        {std::string("a\0b", 3), {U'a', 0, U'b'}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fromCp932(std::string_view(c.bytes.data(), c.bytes.size())), c.expected)
            << testing::PrintToString(c.bytes);
}

TEST(Cp932, EveryByteValueAndPairDecodesToValidText) {
    for (int lead = 0; lead < 256; ++lead) {
        for (int trail = 0; trail < 256; ++trail) {
            const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
            const Text text = fromCp932(bytes);
            ASSERT_GE(text.size(), 1u);
            ASSERT_LE(text.size(), 2u);
            // Whatever was read can be written back without loss of length
            // information: a decoded character is never a surrogate.
            for (char32_t c : text)
                ASSERT_FALSE(c >= 0xD800 && c <= 0xDFFF);
        }
    }
}

TEST(Utf16, DecodesBothByteOrdersAndReplacesBrokenSurrogates) {
    EXPECT_EQ(fromUtf16(std::string("A\0\x42\x30", 4), ByteOrder::LittleEndian), U"Aあ");
    EXPECT_EQ(fromUtf16(std::string("\0A\x30\x42", 4), ByteOrder::BigEndian), U"Aあ");
    EXPECT_EQ(fromUtf16(std::string("\x42\xD8\xB7\xDF", 4), ByteOrder::LittleEndian), U"𠮷");
    // A high surrogate followed by an ordinary unit, a lone low surrogate, a lone trailing byte.
    EXPECT_EQ(fromUtf16(std::string("\x42\xD8"
                                    "A\0",
                                    4),
                        ByteOrder::LittleEndian),
              (Text{R, U'A'}));
    EXPECT_EQ(fromUtf16(std::string("\x00\xDC", 2), ByteOrder::LittleEndian), (Text{R}));
    EXPECT_EQ(fromUtf16(std::string("A\0B", 3), ByteOrder::LittleEndian), (Text{U'A', R}));
    EXPECT_EQ(fromUtf16(std::string("\x42\xD8", 2), ByteOrder::LittleEndian), (Text{R}));
}

TEST(TextFile, ByteOrderMarkChoosesTheEncodingElseCp932) {
    const DecodedTextFile utf8 = decodeTextFile("\xEF\xBB\xBF\xE9\xAB\x99\r\nb");
    EXPECT_EQ(utf8.encoding, TextFileEncoding::Utf8WithBom);
    EXPECT_EQ(utf8.lines, (std::vector<Text>{U"髙", U"b"}));

    const DecodedTextFile le = decodeTextFile(std::string("\xFF\xFE\x42\x30\r\0\n\0x\0", 10));
    EXPECT_EQ(le.encoding, TextFileEncoding::Utf16LeWithBom);
    EXPECT_EQ(le.lines, (std::vector<Text>{U"あ", U"x"}));

    const DecodedTextFile be = decodeTextFile(std::string("\xFE\xFF\x30\x42", 4));
    EXPECT_EQ(be.encoding, TextFileEncoding::Utf16BeWithBom);
    EXPECT_EQ(be.lines, (std::vector<Text>{U"あ"}));

    const DecodedTextFile sjis = decodeTextFile("\x82\xA0\r\n\xFB\xFC\r\n");
    EXPECT_EQ(sjis.encoding, TextFileEncoding::Cp932);
    EXPECT_EQ(sjis.lines, (std::vector<Text>{U"あ", U"髙"}));

    // UTF-8 without a mark is read as CP932, as the program always did.
    EXPECT_EQ(decodeTextFile("\xE3\x81\x82").encoding, TextFileEncoding::Cp932);
}

TEST(TextFile, LinesEndAtCrLfBareCrOrBareLf) {
    struct Case {
        Text text;
        std::vector<Text> lines;
    };
    const Case cases[] = {
        {U"", {}},
        {U"a", {U"a"}},
        {U"a\r\n", {U"a"}},
        {U"a\r\nb", {U"a", U"b"}},
        {U"a\rb\nc\r\nd", {U"a", U"b", U"c", U"d"}},
        {U"\r\n", {U""}},
        {U"\r\n\r\n", {U"", U""}},
        {U"a\n\r", {U"a", U""}}, // LF CR is two line ends
        {U"a\r\r\nb", {U"a", U"", U"b"}},
        {U"a\r", {U"a"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(splitLines(c.text), c.lines) << testing::PrintToString(toUtf8(c.text));
}

TEST(TextFile, WritersEndEveryLineWithCrLf) {
    EXPECT_EQ(encodeCp932Lines({U"あ", U"", U"𠮷x"}), "\x82\xA0\r\n\r\n?x\r\n");
    EXPECT_EQ(encodeCp932Lines({}), "");
    EXPECT_EQ(encodeUtf8BomLines({U"𠮷", U"a"}), "\xEF\xBB\xBF\xF0\xA0\xAE\xB7\r\na\r\n");

    const std::vector<Text> lines{U"WorkLength=120", U"テーブル①", U""};
    EXPECT_EQ(decodeTextFile(encodeCp932Lines(lines)).lines, lines);
    EXPECT_EQ(decodeTextFile(encodeUtf8BomLines(lines)).lines, lines);
}

bool isValidText(const Text& text) {
    for (char32_t c : text)
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return false;
    return true;
}

// Random bytes through every decoder: no crash (the sanitizers watch), no
// hang, and only Unicode scalar values come out.
TEST(Decoders, RandomBytesAlwaysGiveValidText) {
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> length(0, 64);
    std::uniform_int_distribution<int> byte(0, 255);
    const std::string prefixes[] = {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = prefixes[round % 4];
        for (int n = length(random); n > 0; --n)
            bytes.push_back(static_cast<char>(byte(random)));

        const Text utf8 = fromUtf8(bytes);
        ASSERT_TRUE(isValidText(utf8));
        ASSERT_LE(utf8.size(), bytes.size());
        ASSERT_EQ(fromUtf8(toUtf8(utf8)), utf8);

        const Text cp932 = fromCp932(bytes);
        ASSERT_TRUE(isValidText(cp932));
        ASSERT_LE(cp932.size(), bytes.size());

        ASSERT_TRUE(isValidText(fromUtf16(bytes, ByteOrder::LittleEndian)));
        ASSERT_TRUE(isValidText(fromUtf16(bytes, ByteOrder::BigEndian)));
        for (const Text& line : decodeTextFile(bytes).lines)
            ASSERT_TRUE(isValidText(line));

        // Whatever CP932 gave back can be written again in full.
        ASSERT_TRUE(charactersChangedByCp932(cp932).find_first_not_of(R) == Text::npos);
    }
}

} // namespace
} // namespace lumitag::platform
