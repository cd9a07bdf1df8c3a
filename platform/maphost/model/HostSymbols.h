#pragma once

#include "mappoint/Symbols.h"

#include <memory>

namespace maphost {

class HostMap;

class HostSymbols : public mappoint::Symbols {
public:
    explicit HostSymbols(std::shared_ptr<HostMap> map) : map_(std::move(map)) {}

    int32_t Count() override;
    mappoint::SymbolPtr Item(int32_t index) override;
    mappoint::SymbolPtr Add(const QString& fileName) override;

private:
    std::shared_ptr<HostMap> map_;
};

} // namespace maphost
