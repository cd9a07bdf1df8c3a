#include "ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace maphost {

namespace {

QIcon paintIcon(const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 70), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(220, 80, 60, 70));
    draw(p);
    p.end();
    return QIcon(pixmap);
}

} // namespace

QIcon drawingToolIcon(DrawingTool tool) {
    switch (tool) {
    case DrawingTool::Rectangle:
        return paintIcon([](QPainter& p) { p.drawRect(QRectF(4, 6, 16, 12)); });
    case DrawingTool::Oval:
        return paintIcon([](QPainter& p) { p.drawEllipse(QRectF(3, 6, 18, 12)); });
    case DrawingTool::RadiusCircle:
        return paintIcon([](QPainter& p) {
            p.drawEllipse(QPointF(12, 12), 8.5, 8.5);
            p.drawLine(QPointF(12, 12), QPointF(20.5, 12));
            p.setBrush(QColor(60, 60, 70));
            p.drawEllipse(QPointF(12, 12), 1.5, 1.5);
        });
    case DrawingTool::Freeform:
        return paintIcon([](QPainter& p) {
            p.drawPolygon(QPolygonF({{4, 8}, {11, 4}, {20, 7}, {17, 14}, {20, 20}, {7, 19}}));
        });
    case DrawingTool::DriveTimeZone:
        return paintIcon([](QPainter& p) {
            p.setBrush(QColor(60, 160, 80, 80));
            p.setPen(QPen(QColor(40, 130, 60), 1.6));
            QPainterPath blob;
            blob.moveTo(12, 3);
            blob.cubicTo(20, 3, 22, 10, 20, 14);
            blob.cubicTo(18, 20, 14, 21, 10, 20);
            blob.cubicTo(3, 19, 2, 12, 5, 8);
            blob.cubicTo(7, 4, 9, 3, 12, 3);
            p.drawPath(blob);
            p.setBrush(QColor(40, 130, 60));
            p.drawEllipse(QPointF(12, 12), 2, 2);
        });
    case DrawingTool::Line:
        return paintIcon([](QPainter& p) { p.drawLine(QPointF(4, 19), QPointF(20, 5)); });
    case DrawingTool::TextBox:
        return paintIcon([](QPainter& p) {
            p.setBrush(Qt::white);
            p.drawRect(QRectF(3, 5, 18, 14));
            QFont font;
            font.setPixelSize(12);
            font.setBold(true);
            p.setFont(font);
            p.drawText(QRectF(3, 5, 18, 14), Qt::AlignCenter, QStringLiteral("A"));
        });
    case DrawingTool::None:
        break;
    }
    return {};
}

QIcon zoomIcon(bool in) {
    return paintIcon([in](QPainter& p) {
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(10, 10), 6.5, 6.5);
        p.setPen(QPen(QColor(60, 60, 70), 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(15, 15), QPointF(21, 21));
        p.setPen(QPen(QColor(60, 60, 70), 1.6));
        p.drawLine(QPointF(7, 10), QPointF(13, 10));
        if (in)
            p.drawLine(QPointF(10, 7), QPointF(10, 13));
    });
}

} // namespace maphost
