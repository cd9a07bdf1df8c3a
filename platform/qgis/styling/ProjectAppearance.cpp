#include "ProjectAppearance.h"

#include "BalloonLabels.h"
#include "SymbolStyle.h"
#include "automation/Error.h"

#include <qgsexpressioncontextutils.h>
#include <qgsproject.h>
#include <qgsvectorlayer.h>

namespace qgishost {

using automation::Error;
namespace errors = automation::errors;

ProjectAppearance::ProjectAppearance(QgsProject& project)
    : project_(project), states_(project), symbols_(project), pictures_(project, symbols_) {
    const auto restore = [this] {
        for (QgsMapLayer* layer : project_.mapLayers()) {
            if (auto* vector = qobject_cast<QgsVectorLayer*>(layer))
                FeatureStateStore::restoreDrawing(*vector);
        }
    };
    restore();
    QObject::connect(&project_, &QgsProject::readProject, &context_, restore);
}

ProjectAppearance::LayerStyle& ProjectAppearance::styleOf(QgsVectorLayer& layer) {
    const QString id = layer.id();
    if (!watched_.contains(id)) {
        // The user (or another plugin) may replace the renderer, the labels, the
        // fields or the display expression at any time: check again after any of these.
        const auto forget = [this, id] {
            styles_.remove(id);
        };
        QObject::connect(&layer, &QgsMapLayer::styleChanged, &context_, forget);
        QObject::connect(&layer, &QgsMapLayer::rendererChanged, &context_, forget);
        QObject::connect(&layer, &QgsVectorLayer::updatedFields, &context_, forget);
        QObject::connect(&layer, &QgsVectorLayer::displayExpressionChanged, &context_, forget);
        QObject::connect(&layer, &QObject::destroyed, &context_, [this, id] {
            styles_.remove(id);
            watched_.remove(id);
        });
        watched_.insert(id);
    }
    return styles_[id];
}

void ProjectAppearance::drawSymbols(QgsVectorLayer& layer, int16_t symbol) {
    states_.prepare(layer);
    pictures_.publish(symbol);
    if (!styleOf(layer).symbols) {
        SymbolStyle::apply(layer);
        // apply() may have replaced the renderer, which forgets the entry.
        styleOf(layer).symbols = true;
    }
}

int16_t ProjectAppearance::symbol(QgsVectorLayer& layer, const QgsFeature& feature) {
    const QVariant own = states_.value(layer, feature, FeatureState::Symbol);
    return own.isNull() ? layerSymbol(layer) : int16_t(own.toInt());
}

void ProjectAppearance::setSymbol(QgsVectorLayer& layer, int64_t featureId, int16_t symbol) {
    symbols_.check(symbol);
    states_.setValue(layer, featureId, FeatureState::Symbol, int(symbol));
    drawSymbols(layer, symbol);
    layer.triggerRepaint();
}

int16_t ProjectAppearance::layerSymbol(QgsVectorLayer& layer) {
    // Read where QGIS keeps layer variables: building the layer's expression scope
    // for it would cost more than the rest of listing a pushpin.
    const QStringList names = layer.customProperty(QStringLiteral("variableNames")).toStringList();
    const int at = names.indexOf(SymbolStyle::LayerSymbolVariable);
    if (at < 0)
        return 0;
    bool ok = false;
    const int symbol =
        layer.customProperty(QStringLiteral("variableValues")).toStringList().value(at).toInt(&ok);
    return ok ? int16_t(symbol) : int16_t(0);
}

void ProjectAppearance::setLayerSymbol(QgsVectorLayer& layer, int16_t symbol) {
    symbols_.check(symbol);
    drawSymbols(layer, symbol);
    states_.clear(layer, FeatureState::Symbol);
    QgsExpressionContextUtils::setLayerVariable(&layer, SymbolStyle::LayerSymbolVariable,
                                                QString::number(symbol));
    layer.triggerRepaint();
}

int ProjectAppearance::balloonState(QgsVectorLayer& layer, const QgsFeature& feature) {
    return states_.value(layer, feature, FeatureState::Balloon).toInt();
}

int ProjectAppearance::keyField(const QgsVectorLayer& layer) {
    return FeatureStateStore::keyFieldIndex(layer);
}

void ProjectAppearance::setBalloonState(QgsVectorLayer& layer, int64_t featureId, int state) {
    if (state < 0 || state > 2)
        throw Error(errors::InvalidArgument,
                    QStringLiteral("A balloon state is 0, 1 or 2, not %1").arg(state));
    // Closing a balloon on a layer that never had one needs nothing stored.
    if (state == 0 && !FeatureStateStore::hasField(layer, FeatureState::Balloon)) {
        FeatureStateStore::checkFeature(layer, featureId);
        return;
    }
    states_.setValue(layer, featureId, FeatureState::Balloon, state == 0 ? QVariant() : state);
    if (state != 0 && !styleOf(layer).balloons) {
        BalloonLabels::apply(layer);
        styleOf(layer).balloons = true;
    }
    layer.triggerRepaint();
}

bool ProjectAppearance::hasSymbol(int symbol) {
    return symbols_.has(symbol);
}

int32_t ProjectAppearance::customSymbolCount() {
    return symbols_.customCount();
}

int16_t ProjectAppearance::customSymbolId(int32_t position) {
    return symbols_.customId(position);
}

QString ProjectAppearance::symbolName(int16_t symbol) {
    return symbols_.name(symbol);
}

void ProjectAppearance::setSymbolName(int16_t symbol, const QString& name) {
    symbols_.setName(symbol, name);
}

int16_t ProjectAppearance::addCustomSymbol(const QString& fileName) {
    return symbols_.add(fileName);
}

} // namespace qgishost
