#include "FeatureStateStore.h"

#include "automation/Error.h"

#include <algorithm>
#include <climits>
#include <qgsauxiliarystorage.h>
#include <qgsfeatureiterator.h>
#include <qgsfeaturerequest.h>
#include <qgsproject.h>
#include <qgsvectordataprovider.h>
#include <qgsvectorlayer.h>
#include <qgsvectorlayereditbuffer.h>

namespace qgishost {

using automation::Error;
namespace errors = automation::errors;

namespace {

constexpr int PendingRows = 256;

[[noreturn]] void refuse(const QgsVectorLayer& layer, const QString& what) {
    throw Error(errors::NotSupported,
                QStringLiteral("QGIS cannot %1 on layer \"%2\"").arg(what, layer.name()));
}

bool isWholeNumber(const QgsField& field) {
    return field.type() == QVariant::Int || field.type() == QVariant::LongLong ||
           field.type() == QVariant::UInt || field.type() == QVariant::ULongLong;
}

// A whole-number field with a distinct value in every feature, or -1.
int uniqueNumberField(const QgsVectorLayer& layer) {
    const long long count = layer.featureCount();
    if (count < 0)
        return -1;
    const QgsFields fields = layer.fields();
    for (int i = 0; i < fields.count(); ++i) {
        if (fields.fieldOrigin(i) != QgsFields::OriginProvider || !isWholeNumber(fields.at(i)))
            continue;
        const QSet<QVariant> values =
            layer.uniqueValues(i, int(std::min<long long>(count + 1, INT_MAX)));
        if (values.size() == count && std::none_of(values.begin(), values.end(),
                                                   [](const QVariant& v) { return v.isNull(); }))
            return i;
    }
    return -1;
}

// The layer field the auxiliary layer joins on: the provider's single-field primary
// key; else, for a file without one (a shapefile renumbers its features when it is
// written back after a delete), a whole-number field with a distinct value per
// feature; else a virtual field holding the feature ID (memory layers never reuse one).
QgsField keyField(QgsVectorLayer& layer) {
    const QgsVectorDataProvider* provider = layer.dataProvider();
    if (!provider)
        refuse(layer, QStringLiteral("store Locastra's symbols and balloons"));
    const QgsAttributeList pk = provider->pkAttributeIndexes();
    if (pk.size() == 1) {
        const int index = layer.fields().indexOf(provider->fields().at(pk.front()).name());
        if (index >= 0)
            return layer.fields().at(index);
    }
    if (provider->name() != QLatin1String("memory")) {
        const int index = uniqueNumberField(layer);
        if (index >= 0)
            return layer.fields().at(index);
    }
    if (layer.fields().indexOf(FeatureKeyFieldName) < 0 &&
        layer.addExpressionField(
            QStringLiteral("$id"),
            QgsField(FeatureKeyFieldName, QVariant::LongLong, QStringLiteral("integer"))) < 0)
        refuse(layer, QStringLiteral("add a feature key"));
    return layer.fields().field(FeatureKeyFieldName);
}

} // namespace

void FeatureStateStore::checkFeature(const QgsVectorLayer& layer, int64_t featureId) {
    // Asked of the edit buffer and the provider, not the layer: a layer request
    // would look up the auxiliary join as well.
    const QgsVectorLayerEditBuffer* edits = layer.editBuffer();
    bool exists = false;
    if (edits && edits->isFeatureAdded(featureId)) {
        exists = true;
    } else if (!(edits && edits->isFeatureDeleted(featureId)) && layer.dataProvider()) {
        QgsFeature feature;
        layer.dataProvider()
            ->getFeatures(QgsFeatureRequest(featureId).setNoAttributes().setFlags(
                QgsFeatureRequest::NoGeometry))
            .nextFeature(feature);
        exists = feature.isValid();
    }
    if (!exists)
        throw Error(errors::ObjectDeleted, QStringLiteral("The pushpin was deleted from the map"));
}

bool FeatureStateStore::hasField(const QgsVectorLayer& layer, FeatureState state) {
    return layer.auxiliaryLayer() && layer.fields().indexOf(FeatureStateFieldName(state)) >= 0;
}

void FeatureStateStore::prepare(QgsVectorLayer& layer) {
    if (!layer.auxiliaryLayer()) {
        QgsAuxiliaryStorage* storage = project_.auxiliaryStorage();
        if (!storage || !storage->isValid())
            refuse(layer, QStringLiteral("open the project's auxiliary storage"));
        QgsAuxiliaryLayer* aux = storage->createAuxiliaryLayer(keyField(layer), &layer);
        if (!aux)
            refuse(layer,
                   QStringLiteral("create an auxiliary layer: %1").arg(storage->errorString()));
        layer.setAuxiliaryLayer(aux);
    }
    QgsAuxiliaryLayer* aux = layer.auxiliaryLayer();
    for (FeatureState state : {FeatureState::Symbol, FeatureState::Balloon}) {
        const QgsPropertyDefinition definition = FeatureStateDefinition(state);
        if (!aux->exists(definition) && !aux->addAuxiliaryField(definition))
            refuse(layer,
                   QStringLiteral("add the auxiliary field %1").arg(FeatureStateFieldName(state)));
    }
}

QVariant FeatureStateStore::value(QgsVectorLayer& layer, int64_t featureId,
                                  FeatureState state) const {
    const int index =
        hasField(layer, state) ? layer.fields().indexOf(FeatureStateFieldName(state)) : -1;
    if (index < 0) {
        checkFeature(layer, featureId);
        return {};
    }
    QgsFeature feature;
    layer
        .getFeatures(QgsFeatureRequest(featureId)
                         .setSubsetOfAttributes(QgsAttributeList{index})
                         .setFlags(QgsFeatureRequest::NoGeometry))
        .nextFeature(feature);
    if (!feature.isValid())
        throw Error(errors::ObjectDeleted, QStringLiteral("The pushpin was deleted from the map"));
    const QVariant v = feature.attribute(index);
    return v.isNull() ? QVariant() : v;
}

void FeatureStateStore::setValue(QgsVectorLayer& layer, int64_t featureId, FeatureState state,
                                 const QVariant& value) {
    checkFeature(layer, featureId);
    // A feature added in the edit buffer has no key yet (and a temporary ID).
    if (FID_IS_NEW(featureId))
        throw Error(errors::NotSupported,
                    QStringLiteral("Save the edits of layer \"%1\" before giving its new "
                                   "pushpins a symbol or balloon")
                        .arg(layer.name()));
    prepare(layer);
    const int index = layer.fields().indexOf(FeatureStateFieldName(state));
    if (!layer.changeAttributeValue(featureId, index, value))
        refuse(layer, QStringLiteral("store a pushpin's %1")
                          .arg(state == FeatureState::Symbol ? QStringLiteral("symbol")
                                                             : QStringLiteral("balloon")));
    // Every join lookup walks the auxiliary layer's uncommitted rows, so a loop over
    // a large layer would slow down with each row added: commit them now and then
    // (into the project's copy of the storage; the project's save writes it out).
    QgsAuxiliaryLayer* aux = layer.auxiliaryLayer();
    const QgsVectorLayerEditBuffer* pending = aux->editBuffer();
    if (pending &&
        pending->addedFeatures().size() + pending->changedAttributeValues().size() >= PendingRows)
        aux->save();
}

void FeatureStateStore::clear(QgsVectorLayer& layer, FeatureState state) {
    if (!hasField(layer, state))
        return;
    QgsAuxiliaryLayer* aux = layer.auxiliaryLayer();
    const QString name = QgsAuxiliaryLayer::nameFromProperty(FeatureStateDefinition(state));
    const int index = aux->fields().indexOf(name);
    QgsFeatureRequest request;
    request.setFilterExpression(
        QStringLiteral("%1 IS NOT NULL").arg(QgsExpression::quotedColumnRef(name)));
    request.setFlags(QgsFeatureRequest::NoGeometry);
    QgsFeatureIds ids;
    QgsFeature feature;
    QgsFeatureIterator it = aux->getFeatures(request);
    while (it.nextFeature(feature))
        ids.insert(feature.id());
    for (QgsFeatureId id : ids) {
        if (!aux->changeAttributeValue(id, index, QVariant()))
            refuse(layer, QStringLiteral("clear the pushpins' symbols"));
    }
}

} // namespace qgishost
