#include "FaultLocation.h"

#include "FaultWrap.h"

namespace faults {

QStringList FaultLocation::objectNames() {
    return owner_;
}

void FaultLocation::GoTo() {
    call("Location.GoTo");
    inner_->GoTo();
}

} // namespace faults
