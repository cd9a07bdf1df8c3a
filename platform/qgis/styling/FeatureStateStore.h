#pragma once

#include "FeatureState.h"

#include <QObject>
#include <QVariant>
#include <cstdint>
#include <memory>
#include <qgsfeatureid.h>
#include <unordered_map>
#include <vector>

class QgsFeature;
class QgsProject;
class QgsVectorLayer;

namespace qgishost {

class AuxiliaryRows;

// Per-feature state in the project's auxiliary storage (the .qgd beside the project
// file, or inside a .qgz), so the layer's own data source is never written. A layer
// gets its auxiliary layer the first time something is stored, keyed by a field
// that stays with its feature: the provider's single-field primary key (GeoPackage
// "fid", PostGIS), else a whole-number field distinct in every feature, else a
// virtual field holding the feature ID. Features added in the edit buffer take state
// only once saved. Failures throw automation::Error.
class FeatureStateStore {
public:
    explicit FeatureStateStore(QgsProject& project);
    ~FeatureStateStore();

    // The stored value, null when none was stored, of a feature the caller read and
    // found; its key is taken from it when it was read with keyFieldIndex().
    QVariant value(QgsVectorLayer& layer, const QgsFeature& feature, FeatureState state);
    // Null removes the value.
    void setValue(QgsVectorLayer& layer, int64_t featureId, FeatureState state,
                  const QVariant& value);
    // Removes the state from every feature of the layer.
    void clear(QgsVectorLayer& layer, FeatureState state);

    // True when the layer has the auxiliary field for the state.
    static bool hasField(const QgsVectorLayer& layer, FeatureState state);
    // Creates the auxiliary layer, the fields of both states and the drawing join
    // where missing.
    void prepare(QgsVectorLayer& layer);
    // Joins the drawn fields again to a layer read from a project file, which
    // brought its auxiliary layer but not a usable drawing join.
    static void restoreDrawing(QgsVectorLayer& layer);
    // The layer field holding the key a feature's state is stored by, or -1 when the
    // layer has no stored state or keys it by the feature ID.
    static int keyFieldIndex(const QgsVectorLayer& layer);
    // Throws ObjectDeleted when the layer has no such feature.
    static void checkFeature(const QgsVectorLayer& layer, int64_t featureId);

private:
    // The feature's value of the field the auxiliary layer joins on.
    static QVariant featureKey(const QgsVectorLayer& layer, int64_t featureId);
    // The same, from a feature read through the layer, read again only where the
    // feature was read without it.
    static QVariant keyOf(const QgsVectorLayer& layer, const QgsFeature& feature);
    AuxiliaryRows& rowsOf(QgsVectorLayer& layer);
    void followRenumbering(QgsVectorLayer& layer, AuxiliaryRows& rows);

    QgsProject& project_;
    std::unordered_map<QString, std::unique_ptr<AuxiliaryRows>> rows_; // by layer ID
    // The IDs each commit deleted, ascending, until the rows follow them.
    std::unordered_map<QString, std::vector<std::vector<QgsFeatureId>>> renumberings_;
    QObject context_;
};

} // namespace qgishost
