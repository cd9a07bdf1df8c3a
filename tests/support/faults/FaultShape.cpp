#include "FaultShape.h"

#include "FaultWrap.h"

namespace faults {

QStringList FaultShape::objectNames() {
    return {safeName(inner_)};
}

int32_t FaultShape::Type() {
    call("Shape.Type");
    return inner_->Type();
}

QString FaultShape::Name() {
    call("Shape.Name");
    return inner_->Name();
}

void FaultShape::Select() {
    call("Shape.Select");
    inner_->Select();
}

void FaultShape::Delete() {
    call("Shape.Delete");
    inner_->Delete();
}

} // namespace faults
