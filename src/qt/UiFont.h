#pragma once

#include "ui/Geometry.h"

#include <QColor>
#include <QFont>
#include <QString>

namespace lumitag::qtfront {

// The proportional Japanese Gothic every window is drawn with.
inline constexpr const char* kUiFontFamily = "IPAPGothic";
// Its fixed-pitch sibling, for the model's fixed-pitch Gothic.
inline constexpr const char* kUiFixedFontFamily = "IPAGothic";

// Makes sure the font family is known to Qt: fontconfig normally finds it;
// otherwise the font file is loaded from the usual Debian locations. Returns
// whether the family is available.
bool ensureUiFontLoaded();

// The family at a pixel size.
QFont uiFont(int pixelSize, bool bold = false);

// The model's font (a Windows face name and a size in points, designed for
// 96 dots per inch) as the Qt font that stands in for it. The size becomes a
// pixel size, so that text fits the model's pixel bounds on any screen.
QFont toQFont(const ui::Font& font);

inline QColor toQColor(ui::Color color) {
    return QColor(color.r, color.g, color.b);
}

} // namespace lumitag::qtfront
