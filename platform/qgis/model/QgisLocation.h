#pragma once

#include "mappoint/Location.h"
#include "mappoint/SphereDistance.h"

#include <memory>
#include <qgspointxy.h>

namespace qgishost {

class QgisMap;

// A WGS 84 position and the altitude GoTo shows it at (0 keeps the canvas's). It
// does not keep its map alive; GoTo fails once the map is gone.
class QgisLocation final : public mappoint::Location {
public:
    QgisLocation(const std::shared_ptr<QgisMap>& map, double latitude, double longitude,
                 double altitude)
        : map_(map), point_(mappoint::sphere::Point::at(latitude, longitude)), altitude_(altitude) {
    }

    static std::shared_ptr<QgisLocation> create(const std::shared_ptr<QgisMap>& map,
                                                double latitude, double longitude, double altitude);
    static std::shared_ptr<QgisLocation> create(const std::shared_ptr<QgisMap>& map,
                                                const QgsPointXY& wgs84);
    // The location behind a reference when it is one of this adapter's, else null.
    static const QgisLocation* of(const mappoint::LocationPtr& location);

    void GoTo() override;

    const mappoint::sphere::Point& point() const { return point_; }
    QgsPointXY wgs84() const { return {point_.longitude, point_.latitude}; }

private:
    std::weak_ptr<QgisMap> map_;
    mappoint::sphere::Point point_;
    double altitude_;
};

} // namespace qgishost
