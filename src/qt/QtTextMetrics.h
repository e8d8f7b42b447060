#pragma once

#include "ui/TextMetrics.h"

#include <QFont>
#include <QFontMetrics>
#include <optional>

namespace lumitag::qtfront {

// Measures text with the fonts the windows are drawn with, so that the model
// maps clicks to caret positions exactly where the characters appear.
class QtTextMetrics final : public ui::TextMetrics {
public:
    int width(TextView text, const ui::Font& font) const override;

private:
    // Most measurements in a row use the same font: keep its metrics.
    mutable std::optional<ui::Font> cachedFont_;
    mutable std::optional<QFontMetrics> cachedMetrics_;
};

} // namespace lumitag::qtfront
