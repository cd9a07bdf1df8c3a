#include "QgisPushpin.h"

#include "PushpinAppearance.h"
#include "QgisDataSet.h"
#include "QgisErrors.h"
#include "QgisLayer.h"
#include "QgisLocation.h"
#include "QgisMap.h"

#include <qgscoordinatereferencesystem.h>
#include <qgscoordinatetransform.h>
#include <qgsexception.h>
#include <qgsvectorlayer.h>

namespace qgishost {

namespace {
QgsGeometry pointIn(const QgsVectorLayer& layer, const QgsPointXY& point) {
    QgsGeometry geometry = QgsGeometry::fromPointXY(point);
    if (QgsWkbTypes::isMultiType(layer.wkbType()))
        geometry.convertToMultiType();
    return geometry;
}
} // namespace

QgisPushpin::QgisPushpin(std::shared_ptr<QgisMap> map, std::shared_ptr<QgisLayer> layer,
                         int64_t featureId, std::optional<QgsFeature> read, bool readWithGeometry)
    : map_(std::move(map)), layer_(std::move(layer)), id_(featureId), read_(std::move(read)),
      readWithGeometry_(readWithGeometry), readAt_(layer_->generation()) {}

const QgsFeature& QgisPushpin::feature(bool withGeometry) {
    layer_->checked();
    if (!read_ || readAt_ != layer_->generation() || (withGeometry && !readWithGeometry_)) {
        read_ = layer_->feature(id_, true);
        readWithGeometry_ = true;
        readAt_ = layer_->generation();
    }
    return *read_;
}

int32_t QgisPushpin::Type() {
    feature(false);
    throwNotSupported(QStringLiteral("A pushpin has no Type"));
}

QString QgisPushpin::Name() {
    const QgsFeature& f = feature(layer_->namer().readsGeometry());
    return layer_->namer().nameOf(f);
}

void QgisPushpin::setAttribute(int field, const QString& value, const QString& action) {
    QgsVectorLayer& layer = layer_->checked();
    feature(false);
    layer_->beginEdit(QgsVectorDataProvider::ChangeAttributeValues, action);
    if (!layer.changeAttributeValue(id_, field, value))
        throwNotSupported(
            QStringLiteral("Cannot %1 in the layer \"%2\"").arg(action, layer.name()));
}

void QgisPushpin::SetName(const QString& name) {
    const int field = layer_->namer().field();
    if (field < 0)
        throwNotSupported(QStringLiteral("The pushpin's name is the expression %1, not a field: "
                                         "it cannot be set")
                              .arg(layer_->namer().expression()));
    setAttribute(field, name, QStringLiteral("rename the pushpin"));
}

QString QgisPushpin::Note() {
    const int field = layer_->noteField();
    const QgsFeature& f = feature(false);
    if (field < 0)
        return {};
    const QVariant value = f.attribute(field);
    return value.isNull() ? QString() : value.toString();
}

void QgisPushpin::SetNote(const QString& note) {
    const int field = layer_->noteField();
    if (field < 0)
        throwNotSupported(
            QStringLiteral("The layer \"%1\" has no note field").arg(layer_->checked().name()));
    setAttribute(field, note, QStringLiteral("change the note"));
}

mappoint::DataSetPtr QgisPushpin::Parent() {
    feature(false);
    return map_->dataSet(layer_);
}

mappoint::LocationPtr QgisPushpin::Location() {
    return QgisLocation::create(map_, layer_->toWgs84(feature(true)));
}

int16_t QgisPushpin::Symbol() {
    const QgsFeature& f = feature(false);
    return map_->appearance().symbol(layer_->checked(), f);
}

void QgisPushpin::SetSymbol(int16_t symbol) {
    feature(false);
    map_->appearance().setSymbol(layer_->checked(), id_, symbol);
}

bool QgisPushpin::Highlight() {
    feature(false);
    return layer_->highlighted(id_);
}

void QgisPushpin::SetHighlight(bool highlight) {
    feature(false);
    layer_->setHighlighted(id_, highlight);
}

int QgisPushpin::BalloonState() {
    const QgsFeature& f = feature(false);
    return map_->appearance().balloonState(layer_->checked(), f);
}

void QgisPushpin::SetBalloonState(int state) {
    feature(false);
    if (state < mappoint::geoDisplayNone || state > mappoint::geoDisplayBalloon)
        throwInvalidArgument(QStringLiteral("Balloon state %1 is not 0, 1 or 2").arg(state));
    map_->appearance().setBalloonState(layer_->checked(), id_, state);
}

void QgisPushpin::Select() {
    QgsVectorLayer& layer = layer_->checked();
    feature(false);
    layer.selectByIds({id_});
    map_->activateLayer(&layer);
}

void QgisPushpin::Delete() {
    QgsVectorLayer& layer = layer_->checked();
    feature(false);
    layer_->beginEdit(QgsVectorDataProvider::DeleteFeatures, QStringLiteral("delete the pushpin"));
    if (!layer.deleteFeature(id_))
        throwNotSupported(QStringLiteral("The pushpin cannot be deleted from the layer \"%1\"")
                              .arg(layer.name()));
}

void QgisPushpin::MoveTo(mappoint::DataSetPtr dataSet) {
    auto* target = dynamic_cast<QgisDataSet*>(dataSet.get());
    if (!target || target->map() != map_)
        throwInvalidArgument(QStringLiteral("MoveTo needs a dataset of the same map"));
    if (target->layer() == layer_)
        return;
    QgsVectorLayer& from = layer_->checked();
    QgsVectorLayer& to = target->layer()->checked();
    // Every field, read now (a copy from a record set holds only what a pushpin shows).
    const QgsFeature source = layer_->feature(id_, true);
    const QgsPointXY wgs84 = layer_->toWgs84(source);
    layer_->beginEdit(QgsVectorDataProvider::DeleteFeatures, QStringLiteral("move the pushpin"));
    target->layer()->beginEdit(QgsVectorDataProvider::AddFeatures,
                               QStringLiteral("move the pushpin"));
    QgsFeature copy(to.fields());
    copy.setGeometry(pointIn(to, target->layer()->fromWgs84(wgs84)));
    const QgsFields fields = from.fields();
    for (int i : layer_->dataFields()) {
        const int j = to.fields().indexFromName(fields.at(i).name());
        // The target's own fields, saved or still in its edit buffer; not joined or
        // expression fields.
        const QgsFields::FieldOrigin origin =
            j >= 0 ? to.fields().fieldOrigin(j) : QgsFields::OriginUnknown;
        if (origin == QgsFields::OriginProvider || origin == QgsFields::OriginEdit)
            copy.setAttribute(j, source.attribute(i));
    }
    if (!to.addFeature(copy))
        throwNotSupported(
            QStringLiteral("The pushpin cannot be added to the layer \"%1\"").arg(to.name()));
    if (!from.deleteFeature(id_)) {
        to.deleteFeature(copy.id());
        throwNotSupported(
            QStringLiteral("The pushpin cannot be deleted from the layer \"%1\"").arg(from.name()));
    }
    layer_ = target->layer();
    id_ = copy.id();
    read_.reset();
}

int64_t QgisPushpin::addFeature(QgisLayer& layer, const QgsPointXY& wgs84, const QString& name) {
    QgsVectorLayer& vector = layer.checked();
    const int nameField = layer.namer().field();
    if (nameField < 0 && !name.isEmpty())
        throwNotSupported(QStringLiteral("Pushpins of the layer \"%1\" are named by the "
                                         "expression %2: a new one cannot be given a name")
                              .arg(vector.name(), layer.namer().expression()));
    layer.beginEdit(QgsVectorDataProvider::AddFeatures, QStringLiteral("add a pushpin"));
    QgsFeature f(vector.fields());
    f.setGeometry(pointIn(vector, layer.fromWgs84(wgs84)));
    if (nameField >= 0)
        f.setAttribute(nameField, name);
    if (!vector.addFeature(f))
        throwNotSupported(
            QStringLiteral("A pushpin cannot be added to the layer \"%1\"").arg(vector.name()));
    return f.id();
}

} // namespace qgishost
