#include "HostDataSets.h"

#include "MapState.h"
#include "automation/Error.h"

namespace maphost {

int32_t HostDataSets::Count() {
    return map_->dataSetCount();
}

mappoint::DataSetPtr HostDataSets::Item(int32_t index) {
    if (index < 1 || index > map_->dataSetCount())
        throw automation::Error(automation::errors::ItemNotFound,
                                QStringLiteral("There is no dataset %1").arg(index));
    return map_->dataSetObject(map_->dataSetAt(index - 1));
}

mappoint::DataSetPtr HostDataSets::Item(const QString& name) {
    const MapState& s = map_->state();
    for (DataSetId id : s.order) {
        if (s.dataSets[id].name == name)
            return map_->dataSetObject(id);
    }
    throw automation::Error(automation::errors::ItemNotFound,
                            QStringLiteral("There is no dataset \"%1\"").arg(name));
}

mappoint::DataSetPtr HostDataSets::AddPushpinSet(const QString& name) {
    if (name.trimmed().isEmpty())
        throwInvalidArgument(QStringLiteral("A dataset needs a name"));
    return map_->dataSetObject(map_->state().addDataSet(name, 0, {}));
}

} // namespace maphost
