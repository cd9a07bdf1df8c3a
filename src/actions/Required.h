#pragma once

#include "automation/Error.h"

#include <memory>

namespace actions {

// The object behind a reference that a step needs; an empty reference fails the step
// the way using Nothing fails an automation call (error 91). The reference comes back
// as an owner, not as T&: host calls hand out objects that only the returned pointer
// keeps alive, so a plain reference into them would dangle after the statement.
template <class T> std::shared_ptr<T> Required(std::shared_ptr<T> object) {
    if (!object)
        throw automation::Error(91,
                                QStringLiteral("Object variable or With block variable not set"));
    return object;
}

} // namespace actions
