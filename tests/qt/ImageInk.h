#pragma once

#include <QImage>
#include <QRect>

namespace lumitag::qtfront {

// The rightmost pixel column inside `rect` that text ink darkens, even the
// faint ink of an anti-aliased stroke, or -1. The background is taken from
// the top-left corner, which the text's inset keeps clear.
inline int inkRight(const QImage& image, QRect rect) {
    const int background = qGray(image.pixel(rect.topLeft()));
    for (int x = rect.right(); x >= rect.left(); --x) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            if (qGray(image.pixel(x, y)) < background - 40) {
                return x;
            }
        }
    }
    return -1;
}

} // namespace lumitag::qtfront
