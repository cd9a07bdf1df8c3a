#pragma once

#include "mappoint/Location.h"
#include "mappoint/SphereDistance.h"

#include <memory>

namespace maphost {

class HostMap;

// A place on a map: coordinates in degrees and the altitude GoTo shows it at
// (0: keep the map's altitude). A location does not keep its map alive (a closed map
// is freed even while locations of it are still held, e.g. reference points); GoTo on
// such a location fails.
class HostLocation final : public mappoint::Location {
public:
    HostLocation(const std::shared_ptr<HostMap>& map, double latitude, double longitude,
                 double altitude)
        : map_(map), point_(mappoint::sphere::Point::at(latitude, longitude)), altitude_(altitude) {
    }

    // A new location; its memory comes from a list of recycled blocks.
    static std::shared_ptr<HostLocation> create(const std::shared_ptr<HostMap>& map,
                                                double latitude, double longitude, double altitude);
    // The location behind a reference when it is one of this host's, otherwise null.
    // A type comparison, not a dynamic cast: this runs three times per derivation.
    static const HostLocation* of(const mappoint::LocationPtr& location);

    void GoTo() override;

    double latitude() const { return point_.latitude; }
    double longitude() const { return point_.longitude; }
    double altitude() const { return altitude_; }
    const mappoint::sphere::Point& point() const { return point_; }

private:
    std::weak_ptr<HostMap> map_;
    mappoint::sphere::Point point_;
    double altitude_;
};

} // namespace maphost
