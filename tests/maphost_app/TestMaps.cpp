#include "TestMaps.h"

#include <QCoreApplication>
#include <QPainter>
#include <cstdlib>

namespace testmaps {

maphost::PushpinData pin(const QString& name, double latitude, double longitude, int symbol) {
    maphost::PushpinData p;
    p.name = name;
    p.latitude = latitude;
    p.longitude = longitude;
    p.symbol = symbol;
    p.values = {QStringLiteral("test"), 1};
    return p;
}

std::shared_ptr<maphost::HostMap> mapWith(std::vector<maphost::PushpinData> pins, double centreLat,
                                          double centreLon, double altitude) {
    maphost::MapData data;
    maphost::DataSetData places;
    places.name = QStringLiteral("Places");
    places.fields = {{QStringLiteral("Kind"), QMetaType::QString},
                     {QStringLiteral("Rank"), QMetaType::LongLong}};
    places.pushpins = std::move(pins);
    data.dataSets.push_back(std::move(places));
    data.view.centerLatitude = centreLat;
    data.view.centerLongitude = centreLon;
    data.view.altitude = altitude;
    return maphost::HostMap::create(data);
}

QImage render(maphost::MapRenderer& renderer, QSize size) {
    renderer.setLandLayer(nullptr);
    if (renderer.map())
        renderer.map()->flushSignals();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    renderer.render(p, size);
    return image;
}

QPoint screenOf(const maphost::MapRenderer& renderer, double latitude, double longitude,
                QSize size) {
    return renderer.projection(size).toScreen(latitude, longitude).toPoint();
}

bool showsPicture(const QImage& image, QPoint centre, const QImage& picture) {
    const QImage src = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QPoint topLeft(centre.x() - static_cast<int>(std::lround(src.width() / 2.0)),
                         centre.y() - static_cast<int>(std::lround(src.height() / 2.0)));
    int opaque = 0;
    for (int y = 0; y < src.height(); ++y) {
        for (int x = 0; x < src.width(); ++x) {
            const QRgb s = src.pixel(x, y);
            if (qAlpha(s) != 255)
                continue;
            const QPoint at = topLeft + QPoint(x, y);
            if (!image.rect().contains(at))
                return false;
            const QRgb d = image.pixel(at);
            // Allow one pixel of offset from rounding the centre.
            if (d != s) {
                bool near = false;
                for (int dy = -1; dy <= 1 && !near; ++dy)
                    for (int dx = -1; dx <= 1 && !near; ++dx)
                        near = image.rect().contains(at + QPoint(dx, dy)) &&
                               image.pixel(at + QPoint(dx, dy)) == s;
                if (!near)
                    return false;
            }
            ++opaque;
        }
    }
    return opaque > 0;
}

int countColour(const QImage& image, QRect rect, QColor colour, int tolerance) {
    int n = 0;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) <= tolerance &&
                std::abs(c.green() - colour.green()) <= tolerance &&
                std::abs(c.blue() - colour.blue()) <= tolerance)
                ++n;
        }
    }
    return n;
}

QStringList testAddinLog() {
    return qApp->property("maphost.testaddin.log").toStringList();
}

void clearTestAddinLog() {
    qApp->setProperty("maphost.testaddin.log", QStringList());
}

} // namespace testmaps
