// The host's 256 built-in symbols, drawn in code. An id is family * 16 + variant:
// twelve families are one shape in sixteen colours, two carry the numbers 0 to 31,
// one is sixteen different pictograms, and the arrows point eight ways in two
// colours. Symbol 0 is the classic red pushpin.
#include "SymbolPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <array>
#include <cmath>
#include <numbers>

namespace mappoint {

namespace {

constexpr int size = 16;

// The sixteen colours of the colour families, in variant order.
const std::array<QColor, 16> palette = {
    QColor(224, 32, 32),   // red
    QColor(245, 130, 20),  // orange
    QColor(250, 215, 30),  // yellow
    QColor(150, 220, 40),  // lime
    QColor(20, 150, 50),   // green
    QColor(20, 160, 150),  // teal
    QColor(70, 200, 245),  // sky blue
    QColor(30, 80, 225),   // blue
    QColor(25, 35, 120),   // navy
    QColor(130, 50, 200),  // purple
    QColor(230, 50, 200),  // magenta
    QColor(250, 165, 195), // pink
    QColor(140, 85, 40),   // brown
    QColor(25, 25, 25),    // black
    QColor(150, 150, 150), // grey
    QColor(255, 255, 255), // white
};

enum Family {
    Pushpin,
    Circle,
    Square,
    Triangle,
    Diamond,
    Star,
    Flag,
    House,
    Cross,
    Arrow,
    Marker,
    Target,
    NumberLow,
    NumberHigh,
    Pictogram,
    Heart,
};

QColor outlineOf(const QColor& fill) {
    if (fill.lightness() < 50)
        return QColor(110, 110, 110);
    return fill.darker(230);
}

// White on white would not show: pale fills get dark inner marks instead.
bool isPale(const QColor& colour) {
    return colour.lightness() > 220;
}

void fillShape(QPainter& p, const QPainterPath& path, const QColor& fill, qreal pen = 1.0) {
    p.setPen(QPen(outlineOf(fill), pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

QPainterPath polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QVector<QPointF>(points)));
    path.closeSubpath();
    return path;
}

QPainterPath ellipse(QPointF centre, qreal rx, qreal ry) {
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
    return path;
}

QPainterPath starPath(QPointF centre, qreal outer, qreal inner, int points) {
    QPolygonF polygon;
    for (int i = 0; i < 2 * points; ++i) {
        const qreal angle = -std::numbers::pi / 2 + i * std::numbers::pi / points;
        const qreal r = i % 2 == 0 ? outer : inner;
        polygon << QPointF(centre.x() + r * std::cos(angle), centre.y() + r * std::sin(angle));
    }
    QPainterPath path;
    path.addPolygon(polygon);
    path.closeSubpath();
    return path;
}

// A 3 x 5 pixel font for the digits and the few characters the pictograms use.
// Each row is three bits, left pixel in the highest bit.
std::array<unsigned char, 5> glyph(char c) {
    switch (c) {
    case '0':
        return {7, 5, 5, 5, 7};
    case '1':
        return {2, 6, 2, 2, 7};
    case '2':
        return {7, 1, 7, 4, 7};
    case '3':
        return {7, 1, 3, 1, 7};
    case '4':
        return {5, 5, 7, 1, 1};
    case '5':
        return {7, 4, 7, 1, 7};
    case '6':
        return {7, 4, 7, 5, 7};
    case '7':
        return {7, 1, 1, 2, 2};
    case '8':
        return {7, 5, 7, 5, 7};
    case '9':
        return {7, 5, 7, 1, 7};
    case '!':
        return {2, 2, 2, 0, 2};
    case '?':
        return {7, 1, 3, 0, 2};
    case 'i':
        return {2, 0, 2, 2, 2};
    case 'H':
        return {5, 5, 7, 5, 5};
    default:
        return {0, 0, 0, 0, 0};
    }
}

// Draws text in the pixel font, each font pixel scale x scale, centred on centre.
void drawText(QPainter& p, const QString& text, QPointF centre, int scale, const QColor& colour) {
    const int gap = scale == 1 ? 1 : 2;
    const int width = static_cast<int>(text.size()) * (3 * scale + gap) - gap;
    const int left = static_cast<int>(std::floor(centre.x() - width / 2.0 + 0.5));
    const int top = static_cast<int>(std::floor(centre.y() - 5 * scale / 2.0 + 0.5));
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto rows = glyph(text.at(i).toLatin1());
        const int x0 = left + static_cast<int>(i) * (3 * scale + gap);
        for (int row = 0; row < 5; ++row) {
            for (int col = 0; col < 3; ++col) {
                if (rows[row] & (4 >> col))
                    p.drawRect(x0 + col * scale, top + row * scale, scale, scale);
            }
        }
    }
    p.restore();
}

void drawPushpin(QPainter& p, const QColor& colour) {
    // The needle, from under the head down to the lower left.
    p.setPen(QPen(QColor(90, 90, 90), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8.5, 8.0), QPointF(1.8, 14.7));
    // The collar between needle and head.
    fillShape(p, ellipse(QPointF(8.6, 7.8), 2.8, 1.6), colour.darker(140));
    // The ball head with its highlight.
    fillShape(p, ellipse(QPointF(10.3, 5.5), 5.0, 5.0), colour);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 210));
    p.drawEllipse(QPointF(8.7, 3.8), 1.6, 1.3);
}

void drawFlag(QPainter& p, const QColor& colour) {
    QPainterPath cloth;
    cloth.moveTo(4.0, 1.5);
    cloth.cubicTo(7.0, 0.0, 10.0, 3.0, 14.5, 1.5);
    cloth.lineTo(14.5, 8.5);
    cloth.cubicTo(10.0, 10.0, 7.0, 7.0, 4.0, 8.5);
    cloth.closeSubpath();
    fillShape(p, cloth, colour);
    p.setPen(QPen(QColor(60, 40, 25), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3.0, 1.0), QPointF(3.0, 15.0));
}

void drawHouse(QPainter& p, const QColor& colour) {
    const QPainterPath house = polygon(
        {{8.0, 1.0}, {15.0, 7.5}, {13.0, 7.5}, {13.0, 14.5}, {3.0, 14.5}, {3.0, 7.5}, {1.0, 7.5}});
    fillShape(p, house, colour);
    p.setPen(Qt::NoPen);
    p.setBrush(outlineOf(colour));
    p.drawRect(QRectF(6.5, 10.0, 3.0, 4.5));
}

void drawArrow(QPainter& p, int variant) {
    // Eight directions clockwise from north; red for the first eight, blue after.
    const QColor colour = variant < 8 ? palette[0] : palette[7];
    QTransform turn;
    turn.translate(8, 8);
    turn.rotate(45.0 * (variant % 8));
    turn.translate(-8, -8);
    const QPainterPath arrow = polygon(
        {{8.0, 1.0}, {14.0, 7.5}, {10.0, 7.5}, {10.0, 15.0}, {6.0, 15.0}, {6.0, 7.5}, {2.0, 7.5}});
    fillShape(p, turn.map(arrow), colour);
}

void drawMarker(QPainter& p, const QColor& colour) {
    QPainterPath marker;
    marker.moveTo(8.0, 15.5);
    marker.cubicTo(6.0, 11.5, 2.5, 9.5, 2.5, 6.0);
    marker.arcTo(QRectF(2.5, 0.5, 11.0, 11.0), 180.0, -180.0);
    marker.cubicTo(13.5, 9.5, 10.0, 11.5, 8.0, 15.5);
    marker.closeSubpath();
    fillShape(p, marker, colour);
    p.setPen(QPen(outlineOf(colour), 0.8));
    p.setBrush(isPale(colour) ? QColor(40, 40, 40) : QColor(Qt::white));
    p.drawEllipse(QPointF(8.0, 6.0), 2.2, 2.2);
}

void drawTarget(QPainter& p, const QColor& colour) {
    const QColor ring = isPale(colour) ? QColor(60, 60, 60) : QColor(Qt::white);
    fillShape(p, ellipse(QPointF(8, 8), 7.2, 7.2), colour);
    p.setPen(Qt::NoPen);
    p.setBrush(ring);
    p.drawEllipse(QPointF(8, 8), 5.0, 5.0);
    p.setBrush(colour);
    p.drawEllipse(QPointF(8, 8), 3.0, 3.0);
    p.setBrush(ring);
    p.drawEllipse(QPointF(8, 8), 1.0, 1.0);
}

void drawNumber(QPainter& p, int number, const QColor& colour) {
    QPainterPath badge;
    badge.addRoundedRect(QRectF(0.5, 0.5, 15.0, 15.0), 4.0, 4.0);
    fillShape(p, badge, colour);
    drawText(p, QString::number(number), QPointF(8, 8), 2, Qt::white);
}

QPainterPath heartPath() {
    QPainterPath heart;
    heart.moveTo(8.0, 14.8);
    heart.cubicTo(2.0, 10.5, 0.5, 7.0, 1.0, 4.8);
    heart.cubicTo(1.5, 1.5, 6.0, 0.5, 8.0, 4.0);
    heart.cubicTo(10.0, 0.5, 14.5, 1.5, 15.0, 4.8);
    heart.cubicTo(15.5, 7.0, 14.0, 10.5, 8.0, 14.8);
    heart.closeSubpath();
    return heart;
}

void drawPictogram(QPainter& p, int variant) {
    const QColor black(25, 25, 25);
    switch (variant) {
    case 0: { // tick
        p.setPen(QPen(QColor(20, 150, 50), 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({{2.0, 8.5}, {6.0, 12.5}, {14.0, 3.0}}));
        break;
    }
    case 1: // cross mark
        p.setPen(QPen(QColor(224, 32, 32), 3.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3, 3), QPointF(13, 13));
        p.drawLine(QPointF(13, 3), QPointF(3, 13));
        break;
    case 2: // warning
        fillShape(p, polygon({{8.0, 0.8}, {15.3, 14.5}, {0.7, 14.5}}), QColor(250, 215, 30));
        drawText(p, QStringLiteral("!"), QPointF(8, 9.5), 2, black);
        break;
    case 3: // information
        fillShape(p, ellipse(QPointF(8, 8), 7.2, 7.2), QColor(30, 80, 225));
        drawText(p, QStringLiteral("i"), QPointF(8, 8), 2, Qt::white);
        break;
    case 4: // question
        fillShape(p, ellipse(QPointF(8, 8), 7.2, 7.2), QColor(130, 50, 200));
        drawText(p, QStringLiteral("?"), QPointF(8, 8), 2, Qt::white);
        break;
    case 5: { // smiling face
        fillShape(p, ellipse(QPointF(8, 8), 7.2, 7.2), QColor(250, 215, 30));
        p.setPen(Qt::NoPen);
        p.setBrush(black);
        p.drawEllipse(QPointF(5.5, 6.0), 1.1, 1.4);
        p.drawEllipse(QPointF(10.5, 6.0), 1.1, 1.4);
        p.setPen(QPen(black, 1.3, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(4.0, 5.0, 8.0, 7.0), 200 * 16, 140 * 16);
        break;
    }
    case 6: // lightning
        fillShape(p,
                  polygon({{9.5, 0.5},
                           {3.0, 9.0},
                           {7.5, 9.0},
                           {5.5, 15.5},
                           {13.0, 6.5},
                           {8.5, 6.5},
                           {11.0, 0.5}}),
                  QColor(245, 130, 20));
        break;
    case 7: { // sun
        p.setPen(QPen(QColor(245, 130, 20), 1.5, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 8; ++i) {
            const qreal a = i * std::numbers::pi / 4;
            p.drawLine(QPointF(8 + 5.2 * std::cos(a), 8 + 5.2 * std::sin(a)),
                       QPointF(8 + 7.3 * std::cos(a), 8 + 7.3 * std::sin(a)));
        }
        fillShape(p, ellipse(QPointF(8, 8), 3.8, 3.8), QColor(250, 215, 30));
        break;
    }
    case 8: // crescent moon
        fillShape(p,
                  ellipse(QPointF(8, 8), 7.0, 7.0).subtracted(ellipse(QPointF(11.5, 6), 6.0, 6.0)),
                  QColor(240, 220, 120));
        break;
    case 9: { // cloud
        QPainterPath cloud = ellipse(QPointF(5.0, 10.0), 4.0, 3.5);
        cloud = cloud.united(ellipse(QPointF(9.0, 7.0), 4.5, 4.5));
        cloud = cloud.united(ellipse(QPointF(12.0, 10.5), 3.5, 3.0));
        QPainterPath base;
        base.addRect(QRectF(5.0, 10.0, 7.0, 3.5));
        fillShape(p, cloud.united(base), QColor(200, 215, 235));
        break;
    }
    case 10: // tree
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 70, 30));
        p.drawRect(QRectF(6.5, 11.0, 3.0, 4.5));
        fillShape(p, polygon({{8.0, 0.5}, {14.0, 12.0}, {2.0, 12.0}}), QColor(20, 130, 50));
        break;
    case 11: { // car
        QPainterPath body;
        body.addRoundedRect(QRectF(0.8, 7.0, 14.4, 5.0), 1.5, 1.5);
        body = body.united(polygon({{4.0, 7.5}, {5.5, 3.5}, {11.0, 3.5}, {12.5, 7.5}}));
        fillShape(p, body, QColor(224, 32, 32));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(190, 230, 250));
        p.drawPolygon(QPolygonF({{5.5, 7.0}, {6.3, 4.5}, {10.3, 4.5}, {11.1, 7.0}}));
        p.setPen(QPen(QColor(200, 200, 200), 0.8));
        p.setBrush(black);
        p.drawEllipse(QPointF(4.5, 12.5), 2.0, 2.0);
        p.drawEllipse(QPointF(11.5, 12.5), 2.0, 2.0);
        break;
    }
    case 12: { // aeroplane, nose up
        QPainterPath plane;
        plane.addRoundedRect(QRectF(6.8, 0.8, 2.4, 14.0), 1.2, 1.2);
        plane = plane.united(
            polygon({{8.0, 4.5}, {15.2, 9.0}, {15.2, 10.3}, {8.0, 8.5}, {0.8, 10.3}, {0.8, 9.0}}));
        plane = plane.united(polygon(
            {{8.0, 11.5}, {11.5, 14.3}, {11.5, 15.3}, {8.0, 14.3}, {4.5, 15.3}, {4.5, 14.3}}));
        fillShape(p, plane, QColor(70, 110, 160), 0.8);
        break;
    }
    case 13: { // anchor
        const QColor navy(25, 35, 120);
        p.setPen(QPen(navy, 1.7, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(8, 2.8), 1.7, 1.7);
        p.drawLine(QPointF(8, 4.5), QPointF(8, 14.5));
        p.drawLine(QPointF(4.5, 6.8), QPointF(11.5, 6.8));
        p.drawArc(QRectF(2.0, 5.5, 12.0, 9.0), 190 * 16, 160 * 16);
        break;
    }
    case 14: { // bell
        QPainterPath bell;
        bell.moveTo(2.0, 12.5);
        bell.cubicTo(4.0, 10.5, 3.0, 2.5, 8.0, 2.5);
        bell.cubicTo(13.0, 2.5, 12.0, 10.5, 14.0, 12.5);
        bell.closeSubpath();
        fillShape(p, bell, QColor(230, 180, 20));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 85, 10));
        p.drawEllipse(QPointF(8, 14.0), 1.8, 1.5);
        p.drawEllipse(QPointF(8, 1.7), 1.2, 1.2);
        break;
    }
    default: { // hospital sign
        QPainterPath sign;
        sign.addRoundedRect(QRectF(0.5, 0.5, 15.0, 15.0), 3.0, 3.0);
        fillShape(p, sign, QColor(30, 80, 225));
        drawText(p, QStringLiteral("H"), QPointF(8, 8), 2, Qt::white);
        break;
    }
    }
}

void drawSymbol(QPainter& p, int family, int variant) {
    const QColor& colour = palette[static_cast<std::size_t>(variant)];
    switch (family) {
    case Pushpin:
        drawPushpin(p, colour);
        break;
    case Circle:
        fillShape(p, ellipse(QPointF(8, 8), 6.8, 6.8), colour);
        break;
    case Square:
        fillShape(p, polygon({{1.5, 1.5}, {14.5, 1.5}, {14.5, 14.5}, {1.5, 14.5}}), colour);
        break;
    case Triangle:
        fillShape(p, polygon({{8.0, 1.0}, {15.0, 14.5}, {1.0, 14.5}}), colour);
        break;
    case Diamond:
        fillShape(p, polygon({{8.0, 0.7}, {15.3, 8.0}, {8.0, 15.3}, {0.7, 8.0}}), colour);
        break;
    case Star:
        fillShape(p, starPath(QPointF(8, 8.6), 7.8, 3.2, 5), colour);
        break;
    case Flag:
        drawFlag(p, colour);
        break;
    case House:
        drawHouse(p, colour);
        break;
    case Cross:
        fillShape(p,
                  polygon({{5.5, 1.0},
                           {10.5, 1.0},
                           {10.5, 5.5},
                           {15.0, 5.5},
                           {15.0, 10.5},
                           {10.5, 10.5},
                           {10.5, 15.0},
                           {5.5, 15.0},
                           {5.5, 10.5},
                           {1.0, 10.5},
                           {1.0, 5.5},
                           {5.5, 5.5}}),
                  colour);
        break;
    case Arrow:
        drawArrow(p, variant);
        break;
    case Marker:
        drawMarker(p, colour);
        break;
    case Target:
        drawTarget(p, colour);
        break;
    case NumberLow:
        drawNumber(p, variant, QColor(30, 80, 225));
        break;
    case NumberHigh:
        drawNumber(p, 16 + variant, QColor(200, 30, 30));
        break;
    case Pictogram:
        drawPictogram(p, variant);
        break;
    default:
        fillShape(p, heartPath(), colour);
        break;
    }
}

} // namespace

QImage BuiltInSymbolPicture(int id) {
    if (id < 0 || id > 255)
        return {};
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawSymbol(painter, id / 16, id % 16);
    painter.end();
    return image;
}

} // namespace mappoint
