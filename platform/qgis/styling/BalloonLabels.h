#pragma once

#include <QString>

class QgsVectorLayer;

namespace qgishost {

// Draws Locastra's balloons as labels with a balloon callout: one rule of a
// rule-based labeling, shown where the feature's balloon state is 1 (its name) or 2
// (its name and a "name: value" line per field). The user's own labeling is kept
// beside it as a rule of its own (switched off if it was off).
class BalloonLabels {
public:
    static inline const QString RuleDescription = QStringLiteral("Locastra balloons");

    // The label text of a feature of the layer, as an expression.
    static QString TextExpression(const QgsVectorLayer& layer);

    // Adds the balloon rule, or brings its text up to date with the layer's fields
    // and display expression; false when there was nothing to do.
    static bool apply(QgsVectorLayer& layer);
};

} // namespace qgishost
