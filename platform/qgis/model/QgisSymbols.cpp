#include "QgisSymbols.h"

#include "PushpinAppearance.h"
#include "QgisMap.h"
#include "QgisSymbol.h"
#include "automation/Error.h"

namespace qgishost {

int32_t QgisSymbols::Count() {
    return mappoint::BuiltInSymbolCount + map_->appearance().customSymbolCount();
}

mappoint::SymbolPtr QgisSymbols::Item(int32_t index) {
    if (index >= 1 && index <= mappoint::BuiltInSymbolCount)
        return std::make_shared<QgisSymbol>(map_, int16_t(index - 1));
    PushpinAppearance& appearance = map_->appearance();
    const int64_t custom = int64_t(index) - mappoint::BuiltInSymbolCount - 1;
    if (custom < 0 || custom >= appearance.customSymbolCount())
        throw automation::Error(automation::errors::ItemNotFound,
                                QStringLiteral("There is no symbol at index %1").arg(index));
    return std::make_shared<QgisSymbol>(map_, appearance.customSymbolId(int32_t(custom)));
}

mappoint::SymbolPtr QgisSymbols::Add(const QString& fileName) {
    return std::make_shared<QgisSymbol>(map_, map_->appearance().addCustomSymbol(fileName));
}

} // namespace qgishost
