#pragma once

#include "FaultObject.h"
#include "mappoint/Symbol.h"

#include <QString>
#include <QVariant>

namespace faults {

// Wraps a Symbol: every call is logged and may be made to fail.
class FaultSymbol : public mappoint::Symbol, public FaultObject {
public:
    FaultSymbol(std::shared_ptr<mappoint::Symbol> inner, std::shared_ptr<FaultInjector> injector)
        : FaultObject(std::move(injector)), inner_(std::move(inner)) {}

    QString Name() override;
    void SetName(const QString& name) override;
    int16_t ID() override;

    const std::shared_ptr<mappoint::Symbol>& inner() const { return inner_; }

private:
    QStringList objectNames() override;
    std::shared_ptr<mappoint::Symbol> inner_;
};

} // namespace faults
