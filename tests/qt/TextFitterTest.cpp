#include "qt/TextFitter.h"

#include "qt/UiFont.h"

#include <QFontMetrics>
#include <gtest/gtest.h>
#include <vector>

namespace lumitag::qtfront {
namespace {

int advance(const QFont& font, const QString& text) {
    return QFontMetrics(font).horizontalAdvance(text);
}

// Texts the windows show in spaces laid out for a narrower face: each is
// drawn at the largest size that fits, never below the floor, in its own
// face and weight.
TEST(TextFitter, DrawsATextThatOverflowsAtTheLargestSizeThatFits) {
    struct Case {
        QString text;
        int pixelSize;
        bool bold;
        int width;
    };
    const std::vector<Case> cases = {
        {QStringLiteral("1000"), 15, false, 32}, // a row number
        {QStringLiteral("\u3000\u3000\u3000\u3000\u3000編\u3000集\u3000モ\u3000ー\u3000ド"), 15, false,
         202},                                               // a header
        {QStringLiteral("TUBE 32 (Table1)"), 12, false, 84}, // a table box's choice
        {QStringLiteral("TUBE 32 (Table1)"), 12, true, 84},
    };
    TextFitter fitter;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const QFont font = uiFont(c.pixelSize, c.bold);
        ASSERT_GT(advance(font, c.text), c.width) << "the case must overflow at its own size";
        const QFont fitted = fitter.fit(font, c.text, c.width);
        EXPECT_LT(fitted.pixelSize(), c.pixelSize);
        EXPECT_GE(fitted.pixelSize(), TextFitter::floorSize(c.pixelSize));
        EXPECT_LE(advance(fitted, c.text), c.width);
        QFont larger = fitted;
        larger.setPixelSize(fitted.pixelSize() + 1);
        EXPECT_GT(advance(larger, c.text), c.width) << "one size larger would still fit";
        EXPECT_EQ(fitted.family(), font.family());
        EXPECT_EQ(fitted.bold(), c.bold);
    }
}

TEST(TextFitter, KeepsWhatFitsAndStopsAtTheFloor) {
    TextFitter fitter;
    const QFont font = uiFont(15);
    EXPECT_EQ(fitter.fit(font, QStringLiteral("999"), 32), font);
    EXPECT_EQ(fitter.fit(font, QString(), 0), font);
    // Far too long: the floor, clipped by the caller, rather than unreadable text.
    EXPECT_EQ(fitter.fit(font, QStringLiteral("マーキングデータの長い文字列"), 40).pixelSize(), 10);
    EXPECT_EQ(TextFitter::floorSize(15), 10);
    EXPECT_EQ(TextFitter::floorSize(12), 9);
    EXPECT_EQ(TextFitter::floorSize(8), 8); // small text is never made smaller
    EXPECT_EQ(fitter.fit(uiFont(8), QStringLiteral("1000"), 5).pixelSize(), 8);
    // A font sized in points is the caller's business and stays as it is.
    QFont points(QString::fromLatin1(kUiFontFamily));
    points.setPointSize(11);
    EXPECT_EQ(fitter.fit(points, QStringLiteral("1000"), 5), points);
}

// A grid repaints its visible cells often: a text that fits is measured and
// nothing is kept; the size found for one that overflows is kept and reused.
TEST(TextFitter, RemembersOnlyTheSizesItHadToSearch) {
    TextFitter fitter;
    const QFont font = uiFont(15);
    for (int row = 1; row <= 999; ++row) {
        fitter.fit(font, QString::number(row), 32);
    }
    EXPECT_EQ(fitter.cachedCount(), 0);
    const QFont first = fitter.fit(font, QStringLiteral("1000"), 32);
    for (int paint = 0; paint < 50; ++paint) {
        EXPECT_EQ(fitter.fit(font, QStringLiteral("1000"), 32), first);
    }
    EXPECT_EQ(fitter.cachedCount(), 1);
    // Another width is another search.
    EXPECT_LT(fitter.fit(font, QStringLiteral("1000"), 28).pixelSize(), first.pixelSize());
    EXPECT_EQ(fitter.cachedCount(), 2);
}

} // namespace
} // namespace lumitag::qtfront
