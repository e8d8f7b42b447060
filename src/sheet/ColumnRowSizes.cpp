#include "sheet/ColumnRowSizes.h"

#include <cmath>

namespace lumitag::sheet {

namespace {

constexpr double MillimetresPerInch = 25.4;
constexpr double PointsPerInch = 72;
// A half-width character of the 11-point standard font.
constexpr double PointsPerCharacter = 11.0 / 2.0;
constexpr double PaddingCharacters = 0.7;

} // namespace

std::optional<double> parseLength(TextView text) {
    double whole = 0;
    double fraction = 0;
    double scale = 1;
    bool digits = false;
    bool point = false;
    for (const char32_t c : text) {
        if (c == U'.') {
            if (point)
                return std::nullopt;
            point = true;
        } else if (c >= U'0' && c <= U'9') {
            digits = true;
            if (point) {
                scale /= 10;
                fraction += static_cast<double>(c - U'0') * scale;
            } else {
                whole = whole * 10 + static_cast<double>(c - U'0');
            }
        } else {
            return std::nullopt;
        }
    }
    if (!digits || !std::isfinite(whole))
        return std::nullopt;
    return whole + fraction;
}

double columnWidthFromMillimetres(double mm) {
    return mm / MillimetresPerInch * PointsPerInch / PointsPerCharacter - PaddingCharacters;
}

double rowHeightFromMillimetres(double mm) {
    return mm / MillimetresPerInch * PointsPerInch;
}

std::optional<double> printCorrectionFactor(double target, double measured) {
    if (!(target > 0) || !std::isfinite(target) || !std::isfinite(measured))
        return std::nullopt;
    const double factor = 2 - measured / target;
    if (!(factor > 0))
        return std::nullopt;
    return factor;
}

} // namespace lumitag::sheet
