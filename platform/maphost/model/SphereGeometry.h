#pragma once

#include <QPointF>
#include <QVector>

// Geometry on the sphere of mean Earth radius. Angles in degrees.
namespace maphost::sphere {

constexpr double MeanEarthRadiusKm = 6371.0088;
constexpr double KmPerMile = 1.609344;

// A point with the sine and cosine of its latitude worked out once.
struct Point {
    double latitude;
    double longitude;
    double sinLatitude;
    double cosLatitude;

    static Point at(double latitude, double longitude);
};

// Central angle between two points in radians, in Vincenty's atan2 form: accurate
// for near-identical points and for antipodes alike.
double centralAngle(const Point& a, const Point& b);

inline double centralAngle(double lat1, double lon1, double lat2, double lon2) {
    return centralAngle(Point::at(lat1, lon1), Point::at(lat2, lon2));
}

// Great-circle distance in kilometres.
inline double distanceKm(const Point& a, const Point& b) {
    return MeanEarthRadiusKm * centralAngle(a, b);
}

inline double distanceKm(double lat1, double lon1, double lat2, double lon2) {
    return MeanEarthRadiusKm * centralAngle(lat1, lon1, lat2, lon2);
}

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
