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

} // namespace locastra
