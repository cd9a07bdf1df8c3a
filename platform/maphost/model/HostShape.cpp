#include "HostShape.h"

#include "MapState.h"

namespace maphost {

int shapeType(ShapeKind kind) {
    switch (kind) {
    case ShapeKind::Rectangle:
    case ShapeKind::Oval:
    case ShapeKind::RadiusCircle:
        return mappoint::geoAutoShape;
    case ShapeKind::Freeform:
        return mappoint::geoFreeform;
    case ShapeKind::DriveTimeZone:
        return mappoint::geoDriveTimeZone;
    case ShapeKind::Line:
        return mappoint::geoLine;
    case ShapeKind::TextBox:
        return mappoint::geoTextBox;
    }
    return mappoint::geoLine;
}

bool isAreaShape(ShapeKind kind) {
    const int type = shapeType(kind);
    return type == mappoint::geoAutoShape || type == mappoint::geoFreeform ||
           type == mappoint::geoDriveTimeZone;
}

int32_t HostShape::Type() {
    return shapeType(map_->state().shape(id_).data.kind);
}

QString HostShape::Name() {
    return map_->state().shape(id_).data.name;
}

void HostShape::Select() {
    map_->selectShape(id_);
}

void HostShape::Delete() {
    map_->removeShape(id_);
}

} // namespace maphost
