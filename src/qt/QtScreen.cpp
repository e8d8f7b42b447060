#include "qt/QtScreen.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

namespace lumitag::qtfront {

namespace {

platform::ScreenRect toScreenRect(const QRect& rect) {
    return platform::ScreenRect{rect.left(), rect.top(), rect.width(), rect.height()};
}

} // namespace

platform::ScreenRect QtScreen::screenRect() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? toScreenRect(screen->geometry()) : platform::ScreenRect{};
}

platform::ScreenRect QtScreen::workArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? toScreenRect(screen->availableGeometry()) : platform::ScreenRect{};
}

} // namespace lumitag::qtfront
