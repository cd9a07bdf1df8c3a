#pragma once

#include <QString>
#include <qgsexpression.h>
#include <qgsexpressioncontext.h>
#include <qgsfeature.h>

class QgsVectorLayer;

namespace qgishost {

// A feature's name: its layer's display expression (QGIS's "display name"). A plain
// field reference is read straight from the attribute; anything else is evaluated.
// A NULL result or an empty expression names the feature "".
class FeatureNamer {
public:
    explicit FeatureNamer(const QgsVectorLayer& layer);

    QString nameOf(const QgsFeature& feature) const;
    // The field the expression is, or -1 when it is more than a field.
    int field() const { return field_; }
    QString expression() const { return text_; }
    // What nameOf reads of a feature.
    bool readsAllAttributes() const { return allAttributes_; }
    const QgsAttributeList& attributes() const { return attributes_; }
    bool readsGeometry() const { return readsGeometry_; }
    bool reads(int field) const { return allAttributes_ || attributes_.contains(field); }

private:
    QString text_;
    int field_ = -1;
    bool evaluated_ = false;
    bool allAttributes_ = false;
    bool readsGeometry_ = false;
    QgsAttributeList attributes_;
    mutable QgsExpression expression_;
    mutable QgsExpressionContext context_;
};

} // namespace qgishost
