#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

// Colour values of the button control: 0x00BBGGRR (red in the low byte). A value with the
// top bit set is a system-colour reference whose low byte names the system colour.
namespace chameleonColors {

constexpr uint32_t SystemFlag = 0x80000000u;

// System colour numbers understood in references.
enum SystemColor : int {
    ScrollBar = 0,
    Desktop = 1,
    ActiveCaption = 2,
    InactiveCaption = 3,
    Menu = 4,
    Window = 5,
    WindowFrame = 6,
    MenuText = 7,
    WindowText = 8,
    CaptionText = 9,
    ActiveBorder = 10,
    InactiveBorder = 11,
    AppWorkspace = 12,
    Highlight = 13,
    HighlightText = 14,
    ButtonFace = 15,
    ButtonShadow = 16,
    GrayText = 17,
    ButtonText = 18,
    InactiveCaptionText = 19,
    ButtonHighlight = 20,
    DarkShadow3D = 21,
    Light3D = 22,
    InfoText = 23,
    InfoBackground = 24,
};

constexpr uint32_t systemColor(int index) {
    return SystemFlag | static_cast<uint32_t>(index);
}
constexpr bool isSystemColor(uint32_t value) {
    return (value & SystemFlag) != 0;
}

// A plain colour for the value: references are looked up in the palette (unknown numbers
// give black); plain values lose anything above the low 24 bits.
uint32_t translate(uint32_t value, const QPalette& palette);

QColor toQColor(uint32_t bgr);
uint32_t fromQColor(const QColor& color);

// Adds n to red, green and blue, clamped to 0..255; with soft, n is halved first.
uint32_t shift(uint32_t bgr, int n, bool soft = false);
// As shift, but blue gets n * blue / 192.
uint32_t shiftBlueProportional(uint32_t bgr, int n, bool soft = false);
// Each channel becomes t + (255 - t) * channel / 255, clamped at 255.
uint32_t tint(uint32_t bgr, int t);

} // namespace chameleonColors
