#include "FaultFields.h"

#include "FaultWrap.h"

namespace faults {

QStringList FaultFields::objectNames() {
    return owner_;
}

int32_t FaultFields::Count() {
    call("Fields.Count");
    return inner_->Count();
}

mappoint::FieldPtr FaultFields::Item(int32_t index) {
    call("Fields.Item");
    return wrap(inner_->Item(index), injector_, owner_);
}

mappoint::FieldPtr FaultFields::Item(const QString& name) {
    call("Fields.Item");
    return wrap(inner_->Item(name), injector_, owner_);
}

} // namespace faults
