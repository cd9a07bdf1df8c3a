#include "MapProjection.h"

#include "maphost/model/ViewFit.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace maphost {

MapProjection::MapProjection(const ViewData& view, QSizeF viewSize)
    : view_(view), size_(viewSize.width() > 0 ? viewSize.width() : 1,
                         viewSize.height() > 0 ? viewSize.height() : 1),
      centre_(toWorld(view.centerLatitude, view.centerLongitude)) {
    const double altitude = std::max(1.0, view.altitude);
    pixelsPerWorld_ = size_.width() * circumference(view.units) / altitude;
}

double MapProjection::circumference(int units) {
    return webmercator::circumference(units);
}

QPointF MapProjection::toWorld(double latitude, double longitude) {
    return {webmercator::worldX(longitude), webmercator::worldY(latitude)};
}

double MapProjection::latitudeOf(double worldY) {
    return webmercator::latitudeOf(worldY);
}

double MapProjection::longitudeOf(double worldX) {
    return webmercator::longitudeOf(worldX);
}

QPointF MapProjection::worldToScreen(QPointF world) const {
    double dx = world.x() - centre_.x();
    dx -= std::round(dx);
    return {dx * pixelsPerWorld_ + size_.width() / 2,
            (world.y() - centre_.y()) * pixelsPerWorld_ + size_.height() / 2};
}

QPointF MapProjection::screenToWorld(QPointF screen) const {
    return {centre_.x() + (screen.x() - size_.width() / 2) / pixelsPerWorld_,
            centre_.y() + (screen.y() - size_.height() / 2) / pixelsPerWorld_};
}

void MapProjection::screenToLatLon(QPointF screen, double& latitude, double& longitude) const {
    const QPointF w = screenToWorld(screen);
    latitude = latitudeOf(std::clamp(w.y(), 0.0, 1.0));
    longitude = longitudeOf(w.x());
    longitude = std::remainder(longitude, 360.0);
    if (longitude == -180.0)
        longitude = 180.0;
}

QRectF MapProjection::visibleWorld() const {
    const QPointF topLeft = screenToWorld({0, 0});
    return {topLeft, QSizeF(size_.width() / pixelsPerWorld_, size_.height() / pixelsPerWorld_)};
}

double MapProjection::unitsPerPixel() const {
    const double lat = latitudeOf(std::clamp(centre_.y(), 0.0, 1.0)) * std::numbers::pi / 180;
    return circumference(view_.units) * std::cos(lat) / pixelsPerWorld_;
}

double MapProjection::altitudeFor(double pixelsPerWorld, double viewWidth, int units) {
    return viewWidth * circumference(units) / pixelsPerWorld;
}

} // namespace maphost
