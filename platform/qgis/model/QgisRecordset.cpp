#include "QgisRecordset.h"

#include "PushpinAppearance.h"
#include "QgisErrors.h"
#include "QgisFields.h"
#include "QgisLayer.h"
#include "QgisLocation.h"
#include "QgisMap.h"
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
        reads_.geometry = true;
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

QgsFeatureRequest QgisRecordset::request(const Reads& reads) const {
    QgsVectorLayer& layer = layer_->checked();
    const FeatureNamer& namer = layer_->namer();
    QgsFeatureRequest r;
    if (!reads.geometry && !namer.readsGeometry())
        r.setFlags(QgsFeatureRequest::NoGeometry);
    if (!namer.readsAllAttributes()) {
        QgsAttributeList attributes = namer.attributes();
        const int note = layer_->noteField();
        if (note >= 0 && !attributes.contains(note))
            attributes.append(note);
        // So that a listed pushpin's symbol is looked up without reading it again.
        const int key = map_->appearance().keyField(layer);
        if (key >= 0 && !attributes.contains(key))
            attributes.append(key);
        if (reads.allFields) {
            for (int i : layer_->dataFields()) {
                if (!attributes.contains(i))
                    attributes.append(i);
            }
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

QgisRecordset::~QgisRecordset() {
    if (feedsIndex_)
        layer_->endIndexFeed(false);
}

void QgisRecordset::open() {
    if (feedsIndex_)
        layer_->endIndexFeed(false);
    features_ = layer_->checked().getFeatures(request(reads_));
    changed_.clear(); // the new iterator reads the features as they are now
    position_ = 0;
    feedsIndex_ = !areaEngine_ && layer_->beginIndexFeed();
}

bool QgisRecordset::inside(const QgsFeature& feature) {
    if (feature.geometry().isNull() || feature.geometry().isEmpty())
        return false;
    const QgsPointXY p = layer_->toWgs84(feature);
    const QgsPoint point(p.x(), p.y());
    return areaEngine_->intersects(&point);
}

void QgisRecordset::advance() {
    // Read straight into current_: once the last record's pushpin is let go it holds
    // the only reference, so nothing is copied.
    while (layer_->next(features_, current_)) {
        if (feedsIndex_)
            layer_->feedIndex(current_);
        if (added_.contains(current_.id()) || (areaEngine_ && !inside(current_)))
            continue;
        currentReads_ = reads_;
        eof_ = false;
        return;
    }
    eof_ = true;
    features_.close();
    if (feedsIndex_)
        layer_->endIndexFeed(true);
    feedsIndex_ = false;
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

// Opens the iterator again, reading more, and walks it to the current feature.
void QgisRecordset::reopen(const Reads& reads) {
    const QgsFeatureId id = current_.id();
    QgsFeatureIterator again = layer_->checked().getFeatures(request(reads));
    QgsFeature f;
    while (layer_->next(again, f)) {
        if (f.id() == id) {
            features_ = again;
            reads_ = reads;
            changed_.clear();
            current_ = f;
            currentReads_ = reads;
            return;
        }
    }
    fetchByRecord_ = true;
}

const QgsFeature& QgisRecordset::current(const Reads& needed) {
    layer_->checked();
    if (eof_)
        throwInvalidArgument(QStringLiteral("The record set is past its last record"));
    const QgsFeatureId id = current_.id();
    if (deleted_.contains(id))
        throwObjectDeleted(QStringLiteral("pushpin"));
    if (changed_.contains(id)) {
        current_ = layer_->feature(id, true);
        currentReads_ = {true, true};
        changed_.remove(id);
    }
    if (!currentReads_.covers(needed)) {
        if (!fetchByRecord_)
            reopen({reads_.geometry || needed.geometry, reads_.allFields || needed.allFields});
        if (!currentReads_.covers(needed)) {
            current_ = layer_->feature(id, true);
            currentReads_ = {true, true};
        }
    }
    return current_;
}

mappoint::PushpinPtr QgisRecordset::Pushpin() {
    const QgsFeature& f = current({});
    return std::make_shared<QgisPushpin>(map_, layer_, f.id(), f, currentReads_.geometry);
}

mappoint::LocationPtr QgisRecordset::Location() {
    return QgisLocation::create(map_, layer_->toWgs84(current({true, false})));
}

mappoint::FieldsPtr QgisRecordset::Fields() {
    return std::make_shared<QgisFields>(layer_, current({false, true}));
}

} // namespace qgishost
