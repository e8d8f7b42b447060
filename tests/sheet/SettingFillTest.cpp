#include "sheet/SettingFill.h"

#include <gtest/gtest.h>

namespace lumitag::sheet {
namespace {

TEST(SettingFill, TextsOfASelectedBlock) {
    const SettingFillTexts texts =
        settingFillTexts({.activeColumn = 52, .firstRow = 4, .rowCount = 10, .visibleRowCount = 7}, true);
    EXPECT_EQ(texts.startColumn, U"AZ");
    EXPECT_EQ(texts.startRow, U"4");
    EXPECT_EQ(texts.endRow, U"13");
    EXPECT_EQ(texts.nextColumn, U"BA");
    EXPECT_EQ(texts.rowCountLabel, U"7行");
    EXPECT_EQ(texts.outputCountLabel, U"15個") << "two lines a row and the head remark";
    EXPECT_EQ(
        settingFillTexts({.activeColumn = 100, .firstRow = 1, .rowCount = 1, .visibleRowCount = 7}, false)
            .outputCountLabel,
        U"14個");
    EXPECT_EQ(
        settingFillTexts({.activeColumn = 100, .firstRow = 1, .rowCount = 1, .visibleRowCount = 0}, false)
            .nextColumn,
        U"");
}

} // namespace
} // namespace lumitag::sheet
