#include "ShapeGeometry.h"

#include "MapProjection.h"
#include "mappoint/SphereDistance.h"

#include <cmath>
#include <numbers>

namespace maphost::shapes {

namespace {
constexpr double Deg = std::numbers::pi / 180;

ShapeData make(ShapeKind kind, QVector<QPointF> points) {
    ShapeData shape;
    shape.kind = kind;
    shape.points = std::move(points);
    return shape;
}

// Keeps successive longitudes within 180 degrees of each other, so an outline across
// the 180th meridian runs on past it instead of jumping back.
void unwrap(QVector<QPointF>& points) {
    for (qsizetype i = 1; i < points.size(); ++i) {
        double lon = points[i].x();
        while (lon - points[i - 1].x() > 180)
            lon -= 360;
        while (lon - points[i - 1].x() < -180)
            lon += 360;
        points[i].setX(lon);
    }
}
} // namespace

QPointF worldToDegrees(QPointF world) {
    return {MapProjection::longitudeOf(world.x()),
            MapProjection::latitudeOf(std::clamp(world.y(), 0.0, 1.0))};
}

ShapeData rectangle(QPointF a, QPointF b) {
    const QRectF r = QRectF(a, b).normalized();
    return make(ShapeKind::Rectangle,
                {worldToDegrees(r.topLeft()), worldToDegrees(r.topRight()),
                 worldToDegrees(r.bottomRight()), worldToDegrees(r.bottomLeft())});
}

ShapeData oval(QPointF a, QPointF b, int sides) {
    const QRectF r = QRectF(a, b).normalized();
    QVector<QPointF> points;
    points.reserve(sides);
    for (int i = 0; i < sides; ++i) {
        const double t = 2 * std::numbers::pi * i / sides;
        points.append(worldToDegrees({r.center().x() + r.width() / 2 * std::cos(t),
                                      r.center().y() + r.height() / 2 * std::sin(t)}));
    }
    return make(ShapeKind::Oval, points);
}

QPointF destination(double latitude, double longitude, double bearingDeg, double distanceKm) {
    const double d = distanceKm / mappoint::sphere::MeanEarthRadiusKm;
    const double phi1 = latitude * Deg;
    const double theta = bearingDeg * Deg;
    const double phi2 =
        std::asin(std::sin(phi1) * std::cos(d) + std::cos(phi1) * std::sin(d) * std::cos(theta));
    const double lambda = std::atan2(std::sin(theta) * std::sin(d) * std::cos(phi1),
                                     std::cos(d) - std::sin(phi1) * std::sin(phi2));
    return {longitude + lambda / Deg, phi2 / Deg};
}

ShapeData radiusCircle(double latitude, double longitude, double radius, int units, int sides) {
    const double km = units == 1 ? radius : radius * 1.609344;
    QVector<QPointF> points;
    points.reserve(sides);
    for (int i = 0; i < sides; ++i)
        points.append(destination(latitude, longitude, 360.0 * i / sides, km));
    unwrap(points);
    return make(ShapeKind::RadiusCircle, points);
}

ShapeData driveTimeZone(double latitude, double longitude, double minutes) {
    const double reachKm = minutes; // 60 km/h
    constexpr int Sides = 36;
    QVector<QPointF> points;
    points.reserve(Sides);
    for (int i = 0; i < Sides; ++i) {
        const double bearing = 360.0 * i / Sides;
        // Roads do not run evenly in every direction: a fixed, lobed reach profile.
        const double t = bearing * Deg;
        const double factor = 0.78 + 0.14 * std::sin(3 * t + 0.6) + 0.08 * std::cos(5 * t);
        points.append(destination(latitude, longitude, bearing, reachKm * factor));
    }
    unwrap(points);
    return make(ShapeKind::DriveTimeZone, points);
}

ShapeData freeform(const QVector<QPointF>& worldPoints) {
    QVector<QPointF> points;
    points.reserve(worldPoints.size());
    for (const QPointF& w : worldPoints)
        points.append(worldToDegrees(w));
    return make(ShapeKind::Freeform, points);
}

ShapeData line(QPointF a, QPointF b) {
    return make(ShapeKind::Line, {worldToDegrees(a), worldToDegrees(b)});
}

ShapeData textBox(QPointF world, const QString& text) {
    ShapeData shape = make(ShapeKind::TextBox, {worldToDegrees(world)});
    shape.text = text;
    return shape;
}

} // namespace maphost::shapes
