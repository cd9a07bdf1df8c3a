#include "LocastraPlugin.h"

#include "addin/Connect.h"

namespace locastra {

QObject* LocastraPlugin::CreateAddin(const QString& className) {
    if (className == QStringLiteral("Connect"))
        return new Connect();
    return nullptr;
}

} // namespace locastra
