#pragma once

#include "FaultObject.h"
#include "mappoint/Field.h"

#include <QString>
#include <QVariant>

namespace faults {

// Wraps a Field: every call is logged and may be made to fail.
class FaultField : public mappoint::Field, public FaultObject {
public:
    FaultField(std::shared_ptr<mappoint::Field> inner, std::shared_ptr<FaultInjector> injector,
               QStringList owner)
        : FaultObject(std::move(injector)), inner_(std::move(inner)), owner_(std::move(owner)) {}

    QString Name() override;
    QVariant Value() override;
    QMetaType::Type Type() override;

    const std::shared_ptr<mappoint::Field>& inner() const { return inner_; }

private:
    QStringList objectNames() override;
    std::shared_ptr<mappoint::Field> inner_;
    QStringList owner_; // names of the dataset/pushpin this came from
};

} // namespace faults
