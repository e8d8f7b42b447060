#include "conversion/ConversionMessages.h"

namespace lumitag::conversion {

Text completionMessage(int resultLineCount) {
    return U"終わりました(マーキングデータ合計" + numberText(resultLineCount) + U"個)\r\n\r\n" +
           Text(7, U'\u3000') + U"(変換結果はオレンジモード)";
}

Text limitMessage(int resultLineCount) {
    return U"マーキングデータが" + numberText(resultLineCount) + U"個になりました";
}

Text limitMessageWithRemark(int resultLineCount) {
    return limitMessage(resultLineCount) + U"(備考欄含む)";
}

Text addConversionTotalHint(int resultLineCount) {
    return U"マーキングデータ合計" + numberText(resultLineCount) + U"個変換済";
}

} // namespace lumitag::conversion
