#pragma once

#include "platform/Text.h"
#include "ui/Geometry.h"

namespace lumitag::ui {

// Measures text as the screen draws it. The front end installs one backed by
// its real fonts; without it the model uses SimpleTextMetrics.
class TextMetrics {
public:
    virtual ~TextMetrics() = default;

    // Width in pixels of `text` drawn in `font`.
    virtual int width(TextView text, const Font& font) const = 0;

    // The caret position (0..size) nearest to the pixel offset `x` from the start of `text`.
    int positionAt(TextView text, const Font& font, int x) const;
};

// 7 pixels per half-width character and 14 per full-width one, whatever the font:
// enough for tests to map a click to a character.
class SimpleTextMetrics : public TextMetrics {
public:
    int width(TextView text, const Font& font) const override;

    static bool isHalfWidth(char32_t c);
};

} // namespace lumitag::ui
