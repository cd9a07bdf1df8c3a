#pragma once

#include <QPointF>
#include <QVector>

// Area outlines in degrees (x = longitude, y = latitude). The great-circle
// distance every host shares is mappoint/SphereDistance.h.
namespace maphost::sphere {

// An area outline (x = longitude, y = latitude) to test points against. A point
// on the outline counts as inside. Longitudes may run past +-180 (a shape across
// the 180th meridian): the point is tried at lon, lon + 360 and lon - 360.
class Area {
public:
    explicit Area(QVector<QPointF> outline);
    bool contains(double lat, double lon) const;

private:
    bool containsPlanar(double x, double y) const;

    QVector<QPointF> outline_;
    double minX_ = 0, maxX_ = -1, minY_ = 0, maxY_ = -1;
};

} // namespace maphost::sphere
