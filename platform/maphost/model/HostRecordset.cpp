#include "HostRecordset.h"

#include "BlockRecycler.h"
#include "HostFields.h"
#include "HostLocation.h"
#include "HostPushpin.h"
#include "MapState.h"

namespace maphost {

PinId HostRecordset::current() {
    if (Eof())
        throwInvalidArgument(QStringLiteral("The record set is past its last record"));
    return records_[position_];
}

void HostRecordset::MoveNext() {
    current();
    ++position_;
}

mappoint::PushpinPtr HostRecordset::Pushpin() {
    return MakeRecycled<HostPushpin>(map_, current());
}

mappoint::LocationPtr HostRecordset::Location() {
    const PinRecord& p = map_->state().pin(current());
    return HostLocation::create(map_, p.latitude, p.longitude, 0.0);
}

mappoint::FieldsPtr HostRecordset::Fields() {
    const PinId id = current();
    const PinRecord& p = map_->state().pin(id);
    return MakeRecycled<HostFields>(map_, p.dataSet, id);
}

} // namespace maphost
