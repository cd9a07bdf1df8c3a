#pragma once

#include "maphost/MapData.h"

#include <QSizeF>
#include <vector>

namespace maphost {

// The view's Web-Mercator world: x from 0 to 1 (longitude -180 to 180), y from 0 (north)
// to 1 (south), latitudes clamped to +-85.05. The map view draws in it; the model fits
// views in it.
namespace webmercator {
constexpr double MaxLatitude = 85.05112878;
double worldX(double longitude);
double worldY(double latitude);
double latitudeOf(double worldY);
double longitudeOf(double worldX);
// Earth's circumference in the given units (0 miles, 1 kilometres): the altitude at
// which a view's width shows the whole world once.
double circumference(int units);
} // namespace webmercator

struct GeoPoint {
    double latitude = 0;
    double longitude = 0;
};

// The view that shows every point inside a viewport of the given pixel size, with a
// margin on every side (room for the pushpin symbols drawn around their points): the
// centre is the middle of the points' extent in the projection, the longitude extent
// is the narrowest arc that holds them all (so points on both sides of the 180th
// meridian are seen across it), and the altitude is the lowest that fits the extent
// in both directions, within minAltitude..maxAltitude. current gives the units; with
// no points the current view is returned.
ViewData fitView(const std::vector<GeoPoint>& points, QSizeF viewport, const ViewData& current,
                 double minAltitude, double maxAltitude);

// The margin fitView keeps free at each edge of a viewport of that size, in pixels.
double fitMarginPixels(double edgeLength);

} // namespace maphost
