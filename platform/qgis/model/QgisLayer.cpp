#include "QgisLayer.h"

#include "PushpinAppearance.h"

#include "QgisErrors.h"
#include "ResponsiveQuery.h"

#include <qgsauxiliarystorage.h>
#include <qgscoordinatereferencesystem.h>
#include <qgsexception.h>
#include <qgsfeatureiterator.h>
#include <qgsfeaturerequest.h>
#include <qgshighlight.h>
#include <qgsmapcanvas.h>
#include <qgsvectorlayer.h>
#include <qgsvectorlayerjoinbuffer.h>
#include <qgsvectorlayerjoininfo.h>

namespace qgishost {

QgisLayer::QgisLayer(QgsVectorLayer& layer, QgsMapCanvas* canvas)
    : layer_(&layer), canvas_(canvas), id_(layer.id()) {
    connect(&layer, &QgsVectorLayer::featureAdded, this, [this](QgsFeatureId id) { addName(id); });
    connect(&layer, &QgsVectorLayer::featureDeleted, this,
            [this](QgsFeatureId id) { removeFeature(id); });
    connect(&layer, &QgsVectorLayer::attributeValueChanged, this,
            [this](QgsFeatureId id, int field, const QVariant&) { attributeChanged(id, field); });
    connect(&layer, &QgsVectorLayer::geometryChanged, this, [this](QgsFeatureId id) {
        changed();
        if (indexed_ && namer().readsGeometry())
            refreshName(id);
        // A highlight follows its feature.
        QgsFeature f;
        if (highlighted(id) && canvas_ && fetch(id, f, true)) {
            removeHighlight(id);
            drawHighlight(id, f.geometry());
        }
    });
    connect(&layer, &QgsVectorLayer::displayExpressionChanged, this, &QgisLayer::fieldsChanged);
    connect(&layer, &QgsVectorLayer::updatedFields, this, &QgisLayer::fieldsChanged);
    connect(&layer, &QgsMapLayer::crsChanged, this, [this] {
        toWgs84_.reset();
        changed();
    });
    // Committing gives added features their final ids; rolling back restores values.
    connect(&layer, &QgsVectorLayer::afterCommitChanges, this, &QgisLayer::fieldsChanged);
    connect(&layer, &QgsVectorLayer::afterRollBack, this, &QgisLayer::fieldsChanged);
    connect(&layer, &QObject::destroyed, this, &QgisLayer::release);
}

QgisLayer::~QgisLayer() {
    release();
}

QgsVectorLayer& QgisLayer::checked() const {
    if (!layer_)
        throwObjectDeleted(QStringLiteral("dataset"));
    return *layer_;
}

void QgisLayer::release() {
    while (!highlights_.empty())
        removeHighlight(highlights_.begin()->first);
    if (layer_)
        disconnect(layer_, nullptr, this, nullptr);
    layer_ = nullptr;
    names_.clear();
    indexed_ = false;
    feeding_ = false;
    ++generation_;
}

void QgisLayer::changed() {
    ++generation_;
}

// Fields, the display expression or feature ids changed: names are worked out anew.
void QgisLayer::fieldsChanged() {
    changed();
    namer_.reset();
    dataFields_.reset();
    noteField_ = -2;
    names_.clear();
    indexed_ = false;
}

const FeatureNamer& QgisLayer::namer() {
    if (!namer_)
        namer_ = std::make_unique<FeatureNamer>(checked());
    return *namer_;
}

const QgsAttributeList& QgisLayer::dataFields() {
    if (!dataFields_) {
        QgsVectorLayer& layer = checked();
        const QgsFields fields = layer.fields();
        const QgsAuxiliaryLayer* auxiliary = layer.auxiliaryLayer();
        dataFields_ = std::make_unique<QgsAttributeList>();
        for (int i = 0; i < fields.count(); ++i) {
            if (auxiliary && fields.fieldOrigin(i) == QgsFields::OriginJoin) {
                int source = -1;
                const QgsVectorLayerJoinInfo* join =
                    layer.joinBuffer()->joinForFieldIndex(i, fields, source);
                if (join && join->joinLayer() == auxiliary)
                    continue;
            }
            if (fields.fieldOrigin(i) == QgsFields::OriginExpression &&
                fields.at(i).name() == AppearanceKeyFieldName)
                continue;
            dataFields_->append(i);
        }
    }
    return *dataFields_;
}

int QgisLayer::noteField() {
    if (noteField_ == -2) {
        noteField_ = -1;
        const QgsFields fields = checked().fields();
        for (const QString& name :
             {QStringLiteral("note"), QStringLiteral("description"), QStringLiteral("desc")}) {
            for (int i : dataFields()) {
                if (fields.at(i).name().compare(name, Qt::CaseInsensitive) == 0) {
                    noteField_ = i;
                    return noteField_;
                }
            }
        }
    }
    return noteField_;
}

bool QgisLayer::next(QgsFeatureIterator& features, QgsFeature& feature) const {
    if (features.nextFeature(feature))
        return true;
    if (!features.isValid())
        throwSourceUnavailable(layer_ ? layer_->name() : QString());
    return false;
}

bool QgisLayer::editedElsewhere() const {
    static const QStringList servers{QStringLiteral("postgres"), QStringLiteral("mssql"),
                                     QStringLiteral("oracle"), QStringLiteral("hana"),
                                     QStringLiteral("DB2")};
    const QgsVectorDataProvider* provider = layer_ ? layer_->dataProvider() : nullptr;
    return provider && servers.contains(provider->name());
}

bool QgisLayer::fetch(int64_t featureId, QgsFeature& feature, bool withGeometry) const {
    if (!layer_)
        return false;
    // A set of one id: QGIS's single-id request leaves its iterator marked invalid even
    // when it found the feature, which would hide a data source that stopped answering.
    QgsFeatureRequest request(QgsFeatureIds{featureId});
    if (!withGeometry)
        request.setFlags(QgsFeatureRequest::NoGeometry);
    QgsFeatureIterator it = layer_->getFeatures(request);
    return next(it, feature) && feature.id() == featureId;
}

QgsFeature QgisLayer::feature(int64_t featureId, bool withGeometry) const {
    checked();
    QgsFeature f;
    if (!fetch(featureId, f, withGeometry))
        throwObjectDeleted(QStringLiteral("pushpin"));
    return f;
}

void QgisLayer::buildIndex() {
    QgsVectorLayer& layer = checked();
    const FeatureNamer& names = namer();
    QgsFeatureRequest request;
    if (!names.readsGeometry())
        request.setFlags(QgsFeatureRequest::NoGeometry);
    if (!names.readsAllAttributes())
        request.setSubsetOfAttributes(names.attributes());
    feeding_ = false;
    names_.clear();
    names_.reserve(size_t(std::max<long long>(0, layer.featureCount())));
    QgsFeatureIterator it = layer.getFeatures(request);
    QgsFeature f;
    while (next(it, f))
        names_.append(f.id(), names.nameOf(f));
    indexed_ = true;
}

const PushpinNameIndex& QgisLayer::nameIndex() {
    if (!indexed_)
        buildIndex();
    return names_;
}

bool QgisLayer::beginIndexFeed() {
    if (indexed_ || feeding_ || !layer_)
        return false;
    names_.clear();
    names_.reserve(size_t(std::max<long long>(0, layer_->featureCount())));
    feeding_ = true;
    feedGeneration_ = generation_;
    return true;
}

void QgisLayer::feedIndex(const QgsFeature& feature) {
    if (!feeding_)
        return;
    if (generation_ != feedGeneration_) {
        feeding_ = false;
        names_.clear();
        return;
    }
    names_.append(feature.id(), namer().nameOf(feature));
}

void QgisLayer::endIndexFeed(bool walkedAll) {
    if (!feeding_)
        return;
    feeding_ = false;
    if (walkedAll && generation_ == feedGeneration_)
        indexed_ = true;
    else
        names_.clear();
}

// The first feature of that name as the data source finds it: a filter QGIS hands to
// the server, for a text field named plainly.
bool QgisLayer::queryFirstNamed(const QString& name, int64_t& featureId) {
    QgsVectorLayer& layer = checked();
    const QString column = layer.fields().at(namer().field()).name();
    QgsFeatureRequest request(QgsExpression(QStringLiteral("%1 = %2").arg(
        QgsExpression::quotedColumnRef(column), QgsExpression::quotedString(name))));
    request.setFlags(QgsFeatureRequest::NoGeometry);
    request.setSubsetOfAttributes(QgsAttributeList{namer().field()});
    request.setLimit(1);
    // Without an index on the name column the server scans the whole table for this:
    // the window goes on meanwhile. The layer may be gone when the answer comes.
    const QString layerName = layer.name();
    const FirstFeature first = firstFeatureResponsively(layer, request);
    if (!first.sourceAnswered)
        throwSourceUnavailable(layerName);
    if (!first.found || !layer_)
        return false;
    featureId = first.id;
    return true;
}

bool QgisLayer::answersByQuery(const QString& name) {
    const int field = namer().field();
    // "" also names a feature without a value, which a filter on the text misses.
    if (indexed_ || field < 0 || name.isEmpty() ||
        checked().fields().at(field).type() != QVariant::String)
        return false;
    if (editedElsewhere())
        return true;
    // A file is asked once, for the Find whose walk then builds the index; asked again
    // first, the index is built now. A memory layer would test every feature against
    // the filter, which costs what building the index does.
    const QgsVectorDataProvider* provider = layer_->dataProvider();
    if (queried_ || !provider || provider->name() == QLatin1String("memory"))
        return false;
    queried_ = true;
    return true;
}

bool QgisLayer::firstNamed(const QString& name, int64_t& featureId) {
    if (answersByQuery(name))
        return queryFirstNamed(name, featureId);
    if (!editedElsewhere())
        return nameIndex().first(name, featureId);
    while (nameIndex().first(name, featureId)) {
        QgsFeature f;
        if (!fetch(featureId, f, namer().readsGeometry())) {
            names_.remove(featureId);
            continue;
        }
        const QString current = namer().nameOf(f);
        if (current == name)
            return true;
        names_.rename(featureId, current);
    }
    return false;
}

void QgisLayer::addName(int64_t featureId) {
    changed(); // a walk feeding the index has missed it
    if (!indexed_)
        return;
    // A stored feature back again (Undo of a delete) takes its old place in the walk:
    // the index is built anew rather than guessed.
    if (featureId >= 0) {
        names_.clear();
        indexed_ = false;
        return;
    }
    QgsFeature f;
    if (fetch(featureId, f, namer().readsGeometry()))
        names_.append(featureId, namer().nameOf(f));
}

void QgisLayer::attributeChanged(int64_t featureId, int field) {
    changed();
    if (indexed_ && namer().reads(field))
        refreshName(featureId);
}

void QgisLayer::refreshName(int64_t featureId) {
    QgsFeature f;
    if (fetch(featureId, f, namer().readsGeometry()))
        names_.rename(featureId, namer().nameOf(f));
}

void QgisLayer::removeFeature(int64_t featureId) {
    changed();
    if (indexed_)
        names_.remove(featureId);
    removeHighlight(featureId);
}

QgsPointXY QgisLayer::toWgs84(const QgsFeature& feature) {
    QgsVectorLayer& layer = checked();
    const QgsGeometry& geometry = feature.geometry();
    if (geometry.isNull() || geometry.isEmpty())
        throwNotSupported(QStringLiteral("The pushpin has no position on the map"));
    const QgsPoint point = geometry.vertexAt(0);
    if (!toWgs84_)
        toWgs84_ = std::make_unique<QgsCoordinateTransform>(
            layer.crs(), QgsCoordinateReferenceSystem(QStringLiteral("EPSG:4326")),
            layer.transformContext());
    try {
        return toWgs84_->transform(QgsPointXY(point.x(), point.y()));
    } catch (const QgsCsException& e) {
        throwInvalidArgument(QStringLiteral("The pushpin's position cannot be given in "
                                            "latitude and longitude: %1")
                                 .arg(e.what()));
    }
}

QgsPointXY QgisLayer::fromWgs84(const QgsPointXY& point) {
    QgsVectorLayer& layer = checked();
    const QgsCoordinateTransform transform(
        QgsCoordinateReferenceSystem(QStringLiteral("EPSG:4326")), layer.crs(),
        layer.transformContext());
    try {
        return transform.transform(point);
    } catch (const QgsCsException& e) {
        throwInvalidArgument(QStringLiteral("The position lies outside the layer's "
                                            "coordinate system: %1")
                                 .arg(e.what()));
    }
}

void QgisLayer::beginEdit(QgsVectorDataProvider::Capability what, const QString& action) {
    QgsVectorLayer& layer = checked();
    QgsVectorDataProvider* provider = layer.dataProvider();
    if (!provider || !(provider->capabilities() & what))
        throwNotSupported(
            QStringLiteral("Cannot %1: the layer \"%2\" is read-only").arg(action, layer.name()));
    if (!layer.isEditable() && !layer.startEditing())
        throwNotSupported(QStringLiteral("Cannot %1: the layer \"%2\" cannot be edited")
                              .arg(action, layer.name()));
}

bool QgisLayer::highlighted(int64_t featureId) const {
    return highlights_.count(featureId) > 0;
}

void QgisLayer::setHighlighted(int64_t featureId, bool on) {
    if (!on) {
        removeHighlight(featureId);
        return;
    }
    if (highlighted(featureId))
        return;
    if (!canvas_)
        throwNotSupported(QStringLiteral("There is no map view to highlight in"));
    drawHighlight(featureId, feature(featureId, true).geometry());
}

void QgisLayer::drawHighlight(int64_t featureId, const QgsGeometry& geometry) {
    auto* highlight = new QgsHighlight(canvas_, geometry, layer_);
    highlight->setColor(QColor(255, 255, 0));
    highlight->setFillColor(QColor(255, 255, 0, 110));
    highlight->setWidth(3);
    highlight->setBuffer(2);
    highlight->show();
    highlights_[featureId] = highlight;
}

void QgisLayer::removeHighlight(int64_t featureId) {
    const auto it = highlights_.find(featureId);
    if (it == highlights_.end())
        return;
    // The canvas deletes its items when it goes; only a live canvas leaves it to us.
    if (canvas_)
        delete it->second;
    highlights_.erase(it);
}

} // namespace qgishost
