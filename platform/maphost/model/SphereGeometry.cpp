#include "SphereGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace maphost::sphere {

namespace {
constexpr double Rad = std::numbers::pi / 180.0;
} // namespace

Point Point::at(double latitude, double longitude) {
    const double phi = latitude * Rad;
    return {latitude, longitude, std::sin(phi), std::cos(phi)};
}

double centralAngle(const Point& p1, const Point& p2) {
    // Longitude difference reduced to -180..180; both steps are exact in floating point.
    double dLon = p2.longitude - p1.longitude;
    if (dLon > 180)
        dLon -= 360;
    else if (dLon < -180)
        dLon += 360;
    const double halfDLambda = 0.5 * dLon * Rad;
    const double sh = std::sin(halfDLambda), ch = std::cos(halfDLambda);
    const double s1 = p1.sinLatitude, c1 = p1.cosLatitude;
    const double s2 = p2.sinLatitude, c2 = p2.cosLatitude;
    const double sinDLambda = 2 * sh * ch;
    const double oneMinusCosDLambda = 2 * sh * sh;
    // Vincenty: atan2(sqrt((c2 sin dl)^2 + (c1 s2 - s1 c2 cos dl)^2),
    //                 s1 s2 + c1 c2 cos dl),
    // with c1 s2 - s1 c2 cos dl = sin(dphi) + s1 c2 (1 - cos dl) so that nearby points
    // lose nothing to cancellation; the latitude difference is exact in degrees.
    const double a = c2 * sinDLambda;
    const double b = std::sin((p2.latitude - p1.latitude) * Rad) + s1 * c2 * oneMinusCosDLambda;
    const double cosSigma = s1 * s2 + c1 * c2 * (1 - oneMinusCosDLambda);
    return std::atan2(std::sqrt(a * a + b * b), cosSigma);
}

Area::Area(QVector<QPointF> outline) : outline_(std::move(outline)) {
    if (outline_.size() < 3)
        return; // not an area: contains nothing
    minX_ = maxX_ = outline_[0].x();
    minY_ = maxY_ = outline_[0].y();
    for (const QPointF& p : outline_) {
        minX_ = std::min(minX_, p.x());
        maxX_ = std::max(maxX_, p.x());
        minY_ = std::min(minY_, p.y());
        maxY_ = std::max(maxY_, p.y());
    }
}

bool Area::contains(double lat, double lon) const {
    if (!(lat >= minY_ && lat <= maxY_))
        return false;
    for (double x : {lon, lon + 360.0, lon - 360.0}) {
        if (x >= minX_ && x <= maxX_ && containsPlanar(x, lat))
            return true;
    }
    return false;
}

// Even-odd test; a point within a hair of an edge counts as on it.
bool Area::containsPlanar(double x, double y) const {
    const qsizetype n = outline_.size();
    bool inside = false;
    for (qsizetype i = 0, j = n - 1; i < n; j = i++) {
        const double xi = outline_[i].x(), yi = outline_[i].y();
        const double xj = outline_[j].x(), yj = outline_[j].y();
        const double cross = (xj - xi) * (y - yi) - (yj - yi) * (x - xi);
        const double tolerance = 1e-9 * (std::abs(xj - xi) + std::abs(yj - yi));
        if (std::abs(cross) <= tolerance && x >= std::min(xi, xj) - 1e-12 &&
            x <= std::max(xi, xj) + 1e-12 && y >= std::min(yi, yj) - 1e-12 &&
            y <= std::max(yi, yj) + 1e-12)
            return true;
        if ((yi > y) != (yj > y)) {
            const double xCross = xi + (y - yi) * (xj - xi) / (yj - yi);
            if (x < xCross)
                inside = !inside;
        }
    }
    return inside;
}

} // namespace maphost::sphere
