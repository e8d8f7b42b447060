#pragma once

#include "platform/Text.h"

namespace lumitag::conversion {

inline constexpr TextView OpenWorkbookMessage = U"エクセルファイルを開いてください";
inline constexpr TextView MissingInputMessage = U"未入力箇所があります";
inline constexpr TextView InvalidInputMessage = U"入力が正しくありません";

// The end of a conversion that ran through every setting.
Text completionMessage(int resultLineCount);
// The end at the limit of the marking list; the EPLAN variant when a head
// remark line is among the lines.
Text limitMessage(int resultLineCount);
Text limitMessageWithRemark(int resultLineCount);
// The hint of 追加 変換 while the window's hints are off: the running total.
Text addConversionTotalHint(int resultLineCount);

} // namespace lumitag::conversion
