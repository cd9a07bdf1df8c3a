#pragma once

#include "maphost/MapData.h"
#include "maphost/model/ViewFit.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>

namespace maphost {

// The view's Web-Mercator projection. World coordinates run from 0 to 1 in x
// (longitude -180 to 180) and y (north to south, latitudes clamped to +-85.05).
// The map's altitude sets the scale: the view's width shows `altitude` map units of
// ground at the equator, so the highest altitude shows the whole world once.
class MapProjection {
public:
    static constexpr double MaxLatitude = webmercator::MaxLatitude;

    MapProjection(const ViewData& view, QSizeF viewSize);

    static QPointF toWorld(double latitude, double longitude);
    static double latitudeOf(double worldY);
    static double longitudeOf(double worldX); // unwrapped: may run past +-180
    // Earth's circumference in the given units (0 miles, 1 kilometres).
    static double circumference(int units);

    double pixelsPerWorld() const { return pixelsPerWorld_; }
    QPointF centreWorld() const { return centre_; }
    QSizeF viewSize() const { return size_; }

    // Screen position of a world point, taking the copy of the world that puts x
    // nearest the view centre.
    QPointF worldToScreen(QPointF world) const;
    // Screen position of a world point in the given world copy (x + copy).
    QPointF worldToScreen(QPointF world, int copy) const {
        return {(world.x() + copy - centre_.x()) * pixelsPerWorld_ + size_.width() / 2,
                (world.y() - centre_.y()) * pixelsPerWorld_ + size_.height() / 2};
    }
    QPointF toScreen(double latitude, double longitude) const {
        return worldToScreen(toWorld(latitude, longitude));
    }
    // Unwrapped world point under a screen position.
    QPointF screenToWorld(QPointF screen) const;
    // Latitude and longitude under a screen position; longitude wrapped to -180..180.
    void screenToLatLon(QPointF screen, double& latitude, double& longitude) const;
    // The visible world rectangle (x unwrapped, may leave 0..1).
    QRectF visibleWorld() const;
    // Ground distance per pixel at the centre latitude, in map units.
    double unitsPerPixel() const;

    // The altitude that gives pixelsPerWorld for a view of width viewWidth.
    static double altitudeFor(double pixelsPerWorld, double viewWidth, int units);

private:
    ViewData view_;
    QSizeF size_;
    QPointF centre_;
    double pixelsPerWorld_;
};

} // namespace maphost
