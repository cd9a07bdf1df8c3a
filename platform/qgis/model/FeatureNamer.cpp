#include "FeatureNamer.h"

#include <qgsexpressioncontextutils.h>
#include <qgsfeaturerequest.h>
#include <qgsvectorlayer.h>

namespace qgishost {

namespace {
QString text(const QVariant& value) {
    return value.isNull() ? QString() : value.toString();
}
} // namespace

FeatureNamer::FeatureNamer(const QgsVectorLayer& layer) : text_(layer.displayExpression()) {
    field_ = QgsExpression::expressionToLayerFieldIndex(text_, &layer);
    if (field_ >= 0) {
        attributes_ = {field_};
        return;
    }
    if (text_.trimmed().isEmpty())
        return;
    evaluated_ = true;
    expression_ = QgsExpression(text_);
    context_ = QgsExpressionContext(QgsExpressionContextUtils::globalProjectLayerScopes(&layer));
    expression_.prepare(&context_);
    allAttributes_ = expression_.referencedColumns().contains(QgsFeatureRequest::ALL_ATTRIBUTES);
    const QSet<int> used = expression_.referencedAttributeIndexes(layer.fields());
    attributes_ = QgsAttributeList(used.begin(), used.end());
    readsGeometry_ = expression_.needsGeometry();
}

QString FeatureNamer::nameOf(const QgsFeature& feature) const {
    if (field_ >= 0)
        return text(feature.attribute(field_));
    if (!evaluated_)
        return {};
    context_.setFeature(feature);
    return text(expression_.evaluate(&context_));
}

} // namespace qgishost
