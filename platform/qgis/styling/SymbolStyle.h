#pragma once

#include <QString>

class QgsVectorLayer;

namespace qgishost {

// Draws Locastra's symbols on a layer through its own renderer: every marker symbol
// of the renderer gets one more symbol layer, a raster marker whose picture is the
// project variable of the feature's symbol (its own, else the layer's). Where a
// feature has neither, the marker stays off and the user's own symbol layers draw
// as before; where it has one, those layers are off. The renderer's kind (single,
// categorized, rule-based...) is kept.
class SymbolStyle {
public:
    // The layer variable holding the layer's symbol.
    static inline const QString LayerSymbolVariable = QStringLiteral("locastra_layer_symbol");

    // The feature's symbol ID as an expression, NULL where Locastra set none.
    static QString SymbolExpression();

    // Adds the marker where the renderer lacks it; false when there was nothing to do.
    static bool apply(QgsVectorLayer& layer);
};

} // namespace qgishost
