#pragma once

#include "PushpinAppearance.h"

#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QVector>
#include <qgsfeature.h>
#include <utility>

namespace qgistest {

// A pushpin appearance that keeps symbols and balloons in memory and logs every
// write ("setBalloonState <layer name> <feature id> <state>"). It checks its
// arguments as the real one does: unknown symbols and balloon states fail.
class RecordingAppearance : public qgishost::PushpinAppearance {
public:
    int16_t symbol(QgsVectorLayer& layer, const QgsFeature& feature) override;
    void setSymbol(QgsVectorLayer& layer, int64_t featureId, int16_t symbol) override;
    int16_t layerSymbol(QgsVectorLayer& layer) override;
    void setLayerSymbol(QgsVectorLayer& layer, int16_t symbol) override;
    int balloonState(QgsVectorLayer& layer, const QgsFeature& feature) override;
    int keyField(const QgsVectorLayer&) override { return -1; }
    void setBalloonState(QgsVectorLayer& layer, int64_t featureId, int state) override;
    bool hasSymbol(int symbol) override;
    int32_t customSymbolCount() override { return int32_t(custom_.size()); }
    int16_t customSymbolId(int32_t position) override;
    QString symbolName(int16_t symbol) override;
    void setSymbolName(int16_t symbol, const QString& name) override;
    int16_t addCustomSymbol(const QString& fileName) override;

    QStringList log;

private:
    using Key = std::pair<QString, qint64>; // layer id, feature id
    void checkSymbol(int symbol);

    QHash<Key, int16_t> symbols_;
    QHash<QString, int16_t> layerSymbols_;
    QHash<Key, int> balloons_;
    QVector<std::pair<QString, QImage>> custom_;
};

} // namespace qgistest
