#pragma once

#include "maphost/model/HostMap.h"
#include "mappoint/DataSet.h"
#include "mappoint/DataSets.h"
#include "mappoint/Pushpin.h"
#include "mappoint/Recordset.h"

#include <QStringList>
#include <memory>
#include <ostream>

// Readable QString and QStringList values in test failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '{' << list.join(", ").toStdString() << '}';
}

// Small maps for the model tests.
namespace testmaps {

inline maphost::PushpinData pin(const QString& name, double lat, double lon,
                                QVector<QVariant> values = {}) {
    maphost::PushpinData p;
    p.name = name;
    p.latitude = lat;
    p.longitude = lon;
    p.values = std::move(values);
    return p;
}

inline maphost::DataSetData dataSet(const QString& name, std::vector<maphost::PushpinData> pushpins,
                                    QVector<maphost::FieldDef> fields = {}) {
    maphost::DataSetData ds;
    ds.name = name;
    ds.fields = std::move(fields);
    ds.pushpins = std::move(pushpins);
    return ds;
}

// The names a full walk of the dataset yields, in order.
inline QStringList walkNames(const mappoint::DataSetPtr& ds) {
    QStringList names;
    for (auto rs = ds->QueryAllRecords(); !rs->Eof(); rs->MoveNext())
        names << rs->Pushpin()->Name();
    return names;
}

inline QStringList walkNames(const mappoint::RecordsetPtr& rs) {
    QStringList names;
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
        names << rs->Pushpin()->Name();
    return names;
}

} // namespace testmaps
