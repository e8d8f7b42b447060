#include "qt/QtTextMetrics.h"

#include "qt/QtText.h"
#include "qt/UiFont.h"

namespace lumitag::qtfront {

int QtTextMetrics::width(TextView text, const ui::Font& font) const {
    if (!cachedFont_ || !(*cachedFont_ == font)) {
        cachedFont_ = font;
        cachedMetrics_.emplace(toQFont(font));
    }
    return cachedMetrics_->horizontalAdvance(toQString(text));
}

} // namespace lumitag::qtfront
