#pragma once

#include "FaultInjector.h"

#include <QStringList>
#include <memory>

namespace faults {

// Common part of every wrapper: the shared injector, and the names of the map
// objects a call counts as being "on" (for rules filtered by object).
class FaultObject {
public:
    explicit FaultObject(std::shared_ptr<FaultInjector> injector)
        : injector_(std::move(injector)) {}
    virtual ~FaultObject() = default;

    const std::shared_ptr<FaultInjector>& injector() const { return injector_; }

protected:
    void call(const char* member) {
        injector_->enter(member, [this] { return objectNames(); });
    }
    virtual QStringList objectNames() { return {}; }

    std::shared_ptr<FaultInjector> injector_;
};

} // namespace faults
