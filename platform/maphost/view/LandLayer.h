#pragma once

#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <memory>
#include <vector>

namespace maphost {

// Land outlines (country polygons) in world coordinates, read from a polygon
// shapefile in longitude/latitude. The host looks for Natural Earth's low-resolution
// countries, which Debian ships with python3-geopandas; without it the view shows
// sea and graticule only.
class LandLayer {
public:
    struct Polygon {
        QPolygonF ring; // world coordinates, closed
        QRectF bounds;
    };

    // Reads the shapefile; an empty layer when it is missing or unreadable.
    static std::shared_ptr<const LandLayer> load(const QString& shapefile);
    // The shared default layer (LOCASTRA_LAND_SHAPEFILE, else the Natural Earth file
    // when installed); read once per process.
    static std::shared_ptr<const LandLayer> standard();

    const std::vector<Polygon>& polygons() const { return polygons_; }
    bool empty() const { return polygons_.empty(); }

private:
    std::vector<Polygon> polygons_;
};

} // namespace maphost
