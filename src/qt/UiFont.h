#pragma once

#include <QFont>
#include <QString>

namespace lumitag::qtfront {

// The proportional Japanese Gothic every window is drawn with.
inline constexpr const char* kUiFontFamily = "IPAPGothic";

// Makes sure the font family is known to Qt: fontconfig normally finds it;
// otherwise the font file is loaded from the usual Debian locations. Returns
// whether the family is available.
bool ensureUiFontLoaded();

// The family at a pixel size (the model's font sizes are pixel heights, so
// that text fits the pixel bounds whatever the screen's DPI).
QFont uiFont(int pixelSize, bool bold = false);

} // namespace lumitag::qtfront
