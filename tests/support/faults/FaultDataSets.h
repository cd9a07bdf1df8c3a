#pragma once

#include "FaultObject.h"
#include "mappoint/DataSets.h"

#include <QString>
#include <QVariant>

namespace faults {

// Wraps a DataSets: every call is logged and may be made to fail.
class FaultDataSets : public mappoint::DataSets, public FaultObject {
public:
    FaultDataSets(std::shared_ptr<mappoint::DataSets> inner,
                  std::shared_ptr<FaultInjector> injector)
        : FaultObject(std::move(injector)), inner_(std::move(inner)) {}

    int32_t Count() override;
    mappoint::DataSetPtr Item(int32_t index) override;
    mappoint::DataSetPtr Item(const QString& name) override;
    mappoint::DataSetPtr AddPushpinSet(const QString& name) override;

    const std::shared_ptr<mappoint::DataSets>& inner() const { return inner_; }

private:
    std::shared_ptr<mappoint::DataSets> inner_;
};

} // namespace faults
