#include "SymbolStyle.h"

#include "FeatureState.h"
#include "SymbolPictureVariables.h"
#include "automation/Error.h"

#include <memory>
#include <qgsmarkersymbol.h>
#include <qgsmarkersymbollayer.h>
#include <qgsproperty.h>
#include <qgsrendercontext.h>
#include <qgsrenderer.h>
#include <qgsvectorlayer.h>

namespace qgishost {

namespace {

QString pictureExpression() {
    return QStringLiteral("var(%1 || to_string(to_int(%2)))")
        .arg(QgsExpression::quotedString(SymbolPictureVariables::Prefix),
             SymbolStyle::SymbolExpression());
}

bool isLocastraMarker(const QgsSymbolLayer* layer) {
    return layer->layerType() == QLatin1String("RasterMarker") &&
           layer->dataDefinedProperties()
               .property(QgsSymbolLayer::PropertyName)
               .expressionString()
               .contains(SymbolPictureVariables::Prefix);
}

QgsSymbolLayer* createMarker() {
    auto* marker = new QgsRasterMarkerSymbolLayer(QString(), SymbolPictureVariables::PictureSize);
    marker->setSizeUnit(QgsUnitTypes::RenderPixels);
    marker->setDataDefinedProperty(QgsSymbolLayer::PropertyName,
                                   QgsProperty::fromExpression(pictureExpression()));
    marker->setDataDefinedProperty(QgsSymbolLayer::PropertyLayerEnabled,
                                   QgsProperty::fromExpression(SymbolStyle::SymbolExpression() +
                                                               QStringLiteral(" IS NOT NULL")));
    return marker;
}

// The user's layer draws only where Locastra set no symbol (and where its own
// enabled expression, if any, says so).
void yieldToLocastra(QgsSymbolLayer* layer) {
    QString enabled = QStringLiteral("(%1) IS NULL").arg(SymbolStyle::SymbolExpression());
    const QgsProperty own =
        layer->dataDefinedProperties().property(QgsSymbolLayer::PropertyLayerEnabled);
    if (own.isActive())
        enabled += QStringLiteral(" AND (%1)").arg(own.asExpression());
    layer->setDataDefinedProperty(QgsSymbolLayer::PropertyLayerEnabled,
                                  QgsProperty::fromExpression(enabled));
}

} // namespace

QString SymbolStyle::SymbolExpression() {
    return QStringLiteral("coalesce(%1, @%2)")
        .arg(QgsExpression::quotedColumnRef(DrawnStateFieldName(FeatureState::Symbol)),
             LayerSymbolVariable);
}

bool SymbolStyle::apply(QgsVectorLayer& layer) {
    if (!layer.renderer())
        throw automation::Error(automation::errors::NotSupported,
                                QStringLiteral("Layer \"%1\" has no renderer").arg(layer.name()));
    std::unique_ptr<QgsFeatureRenderer> renderer(layer.renderer()->clone());
    QgsRenderContext context;
    bool changed = false;
    // symbols() hands out the renderer's own symbols, so the clone is edited in place.
    for (QgsSymbol* symbol : renderer->symbols(context)) {
        if (!symbol || symbol->type() != Qgis::SymbolType::Marker)
            continue;
        bool present = false;
        for (int i = 0; i < symbol->symbolLayerCount(); ++i)
            present = present || isLocastraMarker(symbol->symbolLayer(i));
        if (present)
            continue;
        for (int i = 0; i < symbol->symbolLayerCount(); ++i)
            yieldToLocastra(symbol->symbolLayer(i));
        symbol->appendSymbolLayer(createMarker());
        changed = true;
    }
    if (changed)
        layer.setRenderer(renderer.release());
    return changed;
}

} // namespace qgishost
