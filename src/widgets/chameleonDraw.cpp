#include "widgets/chameleonDraw.h"

#include "widgets/chameleonColors.h"

#include <QImage>
#include <QPainter>
#include <cmath>

using namespace chameleonColors;

namespace chameleonDraw {

void fill(QPainter& p, int x, int y, int w, int h, uint32_t c) {
    if (w > 0 && h > 0)
        p.fillRect(QRect(x, y, w, h), toQColor(c));
}
void hline(QPainter& p, int x1, int x2, int y, uint32_t c) {
    fill(p, x1, y, x2 - x1, 1, c);
}
void vline(QPainter& p, int x, int y1, int y2, uint32_t c) {
    fill(p, x, y1, 1, y2 - y1, c);
}
void frame(QPainter& p, int x, int y, int w, int h, uint32_t c) {
    if (w <= 0 || h <= 0)
        return;
    hline(p, x, x + w, y, c);
    hline(p, x, x + w, y + h - 1, c);
    vline(p, x, y, y + h, c);
    vline(p, x + w - 1, y, y + h, c);
}
void bevel(QPainter& p, int x, int y, int w, int h, uint32_t topLeft, uint32_t bottomRight) {
    if (w <= 0 || h <= 0)
        return;
    hline(p, x, x + w - 1, y, topLeft);
    vline(p, x, y, y + h - 1, topLeft);
    hline(p, x, x + w, y + h - 1, bottomRight);
    vline(p, x + w - 1, y, y + h, bottomRight);
}
void corners(QPainter& p, int w, int h, int inset, uint32_t c) {
    fill(p, inset, inset, 1, 1, c);
    fill(p, w - 1 - inset, inset, 1, 1, c);
    fill(p, inset, h - 1 - inset, 1, 1, c);
    fill(p, w - 1 - inset, h - 1 - inset, 1, 1, c);
}

int roundEven(float v) {
    const float down = std::floor(v);
    const float frac = v - down;
    const int n = static_cast<int>(down);
    if (frac > 0.5f)
        return n + 1;
    if (frac < 0.5f)
        return n;
    return (n % 2 == 0) ? n : n + 1;
}

void gradient(QPainter& p, int w, int h, uint32_t top, int depth, bool blueProportional,
              bool soft) {
    const float step = static_cast<float>(depth) / static_cast<float>(h);
    for (int y = 1; y <= h; ++y) {
        const int n = -roundEven(step * static_cast<float>(y));
        hline(p, 0, w, y,
              blueProportional ? shiftBlueProportional(top, n, soft) : shift(top, n, soft));
    }
}

void dottedFrame(QPainter& p, const QRect& r, uint32_t c) {
    if (r.width() <= 0 || r.height() <= 0)
        return;
    const QColor col = toQColor(c);
    // Every other pixel along the border, as a focus rectangle is drawn.
    int i = 0;
    auto dot = [&](int x, int y) {
        if ((i++ & 1) == 0)
            p.fillRect(QRect(x, y, 1, 1), col);
    };
    for (int x = r.left(); x <= r.right(); ++x)
        dot(x, r.top());
    for (int y = r.top() + 1; y <= r.bottom(); ++y)
        dot(r.right(), y);
    for (int x = r.right() - 1; x >= r.left(); --x)
        dot(x, r.bottom());
    for (int y = r.bottom() - 1; y > r.top(); --y)
        dot(r.left(), y);
}

QPixmap maskedPicture(const QPixmap& pic, bool useMask, uint32_t mask) {
    if (pic.isNull() || !useMask)
        return pic;
    QImage img = pic.toImage().convertToFormat(QImage::Format_ARGB32);
    const QRgb key = toQColor(mask).rgb() & 0x00FFFFFF;
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] & 0x00FFFFFF) == key)
                line[x] = 0;
    }
    return QPixmap::fromImage(img);
}

QPixmap greyPicture(const QPixmap& pic) {
    if (pic.isNull())
        return pic;
    QImage img = pic.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int g = qGray(line[x]);
            line[x] = qRgba(g, g, g, qAlpha(line[x]));
        }
    }
    return QPixmap::fromImage(img);
}

QPixmap handPicture() {
    static const char* rows[] = {
        "     ##         ", "    #..#        ", "    #..#        ", "    #..#        ",
        "    #..###      ", "    #..#..###   ", "    #..#..#..## ", " ## #..#..#..#.#",
        "#..##........#.#", "#...#..........#", " #.............#", "  #............#",
        "  #...........# ", "   #..........# ", "    #........#  ", "    ##########  ",
    };
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            if (rows[y][x] == '#')
                img.setPixel(x, y, qRgba(0, 0, 0, 255));
            else if (rows[y][x] == '.')
                img.setPixel(x, y, qRgba(255, 255, 255, 255));
        }
    return QPixmap::fromImage(img);
}

} // namespace chameleonDraw
