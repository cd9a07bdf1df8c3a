#include "HostSymbols.h"

#include "HostSymbol.h"
#include "MapState.h"
#include "automation/Error.h"

#include <QFileInfo>
#include <QImageReader>

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
    // A pipe, socket or device would block the reader for ever.
    const QFileInfo info(fileName);
    if (info.exists() && !info.isFile())
        throw automation::Error(automation::errors::FileError,
                                QStringLiteral("\"%1\" cannot be read as a picture: it is not a "
                                               "regular file")
                                    .arg(fileName));
    QImageReader reader(fileName);
    const QImage image = reader.read();
    if (image.isNull())
        throw automation::Error(automation::errors::FileError,
                                QStringLiteral("\"%1\" cannot be read as a picture: %2")
                                    .arg(fileName, reader.errorString()));
    const int id = map_->state().addCustomSymbol(QFileInfo(fileName).completeBaseName(), image);
    return std::make_shared<HostSymbol>(map_, id);
}

} // namespace maphost
