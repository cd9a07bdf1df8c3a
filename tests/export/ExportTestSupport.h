#pragma once

#include "ToolWindowFixture.h"
#include "addin/NumberFormat.h"
#include "geo/PositionCalculator.h"
#include "mappoint/Map.h"

#include <QFile>
#include <QTemporaryDir>

namespace exporttest {

struct Pin {
    QString name;
    double latitude = 0;
    double longitude = 0;
    QVector<QVariant> values;
};

struct Set {
    QString name;
    QVector<maphost::FieldDef> fields;
    std::vector<Pin> pins;
};

// The tool window over a map of datasets with fields, a scratch folder for the
// output files and the recording desktop.
class ExportTest : public twtest::ToolWindowTest {
protected:
    static maphost::DataSetData dataSetOf(const Set& set) {
        maphost::DataSetData ds;
        ds.name = set.name;
        ds.fields = set.fields;
        for (const Pin& pin : set.pins) {
            maphost::PushpinData p;
            p.name = pin.name;
            p.latitude = pin.latitude;
            p.longitude = pin.longitude;
            p.values = pin.values;
            ds.pushpins.push_back(p);
        }
        return ds;
    }

    void setFieldMap(const std::vector<Set>& sets) {
        maphost::MapData data;
        for (const Set& set : sets)
            data.dataSets.push_back(dataSetOf(set));
        map_ = maphost::HostMap::create(data);
        host_->setActiveMap(map_);
    }

    // Appends a dataset at the end of the map order.
    void addSet(const Set& set) { map_->addDataSet(dataSetOf(set)); }

    // The coordinate columns the calculator gives for a position on this map.
    QString coords(double latitude, double longitude) {
        double lat = 0;
        double lon = 0;
        geo::CalcLatLon(map_, map_->GetLocation(latitude, longitude, 0), lat, lon);
        return locastra::FormatNumber(lat) + "," + locastra::FormatNumber(lon);
    }

    // Selects a rectangle from (south, west) to (north, east) (or another kind).
    void selectShape(double south, double west, double north, double east,
                     maphost::ShapeKind kind = maphost::ShapeKind::Rectangle) {
        maphost::ShapeData shape;
        shape.kind = kind;
        shape.name = QStringLiteral("Area");
        shape.points = {{west, south}, {east, south}, {east, north}, {west, north}};
        map_->selectShape(map_->addShape(shape));
    }

    QString path(const QString& name) const { return dir_.filePath(name); }
    static QByteArray contents(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    QStringList editorPaths() const {
        QStringList paths;
        for (const auto& call : desktop_->callsOf(desktop::RecordedCall::Kind::OpenInTextEditor))
            paths << call.text;
        return paths;
    }
    qsizetype messages() const { return desktop_->count(desktop::RecordedCall::Kind::MessageBox); }

    QTemporaryDir dir_;
};

} // namespace exporttest
