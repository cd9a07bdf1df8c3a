#include "HideSymbol.h"

#include "AddinFolder.h"
#include "addin/FailureStyle.h"
#include "mappoint/Map.h"
#include "mappoint/Symbol.h"
#include "mappoint/Symbols.h"

#include <QDir>

namespace tools {

using locastra::Step;

std::optional<int16_t> FindOrAddHideSymbol(const mappoint::MapPtr& map) {
    mappoint::SymbolsPtr symbols;
    if (!Step([&] { symbols = map->Symbols(); }) || !symbols)
        return std::nullopt;
    std::optional<int16_t> found;
    int32_t count = 0;
    Step([&] { count = symbols->Count(); });
    // The custom symbols follow the 256 built-in ones; the walk starts a little below
    // them and keeps going after a match, so the last "Hide" wins.
    for (int32_t index = 255; index <= count; ++index) {
        Step([&] {
            const mappoint::SymbolPtr symbol = symbols->Item(index);
            if (symbol->Name() == HideSymbolName)
                found = symbol->ID();
        });
    }
    if (found)
        return found;
    const QString folder = AddinFolder();
    if (folder.isEmpty())
        return std::nullopt;
    mappoint::SymbolPtr added;
    Step([&] { added = symbols->Add(QDir(folder).filePath(HideBitmapName)); });
    if (!added)
        return std::nullopt;
    Step([&] { added->SetName(HideSymbolName); });
    Step([&] { found = added->ID(); });
    return found;
}

} // namespace tools
