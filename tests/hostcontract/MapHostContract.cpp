// The contract tests on our own map host: maps made from document data.
#include "ContractHost.h"
#include "maphost/model/HostMap.h"

namespace contract {

namespace {

class MapHostContract : public ContractHost {
public:
    QStringList storages() const override { return {QStringLiteral("MapDocument")}; }

    mappoint::MapPtr makeMap(const QString&, const std::vector<DataSetContent>& dataSets) override {
        maphost::MapData data;
        for (const DataSetContent& wanted : dataSets) {
            maphost::DataSetData& ds = data.dataSets.emplace_back();
            ds.name = wanted.name;
            for (const FieldContent& field : wanted.fields)
                ds.fields.push_back({field.name, field.type});
            for (const PinContent& pin : wanted.pins) {
                maphost::PushpinData& p = ds.pushpins.emplace_back();
                p.name = pin.name;
                p.note = pin.note;
                p.latitude = pin.latitude;
                p.longitude = pin.longitude;
                p.values = pin.values;
            }
        }
        data.view.units = mappoint::geoKilometers;
        map_ = maphost::HostMap::create(data);
        return map_;
    }

    mappoint::ShapePtr makeArea(const QVector<QPointF>& outline) override {
        maphost::ShapeData shape;
        shape.kind = maphost::ShapeKind::Freeform;
        shape.name = QStringLiteral("Area");
        shape.points = outline;
        return map_->shapeObject(map_->addShape(shape));
    }

    bool newDataSetsComeFirst() const override { return false; }
    bool addedRecordsComeFirst() const override { return false; }

private:
    std::shared_ptr<maphost::HostMap> map_;
};

} // namespace

ContractHost& contractHost() {
    static MapHostContract host;
    return host;
}

} // namespace contract
