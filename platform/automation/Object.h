#pragma once

#include <memory>

namespace automation {

// Base of every object handed out through the class registry. Callers cast to the
// interface they expect (std::dynamic_pointer_cast), as a late-bound client would.
class Object {
public:
    virtual ~Object() = default;
};

using ObjectPtr = std::shared_ptr<Object>;

} // namespace automation
