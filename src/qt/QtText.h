#pragma once

#include "platform/Text.h"

#include <QString>

namespace lumitag::qtfront {

// The model's code points to Qt's UTF-16 and back. Unpaired surrogates coming
// from Qt become U+FFFD rather than invalid code points.
inline QString toQString(TextView text) {
    return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

inline Text toText(const QString& text) {
    return text.toStdU32String();
}

// Message texts break lines with "\r\n"; Qt breaks them with "\n".
inline QString toDisplayLines(TextView text) {
    QString result = toQString(text);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return result;
}

} // namespace lumitag::qtfront
