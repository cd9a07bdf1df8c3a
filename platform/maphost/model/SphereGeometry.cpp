#include "SphereGeometry.h"

#include <algorithm>
#include <cmath>

namespace maphost::sphere {

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
