#pragma once

#include "automation/Error.h"

#include <memory>

namespace actions {

// The object behind a reference that a step needs; an empty reference fails the step
// the way using Nothing fails an automation call (error 91).
template <class T> T& Required(const std::shared_ptr<T>& object) {
    if (!object)
        throw automation::Error(91,
                                QStringLiteral("Object variable or With block variable not set"));
    return *object;
}

} // namespace actions
