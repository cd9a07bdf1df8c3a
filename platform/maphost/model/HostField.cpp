#include "HostField.h"

#include "HostFields.h"
#include "MapState.h"
#include "automation/Error.h"

namespace maphost {

QString HostField::Name() {
    const DataSetRecord& ds = map_->state().dataSet(dataSet_);
    return index_ < ds.fields.size() ? ds.fields[index_].name : QString();
}

QMetaType::Type HostField::Type() {
    const DataSetRecord& ds = map_->state().dataSet(dataSet_);
    return index_ < ds.fields.size() ? ds.fields[index_].type : QMetaType::QString;
}

QVariant HostField::Value() {
    if (record_ == NoRecord)
        throw automation::Error(automation::errors::NotSupported,
                                QStringLiteral("A field definition has no value"));
    MapState& s = map_->state();
    const PinRecord& p = s.pin(record_);
    // The record may have moved to another dataset since: it no longer has this field.
    if (p.dataSet != dataSet_ || !p.values)
        return {};
    return p.values[index_];
}

} // namespace maphost
