#pragma once

#include <QFont>
#include <QHash>
#include <QString>

namespace lumitag::qtfront {

// Makes one line of text fit a width by drawing it smaller. The windows keep
// the pixel bounds they were laid out with for a narrower Windows face, so
// some captions ("1000" in a row-number cell, a list header, a table name in
// its box) overflow in the Gothic that stands in for it. Such a text is drawn
// a pixel size smaller at a time, down to a floor that stays legible; a text
// that does not fit even there is drawn at the floor and clipped.
//
// Measuring is done with the real font metrics. A text that fits costs one
// measurement; the size found for one that does not is remembered, so that a
// grid repainting a thousand lines does not search again on every paint.
class TextFitter {
public:
    // The font to draw `text` with inside `width` pixels: `font` itself when
    // the text fits or the font has no pixel size, else the same face at the
    // largest smaller pixel size (not below the floor) at which it fits.
    QFont fit(const QFont& font, const QString& text, int width);

    // The smallest pixel size text of `pixelSize` is shrunk to.
    static int floorSize(int pixelSize);

    // How many shrunk sizes are remembered.
    qsizetype cachedCount() const { return fitted_.size(); }

private:
    int searchSize(const QFont& font, const QString& text, int width) const;

    // Key: the font's key, the width and the text; value: the pixel size.
    QHash<QString, int> fitted_;
};

} // namespace lumitag::qtfront
