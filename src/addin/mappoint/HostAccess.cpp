#include "HostAccess.h"

#include "automation/ClassRegistry.h"
#include "automation/Error.h"

namespace locastra {

mappoint::ApplicationPtr AttachHost() {
    return automation::GetObjectAs<mappoint::Application>(HostClassName);
}

mappoint::MapPtr AttachActiveMap() {
    auto map = AttachHost()->ActiveMap();
    if (!map)
        throw automation::Error(91, QStringLiteral("The map host has no open map"));
    return map;
}

mappoint::DataSetPtr FirstDataSetNamed(const mappoint::MapPtr& map, const QString& name) {
    const mappoint::DataSetsPtr dataSets = map->DataSets();
    const int32_t count = dataSets->Count();
    for (int32_t i = 1; i <= count; ++i) {
        mappoint::DataSetPtr dataSet = dataSets->Item(i);
        if (dataSet->Name() == name)
            return dataSet;
    }
    return nullptr;
}

} // namespace locastra
