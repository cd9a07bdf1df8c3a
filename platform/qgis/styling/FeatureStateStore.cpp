#include "FeatureStateStore.h"

#include "AuxiliaryRows.h"
#include "automation/Error.h"

#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <qgsauxiliarystorage.h>
#include <qgsfeatureiterator.h>
#include <qgsfeaturerequest.h>
#include <qgsproject.h>
#include <qgsvectordataprovider.h>
#include <qgsvectorlayer.h>
#include <qgsvectorlayereditbuffer.h>
#include <qgsvectorlayerjoininfo.h>

namespace qgishost {

using automation::Error;
namespace errors = automation::errors;

namespace {

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

// The read-only join that brings the drawn fields, cached in memory by QGIS and
// filled again whenever the auxiliary layer changes. Known by its empty prefix.
bool joinDrawnFields(QgsVectorLayer& layer) {
    const QgsAuxiliaryLayer* aux = layer.auxiliaryLayer();
    for (const QgsVectorLayerJoinInfo& join : layer.vectorJoins()) {
        if (join.prefix().isNull() || !join.prefix().isEmpty() ||
            join.joinFieldName() != aux->joinInfo().joinFieldName())
            continue;
        if (join.joinLayerId() == aux->id())
            return true;
        // One saved with the project, naming the auxiliary layer of an earlier session.
        layer.removeJoin(join.joinLayerId());
    }
    QgsVectorLayerJoinInfo join;
    join.setJoinLayer(const_cast<QgsAuxiliaryLayer*>(aux));
    join.setJoinFieldName(aux->joinInfo().joinFieldName());
    join.setTargetFieldName(aux->joinInfo().targetFieldName());
    join.setPrefix(QStringLiteral(""));
    join.setJoinFieldNamesSubset(new QStringList{DrawnStateFieldName(FeatureState::Symbol),
                                                 DrawnStateFieldName(FeatureState::Balloon)});
    join.setEditable(false);
    join.setUsingMemoryCache(true);
    return layer.addJoin(join);
}

} // namespace

FeatureStateStore::FeatureStateStore(QgsProject& project) : project_(project) {}

FeatureStateStore::~FeatureStateStore() = default;

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
    if (!joinDrawnFields(layer))
        refuse(layer, QStringLiteral("join Locastra's drawn fields"));
}

void FeatureStateStore::restoreDrawing(QgsVectorLayer& layer) {
    if (hasField(layer, FeatureState::Symbol) && hasField(layer, FeatureState::Balloon))
        joinDrawnFields(layer);
}

QVariant FeatureStateStore::featureKey(const QgsVectorLayer& layer, int64_t featureId) {
    const QgsFields fields = layer.fields();
    const int index = fields.indexOf(layer.auxiliaryLayer()->joinInfo().targetFieldName());
    const QgsVectorLayerEditBuffer* edits = layer.editBuffer();
    if (index >= 0 && fields.fieldOrigin(index) == QgsFields::OriginProvider &&
        layer.dataProvider() &&
        !(edits && (edits->isFeatureAdded(featureId) || edits->isFeatureDeleted(featureId)))) {
        const int providerIndex = fields.fieldOriginIndex(index);
        QgsFeature feature;
        layer.dataProvider()
            ->getFeatures(QgsFeatureRequest(featureId)
                              .setSubsetOfAttributes(QgsAttributeList{providerIndex})
                              .setFlags(QgsFeatureRequest::NoGeometry))
            .nextFeature(feature);
        if (!feature.isValid())
            throw Error(errors::ObjectDeleted,
                        QStringLiteral("The pushpin was deleted from the map"));
        if (edits && edits->changedAttributeValues().value(featureId).contains(index))
            return edits->changedAttributeValues().value(featureId).value(index);
        return feature.attribute(providerIndex);
    }
    checkFeature(layer, featureId);
    if (index >= 0 && fields.at(index).name() == FeatureKeyFieldName)
        return qlonglong(featureId);
    // A key of the user's own making (a virtual field): as the join sees it.
    return layer.getFeature(featureId).attribute(index);
}

int FeatureStateStore::keyFieldIndex(const QgsVectorLayer& layer) {
    if (!layer.auxiliaryLayer())
        return -1;
    const QgsFields fields = layer.fields();
    const int index = fields.indexOf(layer.auxiliaryLayer()->joinInfo().targetFieldName());
    return index >= 0 && fields.at(index).name() == FeatureKeyFieldName ? -1 : index;
}

QVariant FeatureStateStore::keyOf(const QgsVectorLayer& layer, const QgsFeature& feature) {
    const QgsFields fields = layer.fields();
    const int index = fields.indexOf(layer.auxiliaryLayer()->joinInfo().targetFieldName());
    if (index >= 0 && fields.at(index).name() == FeatureKeyFieldName)
        return qlonglong(feature.id());
    // A key is never null, so a null value is one the caller's read left out.
    const QVariant read = index >= 0 ? feature.attribute(index) : QVariant();
    return read.isNull() ? featureKey(layer, feature.id()) : read;
}

AuxiliaryRows& FeatureStateStore::rowsOf(QgsVectorLayer& layer) {
    const QString id = layer.id();
    auto it = rows_.find(id);
    if (it == rows_.end()) {
        QObject::connect(&layer, &QObject::destroyed, &context_, [this, id] {
            rows_.erase(id);
            renumberings_.erase(id);
        });
        // QGIS writes a shapefile back only after it reports the deletes committed.
        QObject::connect(&layer, &QgsVectorLayer::committedFeaturesRemoved, &context_,
                         [this, id, guard = QPointer<QgsVectorLayer>(&layer)](
                             const QString&, const QgsFeatureIds& deleted) {
                             std::vector<QgsFeatureId> ascending(deleted.begin(), deleted.end());
                             std::sort(ascending.begin(), ascending.end());
                             renumberings_[id].push_back(std::move(ascending));
                             QTimer::singleShot(0, &context_, [this, guard] {
                                 if (guard && guard->auxiliaryLayer())
                                     rowsOf(*guard);
                             });
                         });
        it = rows_.emplace(id, nullptr).first;
    }
    if (!it->second || !it->second->isFor(layer.auxiliaryLayer()))
        it->second = std::make_unique<AuxiliaryRows>(*layer.auxiliaryLayer());
    followRenumbering(layer, *it->second);
    return *it->second;
}

// A shapefile written back after a delete numbers its features anew from 0 (seen by a
// feature under the lowest deleted ID), which moves the state of features keyed by ID.
void FeatureStateStore::followRenumbering(QgsVectorLayer& layer, AuxiliaryRows& rows) {
    const auto pending = renumberings_.find(layer.id());
    if (pending == renumberings_.end())
        return;
    const std::vector<std::vector<QgsFeatureId>> commits = std::move(pending->second);
    renumberings_.erase(pending);
    if (layer.auxiliaryLayer()->joinInfo().targetFieldName() != FeatureKeyFieldName ||
        !layer.dataProvider())
        return;
    for (const std::vector<QgsFeatureId>& deleted : commits) {
        if (deleted.empty())
            continue;
        QgsFeature survivor;
        layer.dataProvider()
            ->getFeatures(QgsFeatureRequest(QgsFeatureIds{deleted.front()})
                              .setNoAttributes()
                              .setFlags(QgsFeatureRequest::NoGeometry))
            .nextFeature(survivor);
        if (survivor.isValid() && survivor.id() == deleted.front())
            rows.renumber(deleted);
    }
}

QVariant FeatureStateStore::value(QgsVectorLayer& layer, const QgsFeature& feature,
                                  FeatureState state) {
    if (!hasField(layer, state))
        return {};
    return rowsOf(layer).value(keyOf(layer, feature).toString(), state);
}

void FeatureStateStore::setValue(QgsVectorLayer& layer, int64_t featureId, FeatureState state,
                                 const QVariant& value) {
    // A feature added in the edit buffer has no key yet (and a temporary ID).
    if (FID_IS_NEW(featureId))
        throw Error(errors::NotSupported,
                    QStringLiteral("Save the edits of layer \"%1\" before giving its new "
                                   "pushpins a symbol or balloon")
                        .arg(layer.name()));
    prepare(layer);
    const QVariant key = featureKey(layer, featureId);
    if (key.isNull())
        refuse(layer, QStringLiteral("store the state of a pushpin without a key value"));
    rowsOf(layer).setValue(key, state, value);
}

void FeatureStateStore::clear(QgsVectorLayer& layer, FeatureState state) {
    if (hasField(layer, state))
        rowsOf(layer).clear(state);
}

} // namespace qgishost
