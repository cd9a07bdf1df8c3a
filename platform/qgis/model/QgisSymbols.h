#pragma once

#include "mappoint/Symbols.h"

#include <memory>

namespace qgishost {

class QgisMap;

// The project's symbols, kept by the pushpin appearance: the 256 built-in ones, then
// the custom ones in the order they were added.
class QgisSymbols : public mappoint::Symbols {
public:
    explicit QgisSymbols(std::shared_ptr<QgisMap> map) : map_(std::move(map)) {}

    int32_t Count() override;
    mappoint::SymbolPtr Item(int32_t index) override;
    mappoint::SymbolPtr Add(const QString& fileName) override;

private:
    std::shared_ptr<QgisMap> map_;
};

} // namespace qgishost
