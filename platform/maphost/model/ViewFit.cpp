#include "ViewFit.h"

#include "mappoint/SphereDistance.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace maphost {

namespace webmercator {

double worldX(double longitude) {
    return (longitude + 180.0) / 360.0;
}

double worldY(double latitude) {
    const double lat = std::clamp(latitude, -MaxLatitude, MaxLatitude) * std::numbers::pi / 180;
    return 0.5 - std::log(std::tan(std::numbers::pi / 4 + lat / 2)) / (2 * std::numbers::pi);
}

double latitudeOf(double worldY) {
    const double n = std::numbers::pi * (1 - 2 * worldY);
    return std::atan(std::sinh(n)) * 180 / std::numbers::pi;
}

double longitudeOf(double worldX) {
    return worldX * 360.0 - 180.0;
}

double circumference(int units) {
    return mappoint::sphere::circumference(units == 1 ? mappoint::geoKilometers
                                                      : mappoint::geoMiles);
}

} // namespace webmercator

namespace {

// The narrowest arc of the world's x circle (0..1) holding every x: its start and
// width. Found as the complement of the widest empty gap between neighbouring points,
// in linear time: with n points in n buckets of width 1/n, the widest gap is at least
// one bucket wide, so it always lies between two occupied buckets.
void narrowestArc(const std::vector<double>& xs, double& start, double& width) {
    const size_t n = xs.size();
    struct Bucket {
        double low = std::numeric_limits<double>::infinity();
        double high = -std::numeric_limits<double>::infinity();
    };
    std::vector<Bucket> buckets(n);
    for (const double x : xs) {
        const size_t b = std::min(n - 1, static_cast<size_t>(x * static_cast<double>(n)));
        buckets[b].low = std::min(buckets[b].low, x);
        buckets[b].high = std::max(buckets[b].high, x);
    }
    double firstLow = -1;
    double previousHigh = -1;
    double gap = -1;
    double gapEnd = 0; // the x where the arc starts (just after the widest gap)
    for (const Bucket& bucket : buckets) {
        if (bucket.low > bucket.high)
            continue;
        if (firstLow < 0) {
            firstLow = bucket.low;
        } else if (bucket.low - previousHigh > gap) {
            gap = bucket.low - previousHigh;
            gapEnd = bucket.low;
        }
        previousHigh = bucket.high;
    }
    // The gap across the seam at x = 0 / 1.
    const double seamGap = firstLow + 1 - previousHigh;
    if (seamGap >= gap) {
        gap = seamGap;
        gapEnd = firstLow;
    }
    start = gapEnd;
    width = std::max(0.0, 1 - gap);
}

} // namespace

double fitMarginPixels(double edgeLength) {
    // Half a pushpin symbol (drawn up to 32 pixels, centred on its point) and a little
    // air beyond it, more in a large view.
    return 24 + 0.04 * edgeLength;
}

ViewData fitView(const std::vector<GeoPoint>& points, QSizeF viewport, const ViewData& current,
                 double minAltitude, double maxAltitude) {
    ViewData view = current;
    std::vector<double> xs;
    xs.reserve(points.size());
    double top = std::numeric_limits<double>::infinity();
    double bottom = -std::numeric_limits<double>::infinity();
    for (const GeoPoint& p : points) {
        if (!std::isfinite(p.latitude) || !std::isfinite(p.longitude))
            continue;
        double x = webmercator::worldX(std::remainder(p.longitude, 360.0));
        if (x >= 1)
            x -= 1;
        xs.push_back(std::clamp(x, 0.0, 1.0));
        const double y = webmercator::worldY(p.latitude);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    }
    if (xs.empty())
        return view;
    double start = 0;
    double width = 0;
    narrowestArc(xs, start, width);
    const double height = bottom - top;
    const double centreX = start + width / 2;
    const double centreY = (top + bottom) / 2;
    view.centerLongitude = std::remainder(webmercator::longitudeOf(centreX), 360.0);
    view.centerLatitude = webmercator::latitudeOf(centreY);

    const double w = std::max(1.0, viewport.width());
    const double h = std::max(1.0, viewport.height());
    // Pixels per world unit that fit the extent between the margins, in both directions.
    const double usableW = std::max(1.0, w - 2 * fitMarginPixels(w));
    const double usableH = std::max(1.0, h - 2 * fitMarginPixels(h));
    double pixelsPerWorld = std::numeric_limits<double>::infinity();
    if (width > 0)
        pixelsPerWorld = std::min(pixelsPerWorld, usableW / width);
    if (height > 0)
        pixelsPerWorld = std::min(pixelsPerWorld, usableH / height);
    const double altitude = std::isfinite(pixelsPerWorld)
                                ? w * webmercator::circumference(view.units) / pixelsPerWorld
                                : minAltitude;
    view.altitude = std::clamp(altitude, minAltitude, maxAltitude);
    return view;
}

} // namespace maphost
