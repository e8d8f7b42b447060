#include "qt/QtClipboard.h"

#include "qt/QtText.h"

#include <QClipboard>
#include <QGuiApplication>

namespace lumitag::qtfront {

Text QtClipboard::text() {
    return toText(QGuiApplication::clipboard()->text(QClipboard::Clipboard));
}

void QtClipboard::setText(const Text& text) {
    QGuiApplication::clipboard()->setText(toQString(text), QClipboard::Clipboard);
}

void QtClipboard::clear() {
    QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
}

} // namespace lumitag::qtfront
