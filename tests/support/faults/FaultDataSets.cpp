#include "FaultDataSets.h"

#include "FaultWrap.h"

namespace faults {

int32_t FaultDataSets::Count() {
    call("DataSets.Count");
    return inner_->Count();
}

mappoint::DataSetPtr FaultDataSets::Item(int32_t index) {
    call("DataSets.Item");
    return wrap(inner_->Item(index), injector_);
}

mappoint::DataSetPtr FaultDataSets::Item(const QString& name) {
    call("DataSets.Item");
    return wrap(inner_->Item(name), injector_);
}

mappoint::DataSetPtr FaultDataSets::AddPushpinSet(const QString& name) {
    call("DataSets.AddPushpinSet");
    return wrap(inner_->AddPushpinSet(name), injector_);
}

} // namespace faults
