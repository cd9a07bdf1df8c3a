#include "HostFields.h"

#include "BlockRecycler.h"
#include "HostField.h"
#include "MapState.h"
#include "automation/Error.h"

namespace maphost {

int32_t HostFields::Count() {
    return int32_t(map_->state().dataSet(dataSet_).fields.size());
}

mappoint::FieldPtr HostFields::Item(int32_t index) {
    const DataSetRecord& ds = map_->state().dataSet(dataSet_);
    if (index < 1 || index > ds.fields.size())
        throw automation::Error(automation::errors::ItemNotFound,
                                QStringLiteral("There is no field %1").arg(index));
    return MakeRecycled<HostField>(map_, dataSet_, record_, index - 1);
}

mappoint::FieldPtr HostFields::Item(const QString& name) {
    const DataSetRecord& ds = map_->state().dataSet(dataSet_);
    for (qsizetype i = 0; i < ds.fields.size(); ++i) {
        if (ds.fields[i].name == name)
            return std::make_shared<HostField>(map_, dataSet_, record_, int(i));
    }
    throw automation::Error(automation::errors::ItemNotFound,
                            QStringLiteral("There is no field \"%1\"").arg(name));
}

} // namespace maphost
