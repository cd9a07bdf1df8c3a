#pragma once

#include "automation/Error.h"

#include <cstdint>
#include <functional>

namespace testing_support {

// The automation error number a call raises, or 0.
inline int32_t errorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const automation::Error& e) {
        return e.number();
    }
    return 0;
}

} // namespace testing_support
