#include "widgets/chameleonColors.h"
#include "widgets/chameleonButton.h"
#include "widgets/chameleonPalette.h"

#include <QPalette>
#include <gtest/gtest.h>

using namespace chameleonColors;

TEST(ChameleonColors, ShiftAddsToEveryChannelAndClamps) {
    // red 0x32, green 0x1E, blue 0x0A
    EXPECT_EQ(shift(0x0A1E32, 10), 0x14283Cu);
    EXPECT_EQ(shift(0x0A1E32, -20), 0x000A1Eu); // blue clamps at 0
    EXPECT_EQ(shift(0xF0E0D0, 40), 0xFFFFF8u);  // green and blue clamp at 255
    EXPECT_EQ(shift(0x123456, -300), 0u);
    EXPECT_EQ(shift(0x123456, 0), 0x123456u);
}

TEST(ChameleonColors, SoftBevelHalvesTowardZero) {
    EXPECT_EQ(shift(0x808080, -9, true), 0x7C7C7Cu); // -4, not -5
    EXPECT_EQ(shift(0x808080, 47, true), 0x979797u); // +23
    EXPECT_EQ(shift(0x808080, 1, true), 0x808080u);
    EXPECT_EQ(shiftBlueProportional(0xC00000, 48, true), 0xD81818u); // n = 24
}

TEST(ChameleonColors, BlueProportionalShift) {
    // blue 192: + 48 * 192 / 192
    EXPECT_EQ(shiftBlueProportional(0xC00000, 48), 0xF03030u);
    // blue 100: 100 + (-25 * 100) / 192 = 100 - 13 (truncated)
    EXPECT_EQ(shiftBlueProportional(0x640A14, -25), 0x570000u);
    EXPECT_EQ(shiftBlueProportional(0xFF0000, 100), 0xFF6464u);
}

TEST(ChameleonColors, Tint) {
    EXPECT_EQ(tint(0x800000, 176), 0xD7B0B0u); // blue 176 + 79 * 128 / 255 = 215
    EXPECT_EQ(tint(0, 0), 0u);
    EXPECT_EQ(tint(0xFFFFFF, 100), 0xFFFFFFu);
    EXPECT_EQ(tint(0x000000, 300), 0xFFFFFFu); // clamped
}

TEST(ChameleonColors, SystemReferencesGoThroughThePalette) {
    QPalette pal;
    pal.setColor(QPalette::Button, QColor(1, 2, 3));
    pal.setColor(QPalette::ButtonText, QColor(10, 20, 30));
    pal.setColor(QPalette::Shadow, QColor(4, 5, 6));
    EXPECT_EQ(translate(systemColor(ButtonFace), pal), 0x030201u);
    EXPECT_EQ(translate(systemColor(ButtonText), pal), 0x1E140Au);
    EXPECT_EQ(translate(systemColor(DarkShadow3D), pal), 0x060504u);
    EXPECT_EQ(translate(0x8000000Fu, pal), 0x030201u);
    EXPECT_EQ(translate(0x800000FFu, pal), 0u); // unknown system colour
    EXPECT_EQ(translate(0x01C8D0D4u, pal), 0xC8D0D4u);
    EXPECT_EQ(toQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(fromQColor(QColor(0, 0, 255)), 0xFF0000u);
}

namespace {
chameleonPalette::Inputs scheme2(uint32_t face) {
    chameleonPalette::Inputs in;
    in.scheme = 2;
    in.look = 14;
    in.backColor = face;
    in.backOver = 0x00FF00;
    in.foreColor = 0x000080;
    in.foreOver = 0x0000FF;
    in.maskColor = 0xC0C0C0;
    return in;
}
} // namespace

TEST(ChameleonPalette, SchemeTwoDerivesFromBackColor) {
    const auto p = chameleonPalette::compute(scheme2(0xC8D0D4));
    EXPECT_EQ(p.face, 0xC8D0D4u);
    EXPECT_EQ(p.faceOver, 0x00FF00u);
    EXPECT_EQ(p.text, 0x000080u);
    EXPECT_EQ(p.textOver, 0x0000FFu);
    EXPECT_EQ(p.light, 0xE7EFF3u);      // +31
    EXPECT_EQ(p.highlight, 0xF7FFFFu);  // +47, red clamped
    EXPECT_EQ(p.shadow, 0x889094u);     // -64
    EXPECT_EQ(p.darkShadow, 0x081014u); // -192
    EXPECT_EQ(p.selection, 0x485054u);  // -128
    EXPECT_EQ(p.selectionTint, p.face);
    EXPECT_EQ(p.softFace, 0xF8FFFFu); // +48
    EXPECT_EQ(p.mask, 0xC0C0C0u);
}

TEST(ChameleonPalette, SoftBevelHalvesEveryShade) {
    auto in = scheme2(0x808080);
    in.softBevel = true;
    const auto p = chameleonPalette::compute(in);
    EXPECT_EQ(p.light, 0x8F8F8Fu);      // +15
    EXPECT_EQ(p.highlight, 0x979797u);  // +23
    EXPECT_EQ(p.shadow, 0x606060u);     // -32
    EXPECT_EQ(p.darkShadow, 0x202020u); // -96
    EXPECT_EQ(p.softFace, 0x989898u);   // +24
}

TEST(ChameleonPalette, FixedGreySchemeAndLookThreeSoftFace) {
    chameleonPalette::Inputs in;
    in.scheme = 3;
    in.look = 3;
    const auto p = chameleonPalette::compute(in);
    EXPECT_EQ(p.face, 0xC0C0C0u);
    EXPECT_EQ(p.light, 0xDFDFDFu);
    EXPECT_EQ(p.highlight, 0xFFFFFFu);
    EXPECT_EQ(p.shadow, 0x808080u);
    EXPECT_EQ(p.darkShadow, 0u);
    EXPECT_EQ(p.selection, 0x800000u);
    EXPECT_EQ(p.selectionTint, 0xD1ADADu);
    // blue 192 + 48 * 192 / 192 = 240, red and green + 48
    EXPECT_EQ(p.softFace, 0xF0F0F0u);
}

TEST(ChameleonPalette, SystemAndSurfaceSchemes) {
    chameleonPalette::Inputs in;
    in.own.setColor(QPalette::Button, QColor(0xD4, 0xD0, 0xC8));
    in.own.setColor(QPalette::ButtonText, QColor(1, 1, 1));
    in.own.setColor(QPalette::Midlight, QColor(0xEE, 0xEE, 0xEE));
    in.own.setColor(QPalette::Highlight, QColor(0, 0, 0x80));
    in.surface.setColor(QPalette::Window, QColor(0x10, 0x20, 0x30));
    in.surface.setColor(QPalette::WindowText, QColor(0xAA, 0xBB, 0xCC));
    in.hasSurface = true;
    for (int scheme : {0, 1}) {
        in.scheme = scheme;
        const auto p = chameleonPalette::compute(in);
        EXPECT_EQ(p.face, 0xC8D0D4u);
        EXPECT_EQ(p.text, 0x010101u);
        EXPECT_EQ(p.light, 0xEEEEEEu);
        EXPECT_EQ(p.selection, 0x800000u);
        EXPECT_EQ(p.selectionTint, 0xD7B0B0u);
    }
    in.scheme = 4;
    const auto p = chameleonPalette::compute(in);
    EXPECT_EQ(p.face, 0x302010u);
    EXPECT_EQ(p.text, 0xCCBBAAu);
    EXPECT_EQ(p.light, 0x4F3F2Fu);
    EXPECT_EQ(p.selection, 0x800000u);
}

TEST(ChameleonAccessKey, CaptionRules) {
    EXPECT_EQ(chameleonButton::accessKeyFor("&Change"), "c");
    EXPECT_EQ(chameleonButton::accessKeyFor("Get &All"), "a");
    EXPECT_EQ(chameleonButton::accessKeyFor("Find"), "");
    EXPECT_EQ(chameleonButton::accessKeyFor("Fish && Chips"), "");
    EXPECT_EQ(chameleonButton::accessKeyFor("A&&B&&C"), "");
    EXPECT_EQ(chameleonButton::accessKeyFor("Save && &Quit"), "q");
    EXPECT_EQ(chameleonButton::accessKeyFor("&&&X"), "x");
    EXPECT_EQ(chameleonButton::accessKeyFor("Done&"), "");
    EXPECT_EQ(chameleonButton::accessKeyFor("a&&b&"), "");
    EXPECT_EQ(chameleonButton::accessKeyFor("&"), "");
    EXPECT_EQ(chameleonButton::accessKeyFor(""), "");
    EXPECT_EQ(chameleonButton::accessKeyFor("Go &9"), "9");
}
