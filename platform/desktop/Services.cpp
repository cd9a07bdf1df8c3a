// The process-wide desktop services: the Qt implementation unless a test installed
// another one.
#include "Desktop.h"
#include "QtDesktop.h"

namespace desktop {

namespace {

std::shared_ptr<Desktop>& installed() {
    static std::shared_ptr<Desktop> desktop;
    return desktop;
}

Desktop& qtDesktop() {
    static QtDesktop desktop;
    return desktop;
}

} // namespace

Desktop& services() {
    if (auto& desktop = installed())
        return *desktop;
    return qtDesktop();
}

void setServices(std::shared_ptr<Desktop> desktop) {
    installed() = std::move(desktop);
}

} // namespace desktop
