#include "sheet/ColumnLetters.h"

#include "platform/Encoding.h"

#include <gtest/gtest.h>

namespace lumitag::sheet {
namespace {

TEST(ColumnLetters, ColumnsOneToHundredAndEverythingElseAsCV) {
    const struct {
        int column;
        TextView letters;
    } cases[] = {{1, U"A"},   {26, U"Z"},   {27, U"AA"},  {52, U"AZ"},    {53, U"BA"}, {78, U"BZ"},
                 {79, U"CA"}, {100, U"CV"}, {101, U"CV"}, {16384, U"CV"}, {0, U"CV"},  {-5, U"CV"}};
    for (const auto& c : cases)
        EXPECT_EQ(columnBoxLetters(c.column), c.letters) << c.column;
}

TEST(ColumnLetters, TheNextColumnEndsAfterCV) {
    const struct {
        TextView letters;
        TextView next;
    } cases[] = {{U"A", U"B"},   {U"Y", U"Z"},   {U"Z", U"AA"},  {U"AA", U"AB"}, {U"AZ", U"BA"},
                 {U"BY", U"BZ"}, {U"BZ", U"CA"}, {U"CU", U"CV"}, {U"CV", U""},   {U"CW", U""},
                 {U"", U""},     {U"a", U""},    {U"12", U""}};
    for (const auto& c : cases)
        EXPECT_EQ(nextColumnBoxLetters(c.letters), c.next) << platform::toUtf8(c.letters);
}

TEST(ColumnLetters, ColumnBoxTextsTheTransferCanUse) {
    const struct {
        TextView text;
        bool valid;
    } cases[] = {
        {U"CV", true},  {U"100", true}, {U"A", true},  {U"Z", true},    {U"AZ", true},
        {U"BZ", true},  {U"CA", true},  {U"1", true},  {U"012", true},  {U"", true},
        {U"CW", false}, {U"DA", false}, {U"0", false}, {U"101", false}, {U"ABC", false},
        {U"1A", false}, {U"A1", false}, {U"a", false}, {U"000", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isValidColumnBoxText(c.text), c.valid) << platform::toUtf8(c.text);
}

TEST(ColumnLetters, RowBoxTextsTheTransferCanUse) {
    const struct {
        TextView text;
        bool valid;
    } cases[] = {{U"12", true},    {U"1", true},  {U"9999", true}, {U"", true},
                 {U"0012", false}, {U"0", false}, {U"1a", false},  {U"1048577", false}};
    for (const auto& c : cases)
        EXPECT_EQ(isValidRowBoxText(c.text), c.valid) << platform::toUtf8(c.text);
}

TEST(ColumnLetters, CharactersOfTheBoxes) {
    for (const char32_t c : TextView(U"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"))
        EXPECT_TRUE(isColumnBoxCharacter(c));
    for (const char32_t c : TextView(U"a z-:Ａ１"))
        EXPECT_FALSE(isColumnBoxCharacter(c));
    for (const char32_t c : TextView(U":/*?[]\\"))
        EXPECT_TRUE(isForbiddenSheetNameCharacter(c));
    for (const char32_t c : TextView(U"aZ1 '-シ"))
        EXPECT_FALSE(isForbiddenSheetNameCharacter(c));
}

} // namespace
} // namespace lumitag::sheet
