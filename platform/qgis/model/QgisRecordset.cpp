#include "QgisRecordset.h"

#include "QgisErrors.h"
#include "QgisFields.h"
#include "QgisLayer.h"
#include "QgisLocation.h"
#include "QgisPushpin.h"

#include <qgscoordinatereferencesystem.h>
#include <qgscoordinatetransform.h>
#include <qgsexception.h>
#include <qgsvectorlayer.h>

namespace qgishost {

QgisRecordset::QgisRecordset(std::shared_ptr<QgisMap> map, std::shared_ptr<QgisLayer> layer,
                             QgsGeometry wgs84Area)
    : map_(std::move(map)), layer_(std::move(layer)), area_(std::move(wgs84Area)) {
    QgsVectorLayer& vector = layer_->checked();
    if (!area_.isNull()) {
        areaEngine_.reset(QgsGeometry::createGeometryEngine(area_.constGet()));
        areaEngine_->prepareGeometry();
        withGeometry_ = true;
    }
    connect(&vector, &QgsVectorLayer::featureAdded, this,
            [this](QgsFeatureId id) { added_.insert(id); });
    connect(&vector, &QgsVectorLayer::committedFeaturesAdded, this,
            [this](const QString&, const QgsFeatureList& features) {
                for (const QgsFeature& f : features)
                    added_.insert(f.id());
            });
    connect(&vector, &QgsVectorLayer::featureDeleted, this,
            [this](QgsFeatureId id) { deleted_.insert(id); });
    connect(&vector, &QgsVectorLayer::attributeValueChanged, this,
            [this](QgsFeatureId id) { changed_.insert(id); });
    connect(&vector, &QgsVectorLayer::geometryChanged, this,
            [this](QgsFeatureId id) { changed_.insert(id); });
    open();
    advance();
}

QgsFeatureRequest QgisRecordset::request(bool withGeometry) const {
    QgsVectorLayer& layer = layer_->checked();
    const FeatureNamer& namer = layer_->namer();
    QgsFeatureRequest r;
    if (!withGeometry && !namer.readsGeometry())
        r.setFlags(QgsFeatureRequest::NoGeometry);
    if (!namer.readsAllAttributes()) {
        QgsAttributeList attributes = layer_->dataFields();
        for (int i : namer.attributes()) {
            if (!attributes.contains(i))
                attributes.append(i);
        }
        r.setSubsetOfAttributes(attributes);
    }
    if (areaEngine_) {
        const QgsCoordinateTransform toLayer(
            QgsCoordinateReferenceSystem(QStringLiteral("EPSG:4326")), layer.crs(),
            layer.transformContext());
        try {
            r.setFilterRect(toLayer.transformBoundingBox(area_.boundingBox()));
        } catch (const QgsCsException&) {
            // Every feature is tested against the area instead.
        }
    }
    return r;
}

void QgisRecordset::open() {
    features_ = layer_->checked().getFeatures(request(withGeometry_));
    changed_.clear(); // the new iterator reads the features as they are now
    position_ = 0;
}

bool QgisRecordset::inside(const QgsFeature& feature) {
    if (feature.geometry().isNull() || feature.geometry().isEmpty())
        return false;
    const QgsPointXY p = layer_->toWgs84(feature);
    const QgsPoint point(p.x(), p.y());
    return areaEngine_->intersects(&point);
}

void QgisRecordset::advance() {
    QgsFeature f;
    while (features_.nextFeature(f)) {
        if (added_.contains(f.id()) || (areaEngine_ && !inside(f)))
            continue;
        current_ = f;
        currentHasGeometry_ = withGeometry_;
        eof_ = false;
        return;
    }
    eof_ = true;
    features_.close();
}

void QgisRecordset::MoveFirst() {
    if (position_ == 0)
        return;
    open();
    advance();
}

void QgisRecordset::MoveNext() {
    if (eof_)
        throwInvalidArgument(QStringLiteral("The record set is past its last record"));
    ++position_;
    if (!layer_->layer()) {
        eof_ = true;
        features_.close();
        return;
    }
    advance();
}

// Opens the iterator again, with geometry, and walks it to the current feature.
void QgisRecordset::readGeometry() {
    const QgsFeatureId id = current_.id();
    QgsFeatureIterator again = layer_->checked().getFeatures(request(true));
    QgsFeature f;
    while (again.nextFeature(f)) {
        if (f.id() == id) {
            features_ = again;
            withGeometry_ = true;
            changed_.clear();
            current_ = f;
            currentHasGeometry_ = true;
            return;
        }
    }
    fetchGeometryByRecord_ = true;
}

const QgsFeature& QgisRecordset::current(bool withGeometry) {
    layer_->checked();
    if (eof_)
        throwInvalidArgument(QStringLiteral("The record set is past its last record"));
    const QgsFeatureId id = current_.id();
    if (deleted_.contains(id))
        throwObjectDeleted(QStringLiteral("pushpin"));
    if (changed_.contains(id)) {
        current_ = layer_->feature(id, true);
        currentHasGeometry_ = true;
        changed_.remove(id);
    }
    if (withGeometry && !currentHasGeometry_) {
        if (!fetchGeometryByRecord_)
            readGeometry();
        if (!currentHasGeometry_) {
            current_ = layer_->feature(id, true);
            currentHasGeometry_ = true;
        }
    }
    return current_;
}

mappoint::PushpinPtr QgisRecordset::Pushpin() {
    const QgsFeature& f = current(false);
    return std::make_shared<QgisPushpin>(map_, layer_, f.id(), f, currentHasGeometry_);
}

mappoint::LocationPtr QgisRecordset::Location() {
    return QgisLocation::create(map_, layer_->toWgs84(current(true)));
}

mappoint::FieldsPtr QgisRecordset::Fields() {
    return std::make_shared<QgisFields>(layer_, current(false));
}

} // namespace qgishost
