#include "FaultApplication.h"

#include "FaultWrap.h"

namespace faults {

void FaultApplication::AddCommand(const QString& displayName, const QString& methodName,
                                  QObject* target) {
    call("Application.AddCommand");
    inner_->AddCommand(displayName, methodName, target);
}

void FaultApplication::RemoveCommands(QObject* target) {
    call("Application.RemoveCommands");
    inner_->RemoveCommands(target);
}

int32_t FaultApplication::Left() {
    call("Application.Left");
    return inner_->Left();
}

int32_t FaultApplication::Top() {
    call("Application.Top");
    return inner_->Top();
}

mappoint::MapPtr FaultApplication::ActiveMap() {
    call("Application.ActiveMap");
    return wrap(inner_->ActiveMap(), injector_);
}

} // namespace faults
