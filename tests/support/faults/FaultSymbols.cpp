#include "FaultSymbols.h"

#include "FaultWrap.h"

namespace faults {

int32_t FaultSymbols::Count() {
    call("Symbols.Count");
    return inner_->Count();
}

mappoint::SymbolPtr FaultSymbols::Item(int32_t index) {
    call("Symbols.Item");
    return wrap(inner_->Item(index), injector_);
}

mappoint::SymbolPtr FaultSymbols::Add(const QString& fileName) {
    call("Symbols.Add");
    return wrap(inner_->Add(fileName), injector_);
}

} // namespace faults
