#pragma once

#include <QString>

class QgsPropertyDefinition;
class QgsVectorLayer;

namespace qgishost {

// What Locastra keeps per feature, each in an auxiliary field of its own.
enum class FeatureState { Symbol, Balloon };

// The auxiliary property behind a state; its field in the auxiliary layer is
// "locastra_symbol" or "locastra_balloon".
QgsPropertyDefinition FeatureStateDefinition(FeatureState state);

// The state's field as the layer sees it through the join
// ("auxiliary_storage_locastra_symbol"), as expressions name it.
QString FeatureStateFieldName(FeatureState state);

// The virtual field ($id) that keys the auxiliary layer of a layer whose provider
// has no single-field primary key (memory layers, shapefiles).
inline const QString FeatureKeyFieldName = QStringLiteral("locastra_fid");

// True for fields that are not the user's data: QGIS's auxiliary fields (ours and
// those of QGIS's own label tools) and the key field above.
bool IsAppearanceField(const QgsVectorLayer& layer, int fieldIndex);

} // namespace qgishost
