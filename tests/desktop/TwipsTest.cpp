#include "desktop/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using namespace desktop;

TEST(Twips, FifteenTwipsToThePixelAt96Dpi) {
    EXPECT_EQ(twipsToPixels(1440, 96), 96);
    EXPECT_EQ(twipsToPixels(3705, 96), 247);
    EXPECT_EQ(twipsToPixels(7515, 96), 501);
    EXPECT_DOUBLE_EQ(pixelsToTwips(2, 96), 30);
    EXPECT_DOUBLE_EQ(pixelsToTwips(1, 120), 12);
    EXPECT_EQ(twipsToPixels(1440, 144), 144);
}

TEST(Twips, RoundsToTheNearestPixelSymmetrically) {
    EXPECT_EQ(twipsToPixels(7, 96), 0);
    EXPECT_EQ(twipsToPixels(8, 96), 1);   // 0.53 px
    EXPECT_EQ(twipsToPixels(7.5, 96), 1); // exactly half: away from zero
    EXPECT_EQ(twipsToPixels(-7.5, 96), -1);
    EXPECT_EQ(twipsToPixels(-6000, 96), -400); // controls placed left of the window
}

TEST(Twips, RectangleEdgesAreConvertedSoNeighboursStayTouching) {
    EXPECT_EQ(twipsRect(180, 5625, 1095, 375, 96, 96), QRect(12, 375, 73, 25));
    // Two boxes that touch in twips touch in pixels at an odd scale too.
    const QRect a = twipsRect(100, 100, 1000, 500, 120, 120);
    const QRect b = twipsRect(1100, 600, 1000, 500, 120, 120);
    EXPECT_EQ(a.right() + 1, b.left());
    EXPECT_EQ(a.bottom() + 1, b.top());
    // Horizontal and vertical scales are applied separately.
    EXPECT_EQ(twipsRect(1440, 1440, 1440, 1440, 96, 192), QRect(96, 192, 96, 192));
}

TEST(Twips, ScreenHelpersUseTheScreensLogicalDpi) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_DOUBLE_EQ(logicalDpiX(), screen->logicalDotsPerInchX());
    EXPECT_DOUBLE_EQ(twipsPerPixelY(), 1440 / screen->logicalDotsPerInchY());
    EXPECT_EQ(twipsToPixelsX(2880), twipsToPixels(2880, screen->logicalDotsPerInchX()));
    EXPECT_EQ(pixelsToTwipsY(2), static_cast<int>(std::lround(pixelsToTwips(2, logicalDpiY()))));
    EXPECT_EQ(twipsRect(0, 0, 1440, 1440).size(),
              QSize(twipsToPixelsX(1440), twipsToPixelsY(1440)));
}

} // namespace
