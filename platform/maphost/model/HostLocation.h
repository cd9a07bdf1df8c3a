#pragma once

#include "SphereGeometry.h"
#include "mappoint/Location.h"

#include <memory>

namespace maphost {

class HostMap;

// A place on a map: coordinates in degrees and the altitude GoTo shows it at
// (0: keep the map's altitude).
class HostLocation final : public mappoint::Location {
public:
    HostLocation(std::shared_ptr<HostMap> map, double latitude, double longitude, double altitude)
        : map_(std::move(map)), point_(sphere::Point::at(latitude, longitude)),
          altitude_(altitude) {}

    void GoTo() override;

    double latitude() const { return point_.latitude; }
    double longitude() const { return point_.longitude; }
    double altitude() const { return altitude_; }
    const sphere::Point& point() const { return point_; }

private:
    std::shared_ptr<HostMap> map_;
    sphere::Point point_;
    double altitude_;
};

} // namespace maphost
