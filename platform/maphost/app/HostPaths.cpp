#include "HostPaths.h"

#include <QStandardPaths>

namespace maphost::paths {

QString settingsFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Locastra/maphost.ini");
}

QString dataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Locastra/maphost");
}

} // namespace maphost::paths
