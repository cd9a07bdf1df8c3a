#pragma once

#include "qgis/model/PushpinAppearance.h"

#include <QString>

class QgsPropertyDefinition;
class QgsVectorLayer;

namespace qgishost {

// What Locastra keeps per feature, each in an auxiliary field of its own.
enum class FeatureState { Symbol, Balloon };

// The auxiliary property behind a state; its field in the auxiliary layer is
// "locastra_symbol" or "locastra_balloon".
QgsPropertyDefinition FeatureStateDefinition(FeatureState state);

// The state's field as the layer sees it through QGIS's auxiliary join
// ("auxiliary_storage_locastra_symbol").
QString FeatureStateFieldName(FeatureState state);

// The state's field as Locastra's drawing names it ("locastra_symbol"): brought in by
// a second, read-only join of the auxiliary layer that QGIS caches in memory, since
// the auxiliary join itself queries the auxiliary table once per drawn feature.
QString DrawnStateFieldName(FeatureState state);

// The virtual field ($id) that keys the auxiliary layer of a layer whose provider
// has no single-field primary key (memory layers, shapefiles).
inline const QString& FeatureKeyFieldName = AppearanceKeyFieldName;

// True for fields that are not the user's data: QGIS's auxiliary fields (ours and
// those of QGIS's own label tools), the drawn fields and the key field above.
bool IsAppearanceField(const QgsVectorLayer& layer, int fieldIndex);

} // namespace qgishost
