#include "QgisSymbol.h"

#include "PushpinAppearance.h"
#include "QgisMap.h"

namespace qgishost {

QString QgisSymbol::Name() {
    return map_->appearance().symbolName(id_);
}

void QgisSymbol::SetName(const QString& name) {
    map_->appearance().setSymbolName(id_, name);
}

} // namespace qgishost
