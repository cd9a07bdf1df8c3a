#include "FaultDataSet.h"

#include "FaultWrap.h"

namespace faults {

QStringList FaultDataSet::objectNames() {
    return {safeName(inner_)};
}

QString FaultDataSet::Name() {
    call("DataSet.Name");
    return inner_->Name();
}

void FaultDataSet::SetName(const QString& name) {
    call("DataSet.SetName");
    inner_->SetName(name);
}

int16_t FaultDataSet::Symbol() {
    call("DataSet.Symbol");
    return inner_->Symbol();
}

void FaultDataSet::SetSymbol(int16_t symbol) {
    call("DataSet.SetSymbol");
    inner_->SetSymbol(symbol);
}

int32_t FaultDataSet::RecordCount() {
    call("DataSet.RecordCount");
    return inner_->RecordCount();
}

mappoint::FieldsPtr FaultDataSet::Fields() {
    call("DataSet.Fields");
    return wrap(inner_->Fields(), injector_, objectNames());
}

mappoint::RecordsetPtr FaultDataSet::QueryAllRecords() {
    call("DataSet.QueryAllRecords");
    return wrap(inner_->QueryAllRecords(), injector_, objectNames());
}

mappoint::RecordsetPtr FaultDataSet::QueryShape(mappoint::ShapePtr shape) {
    call("DataSet.QueryShape");
    return wrap(inner_->QueryShape(unwrap(shape)), injector_, objectNames());
}

void FaultDataSet::ZoomTo() {
    call("DataSet.ZoomTo");
    inner_->ZoomTo();
}

void FaultDataSet::Delete() {
    call("DataSet.Delete");
    inner_->Delete();
}

} // namespace faults
