#include "widgets/chameleonColors.h"

#include <algorithm>

namespace chameleonColors {

namespace {

int red(uint32_t c) {
    return static_cast<int>(c & 0xFF);
}
int green(uint32_t c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
int blue(uint32_t c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
int clamp255(int v) {
    return std::clamp(v, 0, 255);
}
uint32_t make(int r, int g, int b) {
    return static_cast<uint32_t>(clamp255(r)) | (static_cast<uint32_t>(clamp255(g)) << 8) |
           (static_cast<uint32_t>(clamp255(b)) << 16);
}

QColor systemLookup(int index, const QPalette& p) {
    switch (index) {
    case ScrollBar:
        return p.color(QPalette::Window);
    case Desktop:
    case AppWorkspace:
        return p.color(QPalette::Dark);
    case ActiveCaption:
    case Highlight:
        return p.color(QPalette::Highlight);
    case InactiveCaption:
        return p.color(QPalette::Inactive, QPalette::Highlight);
    case Menu:
    case ActiveBorder:
    case InactiveBorder:
        return p.color(QPalette::Window);
    case Window:
        return p.color(QPalette::Base);
    case WindowFrame:
        return p.color(QPalette::Shadow);
    case MenuText:
        return p.color(QPalette::WindowText);
    case WindowText:
        return p.color(QPalette::Text);
    case CaptionText:
    case HighlightText:
        return p.color(QPalette::HighlightedText);
    case ButtonFace:
        return p.color(QPalette::Button);
    case ButtonShadow:
        return p.color(QPalette::Dark);
    case GrayText:
        return p.color(QPalette::Disabled, QPalette::Text);
    case ButtonText:
        return p.color(QPalette::ButtonText);
    case InactiveCaptionText:
        return p.color(QPalette::Inactive, QPalette::HighlightedText);
    case ButtonHighlight:
        return p.color(QPalette::Light);
    case DarkShadow3D:
        return p.color(QPalette::Shadow);
    case Light3D:
        return p.color(QPalette::Midlight);
    case InfoText:
        return p.color(QPalette::ToolTipText);
    case InfoBackground:
        return p.color(QPalette::ToolTipBase);
    default:
        return QColor(0, 0, 0);
    }
}

} // namespace

uint32_t translate(uint32_t value, const QPalette& palette) {
    if (isSystemColor(value))
        return fromQColor(systemLookup(static_cast<int>(value & 0xFF), palette));
    return value & 0x00FFFFFFu;
}

QColor toQColor(uint32_t bgr) {
    return QColor(red(bgr), green(bgr), blue(bgr));
}

uint32_t fromQColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return make(rgb.red(), rgb.green(), rgb.blue());
}

uint32_t shift(uint32_t bgr, int n, bool soft) {
    if (soft)
        n /= 2;
    return make(red(bgr) + n, green(bgr) + n, blue(bgr) + n);
}

uint32_t shiftBlueProportional(uint32_t bgr, int n, bool soft) {
    if (soft)
        n /= 2;
    const int b = blue(bgr);
    return make(red(bgr) + n, green(bgr) + n, b + n * b / 192);
}

uint32_t tint(uint32_t bgr, int t) {
    auto ch = [t](int c) {
        return t + (255 - t) * c / 255;
    };
    return make(ch(red(bgr)), ch(green(bgr)), ch(blue(bgr)));
}

} // namespace chameleonColors
