#pragma once

#include "FeatureStateStore.h"
#include "ProjectSymbolTable.h"
#include "SymbolPictureVariables.h"
#include "qgis/model/PushpinAppearance.h"

#include <QHash>
#include <QObject>
#include <QSet>

namespace qgishost {

// Locastra's symbols and balloons on the layers of one QGIS project, kept out of the
// user's data: per feature in the project's auxiliary storage, the layer's symbol in
// a layer variable, the symbol table in the project's entries. The first symbol set
// on a layer adds Locastra's marker to its renderer, the first balloon opened adds
// the balloon labels; until then the layer keeps the user's style untouched.
class ProjectAppearance : public PushpinAppearance {
public:
    explicit ProjectAppearance(QgsProject& project);

    int16_t symbol(QgsVectorLayer& layer, const QgsFeature& feature) override;
    void setSymbol(QgsVectorLayer& layer, int64_t featureId, int16_t symbol) override;
    int16_t layerSymbol(QgsVectorLayer& layer) override;
    void setLayerSymbol(QgsVectorLayer& layer, int16_t symbol) override;

    int balloonState(QgsVectorLayer& layer, const QgsFeature& feature) override;
    int keyField(const QgsVectorLayer& layer) override;
    void setBalloonState(QgsVectorLayer& layer, int64_t featureId, int state) override;

    bool hasSymbol(int symbol) override;
    int32_t customSymbolCount() override;
    int16_t customSymbolId(int32_t position) override;
    QString symbolName(int16_t symbol) override;
    void setSymbolName(int16_t symbol, const QString& name) override;
    int16_t addCustomSymbol(const QString& fileName) override;

private:
    // What is known to be in place on a layer; forgotten when its style changes.
    struct LayerStyle {
        bool symbols = false;
        bool balloons = false;
    };
    LayerStyle& styleOf(QgsVectorLayer& layer);
    void drawSymbols(QgsVectorLayer& layer, int16_t symbol);

    QgsProject& project_;
    FeatureStateStore states_;
    ProjectSymbolTable symbols_;
    SymbolPictureVariables pictures_;
    QHash<QString, LayerStyle> styles_; // by layer ID
    QSet<QString> watched_;             // layers whose signals reach styles_
    QObject context_;
};

} // namespace qgishost
