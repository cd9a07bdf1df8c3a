#include "FeatureState.h"

#include <qgsauxiliarystorage.h>
#include <qgsproperty.h>
#include <qgsvectorlayer.h>

namespace qgishost {

QgsPropertyDefinition FeatureStateDefinition(FeatureState state) {
    const bool symbol = state == FeatureState::Symbol;
    return QgsPropertyDefinition(
        symbol ? QStringLiteral("symbol") : QStringLiteral("balloon"),
        QgsPropertyDefinition::DataTypeNumeric,
        symbol ? QStringLiteral("Locastra symbol") : QStringLiteral("Locastra balloon"),
        symbol ? QStringLiteral("Pushpin symbol ID") : QStringLiteral("0 closed, 1 name, 2 all"),
        QStringLiteral("locastra"));
}

QString FeatureStateFieldName(FeatureState state) {
    return QgsAuxiliaryLayer::nameFromProperty(FeatureStateDefinition(state), true);
}

QString DrawnStateFieldName(FeatureState state) {
    return QgsAuxiliaryLayer::nameFromProperty(FeatureStateDefinition(state));
}

bool IsAppearanceField(const QgsVectorLayer& layer, int fieldIndex) {
    const QgsFields fields = layer.fields();
    if (fieldIndex < 0 || fieldIndex >= fields.count())
        return false;
    if (fields.fieldOrigin(fieldIndex) == QgsFields::OriginExpression)
        return fields.at(fieldIndex).name() == FeatureKeyFieldName;
    if (fields.fieldOrigin(fieldIndex) == QgsFields::OriginJoin &&
        (fields.at(fieldIndex).name() == DrawnStateFieldName(FeatureState::Symbol) ||
         fields.at(fieldIndex).name() == DrawnStateFieldName(FeatureState::Balloon)))
        return true;
    int auxIndex = -1;
    return layer.isAuxiliaryField(fieldIndex, auxIndex);
}

} // namespace qgishost
