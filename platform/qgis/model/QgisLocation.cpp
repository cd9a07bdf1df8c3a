#include "QgisLocation.h"

#include "QgisErrors.h"
#include "QgisMap.h"

#include <typeinfo>

namespace qgishost {

std::shared_ptr<QgisLocation> QgisLocation::create(const std::shared_ptr<QgisMap>& map,
                                                   double latitude, double longitude,
                                                   double altitude) {
    return std::make_shared<QgisLocation>(map, latitude, longitude, altitude);
}

std::shared_ptr<QgisLocation> QgisLocation::create(const std::shared_ptr<QgisMap>& map,
                                                   const QgsPointXY& wgs84) {
    return create(map, wgs84.y(), wgs84.x(), 0.0);
}

const QgisLocation* QgisLocation::of(const mappoint::LocationPtr& location) {
    if (!location || typeid(*location) != typeid(QgisLocation))
        return nullptr;
    return static_cast<const QgisLocation*>(location.get());
}

void QgisLocation::GoTo() {
    const std::shared_ptr<QgisMap> map = map_.lock();
    if (!map)
        throwObjectDeleted(QStringLiteral("map of this location"));
    map->centreOn(wgs84(), altitude_);
}

} // namespace qgishost
