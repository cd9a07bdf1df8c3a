#include "HostSymbols.h"

#include "HostSymbol.h"
#include "MapState.h"
#include "automation/Error.h"
#include "mappoint/SymbolFile.h"
#include "mappoint/SymbolNames.h"

namespace maphost {

namespace {
// Custom symbol IDs in collection order (ascending ID).
std::vector<int> customIds(const MapState& s) {
    std::vector<int> ids;
    for (size_t id = mappoint::BuiltInSymbolCount; id < s.symbols.size(); ++id) {
        if (!s.symbols[id].image.isNull())
            ids.push_back(int(id));
    }
    return ids;
}
} // namespace

int32_t HostSymbols::Count() {
    return int32_t(mappoint::BuiltInSymbolCount + customIds(map_->state()).size());
}

mappoint::SymbolPtr HostSymbols::Item(int32_t index) {
    if (index >= 1 && index <= mappoint::BuiltInSymbolCount)
        return std::make_shared<HostSymbol>(map_, index - 1);
    const std::vector<int> ids = customIds(map_->state());
    const int64_t customIndex = int64_t(index) - mappoint::BuiltInSymbolCount - 1;
    if (customIndex < 0 || customIndex >= int64_t(ids.size()))
        throw automation::Error(automation::errors::ItemNotFound,
                                QStringLiteral("There is no symbol at index %1").arg(index));
    return std::make_shared<HostSymbol>(map_, ids[size_t(customIndex)]);
}

mappoint::SymbolPtr HostSymbols::Add(const QString& fileName) {
    const QImage image = mappoint::ReadSymbolPictureFile(fileName);
    const int id = map_->state().addCustomSymbol(mappoint::CustomSymbolName(fileName), image);
    return std::make_shared<HostSymbol>(map_, id);
}

} // namespace maphost
