#pragma once

#include "mappoint/Shape.h"

#include <memory>
#include <qgsgeometry.h>

namespace qgishost {

class QgisLayer;
class QgisMap;

// A selected polygon (Type 5, an area) or line (Type 2) feature.
class QgisShape : public mappoint::Shape {
public:
    QgisShape(std::shared_ptr<QgisMap> map, std::shared_ptr<QgisLayer> layer, int64_t featureId)
        : map_(std::move(map)), layer_(std::move(layer)), id_(featureId) {}

    int32_t Type() override;
    QString Name() override;
    void Select() override;
    void Delete() override;

    // The outline in WGS 84 (x longitude, y latitude).
    QgsGeometry wgs84Outline();
    const std::shared_ptr<QgisMap>& map() const { return map_; }

private:
    std::shared_ptr<QgisMap> map_;
    std::shared_ptr<QgisLayer> layer_;
    int64_t id_;
};

} // namespace qgishost
