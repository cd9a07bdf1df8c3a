#include "FaultObject.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <unordered_set>

namespace faults {

namespace {

struct LiveObjects {
    std::mutex mutex;
    std::unordered_set<const FaultObject*> objects;
};

// Never destroyed: a wrapper held by a static object may be destroyed after it.
LiveObjects& live() {
    static auto* registry = new LiveObjects;
    return *registry;
}

} // namespace

FaultObject::FaultObject(std::shared_ptr<FaultInjector> injector) : injector_(std::move(injector)) {
    const std::lock_guard lock(live().mutex);
    live().objects.insert(this);
}

FaultObject::~FaultObject() {
    const std::lock_guard lock(live().mutex);
    live().objects.erase(this);
}

void FaultObject::call(const char* member) {
    bool alive = false;
    {
        const std::lock_guard lock(live().mutex);
        alive = live().objects.count(this) != 0;
    }
    if (!alive) {
        std::fprintf(stderr, "%s called on a host object that no longer exists\n", member);
        std::abort();
    }
    injector_->enter(member, [this] { return objectNames(); });
}

} // namespace faults
