#include "mappoint/SymbolPictures.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <vector>

using mappoint::BuiltInSymbolPicture;

namespace {

std::vector<QImage> allSymbols() {
    std::vector<QImage> images;
    for (int id = 0; id < 256; ++id)
        images.push_back(BuiltInSymbolPicture(id));
    return images;
}

// Pixels that a person would see as different: some channel (alpha included,
// colour weighted by coverage) differs by more than a faint antialiasing shade.
int visiblyDifferentPixels(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = qPremultiply(a.pixel(x, y));
            const QRgb q = qPremultiply(b.pixel(x, y));
            const int d =
                std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            if (d > 40)
                ++count;
        }
    }
    return count;
}

TEST(SymbolPictures, EveryIdHasASixteenPixelPictureOnATransparentGround) {
    for (int id = 0; id < 256; ++id) {
        const QImage image = BuiltInSymbolPicture(id);
        ASSERT_FALSE(image.isNull()) << id;
        EXPECT_EQ(image.size(), QSize(16, 16)) << id;
        EXPECT_EQ(image.format(), QImage::Format_ARGB32) << id;
        int opaque = 0, clear = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const int alpha = qAlpha(image.pixel(x, y));
                opaque += alpha > 200;
                clear += alpha < 40;
            }
        }
        // Something to see, and the map shows through around it.
        EXPECT_GE(opaque, 30) << "symbol " << id << " is nearly empty";
        EXPECT_GE(clear, 4) << "symbol " << id << " has no transparent ground";
    }
}

TEST(SymbolPictures, AllPicturesDifferVisiblyFromEachOther) {
    const auto images = allSymbols();
    for (int a = 0; a < 256; ++a) {
        for (int b = a + 1; b < 256; ++b) {
            ASSERT_NE(images[a], images[b]) << a << " and " << b << " are the same picture";
            // One pixel of a number's digit font is four pixels of the picture.
            EXPECT_GE(visiblyDifferentPixels(images[a], images[b]), 4)
                << a << " and " << b << " are hard to tell apart";
        }
    }
}

TEST(SymbolPictures, DrawingIsDeterministic) {
    for (int id : {0, 37, 128, 200, 255})
        EXPECT_EQ(BuiltInSymbolPicture(id), BuiltInSymbolPicture(id)) << id;
}

TEST(SymbolPictures, SymbolZeroIsARedPushpin) {
    const QImage pin = BuiltInSymbolPicture(0);
    // A red head in the upper right, a grey needle reaching the lower left corner.
    const QColor head = pin.pixelColor(11, 6);
    EXPECT_GT(head.red(), 180);
    EXPECT_LT(head.green(), 80);
    EXPECT_GT(qAlpha(pin.pixel(2, 14)), 100);
    EXPECT_EQ(qAlpha(pin.pixel(14, 14)), 0);
    EXPECT_EQ(qAlpha(pin.pixel(1, 1)), 0);
}

TEST(SymbolPictures, IdsOutsideTheBuiltInRangeHaveNoPicture) {
    EXPECT_TRUE(BuiltInSymbolPicture(-1).isNull());
    EXPECT_TRUE(BuiltInSymbolPicture(256).isNull());
    EXPECT_TRUE(BuiltInSymbolPicture(300).isNull());
}

// With LOCASTRA_SYMBOL_SHEET set to a file name, writes all 256 pictures, three
// times enlarged, as one PNG sheet for a person to look at.
TEST(SymbolPictures, ContactSheetOnRequest) {
    const QString file = qEnvironmentVariable("LOCASTRA_SYMBOL_SHEET");
    if (file.isEmpty())
        GTEST_SKIP() << "set LOCASTRA_SYMBOL_SHEET to write the sheet";
    constexpr int cell = 56, scale = 3;
    QImage sheet(16 * cell, 16 * cell, QImage::Format_ARGB32);
    sheet.fill(QColor(236, 232, 220));
    QPainter p(&sheet);
    for (int id = 0; id < 256; ++id) {
        const QImage big = BuiltInSymbolPicture(id).scaled(16 * scale, 16 * scale);
        p.drawImage((id % 16) * cell + 4, (id / 16) * cell + 4, big);
    }
    p.end();
    ASSERT_TRUE(sheet.save(file));
}

} // namespace
