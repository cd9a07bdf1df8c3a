#include "FailureStyle.h"

namespace locastra {

QString FailureDescription(const std::exception& e) {
    if (auto* error = dynamic_cast<const automation::Error*>(&e))
        return error->description();
    return QString::fromLocal8Bit(e.what());
}

} // namespace locastra
