#include "RecordingAppearance.h"

#include "automation/Error.h"
#include "mappoint/Types.h"

#include <QFileInfo>
#include <QImageReader>
#include <qgsvectorlayer.h>

namespace qgistest {

void RecordingAppearance::checkSymbol(int symbol) {
    if (!hasSymbol(symbol))
        throw automation::Error(automation::errors::InvalidArgument,
                                QStringLiteral("The map has no symbol %1").arg(symbol));
}

int16_t RecordingAppearance::symbol(QgsVectorLayer& layer, const QgsFeature& feature) {
    return symbols_.value({layer.id(), feature.id()}, layerSymbol(layer));
}

void RecordingAppearance::setSymbol(QgsVectorLayer& layer, int64_t featureId, int16_t symbol) {
    checkSymbol(symbol);
    symbols_[{layer.id(), featureId}] = symbol;
    log << QStringLiteral("setSymbol %1 %2 %3").arg(layer.name()).arg(featureId).arg(symbol);
}

int16_t RecordingAppearance::layerSymbol(QgsVectorLayer& layer) {
    return layerSymbols_.value(layer.id(), 0);
}

void RecordingAppearance::setLayerSymbol(QgsVectorLayer& layer, int16_t symbol) {
    checkSymbol(symbol);
    layerSymbols_[layer.id()] = symbol;
    for (auto it = symbols_.begin(); it != symbols_.end();)
        it = it.key().first == layer.id() ? symbols_.erase(it) : std::next(it);
    log << QStringLiteral("setLayerSymbol %1 %2").arg(layer.name()).arg(symbol);
}

int RecordingAppearance::balloonState(QgsVectorLayer& layer, const QgsFeature& feature) {
    return balloons_.value({layer.id(), feature.id()}, 0);
}

void RecordingAppearance::setBalloonState(QgsVectorLayer& layer, int64_t featureId, int state) {
    if (state < 0 || state > 2)
        throw automation::Error(automation::errors::InvalidArgument,
                                QStringLiteral("Balloon state %1 is not 0, 1 or 2").arg(state));
    balloons_[{layer.id(), featureId}] = state;
    log << QStringLiteral("setBalloonState %1 %2 %3").arg(layer.name()).arg(featureId).arg(state);
}

bool RecordingAppearance::hasSymbol(int symbol) {
    return symbol >= 0 && symbol < mappoint::BuiltInSymbolCount + custom_.size();
}

int16_t RecordingAppearance::customSymbolId(int32_t position) {
    return int16_t(mappoint::BuiltInSymbolCount + position);
}

QString RecordingAppearance::symbolName(int16_t symbol) {
    checkSymbol(symbol);
    return symbol < mappoint::BuiltInSymbolCount
               ? QString::number(symbol)
               : custom_[symbol - mappoint::BuiltInSymbolCount].first;
}

void RecordingAppearance::setSymbolName(int16_t symbol, const QString& name) {
    checkSymbol(symbol);
    if (symbol < mappoint::BuiltInSymbolCount)
        throw automation::Error(automation::errors::NotSupported,
                                QStringLiteral("A built-in symbol cannot be renamed"));
    custom_[symbol - mappoint::BuiltInSymbolCount].first = name;
}

int16_t RecordingAppearance::addCustomSymbol(const QString& fileName) {
    const QImage image = QImageReader(fileName).read();
    if (image.isNull())
        throw automation::Error(automation::errors::FileError,
                                QStringLiteral("\"%1\" cannot be read as a picture").arg(fileName));
    custom_.push_back({QFileInfo(fileName).completeBaseName(), image});
    return int16_t(mappoint::BuiltInSymbolCount + custom_.size() - 1);
}

} // namespace qgistest
