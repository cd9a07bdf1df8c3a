#include "HostDataSet.h"
#include "ViewFit.h"

#include "HostFields.h"
#include "HostRecordset.h"
#include "HostShape.h"
#include "MapState.h"
#include "SphereGeometry.h"
#include "automation/Error.h"

#include <algorithm>
#include <cmath>

namespace maphost {

QString HostDataSet::Name() {
    return map_->state().dataSet(id_).name;
}

void HostDataSet::SetName(const QString& name) {
    MapState& s = map_->state();
    DataSetRecord& ds = s.dataSet(id_);
    if (ds.name != name) {
        ds.name = name;
        s.contentChanged();
    }
}

int16_t HostDataSet::Symbol() {
    return int16_t(map_->state().dataSet(id_).symbol);
}

void HostDataSet::SetSymbol(int16_t symbol) {
    map_->state().setDataSetSymbol(id_, symbol);
}

int32_t HostDataSet::RecordCount() {
    return int32_t(map_->state().dataSet(id_).live);
}

mappoint::FieldsPtr HostDataSet::Fields() {
    map_->state().dataSet(id_);
    return std::make_shared<HostFields>(map_, id_, NoRecord);
}

mappoint::RecordsetPtr HostDataSet::QueryAllRecords() {
    return std::make_shared<HostRecordset>(map_, map_->state().snapshot(id_));
}

mappoint::RecordsetPtr HostDataSet::QueryShape(mappoint::ShapePtr shape) {
    MapState& s = map_->state();
    s.dataSet(id_);
    auto* hostShape = dynamic_cast<HostShape*>(shape.get());
    if (!hostShape || hostShape->map() != map_)
        throwInvalidArgument(QStringLiteral("QueryShape needs a shape of the same map"));
    const ShapeRecord& shapeRecord = s.shape(hostShape->id());
    if (!isAreaShape(shapeRecord.data.kind))
        throwInvalidArgument(
            QStringLiteral("The shape \"%1\" is not an area").arg(shapeRecord.data.name));
    const sphere::Area area(shapeRecord.data.points);
    std::vector<PinId> inside;
    for (PinId id : s.snapshot(id_)) {
        const PinRecord& p = s.pins[id];
        if (area.contains(p.latitude, p.longitude))
            inside.push_back(id);
    }
    return std::make_shared<HostRecordset>(map_, std::move(inside));
}

void HostDataSet::ZoomTo() {
    MapState& s = map_->state();
    const std::vector<PinId> ids = s.snapshot(id_);
    if (ids.empty())
        return;
    // Every pushpin in the view the map is shown in, with a margin.
    std::vector<GeoPoint> points;
    points.reserve(ids.size());
    for (PinId id : ids) {
        const PinRecord& p = s.pins[id];
        points.push_back({p.latitude, p.longitude});
    }
    const ViewData view = fitView(points, s.viewport, s.view, 2.0, MaxAltitude);
    s.setCenter(view.centerLatitude, view.centerLongitude);
    s.setAltitude(view.altitude);
}

void HostDataSet::Delete() {
    map_->state().deleteDataSet(id_);
}

} // namespace maphost
