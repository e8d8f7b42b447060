#include "qt/UiFont.h"

#include <QFile>
#include <QFontDatabase>

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
    font.setStyleStrategy(QFont::PreferDefault);
    return font;
}

} // namespace lumitag::qtfront
