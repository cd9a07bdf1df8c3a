#pragma once

#include "Error.h"

namespace automation {

namespace detail {
[[noreturn]] void throwWrongKind(const QString& className);
}

template <class T> std::shared_ptr<T> GetObjectAs(const QString& className) {
    auto typed = std::dynamic_pointer_cast<T>(GetObject(className));
    if (!typed)
        detail::throwWrongKind(className);
    return typed;
}

template <class T> std::shared_ptr<T> CreateObjectAs(const QString& className) {
    auto typed = std::dynamic_pointer_cast<T>(CreateObject(className));
    if (!typed)
        detail::throwWrongKind(className);
    return typed;
}

} // namespace automation
