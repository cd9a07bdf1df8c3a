#include "AuxiliaryRows.h"

#include "automation/Error.h"

#include <algorithm>
#include <qgsauxiliarystorage.h>
#include <qgsfeatureiterator.h>

namespace qgishost {

namespace {

// Rows written before the auxiliary layer's edits are committed (into the project's
// copy of the storage; saving the project writes that out).
constexpr int PendingRows = 256;

QString auxName(FeatureState state) {
    return QgsAuxiliaryLayer::nameFromProperty(FeatureStateDefinition(state));
}

} // namespace

AuxiliaryRows::AuxiliaryRows(QgsAuxiliaryLayer& aux)
    : aux_(&aux), keyIndex_(aux.fields().indexOf(aux.joinInfo().joinFieldName())),
      symbolIndex_(aux.fields().indexOf(auxName(FeatureState::Symbol))),
      balloonIndex_(aux.fields().indexOf(auxName(FeatureState::Balloon))) {
    const auto forget = [this] {
        if (!writing_)
            loaded_ = false;
    };
    QObject::connect(&aux, &QgsVectorLayer::featureAdded, &context_, forget);
    QObject::connect(&aux, &QgsVectorLayer::featureDeleted, &context_, forget);
    QObject::connect(&aux, &QgsVectorLayer::attributeValueChanged, &context_, forget);
    QObject::connect(&aux, &QgsVectorLayer::afterRollBack, &context_, forget);
    // Committed rows get their IDs from the table.
    QObject::connect(&aux, &QgsVectorLayer::committedFeaturesAdded, &context_,
                     [this](const QString&, const QgsFeatureList& added) {
                         for (const QgsFeature& f : added) {
                             auto it = rows_.find(f.attribute(keyIndex_).toString());
                             if (it != rows_.end())
                                 it->auxId = f.id();
                         }
                     });
}

void AuxiliaryRows::load() {
    rows_.clear();
    QgsFeature f;
    QgsFeatureIterator it =
        aux_->getFeatures(QgsFeatureRequest().setFlags(QgsFeatureRequest::NoGeometry));
    while (it.nextFeature(f))
        rows_.insert(f.attribute(keyIndex_).toString(),
                     Row{f.id(), f.attribute(symbolIndex_), f.attribute(balloonIndex_)});
    loaded_ = true;
}

QVariant AuxiliaryRows::value(const QString& key, FeatureState state) {
    if (!loaded_)
        load();
    auto it = rows_.find(key);
    if (it == rows_.end())
        return {};
    const QVariant v = (*it)[state];
    return v.isNull() ? QVariant() : v;
}

void AuxiliaryRows::write(QgsFeatureId auxId, FeatureState state, const QVariant& value) {
    const int index = state == FeatureState::Symbol ? symbolIndex_ : balloonIndex_;
    if (!aux_->changeAttributeValue(auxId, index, value))
        throw automation::Error(automation::errors::NotSupported,
                                QStringLiteral("QGIS cannot write its auxiliary storage"));
}

void AuxiliaryRows::setValue(const QVariant& key, FeatureState state, const QVariant& value) {
    if (!loaded_)
        load();
    const QString text = key.toString();
    writing_ = true;
    try {
        auto it = rows_.find(text);
        if (it != rows_.end()) {
            write(it->auxId, state, value);
            (*it)[state] = value;
        } else if (!value.isNull()) {
            QgsFeature f(aux_->fields());
            f.setAttribute(keyIndex_, key);
            f.setAttribute(state == FeatureState::Symbol ? symbolIndex_ : balloonIndex_, value);
            if (!aux_->addFeature(f))
                throw automation::Error(automation::errors::NotSupported,
                                        QStringLiteral("QGIS cannot write its auxiliary storage"));
            Row row{f.id(), {}, {}};
            row[state] = value;
            rows_.insert(text, row);
        }
    } catch (...) {
        writing_ = false;
        throw;
    }
    writing_ = false;
    commitNowAndThen();
}

void AuxiliaryRows::clear(FeatureState state) {
    if (!loaded_)
        load();
    writing_ = true;
    try {
        for (Row& row : rows_) {
            if (!row[state].isNull()) {
                write(row.auxId, state, QVariant());
                row[state] = QVariant();
                ++pending_;
            }
        }
    } catch (...) {
        writing_ = false;
        throw;
    }
    writing_ = false;
    commitNowAndThen();
}

void AuxiliaryRows::renumber(const std::vector<QgsFeatureId>& deleted) {
    if (!loaded_)
        load();
    // Ascending, so that a key moves only onto one already moved or deleted.
    std::vector<std::pair<qint64, QgsFeatureId>> keys; // key, row
    for (auto it = rows_.cbegin(); it != rows_.cend(); ++it) {
        bool ok = false;
        const qint64 key = it.key().toLongLong(&ok);
        if (ok)
            keys.emplace_back(key, it->auxId);
    }
    std::sort(keys.begin(), keys.end());
    writing_ = true;
    bool written = true;
    for (const auto& [key, auxId] : keys) {
        const auto below = std::lower_bound(deleted.begin(), deleted.end(), key);
        if (below != deleted.end() && *below == key)
            written &= aux_->deleteFeature(auxId);
        else if (below != deleted.begin())
            written &=
                aux_->changeAttributeValue(auxId, keyIndex_, key - (below - deleted.begin()));
    }
    aux_->save();
    writing_ = false;
    pending_ = 0;
    loaded_ = false;
    if (!written)
        throw automation::Error(automation::errors::NotSupported,
                                QStringLiteral("QGIS cannot write its auxiliary storage"));
}

void AuxiliaryRows::commitNowAndThen() {
    if (++pending_ < PendingRows)
        return;
    pending_ = 0;
    writing_ = true;
    aux_->save();
    writing_ = false;
}

} // namespace qgishost
