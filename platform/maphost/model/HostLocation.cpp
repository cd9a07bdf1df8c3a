#include "HostLocation.h"

#include "BlockRecycler.h"
#include "MapState.h"
#include "automation/Error.h"

#include <typeinfo>

namespace maphost {

std::shared_ptr<HostLocation> HostLocation::create(const std::shared_ptr<HostMap>& map,
                                                   double latitude, double longitude,
                                                   double altitude) {
    return MakeRecycled<HostLocation>(map, latitude, longitude, altitude);
}

const HostLocation* HostLocation::of(const mappoint::LocationPtr& location) {
    // HostLocation is final: the exact type is the only one that can match.
    if (!location || typeid(*location) != typeid(HostLocation))
        return nullptr;
    return static_cast<const HostLocation*>(location.get());
}

void HostLocation::GoTo() {
    const std::shared_ptr<HostMap> map = map_.lock();
    if (!map)
        throw automation::Error(automation::errors::ObjectDeleted,
                                QStringLiteral("The map of this location was closed"));
    MapState& s = map->state();
    s.setCenter(latitude(), longitude());
    if (altitude_ > 0)
        s.setAltitude(altitude_);
}

} // namespace maphost
