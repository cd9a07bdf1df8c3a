#include "HostSymbol.h"

#include "MapState.h"
#include "automation/Error.h"

namespace maphost {

QString HostSymbol::Name() {
    return map_->state().symbols[size_t(id_)].name;
}

void HostSymbol::SetName(const QString& name) {
    MapState& s = map_->state();
    if (id_ < mappoint::BuiltInSymbolCount)
        throw automation::Error(automation::errors::NotSupported,
                                QStringLiteral("A built-in symbol cannot be renamed"));
    SymbolRecord& symbol = s.symbols[size_t(id_)];
    if (symbol.name != name) {
        symbol.name = name;
        s.symbolsChanged();
    }
}

} // namespace maphost
