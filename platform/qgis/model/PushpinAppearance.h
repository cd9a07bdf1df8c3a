#pragma once

#include <QString>
#include <cstdint>

class QgsFeature;
class QgsVectorLayer;
class QgsProject;

namespace qgishost {

// The virtual field an appearance may add to a layer whose features have no stored key
// (a memory layer), to key their stored state by. It is not the user's data: the
// object model leaves it out of a dataset's fields.
inline const QString AppearanceKeyFieldName = QStringLiteral("locastra_fid");

// What Locastra draws on a layer's features, kept apart from the user's data: the
// pushpin symbols (the 256 built-in pictures and the project's custom ones) and the
// balloons. The QGIS object model reaches them only through this, so where and how
// they are stored and drawn (auxiliary storage, data-defined styling) stays in one
// place. Failures throw automation::Error.
class PushpinAppearance {
public:
    virtual ~PushpinAppearance() = default;

    // The readers take a feature the caller has read and found, so that a list of
    // pushpins costs no data-source query per row; they use its keyField() value when
    // it was read.
    //
    // A feature's symbol: its own when one was set, else the layer's.
    virtual int16_t symbol(QgsVectorLayer& layer, const QgsFeature& feature) = 0;
    // Fails for a symbol ID the project does not have.
    virtual void setSymbol(QgsVectorLayer& layer, int64_t featureId, int16_t symbol) = 0;
    // The layer's symbol; setting it gives every feature of the layer that symbol.
    virtual int16_t layerSymbol(QgsVectorLayer& layer) = 0;
    virtual void setLayerSymbol(QgsVectorLayer& layer, int16_t symbol) = 0;

    // 0 closed, 1 name only, 2 name and every field; other values fail.
    virtual int balloonState(QgsVectorLayer& layer, const QgsFeature& feature) = 0;
    // The layer field whose value keys a feature's stored state, or -1 when there is
    // none to read (nothing stored yet, or keyed by the feature ID).
    virtual int keyField(const QgsVectorLayer& layer) = 0;
    virtual void setBalloonState(QgsVectorLayer& layer, int64_t featureId, int state) = 0;

    // The project's symbols: IDs 0 to 255 built in, custom ones from 256 in the order
    // they were added.
    virtual bool hasSymbol(int symbol) = 0;
    virtual int32_t customSymbolCount() = 0;
    virtual int16_t customSymbolId(int32_t position) = 0; // position 0-based
    virtual QString symbolName(int16_t symbol) = 0;
    virtual void setSymbolName(int16_t symbol, const QString& name) = 0;
    // A custom symbol from a bitmap file, stored with the project; fails when the file
    // cannot be read as a picture.
    virtual int16_t addCustomSymbol(const QString& fileName) = 0;
};

} // namespace qgishost
