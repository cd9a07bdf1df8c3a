#pragma once

#include "FaultObject.h"
#include "mappoint/Location.h"

#include <QString>
#include <QVariant>

namespace faults {

// Wraps a Location: every call is logged and may be made to fail.
class FaultLocation : public mappoint::Location, public FaultObject {
public:
    FaultLocation(std::shared_ptr<mappoint::Location> inner,
                  std::shared_ptr<FaultInjector> injector, QStringList owner)
        : FaultObject(std::move(injector)), inner_(std::move(inner)), owner_(std::move(owner)) {}

    void GoTo() override;

    const std::shared_ptr<mappoint::Location>& inner() const { return inner_; }

private:
    QStringList objectNames() override;
    std::shared_ptr<mappoint::Location> inner_;
    QStringList owner_; // names of the dataset/pushpin this came from
};

} // namespace faults
