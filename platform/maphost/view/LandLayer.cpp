#include "LandLayer.h"

#include "MapProjection.h"

#include <QFile>
#include <QtEndian>
#include <cstring>
#include <mutex>

namespace maphost {

namespace {

const char* const NaturalEarthCountries =
    "/usr/lib/python3/dist-packages/geopandas/datasets/naturalearth_lowres/"
    "naturalearth_lowres.shp";

template <class T> T readLE(const char* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return qFromLittleEndian(v);
}

int32_t readBE32(const char* p) {
    int32_t v;
    std::memcpy(&v, p, sizeof v);
    return qFromBigEndian(v);
}

} // namespace

std::shared_ptr<const LandLayer> LandLayer::load(const QString& shapefile) {
    auto layer = std::make_shared<LandLayer>();
    QFile file(shapefile);
    if (!file.open(QIODevice::ReadOnly))
        return layer;
    const QByteArray bytes = file.readAll();
    const char* data = bytes.constData();
    const qsizetype size = bytes.size();
    if (size < 100 || readBE32(data) != 9994)
        return layer;

    // Records: 8-byte big-endian header, then the shape (type 5 = polygon):
    // type, bounding box, part count, point count, part starts, points.
    qsizetype pos = 100;
    while (pos + 8 <= size) {
        const qsizetype length = qsizetype(readBE32(data + pos + 4)) * 2;
        const qsizetype body = pos + 8;
        pos = body + length;
        if (length < 44 || pos > size)
            break;
        const int32_t type = readLE<int32_t>(data + body);
        if (type != 5 && type != 15 && type != 25)
            continue;
        const int32_t parts = readLE<int32_t>(data + body + 36);
        const int32_t points = readLE<int32_t>(data + body + 40);
        const qsizetype partsAt = body + 44;
        const qsizetype pointsAt = partsAt + qsizetype(parts) * 4;
        if (parts <= 0 || points <= 0 || pointsAt + qsizetype(points) * 16 > pos)
            continue;
        for (int32_t p = 0; p < parts; ++p) {
            const int32_t first = readLE<int32_t>(data + partsAt + p * 4);
            const int32_t end =
                p + 1 < parts ? readLE<int32_t>(data + partsAt + (p + 1) * 4) : points;
            if (first < 0 || end > points || end - first < 3)
                continue;
            Polygon polygon;
            polygon.ring.reserve(end - first);
            for (int32_t i = first; i < end; ++i) {
                const char* pt = data + pointsAt + qsizetype(i) * 16;
                const double lon = readLE<double>(pt);
                const double lat = readLE<double>(pt + 8);
                polygon.ring.append(MapProjection::toWorld(lat, lon));
            }
            polygon.bounds = polygon.ring.boundingRect();
            layer->polygons_.push_back(std::move(polygon));
        }
    }
    return layer;
}

std::shared_ptr<const LandLayer> LandLayer::standard() {
    static std::shared_ptr<const LandLayer> layer;
    static std::once_flag once;
    std::call_once(once, [] {
        const QString configured = qEnvironmentVariable("LOCASTRA_LAND_SHAPEFILE");
        layer =
            load(configured.isEmpty() ? QString::fromLatin1(NaturalEarthCountries) : configured);
    });
    return layer;
}

} // namespace maphost
