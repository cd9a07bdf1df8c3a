// Drawing of the button's looks into its surface.
#include "widgets/chameleonButton.h"

#include "widgets/chameleonColors.h"
#include "widgets/chameleonDraw.h"

#include <QPainter>

using namespace chameleonColors;
using namespace chameleonDraw;

void chameleonButton::drawCaptionAt(QPainter& p, int dx, int dy, uint32_t color,
                                    const QFont& f) const {
    if (m_caption.isEmpty())
        return;
    p.setFont(f);
    p.setPen(toQColor(color));
    // Centred in the whole caption area, so a bold copy (default button) is not clipped to
    // the rectangle measured for the regular font.
    p.drawText(m_captionArea.translated(dx, dy),
               Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, m_caption);
}

void chameleonButton::drawEffects(QPainter& p, const chameleonPalette& pal, int dx, int dy,
                                  bool pressed, const QFont& f) const {
    if (m_specialEffect <= 0)
        return;
    const int look = m_buttonType;
    uint32_t base = (look == 3 || look == 4 || look == 14) ? pal.softFace : pal.face;
    if (look == 9 && m_hover && !pressed && m_colorScheme != 2)
        base = pal.selectionTint;
    const bool soft = m_softBevel;
    if (m_specialEffect == 1) {
        drawCaptionAt(p, dx + 1, dy + 1, shift(base, -40, soft), f);
        drawCaptionAt(p, dx - 1, dy - 1, shift(base, 40, soft), f);
    } else if (m_specialEffect == 2) {
        drawCaptionAt(p, dx + 1, dy + 1, shift(base, 40, soft), f);
        drawCaptionAt(p, dx - 1, dy - 1, shift(base, -40, soft), f);
    } else {
        drawCaptionAt(p, dx + 1, dy + 1, shift(base, -40, soft), f);
    }
}

void chameleonButton::drawPicture(QPainter& p, bool pressed, bool disabled) const {
    const bool over = m_hover && !m_drawOver.isNull();
    const QPixmap& pic = disabled && m_useGreyscale ? (over ? m_greyOver : m_greyNormal)
                                                    : (over ? m_drawOver : m_drawNormal);
    if (pic.isNull())
        return;
    QRect r = pictureArea();
    if (pressed)
        r.translate(1, 1);
    p.drawPixmap(r.topLeft(), pic);
}

void chameleonButton::paintButton(QPainter& p, int state) const {
    const int w = width();
    const int h = height();
    const bool soft = m_softBevel;
    const bool hoverScheme2 = m_hover && m_colorScheme == 2;
    const chameleonPalette& pal = hoverScheme2 ? m_paletteOver : m_palette;
    const int look = m_buttonType;
    const bool disabled = !isEnabled();
    const bool pressed = !disabled && state == StatePressed;
    const uint32_t text = m_hover ? pal.textOver : pal.text;
    const QFont& f = font();

    fill(p, 0, 0, w, h, pal.face);
    if (look < 1 || look > 14)
        return;
    if (look == 11 && !m_background.isNull())
        p.drawPixmap(0, 0, m_background);

    bool focusWanted = look != 3 && !disabled;
    auto captionUp = [&](uint32_t color, const QFont& font) {
        drawEffects(p, pal, 0, 0, false, font);
        drawCaptionAt(p, 0, 0, color, font);
    };
    auto captionPressed = [&](uint32_t color) {
        drawEffects(p, pal, 1, 1, true, f);
        drawCaptionAt(p, 1, 1, color, f);
    };
    auto captionEngraved = [&]() {
        drawCaptionAt(p, 1, 1, pal.highlight, f);
        drawCaptionAt(p, 0, 0, pal.shadow, f);
    };

    switch (look) {
    case 14: {
        auto upFace = [&](bool hovered) {
            if (hovered)
                fill(p, 0, 0, w, h, pal.light);
            else
                gradient(p, w, h, pal.highlight, 58, false, soft);
            frame(p, 0, 0, w, h, shift(pal.shadow, -50, soft));
            frame(p, 1, 1, w - 2, h - 2, shift(pal.face, -9, soft));
            fill(p, 2, 2, w - 4, 2, pal.highlight);
            fill(p, 2, 4, 2, h - 6, pal.highlight);
        };
        if (disabled) {
            upFace(false);
            drawPicture(p, false, true);
            drawCaptionAt(p, 1, 1, pal.highlight, f);
            drawCaptionAt(p, 0, 0, pal.face, f);
        } else if (pressed) {
            fill(p, 1, 1, w, h, shift(pal.face, -9, soft));
            frame(p, 0, 0, w, h, shift(pal.shadow, -48, soft));
            hline(p, 2, w - 2, h - 2, pal.highlight);
            vline(p, w - 2, 2, h - 1, pal.highlight);
            drawPicture(p, true, false);
            drawEffects(p, pal, 0, 0, true, f);
            drawCaptionAt(p, 1, 1, shift(pal.shadow, -50, soft), f);
            drawCaptionAt(p, 0, 0, pal.highlight, f);
        } else {
            upFace(m_hover);
            drawPicture(p, false, false);
            if (m_displayAsDefault) {
                QFont bold = f;
                bold.setBold(true);
                captionUp(text, bold);
            } else {
                captionUp(text, f);
            }
        }
        break;
    }
    case 3:
        paintLook3(p, pal, state, disabled);
        break;
    case 1:
        frame(p, 0, 0, w, h, pal.darkShadow);
        if (pressed) {
            bevel(p, 1, 1, w - 2, h - 2, pal.shadow, pal.highlight);
            bevel(p, 2, 2, w - 4, h - 4, pal.shadow, pal.highlight);
        } else {
            bevel(p, 1, 1, w - 2, h - 2, pal.highlight, pal.shadow);
            bevel(p, 2, 2, w - 4, h - 4, pal.highlight, pal.shadow);
        }
        break;
    case 2:
    case 12:
        if (pressed) {
            bevel(p, 0, 0, w, h, pal.darkShadow, pal.highlight);
            bevel(p, 1, 1, w - 2, h - 2, pal.shadow, pal.light);
        } else if (look == 12 || disabled) {
            bevel(p, 0, 0, w, h, pal.highlight, pal.darkShadow);
            bevel(p, 1, 1, w - 2, h - 2, pal.light, pal.shadow);
        } else if (m_displayAsDefault && m_showFocusRect) {
            frame(p, 0, 0, w, h, pal.darkShadow);
            bevel(p, 1, 1, w - 2, h - 2, pal.highlight, pal.darkShadow);
            bevel(p, 2, 2, w - 4, h - 4, pal.light, pal.shadow);
        } else {
            bevel(p, 0, 0, w, h, pal.highlight, pal.darkShadow);
            bevel(p, 1, 1, w - 2, h - 2, pal.light, pal.shadow);
        }
        break;
    case 4: {
        const uint32_t outer = shift(pal.face, -64, soft);
        frame(p, 0, 0, w, h, outer);
        if (pressed) {
            bevel(p, 1, 1, w - 2, h - 2, shift(pal.face, -32, soft), shift(pal.face, 48, soft));
            bevel(p, 2, 2, w - 4, h - 4, shift(pal.face, -16, soft), pal.face);
        } else {
            bevel(p, 1, 1, w - 2, h - 2, shift(pal.face, 48, soft), shift(pal.face, -32, soft));
            bevel(p, 2, 2, w - 4, h - 4, pal.face, shift(pal.face, -16, soft));
        }
        corners(p, w, h, 1, outer);
        break;
    }
    case 5:
        if (pressed) {
            frame(p, 0, 0, w, h, shift(pal.face, -26, soft));
            frame(p, 1, 1, w - 2, h - 2, shift(pal.face, 16, soft));
            frame(p, m_captionRect.left() - 3, m_captionRect.top() - 2, m_captionRect.width() + 6,
                  m_captionRect.height() + 4, 0xCC9999);
        } else {
            bevel(p, 0, 0, w, h, pal.highlight, pal.shadow);
        }
        break;
    case 6:
        if (pressed)
            bevel(p, 0, 0, w, h, shift(pal.shadow, 8, soft), shift(pal.highlight, 8, soft));
        else
            bevel(p, 0, 0, w, h, shift(pal.highlight, 8, soft), shift(pal.shadow, 8, soft));
        break;
    case 7:
        if (pressed)
            bevel(p, 0, 0, w, h, pal.shadow, pal.highlight);
        else if (disabled || m_hover)
            bevel(p, 0, 0, w, h, pal.highlight, pal.shadow);
        break;
    case 9:
        if (pressed && m_hover) {
            fill(p, 1, 1, w - 2, h - 2, shift(pal.face, -32, soft));
            frame(p, 0, 0, w, h, pal.selection);
        } else if (pressed) {
            bevel(p, 0, 0, w, h, pal.shadow, pal.highlight);
        } else if (m_hover && !disabled) {
            fill(p, 1, 1, w - 2, h - 2, m_colorScheme == 2 ? pal.face : pal.selectionTint);
            frame(p, 0, 0, w, h, pal.selection);
        }
        break;
    case 13:
        if (pressed) {
            p.setRenderHint(QPainter::Antialiasing, false);
            p.setPen(toQColor(pal.darkShadow));
            p.setBrush(toQColor(shift(pal.face, -32, soft)));
            p.drawEllipse(QRect(0, 0, w - 1, h - 1));
        } else {
            p.setPen(toQColor(pal.shadow));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRect(0, 0, w - 1, h - 1));
        }
        break;
    case 10:
    case 11:
        break;
    default: // look 8
        if (pressed)
            bevel(p, 0, 0, w, h, pal.shadow, pal.highlight);
        else
            bevel(p, 0, 0, w, h, pal.highlight, pal.shadow);
        break;
    }

    if (look != 14 && look != 3) {
        drawPicture(p, pressed, disabled);
        if (disabled)
            captionEngraved();
        else if (pressed)
            captionPressed(look == 4 ? pal.light : text);
        else
            captionUp(text, f);
    }

    if (focusWanted && m_focus && m_showFocusRect && hasFocus())
        dottedFrame(p, m_focusRect, text);
}

void chameleonButton::paintLook3(QPainter& p, const chameleonPalette& pal, int state,
                                 bool disabled) const {
    const int w = width();
    const int h = height();
    const bool soft = m_softBevel;
    const QFont& f = font();
    const uint32_t sf = pal.softFace;
    auto outline = [&](uint32_t frameColor, uint32_t cornerColor) {
        frame(p, 0, 0, w, h, frameColor);
        corners(p, w, h, 1, cornerColor);
    };
    if (disabled) {
        fill(p, 1, 1, w - 2, h - 2, shift(pal.face, -24, soft));
        outline(shift(pal.face, -72, soft), shift(pal.face, -84, soft));
        drawPicture(p, false, true);
        drawCaptionAt(p, 1, 1, pal.highlight, f);
        drawCaptionAt(p, 0, 0, pal.shadow, f);
        return;
    }
    if (state == StatePressed) {
        fill(p, 1, 1, w - 2, h - 2, shift(pal.face, 5, soft));
        hline(p, 1, w - 1, 1, shift(pal.face, -32, soft));
        hline(p, 1, w - 1, 2, shift(pal.face, -24, soft));
        vline(p, 1, 2, h - 1, shift(pal.face, -22, soft));
        hline(p, 2, w - 1, h - 2, shift(pal.face, 16, soft));
        vline(p, w - 2, 2, h - 2, shift(pal.face, 10, soft));
        outline(0x733C00, 0x7B4D10);
        drawPicture(p, true, false);
        drawEffects(p, pal, 1, 1, true, f);
        drawCaptionAt(p, 1, 1, m_hover ? pal.textOver : pal.text, f);
        return;
    }
    gradient(p, w, h, sf, 25, true, soft);
    drawPicture(p, false, false);
    drawEffects(p, pal, 0, 0, false, f);
    drawCaptionAt(p, 0, 0, m_hover ? pal.textOver : pal.text, f);
    outline(0x733C00, 0x7B4D10);
    auto edge = [&](uint32_t frameC, uint32_t bottom, uint32_t top1, uint32_t top2,
                    uint32_t sides) {
        frame(p, 1, 2, w - 2, h - 4, frameC);
        hline(p, 2, w - 2, h - 2, bottom);
        hline(p, 2, w - 2, 1, top1);
        hline(p, 2, w - 2, 2, top2);
        vline(p, 2, 3, h - 3, sides);
        vline(p, w - 3, 3, h - 3, sides);
    };
    if (m_hover) {
        edge(0x31B2FF, 0x0096E7, 0xCEF3FF, 0x8CDBFF, 0x6BCBFF);
    } else if ((m_focus || m_displayAsDefault) && m_showFocusRect) {
        edge(0xE7AE8C, 0xEF826B, 0xFFE7CE, 0xF7D7BD, 0xF0D1B5);
    } else {
        hline(p, 2, w - 2, h - 2, shift(sf, -48, soft));
        hline(p, 2, w - 2, h - 3, shift(sf, -32, soft));
        vline(p, w - 2, 2, h - 2, shift(sf, -36, soft));
        vline(p, w - 3, 2, h - 3, shift(sf, -24, soft));
        hline(p, 2, w - 2, 1, shift(sf, 16, soft));
        hline(p, 2, w - 2, 2, shift(sf, 10, soft));
        vline(p, 1, 2, h - 2, shift(sf, -5, soft));
        vline(p, 2, 3, h - 3, shift(sf, -10, soft));
    }
}
