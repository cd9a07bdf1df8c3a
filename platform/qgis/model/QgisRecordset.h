#pragma once

#include "mappoint/Recordset.h"

#include <QObject>
#include <QSet>
#include <memory>
#include <qgsfeature.h>
#include <qgsfeatureiterator.h>
#include <qgsgeometry.h>
#include <qgsgeometryengine.h>

namespace qgishost {

class QgisLayer;
class QgisMap;

// A forward walk over a layer's features as they were when the query ran, read by
// one streaming feature iterator (QGIS's iterator works on a copy of the edit buffer
// taken when it opens). Features added later are skipped; a feature deleted later
// stays in the walk and reading it fails with ObjectDeleted; one changed later is
// read anew. With an area (a WGS 84 polygon) only the features inside it, border
// included, are walked. Geometry is read only once Location is asked for: the
// iterator is then opened again with geometry at the current feature.
class QgisRecordset : public QObject, public mappoint::Recordset {
    Q_OBJECT
public:
    QgisRecordset(std::shared_ptr<QgisMap> map, std::shared_ptr<QgisLayer> layer,
                  QgsGeometry wgs84Area);

    bool Eof() override { return eof_; }
    // Starts over on a new iterator (features deleted meanwhile are then left out).
    void MoveFirst() override;
    // Once the layer is gone the walk ends.
    void MoveNext() override;
    mappoint::PushpinPtr Pushpin() override;
    mappoint::LocationPtr Location() override;
    mappoint::FieldsPtr Fields() override;

private:
    QgsFeatureRequest request(bool withGeometry) const;
    void open();
    void advance();
    bool inside(const QgsFeature& feature);
    void readGeometry();
    const QgsFeature& current(bool withGeometry);

    std::shared_ptr<QgisMap> map_;
    std::shared_ptr<QgisLayer> layer_;
    QgsGeometry area_;
    std::unique_ptr<QgsGeometryEngine> areaEngine_;
    QgsFeatureIterator features_;
    QgsFeature current_;
    bool currentHasGeometry_ = false;
    bool withGeometry_ = false;
    bool fetchGeometryByRecord_ = false; // the iterator could not be opened again in step
    bool eof_ = true;
    size_t position_ = 0;
    QSet<QgsFeatureId> added_, deleted_, changed_;
};

} // namespace qgishost
