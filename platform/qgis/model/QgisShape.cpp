#include "QgisShape.h"

#include "QgisErrors.h"
#include "QgisLayer.h"
#include "QgisMap.h"

#include <qgscoordinatereferencesystem.h>
#include <qgscoordinatetransform.h>
#include <qgsexception.h>
#include <qgsvectorlayer.h>

namespace qgishost {

int32_t QgisShape::Type() {
    layer_->feature(id_, false);
    return layer_->checked().geometryType() == QgsWkbTypes::PolygonGeometry ? mappoint::geoFreeform
                                                                            : mappoint::geoLine;
}

QString QgisShape::Name() {
    return layer_->namer().nameOf(layer_->feature(id_, layer_->namer().readsGeometry()));
}

void QgisShape::Select() {
    QgsVectorLayer& layer = layer_->checked();
    layer_->feature(id_, false);
    layer.selectByIds({id_});
    map_->activateLayer(&layer);
}

void QgisShape::Delete() {
    QgsVectorLayer& layer = layer_->checked();
    layer_->feature(id_, false);
    layer_->beginEdit(QgsVectorDataProvider::DeleteFeatures, QStringLiteral("delete the shape"));
    if (!layer.deleteFeature(id_))
        throwNotSupported(
            QStringLiteral("The shape cannot be deleted from the layer \"%1\"").arg(layer.name()));
}

QgsGeometry QgisShape::wgs84Outline() {
    QgsVectorLayer& layer = layer_->checked();
    QgsGeometry outline = layer_->feature(id_, true).geometry();
    const QgsCoordinateTransform transform(
        layer.crs(), QgsCoordinateReferenceSystem(QStringLiteral("EPSG:4326")),
        layer.transformContext());
    try {
        outline.transform(transform);
    } catch (const QgsCsException& e) {
        throwInvalidArgument(
            QStringLiteral("The shape cannot be given in latitude and longitude: %1")
                .arg(e.what()));
    }
    return outline;
}

} // namespace qgishost
