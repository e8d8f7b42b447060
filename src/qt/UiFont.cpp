#include "qt/UiFont.h"

#include <QFile>
#include <QFontDatabase>
#include <algorithm>
#include <cmath>

namespace lumitag::qtfront {

bool ensureUiFontLoaded() {
    const QString family = QString::fromLatin1(kUiFontFamily);
    if (QFontDatabase::families().contains(family)) {
        return true;
    }
    static const char* const candidates[] = {
        "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf",
        "/usr/share/fonts/truetype/ipafont-gothic/ipagp.ttf",
        "/usr/share/fonts/truetype/fonts-japanese-gothic-p.ttf",
    };
    for (const char* path : candidates) {
        if (QFile::exists(QString::fromLatin1(path)) &&
            QFontDatabase::addApplicationFont(QString::fromLatin1(path)) >= 0 &&
            QFontDatabase::families().contains(family)) {
            return true;
        }
    }
    return false;
}

QFont uiFont(int pixelSize, bool bold) {
    QFont font(QString::fromLatin1(kUiFontFamily));
    font.setPixelSize(pixelSize > 0 ? pixelSize : 12);
    font.setBold(bold);
    return font;
}

QFont toQFont(const ui::Font& font) {
    // Fixed-pitch Gothic faces ("ＭＳ ゴシック") have no "Ｐ"/"P" in their
    // name; every other face, proportional or unknown, gets the proportional
    // Gothic the windows were laid out with.
    const Text& name = font.name;
    const bool gothic = name.find(U"ゴシック") != Text::npos || name.find(U"Gothic") != Text::npos;
    const bool proportional = name.find(U"Ｐ") != Text::npos || name.find(U"P") != Text::npos;
    const int pixelSize = std::max(1, static_cast<int>(std::lround(font.size * 96.0 / 72.0)));
    QFont result = uiFont(pixelSize, font.bold);
    if (gothic && !proportional) {
        result.setFamily(QString::fromLatin1(kUiFixedFontFamily));
    }
    return result;
}

} // namespace lumitag::qtfront
