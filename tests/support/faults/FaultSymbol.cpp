#include "FaultSymbol.h"

#include "FaultWrap.h"

namespace faults {

QStringList FaultSymbol::objectNames() {
    return {safeName(inner_)};
}

QString FaultSymbol::Name() {
    call("Symbol.Name");
    return inner_->Name();
}

void FaultSymbol::SetName(const QString& name) {
    call("Symbol.SetName");
    inner_->SetName(name);
}

int16_t FaultSymbol::ID() {
    call("Symbol.ID");
    return inner_->ID();
}

} // namespace faults
