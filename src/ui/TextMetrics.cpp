#include "ui/TextMetrics.h"

namespace lumitag::ui {

int TextMetrics::positionAt(TextView text, const Font& font, int x) const {
    if (x <= 0)
        return 0;
    int previous = 0;
    for (std::size_t i = 1; i <= text.size(); ++i) {
        const int next = width(text.substr(0, i), font);
        if (x < next)
            return static_cast<int>(x - previous < next - x ? i - 1 : i);
        previous = next;
    }
    return static_cast<int>(text.size());
}

bool SimpleTextMetrics::isHalfWidth(char32_t c) {
    return c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F); // ASCII and half-width katakana
}

int SimpleTextMetrics::width(TextView text, const Font&) const {
    int total = 0;
    for (char32_t c : text)
        total += isHalfWidth(c) ? 7 : 14;
    return total;
}

} // namespace lumitag::ui
