#include "qt/TextFitter.h"

#include <QFontMetrics>
#include <algorithm>

namespace lumitag::qtfront {

namespace {

// Below this the kanji of the IPA Gothic lose their strokes.
constexpr int kSmallestLegibleSize = 9;
// Text never shrinks to less than two thirds of its size.
constexpr int kFloorNumerator = 2;
constexpr int kFloorDenominator = 3;
// A bound on the memory the remembered sizes take; texts and widths of one
// program are few, so this is only reached by texts that keep changing.
constexpr qsizetype kMaxRemembered = 4096;

QFont atPixelSize(const QFont& font, int pixelSize) {
    QFont result = font;
    result.setPixelSize(pixelSize);
    return result;
}

} // namespace

int TextFitter::floorSize(int pixelSize) {
    return std::min(pixelSize,
                    std::max(kSmallestLegibleSize, pixelSize * kFloorNumerator / kFloorDenominator));
}

QFont TextFitter::fit(const QFont& font, const QString& text, int width) {
    const int size = font.pixelSize();
    if (size <= 0 || text.isEmpty() || QFontMetrics(font).horizontalAdvance(text) <= width) {
        return font;
    }
    const QString key =
        font.key() + QLatin1Char('\x1f') + QString::number(width) + QLatin1Char('\x1f') + text;
    const auto found = fitted_.constFind(key);
    if (found != fitted_.constEnd()) {
        return atPixelSize(font, found.value());
    }
    if (fitted_.size() >= kMaxRemembered) {
        fitted_.clear();
    }
    const int fitted = searchSize(font, text, width);
    fitted_.insert(key, fitted);
    return atPixelSize(font, fitted);
}

int TextFitter::searchSize(const QFont& font, const QString& text, int width) const {
    const int floor = floorSize(font.pixelSize());
    for (int size = font.pixelSize() - 1; size > floor; --size) {
        if (QFontMetrics(atPixelSize(font, size)).horizontalAdvance(text) <= width) {
            return size;
        }
    }
    return floor;
}

} // namespace lumitag::qtfront
