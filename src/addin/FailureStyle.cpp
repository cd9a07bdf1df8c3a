#include "FailureStyle.h"

namespace locastra {

QString FailureDescription(const std::exception& e) {
    if (auto* error = dynamic_cast<const automation::Error*>(&e))
        return error->description();
    return QString::fromLocal8Bit(e.what());
}

void ShowError(const QString& text) {
    desktop::services().messageBox(text, QStringLiteral("Error"), desktop::Icon::Critical,
                                   desktop::Buttons::Ok);
}

} // namespace locastra
