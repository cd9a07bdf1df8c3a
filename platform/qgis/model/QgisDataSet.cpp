#include "QgisDataSet.h"

#include "PushpinAppearance.h"
#include "QgisErrors.h"
#include "QgisFields.h"
#include "QgisLayer.h"
#include "QgisMap.h"
#include "QgisRecordset.h"
#include "QgisShape.h"

#include <qgsproject.h>
#include <qgsvectorlayer.h>

namespace qgishost {

QString QgisDataSet::Name() {
    return layer_->checked().name();
}

void QgisDataSet::SetName(const QString& name) {
    layer_->checked().setName(name);
}

int16_t QgisDataSet::Symbol() {
    return map_->appearance().layerSymbol(layer_->checked());
}

void QgisDataSet::SetSymbol(int16_t symbol) {
    map_->appearance().setLayerSymbol(layer_->checked(), symbol);
}

int32_t QgisDataSet::RecordCount() {
    const long long count = layer_->checked().featureCount();
    return int32_t(std::clamp<long long>(count, 0, INT32_MAX));
}

mappoint::FieldsPtr QgisDataSet::Fields() {
    layer_->checked();
    return std::make_shared<QgisFields>(layer_);
}

mappoint::RecordsetPtr QgisDataSet::QueryAllRecords() {
    return std::make_shared<QgisRecordset>(map_, layer_, QgsGeometry());
}

mappoint::RecordsetPtr QgisDataSet::QueryShape(mappoint::ShapePtr shape) {
    layer_->checked();
    auto* area = dynamic_cast<QgisShape*>(shape.get());
    if (!area || area->map() != map_)
        throwInvalidArgument(QStringLiteral("QueryShape needs a shape of the same map"));
    if (area->Type() != mappoint::geoFreeform)
        throwInvalidArgument(QStringLiteral("The shape \"%1\" is not an area").arg(area->Name()));
    return std::make_shared<QgisRecordset>(map_, layer_, area->wgs84Outline());
}

void QgisDataSet::ZoomTo() {
    map_->showLayerExtent(layer_->checked());
}

void QgisDataSet::Delete() {
    const QString id = layer_->checked().id();
    map_->project().removeMapLayer(id);
}

} // namespace qgishost
