#pragma once

#include "mappoint/Map.h"
#include "mappoint/Shape.h"

#include <QMetaType>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <ostream>
#include <vector>

// What the object-model contract tests need of a host: maps made of datasets with
// given fields and pushpins, and area shapes. Each host's test program defines
// contractHost().
namespace contract {

struct FieldContent {
    QString name;
    QMetaType::Type type = QMetaType::QString;
};

struct PinContent {
    QString name;
    double latitude = 0;
    double longitude = 0;
    QVector<QVariant> values = {}; // one per field, invalid = no value
    QString note = {};
};

struct DataSetContent {
    QString name;
    std::vector<PinContent> pins;
    QVector<FieldContent> fields = {};
};

class ContractHost {
public:
    virtual ~ContractHost() = default;

    // The ways this host stores datasets (each contract test runs on every one).
    virtual QStringList storages() const = 0;
    // A new active map holding these datasets in this order, each stored the given way;
    // the previous map is gone. The map's unit is kilometres.
    virtual mappoint::MapPtr makeMap(const QString& storage,
                                     const std::vector<DataSetContent>& dataSets) = 0;
    // A freeform area (Type 5) on the current map, outline in degrees (x longitude).
    virtual mappoint::ShapePtr makeArea(const QVector<QPointF>& outline) = 0;

    // Where the hosts differ.
    // A new dataset's place: our host appends it; QGIS puts a new layer on top of the
    // Layers panel, so that its pushpins are drawn above the base maps.
    virtual bool newDataSetsComeFirst() const = 0;
    // A record added to a dataset: our host appends it; QGIS walks a layer's new
    // features that are not saved yet (still in the edit buffer) before its stored ones.
    virtual bool addedRecordsComeFirst() const = 0;
};

ContractHost& contractHost();

} // namespace contract

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '{' << list.join(", ").toStdString() << '}';
}
