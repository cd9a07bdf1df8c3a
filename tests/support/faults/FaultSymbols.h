#pragma once

#include "FaultObject.h"
#include "mappoint/Symbols.h"

#include <QString>
#include <QVariant>

namespace faults {

// Wraps a Symbols: every call is logged and may be made to fail.
class FaultSymbols : public mappoint::Symbols, public FaultObject {
public:
    FaultSymbols(std::shared_ptr<mappoint::Symbols> inner, std::shared_ptr<FaultInjector> injector)
        : FaultObject(std::move(injector)), inner_(std::move(inner)) {}

    int32_t Count() override;
    mappoint::SymbolPtr Item(int32_t index) override;
    mappoint::SymbolPtr Add(const QString& fileName) override;

    const std::shared_ptr<mappoint::Symbols>& inner() const { return inner_; }

private:
    std::shared_ptr<mappoint::Symbols> inner_;
};

} // namespace faults
