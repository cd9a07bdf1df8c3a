#pragma once

#include "FaultInjector.h"

#include <QStringList>
#include <memory>

namespace faults {

// Common part of every wrapper: the shared injector, and the names of the map
// objects a call counts as being "on" (for rules filtered by object).
//
// Wrappers are made afresh for every call that returns an object, so a caller that
// keeps only a plain reference to one uses it after it is gone. Every wrapper is
// registered while it lives, and a call on one that is no longer registered aborts
// the test at once instead of reading freed memory quietly.
class FaultObject {
public:
    explicit FaultObject(std::shared_ptr<FaultInjector> injector);
    virtual ~FaultObject();
    FaultObject(const FaultObject&) = delete;
    FaultObject& operator=(const FaultObject&) = delete;

    const std::shared_ptr<FaultInjector>& injector() const { return injector_; }

protected:
    void call(const char* member);
    virtual QStringList objectNames() { return {}; }

    std::shared_ptr<FaultInjector> injector_;
};

} // namespace faults
