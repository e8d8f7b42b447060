#include "marking/BoxMode.h"

#include <algorithm>

namespace lumitag::marking {

std::vector<ColumnLayout> columnLayout(BoxMode mode, const CountLabels& countLabels) {
    switch (mode) {
    case BoxMode::OneBox:
        return {{205, U"\u3000\u3000  \u3000マーキングデータ"}, {40, U"個数"}, {97, U"ナンバーリング"}};
    case BoxMode::ThreeBox:
        return {{160, U"\u3000\u3000 マーキングデータ"},
                {40, U" " + countLabels[0]},
                {40, U" " + countLabels[1]},
                {40, U" " + countLabels[2]},
                {60, U"ナンバー"}};
    case BoxMode::Text:
        return {{205, U"\u3000\u3000  \u3000マーキングデータ"}, {135, U"        文字列"}};
    }
    return {};
}

int contentColumnCount(BoxMode mode) {
    switch (mode) {
    case BoxMode::OneBox:
        return 3;
    case BoxMode::ThreeBox:
        return 5;
    case BoxMode::Text:
        return 2;
    }
    return 0;
}

int countLabelLeft(int index, int length) {
    constexpr int firstLeft[] = {474, 500, 526};
    const int i = std::clamp(index, 0, 2);
    return firstLeft[i] - 2 * (std::clamp(length, 1, 4) - 1);
}

} // namespace lumitag::marking
