#include "FaultField.h"

#include "FaultWrap.h"

namespace faults {

QStringList FaultField::objectNames() {
    return owner_;
}

QString FaultField::Name() {
    call("Field.Name");
    return inner_->Name();
}

QMetaType::Type FaultField::Type() {
    call("Field.Type");
    return inner_->Type();
}

QVariant FaultField::Value() {
    call("Field.Value");
    return inner_->Value();
}

} // namespace faults
