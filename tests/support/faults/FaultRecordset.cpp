#include "FaultRecordset.h"

#include "FaultWrap.h"
#include "mappoint/Pushpin.h"

namespace faults {

QStringList FaultRecordset::objectNames() {
    QStringList names = owner_;
    try {
        if (!inner_->Eof())
            names << safeName(inner_->Pushpin());
    } catch (const automation::Error&) {
    }
    return names;
}

bool FaultRecordset::Eof() {
    call("Recordset.Eof");
    return inner_->Eof();
}

void FaultRecordset::MoveFirst() {
    call("Recordset.MoveFirst");
    inner_->MoveFirst();
}

void FaultRecordset::MoveNext() {
    call("Recordset.MoveNext");
    inner_->MoveNext();
}

mappoint::PushpinPtr FaultRecordset::Pushpin() {
    call("Recordset.Pushpin");
    return wrap(inner_->Pushpin(), injector_);
}

mappoint::LocationPtr FaultRecordset::Location() {
    call("Recordset.Location");
    return wrap(inner_->Location(), injector_, objectNames());
}

mappoint::FieldsPtr FaultRecordset::Fields() {
    call("Recordset.Fields");
    return wrap(inner_->Fields(), injector_, objectNames());
}

} // namespace faults
