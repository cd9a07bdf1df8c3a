#pragma once

#include "FeatureState.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QVariant>
#include <qgsfeatureid.h>
#include <vector>

class QgsAuxiliaryLayer;

namespace qgishost {

// Locastra's rows of one layer's auxiliary layer, held in memory by key, so that
// reading or writing one feature's state is a hash lookup and a write to the
// auxiliary layer's edit buffer: a request through QGIS's join would search the
// auxiliary table (and every row not yet committed) for each feature. Changes made
// by others to the auxiliary layer (QGIS deleting the rows of deleted features)
// make it read the rows again on next use.
class AuxiliaryRows {
public:
    explicit AuxiliaryRows(QgsAuxiliaryLayer& aux);

    bool isFor(const QgsAuxiliaryLayer* aux) const { return aux_ == aux && aux; }
    QVariant value(const QString& key, FeatureState state);
    // key is the feature's key value as the join compares it.
    void setValue(const QVariant& key, FeatureState state, const QVariant& value);
    void clear(FeatureState state);
    // Rows keyed by feature ID after the layer numbered its features anew from 0 without
    // the deleted ones (ascending): each key moves down by the deleted IDs below it.
    void renumber(const std::vector<QgsFeatureId>& deleted);

private:
    struct Row {
        QgsFeatureId auxId;
        QVariant symbol, balloon;
        QVariant& operator[](FeatureState s) {
            return s == FeatureState::Symbol ? symbol : balloon;
        }
    };
    void load();
    void write(QgsFeatureId auxId, FeatureState state, const QVariant& value);
    void commitNowAndThen();

    QPointer<QgsAuxiliaryLayer> aux_;
    int keyIndex_, symbolIndex_, balloonIndex_;
    QHash<QString, Row> rows_;
    bool loaded_ = false, writing_ = false;
    int pending_ = 0;
    QObject context_;
};

} // namespace qgishost
