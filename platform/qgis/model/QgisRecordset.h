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
// included, are walked. The iterator first reads what a pushpin shows (its name and
// note fields); once Location or Fields is asked for it is opened again, at the
// current feature, to read geometry or every field as well.
class QgisRecordset : public QObject, public mappoint::Recordset {
    Q_OBJECT
public:
    QgisRecordset(std::shared_ptr<QgisMap> map, std::shared_ptr<QgisLayer> layer,
                  QgsGeometry wgs84Area);
    ~QgisRecordset() override;

    bool Eof() override { return eof_; }
    // Starts over on a new iterator (features deleted meanwhile are then left out).
    void MoveFirst() override;
    // Once the layer is gone the walk ends.
    void MoveNext() override;
    mappoint::PushpinPtr Pushpin() override;
    mappoint::LocationPtr Location() override;
    mappoint::FieldsPtr Fields() override;

private:
    // What the iterator reads beside a pushpin's name and note fields.
    struct Reads {
        bool geometry = false;
        bool allFields = false;
        bool covers(const Reads& other) const {
            return (geometry || !other.geometry) && (allFields || !other.allFields);
        }
    };

    QgsFeatureRequest request(const Reads& reads) const;
    void open();
    void advance();
    bool inside(const QgsFeature& feature);
    void reopen(const Reads& reads);
    const QgsFeature& current(const Reads& needed);

    std::shared_ptr<QgisMap> map_;
    std::shared_ptr<QgisLayer> layer_;
    QgsGeometry area_;
    std::unique_ptr<QgsGeometryEngine> areaEngine_;
    QgsFeatureIterator features_;
    Reads reads_; // what the iterator reads
    QgsFeature current_;
    Reads currentReads_;         // what current_ holds
    bool feedsIndex_ = false;    // this walk builds the layer's name index
    bool fetchByRecord_ = false; // the iterator could not be opened again in step
    bool eof_ = true;
    size_t position_ = 0;
    QSet<QgsFeatureId> added_, deleted_, changed_;
};

} // namespace qgishost
