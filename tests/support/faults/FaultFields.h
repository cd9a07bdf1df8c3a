#pragma once

#include "FaultObject.h"
#include "mappoint/Fields.h"

#include <QString>
#include <QVariant>

namespace faults {

// Wraps a Fields: every call is logged and may be made to fail.
class FaultFields : public mappoint::Fields, public FaultObject {
public:
    FaultFields(std::shared_ptr<mappoint::Fields> inner, std::shared_ptr<FaultInjector> injector,
                QStringList owner)
        : FaultObject(std::move(injector)), inner_(std::move(inner)), owner_(std::move(owner)) {}

    int32_t Count() override;
    mappoint::FieldPtr Item(int32_t index) override;
    mappoint::FieldPtr Item(const QString& name) override;

    const std::shared_ptr<mappoint::Fields>& inner() const { return inner_; }

private:
    QStringList objectNames() override;
    std::shared_ptr<mappoint::Fields> inner_;
    QStringList owner_; // names of the dataset/pushpin this came from
};

} // namespace faults
