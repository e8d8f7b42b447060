#include "marking/BoxMode.h"

#include <gtest/gtest.h>

namespace lumitag::marking {
namespace {

TEST(BoxMode, ColumnTablesHaveTheExactHeadersAndWidths) {
    const CountLabels labels{U"1.25", U"2.0", U"5.5"};
    const auto one = columnLayout(BoxMode::OneBox, labels);
    ASSERT_EQ(one.size(), 3u);
    EXPECT_EQ(one[0].header, U"\u3000\u3000  \u3000マーキングデータ");
    EXPECT_EQ(one[1].header, U"個数");
    EXPECT_EQ(one[2].header, U"ナンバーリング");
    EXPECT_EQ(one[0].width + one[1].width + one[2].width, 205 + 40 + 97);

    const auto three = columnLayout(BoxMode::ThreeBox, labels);
    ASSERT_EQ(three.size(), 5u);
    EXPECT_EQ(three[0].header, U"\u3000\u3000 マーキングデータ");
    EXPECT_EQ(three[1].header, U" 1.25");
    EXPECT_EQ(three[2].header, U" 2.0");
    EXPECT_EQ(three[3].header, U" 5.5");
    EXPECT_EQ(three[4].header, U"ナンバー");
    EXPECT_EQ(three[0].width, 160);
    EXPECT_EQ(three[4].width, 60);

    const auto text = columnLayout(BoxMode::Text, labels);
    ASSERT_EQ(text.size(), 2u);
    EXPECT_EQ(text[1].header, U"        文字列");
    EXPECT_EQ(text[1].width, 135);

    EXPECT_EQ(contentColumnCount(BoxMode::OneBox), 3);
    EXPECT_EQ(contentColumnCount(BoxMode::ThreeBox), 5);
    EXPECT_EQ(contentColumnCount(BoxMode::Text), 2);
}

TEST(BoxMode, CountLabelsMoveLeftAsTheirTextGrows) {
    const int expected[3][4] = {{474, 472, 470, 468}, {500, 498, 496, 494}, {526, 524, 522, 520}};
    for (int label = 0; label < 3; ++label)
        for (int length = 1; length <= 4; ++length)
            EXPECT_EQ(countLabelLeft(label, length), expected[label][length - 1]) << label << "/" << length;
    EXPECT_EQ(countLabelLeft(0, 0), 474) << "an empty label stands like a one-character one";
    EXPECT_EQ(countLabelLeft(0, 9), 468) << "longer labels stop at the four-character position";
}

} // namespace
} // namespace lumitag::marking
