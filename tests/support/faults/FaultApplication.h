#pragma once

#include "FaultObject.h"
#include "mappoint/Application.h"

#include <QString>
#include <QVariant>

namespace faults {

// Wraps a Application: every call is logged and may be made to fail.
class FaultApplication : public mappoint::Application, public FaultObject {
public:
    FaultApplication(std::shared_ptr<mappoint::Application> inner,
                     std::shared_ptr<FaultInjector> injector)
        : FaultObject(std::move(injector)), inner_(std::move(inner)) {}

    void AddCommand(const QString& displayName, const QString& methodName,
                    QObject* target) override;
    void RemoveCommands(QObject* target) override;
    int32_t Left() override;
    int32_t Top() override;
    mappoint::MapPtr ActiveMap() override;

    const std::shared_ptr<mappoint::Application>& inner() const { return inner_; }

private:
    std::shared_ptr<mappoint::Application> inner_;
};

} // namespace faults
